// Whether a software name can name a package's files: it becomes file names
// in the program folder and inside the package, batch-file arguments, INF
// section names and INI keys, and part of the proposed output name.
#pragma once

#include <optional>
#include <string>

#include "shell/message_keys.h"

namespace shell {

// Nothing when the name can be used; otherwise a message that says what is
// wrong with it and what to do. Refused: \ / : * ? " < > | (Windows file
// names), [ ] % ; , = (they break the batch files and the INF and INI lines
// the name goes into), control characters, a leading blank (the setup engine
// drops it from the component's name), a trailing dot or blank (Windows
// drops them), and the device names CON, PRN, AUX, NUL, COM1-9, LPT1-9.
std::optional<std::string> packageNameProblem(const std::string& name, const MessageTexts& texts);

}  // namespace shell
