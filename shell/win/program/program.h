// The program: its language state, its user interface and its windows, each
// made once for the run. The start window shows first; Next opens a builder
// and hides the start window; Back returns; Exit ends the run.
//
// How to use: construct, optionally hand it another user interface for the
// windows (a test double wrapping windowUserInterface()), then start() and
// run the message loop. exitProgram() calls the exit action given at
// construction (by default PostQuitMessage with status 0).
#pragma once

#include <functional>
#include <memory>

#include "infaddon/win/inf_builder_window.h"
#include "shell/win/program_flow.h"
#include "shell/win/start_window.h"
#include "shell/win/window_user_interface.h"
#include "shortcuts/win/shortcut_editor_window.h"
#include "t13addon/win/t13_builder_window.h"

namespace shell::win {

class Program : public ProgramFlow {
public:
    explicit Program(std::function<void(int)> exitAction = {});
    ~Program() override;

    // Before start(): the windows talk to the user through `ui` instead.
    void useUserInterface(UserInterface& ui) { ui_ = &ui; }
    WindowUserInterface& windowUserInterface() { return windowUi_; }
    UserInterface& userInterface() { return *ui_; }

    // Makes and shows the start window (its load runs the start-up).
    void start();

    StartWindow& startWindow() { return *startWindow_; }
    infaddon::win::InfBuilderWindow& infBuilder() { return *infBuilder_; }
    t13addon::win::T13BuilderWindow& t13Builder() { return *t13Builder_; }
    // Null until the INF builder first opens it.
    shortcuts::win::ShortcutEditorWindow* shortcutEditor() { return shortcutEditor_.get(); }

    void openBuilder(PackageKind kind) override;
    void backToStart(Dialog& builder) override;
    void openShortcutEditor() override;
    void exitProgram() override;
    LanguageState& language() override { return language_; }

private:
    LanguageState language_;
    WindowUserInterface windowUi_;
    UserInterface* ui_;
    std::function<void(int)> exitAction_;
    std::unique_ptr<StartWindow> startWindow_;
    std::unique_ptr<infaddon::win::InfBuilderWindow> infBuilder_;
    std::unique_ptr<t13addon::win::T13BuilderWindow> t13Builder_;
    std::unique_ptr<shortcuts::win::ShortcutEditorWindow> shortcutEditor_;
};

}  // namespace shell::win
