// How the windows move the program from one window to another: the start
// window opens a builder, a builder goes back to the start window, and any
// window may end the program. The program implements it; tests may too.
#pragma once

#include "shell/start_window_state.h"
#include "shell/ui_strings.h"

namespace shell::win {

class Dialog;

class ProgramFlow {
public:
    virtual ~ProgramFlow() = default;
    // Next: shows the builder for the package kind and hides the start window.
    virtual void openBuilder(PackageKind kind) = 0;
    // Back: hides the builder and shows the start window as the user left it.
    virtual void backToStart(Dialog& builder) = 0;
    // The INF builder's shortcut button: shows the shortcut editor (made the
    // first time, or again after it was closed) and hides the INF builder.
    virtual void openShortcutEditor() = 0;
    // Exit: ends the program at once, asking nothing.
    virtual void exitProgram() = 0;
    // The language of the run, owned by the program.
    virtual LanguageState& language() = 0;
};

}  // namespace shell::win
