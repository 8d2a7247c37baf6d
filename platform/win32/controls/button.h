// Push buttons, check boxes and option (radio) buttons.
#pragma once

#include "platform/win32/controls/window.h"

namespace win32 {

class Button : public Window {
public:
    using Window::Window;
    // Presses the button as a mouse click would: the parent gets BN_CLICKED.
    void click() const { send(BM_CLICK); }
};

// A check box or an option button: both keep a checked state (BM_GETCHECK
// gives BST_CHECKED, BST_UNCHECKED or BST_INDETERMINATE).
class CheckButton : public Button {
public:
    using Button::Button;
    bool isChecked() const { return send(BM_GETCHECK) == BST_CHECKED; }
    void setChecked(bool on) const { send(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED); }
};

// Option buttons of one group: checking one with setChecked does not clear the
// others (only a click on an auto radio button does), so callers set each.
class OptionButton : public CheckButton {
public:
    using CheckButton::CheckButton;
};

}  // namespace win32
