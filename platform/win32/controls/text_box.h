// An edit control, single- or multi-line.
#pragma once

#include "platform/win32/controls/window.h"

namespace win32 {

class TextBox : public Window {
public:
    using Window::Window;
    void setReadOnly(bool on) const { send(EM_SETREADONLY, on ? TRUE : FALSE); }
    // At most `characters` UTF-16 units may be typed (0: the system's maximum).
    void setLimit(int characters) const { send(EM_SETLIMITTEXT, static_cast<WPARAM>(characters)); }
    void selectAll() const { send(EM_SETSEL, 0, -1); }
    // Adds text at the end and scrolls to it (a log or result box).
    void append(const std::string& utf8) const;
};

}  // namespace win32
