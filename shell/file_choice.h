// The open dialog for several files at once, as both builders show it (the
// INF builder's advanced add, the T13 builder's file add), and the split of
// its selection into a folder and names.
#pragma once

#include <cstddef>

#include "shell/dlg_file_info.h"
#include "shell/user_interface.h"

namespace shell {

// OFN_EXPLORER (0x80000) | OFN_ALLOWMULTISELECT (0x200) | OFN_HIDEREADONLY (0x4).
inline constexpr unsigned kChooseFilesFlags = 524804;
inline constexpr std::size_t kChooseFilesBufferSize = 32767;

// The request both builders hand to chooseOpenFile.
FileDialogRequest chooseFilesRequest(const UserInterface& ui);

// Shows the dialog and splits the selection with GetDlgFileInfo. A cancel
// gives the empty result (count 0) without a message; a selection that
// cannot be split gives GetDlgFileInfo's message and the empty result.
DlgFileInfo chooseFiles(UserInterface& ui);

}  // namespace shell
