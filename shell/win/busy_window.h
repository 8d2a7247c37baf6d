// The busy window Form2: shown while a package is made, with no owner and no
// Close command. It is made at its first show and then only shown and
// hidden, so its texts are those of the language active at that first show.
#pragma once

#include "shell/ui_strings.h"
#include "shell/win/dialog.h"

namespace shell::win {

class BusyWindow : public Dialog {
public:
    BusyWindow(UserInterface& ui, const LanguageState& language);
    ~BusyWindow() override;

    // Makes the window on first use, then shows it without blocking.
    void showBusy();

protected:
    bool onInit() override;
    // The window has no Close command; a stray WM_CLOSE changes nothing.
    void onClose() override {}

private:
    const LanguageState& language_;
    HFONT labelFont_ = nullptr;
};

// SimSun at `points` for the window's DPI when the system has it; null otherwise.
HFONT CreateSimSunFont(HWND window, int points);

}  // namespace shell::win
