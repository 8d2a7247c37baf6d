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
    // Moved to a monitor of another DPI (per-monitor awareness): the label's
    // own font follows; the dialog manager rescales the rest.
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void setLabelFont(int dpi);

    const LanguageState& language_;
    HFONT labelFont_ = nullptr;
};

// SimSun at `points` for `dpi` when the system has it; null otherwise.
HFONT createSimSunFont(int points, int dpi);

}  // namespace shell::win
