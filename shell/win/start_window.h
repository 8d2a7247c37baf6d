// The start window Formman: language, package kind, About, Next and Exit.
// A thin view over StartWindowRecord: each handler reads the controls into
// the record, calls one command and shows the record again.
#pragma once

#include "shell/start_window_state.h"
#include "shell/win/dialog.h"
#include "shell/win/program_flow.h"

namespace shell::win {

class StartWindow : public Dialog {
public:
    StartWindow(UserInterface& ui, ProgramFlow& flow);

    const StartWindowRecord& record() const { return record_; }

protected:
    bool onInit() override;
    bool onCommand(int id, int notifyCode, HWND control) override;
    bool onButton(int id) override;
    // Closing the start window from its title bar would leave no visible
    // window; it ends the program as Exit does.
    void onClose() override { flow_.exitProgram(); }

private:
    void readControls();
    void showRecord();

    ProgramFlow& flow_;
    StartWindowRecord record_;
};

}  // namespace shell::win
