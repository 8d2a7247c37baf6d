#include "shell/file_choice.h"

#include <optional>
#include <string>

namespace shell {

FileDialogRequest chooseFilesRequest(const UserInterface& ui) {
    FileDialogRequest request;
    request.title = ui.messageText(MessageKey::ChooseFilesTitle);
    request.filter = ui.messageText(MessageKey::ChooseFilesFilter);
    request.filterIndex = 1;
    request.multiSelect = true;
    request.flags = kChooseFilesFlags;
    request.fileNameBufferSize = kChooseFilesBufferSize;
    return request;
}

DlgFileInfo chooseFiles(UserInterface& ui) {
    const std::optional<std::string> selection = ui.chooseOpenFile(chooseFilesRequest(ui));
    if (!selection) return {};
    return GetDlgFileInfo(*selection, ui);
}

}  // namespace shell
