// Puts a window's UI strings onto its controls by id: the Win32 end of the
// portable text tables in shell/window_texts.h. kWindowTitle stands for the
// window's caption. A table entry naming a control the window lacks is
// written to the debugger output with the window's and the control's ids.
#pragma once

#include <vector>

#include "shell/win/dialog.h"
#include "shell/window_texts.h"

namespace shell::win {

// Sets each text in order; returns how many controls were missing.
int applyControlTexts(const Dialog& dialog, const std::vector<ControlText>& texts);

template <std::size_t N>
int applyControlTexts(const Dialog& dialog, const TextTable<N>& table, const UiStrings& strings) {
    return applyControlTexts(dialog, textsOf(table, strings));
}

}  // namespace shell::win
