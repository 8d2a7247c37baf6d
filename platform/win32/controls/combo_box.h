// A combo box. Indexes are 0-based; CB_ERR (-1) means no selection or failure.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/controls/window.h"

namespace win32 {

class ComboBox : public Window {
public:
    using Window::Window;

    int addString(const std::string& utf8) const;  // the new index, or -1
    void clear() const { send(CB_RESETCONTENT); }
    int count() const { return static_cast<int>(send(CB_GETCOUNT)); }
    std::string itemText(int index) const;
    std::vector<std::string> items() const;
    int findExact(const std::string& utf8) const;  // letter case ignored; -1 when none

    // -1 when nothing is selected (a typed text selects nothing).
    int selectedIndex() const { return static_cast<int>(send(CB_GETCURSEL)); }
    // -1 clears the selection and the edit text. No CBN_SELCHANGE is sent.
    void select(int index) const { send(CB_SETCURSEL, static_cast<WPARAM>(index)); }

    // The edit part of a drop-down combo box (null for a drop-down list).
    HWND editHandle() const;
};

}  // namespace win32
