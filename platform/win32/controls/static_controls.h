// Labels (static text) and frames (group boxes): text only, no state.
#pragma once

#include "platform/win32/controls/window.h"

namespace win32 {

class Label : public Window {
public:
    using Window::Window;
};

class Frame : public Window {
public:
    using Window::Window;
};

}  // namespace win32
