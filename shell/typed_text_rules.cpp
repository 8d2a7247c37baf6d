#include "shell/typed_text_rules.h"

#include <cstring>

#include "platform/unicode.h"

namespace shell {

namespace {

bool isControl(char32_t cp) { return cp < 0x20 || cp == 0x7F; }

// The control character's usual name, where it has one people know.
std::string controlName(char32_t cp, const MessageTexts& texts) {
    if (cp == '\r' || cp == '\n') return texts.text(MessageKey::LineBreak);
    if (cp == '\t') return texts.text(MessageKey::Tab);
    return texts.text(MessageKey::ControlCharacter, {platform::describeCodePoint(cp)});
}

}  // namespace

std::optional<std::string> oneLineFieldProblem(MessageKey field, const std::string& value, const MessageTexts& texts) {
    for (std::size_t pos = 0; pos < value.size();) {
        const char32_t cp = platform::nextCodePoint(value, pos);
        if (isControl(cp))
            return texts.text(MessageKey::OneLineField,
                              {texts.text(field), platform::textExcerpt(value), controlName(cp, texts)});
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

std::optional<std::string> packagePathProblem(const std::string& path, bool makecabNamesIt, const MessageTexts& texts) {
    std::optional<MessageKey> why;
    if (path.find('"') != std::string::npos) why = MessageKey::PathHoldsQuote;
    else if (makecabNamesIt && path.find('*') != std::string::npos) why = MessageKey::PathHoldsStar;
    if (!why) return std::nullopt;
    return texts.text(MessageKey::PackagePathProblem, {path, texts.text(*why)});
}

}  // namespace shell
