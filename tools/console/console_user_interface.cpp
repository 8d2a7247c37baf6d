#include "tools/console/console_user_interface.h"

#include <cstdio>

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

bool ConsoleUserInterface::shown(const std::string& text) const {
    for (const auto& m : messages_)
        if (m == text) return true;
    return false;
}

}  // namespace console
