// The one rule for finding Tolvane's own tools, shared by the registry
// import, the 7-Zip search and the batch runs.
#include "platform/file_system.h"
#include "platform/process.h"

namespace platform {

std::vector<std::string> ownToolFolders() {
    std::vector<std::string> folders;
    const auto add = [&folders](const std::string& folder) {
        if (folder.empty()) return;
        const std::string plain = withoutTrailingSeparator(folder);
        for (const auto& known : folders)
            if (withoutTrailingSeparator(known) == plain) return;
        folders.push_back(folder);
    };
    add(programFolder());
    add(executableFolder());
    const std::string tools = joinPath(executableFolder(), "tools");
    if (folderExists(tools)) add(tools);
    return folders;
}

std::string findOwnTool(const std::string& name) {
    if (name.empty()) return {};
    std::vector<std::string> folders = ownToolFolders();
    for (const auto& folder : searchPathFolders()) folders.push_back(folder);
    for (const auto& folder : folders) {
        const std::string found = findProgram(joinPath(folder, name), {});
        if (!found.empty()) return found;
    }
    return {};
}

}  // namespace platform
