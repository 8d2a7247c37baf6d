// The one door through which every event handler runs its command: an error
// the command did not handle itself becomes one clear message, and nothing
// escapes into the window system's message loop. A command that opened the
// busy bracket has closed it by then (BusyBracket ends it on the way out), so
// the window is enabled again when the message shows.
#pragma once

#include <functional>
#include <string>

#include "shell/user_interface.h"

namespace shell {

// The message for an error that reached the guard; `detail` is the error's
// own account.
std::string unexpectedErrorMessage(const std::string& detail, const MessageTexts& texts);

// Runs the command; returns false when it ended by an error, after the
// message was shown.
bool runGuarded(UserInterface& ui, const std::function<void()>& command);

}  // namespace shell
