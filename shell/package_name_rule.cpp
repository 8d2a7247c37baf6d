#include "shell/package_name_rule.h"

#include <cstring>

#include "platform/unicode.h"

namespace shell {

namespace {

const char* const kForbidden = "\\/:*?\"<>|[]%;,=";

std::string refusal(const std::string& name, const std::string& why) {
    return "The software name \"" + name + "\" cannot name the package's files and sections: " + why +
           ". A name may not hold \\ / : * ? \" < > | [ ] % ; , = or control characters, nor begin with a "
           "blank or end in a dot or a blank. Change the name and generate again.";
}

bool isDeviceName(const std::string& name) {
    const std::string upper = platform::asciiUpper(name);
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") return true;
    return upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
           upper[3] >= '1' && upper[3] <= '9';
}

}  // namespace

std::optional<std::string> packageNameProblem(const std::string& name) {
    for (std::size_t pos = 0; pos < name.size();) {
        const char32_t cp = platform::nextCodePoint(name, pos);
        if (cp < 0x20 || cp == 0x7F)
            return refusal(name, "it holds the control character " + platform::describeCodePoint(cp));
        if (cp < 0x80 && std::strchr(kForbidden, static_cast<char>(cp)))
            return refusal(name, "it holds the character " + platform::describeCodePoint(cp));
    }
    // A leading blank would pass into the files, but the setup engine drops
    // it from the component's name and then finds no section of that name.
    if (!name.empty() && name.front() == ' ') return refusal(name, "it begins with a blank");
    if (!name.empty() && (name.back() == '.' || name.back() == ' '))
        return refusal(name, std::string("it ends in a ") + (name.back() == '.' ? "dot" : "blank"));
    if (isDeviceName(name)) return refusal(name, "Windows reserves it for a device");
    return std::nullopt;
}

}  // namespace shell
