#include "shell/package_name_rule.h"

#include <cstring>

#include "platform/unicode.h"

namespace shell {

namespace {

const char* const kForbidden = "\\/:*?\"<>|[]%;,=";

std::string refusal(const std::string& name, const std::string& why, const MessageTexts& texts) {
    return texts.text(MessageKey::NameRefused, {name, why});
}

bool isDeviceName(const std::string& name) {
    const std::string upper = platform::asciiUpper(name);
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") return true;
    return upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
           upper[3] >= '1' && upper[3] <= '9';
}

}  // namespace

std::optional<std::string> packageNameProblem(const std::string& name, const MessageTexts& texts) {
    const auto refuse = [&](MessageKey why, const std::vector<std::string>& values = {}) {
        return refusal(name, texts.text(why, values), texts);
    };
    for (std::size_t pos = 0; pos < name.size();) {
        const char32_t cp = platform::nextCodePoint(name, pos);
        if (cp < 0x20 || cp == 0x7F) return refuse(MessageKey::NameHoldsControl, {platform::describeCodePoint(cp)});
        if (cp < 0x80 && std::strchr(kForbidden, static_cast<char>(cp)))
            return refuse(MessageKey::NameHoldsCharacter, {platform::describeCodePoint(cp)});
    }
    // A leading blank would pass into the files, but the setup engine drops
    // it from the component's name and then finds no section of that name.
    if (!name.empty() && name.front() == ' ') return refuse(MessageKey::NameBeginsBlank);
    if (!name.empty() && name.back() == '.') return refuse(MessageKey::NameEndsDot);
    if (!name.empty() && name.back() == ' ') return refuse(MessageKey::NameEndsBlank);
    if (isDeviceName(name)) return refuse(MessageKey::NameIsDevice);
    return std::nullopt;
}

}  // namespace shell
