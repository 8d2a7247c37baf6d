#include "shell/typed_text_rules.h"

#include <cstring>

#include "platform/unicode.h"

namespace shell {

namespace {

bool isControl(char32_t cp) { return cp < 0x20 || cp == 0x7F; }

// The control character's usual name, where it has one people know.
std::string controlName(char32_t cp) {
    if (cp == '\r' || cp == '\n') return "a line break";
    if (cp == '\t') return "a tab";
    return "the control character " + platform::describeCodePoint(cp);
}

}  // namespace

std::optional<std::string> oneLineFieldProblem(const std::string& field, const std::string& value) {
    for (std::size_t pos = 0; pos < value.size();) {
        const char32_t cp = platform::nextCodePoint(value, pos);
        if (isControl(cp))
            return "The " + field + " \"" + platform::textExcerpt(value) + "\" holds " + controlName(cp) +
                   ". It is written on one line of the package's files, where a line break or tab would break "
                   "them. Remove it and generate again.";
    }
    return std::nullopt;
}

std::optional<char32_t> characterWindowsNamesCannotHold(const std::string& name) {
    for (std::size_t pos = 0; pos < name.size();) {
        const char32_t cp = platform::nextCodePoint(name, pos);
        if (isControl(cp) || (cp < 0x80 && std::strchr("\\/:*?\"<>|", static_cast<char>(cp)))) return cp;
    }
    return std::nullopt;
}

std::optional<std::string> packagePathProblem(const std::string& path, bool makecabNamesIt) {
    const char* why = nullptr;
    if (path.find('"') != std::string::npos)
        why = "it holds a double quote, which ends the quoted path on the command line that writes the package";
    else if (makecabNamesIt && path.find('*') != std::string::npos)
        why = "it holds \"*\", which the cabinet maker reads in a cabinet name as the cabinet's number, so the "
              "package would be written under another name";
    if (!why) return std::nullopt;
    return "The package cannot be written at " + path + ": " + why +
           ". Windows file names cannot hold it. Choose another name or folder and generate again.";
}

}  // namespace shell
