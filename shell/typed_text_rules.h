// Rules for what a user types or picks that goes into the package files and
// batch lines: one-line fields, names Windows can hold, and the package path.
#pragma once

#include <optional>
#include <string>

#include "shell/message_keys.h"

namespace shell {

// Nothing when `value` holds no control character (line break, tab, ...);
// otherwise a message naming the field (`field`, one of the Field... texts) and
// the character: the value goes on one line of a file, where a line break
// would start new lines or sections.
std::optional<std::string> oneLineFieldProblem(MessageKey field, const std::string& value, const MessageTexts& texts);

// The first character of `name` that a Windows file name cannot hold
// (\ / : * ? " < > | and control characters), or nothing. Such names can
// exist on other systems.
std::optional<char32_t> characterWindowsNamesCannotHold(const std::string& name);

// Nothing when the builders can write their package at `path`; otherwise the
// message. Refused: a double quote (the batch file's makecab or 7z line holds
// the path in quotes) and, where makecab writes the package
// (`makecabNamesIt`), "*" (makecab reads it in the cabinet name as the
// cabinet's number, so the package would land elsewhere). Windows names hold
// neither; other systems' names can.
std::optional<std::string> packagePathProblem(const std::string& path, bool makecabNamesIt, const MessageTexts& texts);

}  // namespace shell
