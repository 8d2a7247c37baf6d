#include "shell/file_choice.h"

#include <optional>
#include <string>

namespace shell {

FileDialogRequest chooseFilesRequest() {
    FileDialogRequest request;
    request.title = kChooseFilesTitle;
    request.filter = kChooseFilesFilter;
    request.filterIndex = 1;
    request.multiSelect = true;
    request.flags = kChooseFilesFlags;
    request.fileNameBufferSize = kChooseFilesBufferSize;
    return request;
}

DlgFileInfo ChooseFiles(UserInterface& ui) {
    const std::optional<std::string> selection = ui.chooseOpenFile(chooseFilesRequest());
    if (!selection) return {};
    return GetDlgFileInfo(*selection, ui);
}

}  // namespace shell
