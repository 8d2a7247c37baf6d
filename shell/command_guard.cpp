#include "shell/command_guard.h"
#include "shell/error_text.h"

#include <exception>

namespace shell {

std::string unexpectedErrorMessage(const std::string& detail, const MessageTexts& texts) {
    // Two texts: a language file's value cannot hold the line break between them.
    return texts.text(MessageKey::UnexpectedError, {detail}) + "\r\n" + texts.text(MessageKey::UnexpectedErrorAdvice);
}

bool runGuarded(UserInterface& ui, const std::function<void()>& command) {
    std::string detail;
    try {
        command();
        return true;
    } catch (const std::exception& e) {
        detail = errorText(ui, e);
    } catch (...) {
        detail = ui.text(MessageKey::UnknownError);
    }
    // Shown outside the handlers: showing it may itself fail, and that must
    // not leave through a window procedure either.
    try {
        ui.showMessage(unexpectedErrorMessage(detail, ui), {}, MessageIcon::Stop);
    } catch (...) {
    }
    return false;
}

}  // namespace shell
