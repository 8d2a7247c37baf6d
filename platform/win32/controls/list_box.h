// A list box. Indexes are 0-based; LB_ERR (-1) means no selection or failure.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/controls/window.h"

namespace win32 {

class ListBox : public Window {
public:
    using Window::Window;

    // The new item's index (sorted lists insert in order), or -1.
    int addString(const std::string& utf8) const;
    // At `index` (-1: at the end); the item's index, or -1.
    int insertString(int index, const std::string& utf8) const;
    // The number of items left, or -1 when there is no such item.
    int deleteString(int index) const { return static_cast<int>(send(LB_DELETESTRING, static_cast<WPARAM>(index))); }
    void clear() const { send(LB_RESETCONTENT); }
    int count() const { return static_cast<int>(send(LB_GETCOUNT)); }
    std::string itemText(int index) const;
    std::vector<std::string> items() const;
    // The item that is exactly `utf8` (letter case ignored, as the list box
    // compares), from the start; -1 when none is.
    int findExact(const std::string& utf8) const;

    // Single-selection lists: -1 when nothing is selected.
    int selectedIndex() const { return static_cast<int>(send(LB_GETCURSEL)); }
    // -1 clears the selection. No LBN_SELCHANGE is sent for this.
    void select(int index) const { send(LB_SETCURSEL, static_cast<WPARAM>(index)); }

    // How far, in pixels, the list scrolls sideways (LB_SETHORIZONTALEXTENT);
    // the list needs WS_HSCROLL for the bar to show.
    void setHorizontalExtent(int pixels) const { send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(pixels)); }
    int horizontalExtent() const { return static_cast<int>(send(LB_GETHORIZONTALEXTENT)); }
    // Sets the extent to the widest item in the list's font, plus a margin,
    // so every line can be scrolled into view, but not below `atLeast`.
    // Returns the extent set.
    int fitHorizontalExtent(int atLeast = 0) const;
    // The width of one text in the list's font, in pixels.
    int textWidth(const std::string& utf8) const;
};

}  // namespace win32
