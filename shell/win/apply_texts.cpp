#include "shell/win/apply_texts.h"

#include <string>

#include "platform/win32/wide.h"

namespace shell::win {

int applyControlTexts(const Dialog& dialog, const std::vector<ControlText>& texts) {
    int missing = 0;
    for (const ControlText& text : texts) {
        if (text.controlId == kWindowTitle) {
            dialog.setText(text.text);
            continue;
        }
        const win32::Window control = dialog.item(text.controlId);
        if (!control) {
            ++missing;
            const std::string note = "Tolvane: control " + std::to_string(text.controlId) +
                                     " is not part of window " + std::to_string(dialog.templateId()) + "\n";
            ::OutputDebugStringW(platform::wide(note).c_str());
            continue;
        }
        control.setText(text.text);
    }
    return missing;
}

}  // namespace shell::win
