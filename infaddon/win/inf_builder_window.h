// The INF builder window Form1: a thin view over infaddon::InfBuilder. Each
// handler reads the controls into the record, calls one command of
// infaddon/inf_builder.h and shows the record again; the window itself holds
// no package logic.
//
// Keyboard: Tab follows the layout (the resource's order); Enter opens the
// folder selected in the folder tree and otherwise does nothing, so it never
// starts a build; Esc does nothing. The advanced area's controls are hidden
// while the window is closed over them, so Tab never reaches a control the
// user cannot see.
#pragma once

#include <cstddef>

#include "infaddon/inf_builder.h"
#include "shell/win/builder_dialog.h"

namespace infaddon::win {

class InfBuilderWindow : public shell::win::BuilderDialog {
public:
    InfBuilderWindow(shell::UserInterface& ui, shell::win::ProgramFlow& flow);

    // The project and the open folder, which the shortcut editor works on.
    const InfBuilder& record() const { return builder_; }
    InfBuilder& record() { return builder_; }

protected:
    void applyTexts(const shell::LanguageState& language) override;
    bool onInit() override;
    bool onCommand(int id, int notifyCode, HWND control) override;
    bool onButton(int id) override;

private:
    void readControls();
    void showRecord();
    void showPicker();
    void showRunLog();
    void showAdvancedArea(bool shown);
    void generate();
    void openSelectedTreeFolder();

    InfBuilder builder_;
    // The labels' first captions in the language they were last given in.
    InitialCaptions shownCaptions_;
    int runLogExtent_ = 0;
};

}  // namespace infaddon::win
