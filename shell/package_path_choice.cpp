#include "shell/package_path_choice.h"

#include "platform/file_system.h"

namespace shell {

std::optional<std::string> choosePackagePath(UserInterface& ui, const std::string& filter,
                                             const std::string& proposedName, const std::string& overwriteQuestion) {
    FileDialogRequest request;
    request.filter = filter;
    request.filterIndex = 1;
    request.initialName = proposedName;
    const std::optional<std::string> chosen = ui.chooseSaveFile(request);
    if (!chosen) return std::nullopt;
    if (platform::fileExists(*chosen) && !ui.askYesNo(overwriteQuestion)) return std::nullopt;
    return chosen;
}

}  // namespace shell
