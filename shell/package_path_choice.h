// Where a builder writes its package: the save dialog with the package
// filter preselected and the proposed name, then, when a file is already
// there, the overwrite question.
#pragma once

#include <optional>
#include <string>

#include "shell/user_interface.h"

namespace shell {

// The chosen path; nothing when the user cancels the dialog or does not
// answer Yes to the question.
std::optional<std::string> choosePackagePath(UserInterface& ui, const std::string& filter,
                                             const std::string& proposedName, const std::string& overwriteQuestion);

}  // namespace shell
