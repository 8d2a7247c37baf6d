// What a builder window (the INF builder Form1, the T13 builder Form4) shares:
// it is made once and then shown and hidden, its texts are applied each time
// the start window opens it, Back returns to the start window, Exit ends the
// program at once, and closing it from its title bar asks first.
//
// How to use: derive, give the template id and the ids of the Back and Exit
// buttons, implement applyTexts (applyControlTexts with the window's table) and the
// window's own buttons in onButton, ending with BuilderDialog::onButton(id)
// for the ids you do not handle.
#pragma once

#include "shell/ui_strings.h"
#include "shell/win/dialog.h"
#include "shell/win/program_flow.h"

namespace shell::win {

struct BuilderButtons {
    int back;
    int exit;
};

class BuilderDialog : public Dialog {
public:
    BuilderDialog(int templateId, BuilderButtons buttons, UserInterface& ui, ProgramFlow& flow)
        : Dialog(templateId, ui), buttons_(buttons), flow_(flow) {}

    // Next on the start window: the first time the window is made (its load
    // handler, onInit, runs); then it is shown as the user left it.
    void open();
    // Then, after the start window is hidden, it takes the texts of the
    // active language (only when a language file is loaded).
    void takeLanguageTexts() { applyTexts(flow_.language()); }

protected:
    // Sets the window's texts from the UI strings; does nothing unless a
    // language file is loaded (ApplyInfBuilderTexts, ApplyT13BuilderTexts).
    virtual void applyTexts(const LanguageState& language) = 0;

    bool onButton(int id) override;
    // The close confirmation: OK ends the program, Cancel keeps the window.
    void onClose() override;

    ProgramFlow& flow() const { return flow_; }

private:
    BuilderButtons buttons_;
    ProgramFlow& flow_;
};

}  // namespace shell::win
