#include "shell/command_guard.h"

#include <exception>

namespace shell {

std::string UnexpectedErrorMessage(const std::string& detail) {
    return "The command stopped because of an unexpected error: " + detail +
           "\r\nNothing after that point was done. Check the message, then try again.";
}

bool RunGuarded(UserInterface& ui, const std::function<void()>& command) {
    std::string detail;
    try {
        command();
        return true;
    } catch (const std::exception& e) {
        detail = e.what();
    } catch (...) {
        detail = "an error of unknown kind";
    }
    // Shown outside the handlers: showing it may itself fail, and that must
    // not leave through a window procedure either.
    try {
        ui.showMessage(UnexpectedErrorMessage(detail), {}, MessageIcon::Stop);
    } catch (...) {
    }
    return false;
}

}  // namespace shell
