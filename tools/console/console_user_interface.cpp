#include "tools/console/console_user_interface.h"

#include <cstdio>

#include "platform/file_system.h"

namespace console {

void ConsoleUserInterface::showMessage(const std::string& text, const std::string& title, shell::MessageIcon) {
    messages_.push_back(text);
    std::printf("[%s] %s\n", title.empty() ? shell::kApplicationTitle : title.c_str(), text.c_str());
    std::fflush(stdout);
}

bool ConsoleUserInterface::askYesNo(const std::string& text, const std::string&) {
    std::printf("%s %s\n", text.empty() ? "The output file exists. Overwrite?" : text.c_str(),
                overwrite_ ? "yes" : "no");
    return overwrite_;
}

std::optional<std::string> ConsoleUserInterface::chooseSaveFile(const shell::FileDialogRequest& request) {
    if (!outputPath_.empty()) return outputPath_;
    // No path given: the preset name, in the current folder, as the dialog would offer it.
    return request.initialName;
}

std::optional<std::string> ConsoleUserInterface::chooseOpenFile(const shell::FileDialogRequest&) {
    if (openFiles_.empty()) return std::nullopt;
    const std::string path = openFiles_.front();
    openFiles_.pop_front();
    // The dialog leaves the current directory at the choice's folder, and the
    // split of a selection relies on it: the path is given in that folder's
    // own spelling, so the two agree.
    // A choice whose folder is missing (a registry file named on the
    // command line that is not there) is handed on as given.
    const std::size_t cut = path.find_last_of("\\/");
    if (cut == std::string::npos) return path;
    const std::string folder = path.substr(0, cut == 0 || path[cut - 1] == ':' ? cut + 1 : cut);
    if (!platform::folderExists(folder)) return path;
    platform::setCurrentDirectory(folder);
    return platform::joinPath(platform::currentDirectory(), platform::baseName(path));
}

std::string ConsoleUserInterface::browseForFolder(const std::string&) {
    if (folders_.empty()) return {};
    const std::string folder = folders_.front();
    folders_.pop_front();
    // The browser names a folder without a trailing separator; a root keeps its own.
    return platform::withoutTrailingSeparator(folder);
}

bool ConsoleUserInterface::shown(const std::string& text) const {
    for (const auto& m : messages_)
        if (m == text) return true;
    return false;
}

}  // namespace console
