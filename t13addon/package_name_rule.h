// Whether a software name can name the package's files: it becomes
// "<name>.exe" inside the package, a batch-file argument and part of the
// proposed output name.
#pragma once

#include <optional>
#include <string>

namespace t13addon {

// Nothing when the name can be used; otherwise a message that says what is
// wrong with it and what to do. Refused: \ / : * ? " < > | (Windows file
// names), [ ] % ; , = (they break the batch file and the INF and INI lines the
// name goes into), control characters, a trailing dot or blank (Windows drops
// them), and the device names CON, PRN, AUX, NUL, COM1-9, LPT1-9.
std::optional<std::string> packageNameProblem(const std::string& name);

}  // namespace t13addon
