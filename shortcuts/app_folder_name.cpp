#include "shortcuts/app_folder_name.h"

#include "platform/file_system.h"

namespace shortcuts {

std::string AppFolderName(const std::string& folderPath) {
    std::string p = folderPath;
    while (!p.empty() && (p.back() == '\\' || p.back() == '/')) p.pop_back();
    if (p.empty()) return {};
    if (p.size() == 2 && p[1] == ':') return p.substr(0, 1);
    const std::string onDisk = platform::nameOnDisk(p);
    return onDisk.empty() ? platform::baseName(p) : onDisk;
}

}  // namespace shortcuts
