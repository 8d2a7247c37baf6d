// The shortcut editor Form3, opened from the INF builder: the place options,
// the six boxes of one shortcut, the list of shortcuts made so far, Add,
// Delete, Get and Back. A thin view over the ShortcutEditor record, whose
// lists are the INF builder's project's shortcuts: each handler reads the
// boxes into the record, calls one command of shortcuts/shortcut_editor.h,
// and shows the record again.
//
// Lifecycle: made when the INF builder first opens it (open()), hidden and
// shown again by Back and the next open, keeping everything. Closing it from
// its title bar unloads it: the INF builder shows, the shortcuts are emptied,
// and the next open makes the window afresh, texts and all.
#pragma once

#include "infaddon/inf_builder.h"
#include "shell/ui_strings.h"
#include "shell/win/dialog.h"
#include "shortcuts/shortcut_editor.h"

namespace shortcuts::win {

class ShortcutEditorWindow : public shell::win::Dialog {
public:
    // `infBuilderWindow` is the INF builder's window, shown again by Back
    // and by closing; `builder` its record.
    ShortcutEditorWindow(shell::UserInterface& ui, const shell::LanguageState& language,
                         infaddon::InfBuilder& builder, shell::win::Dialog& infBuilderWindow);

    // Makes the window when it is not loaded (its load sets the texts of a
    // loaded language), then shows it.
    void open();

protected:
    bool onInit() override;
    bool onButton(int id) override;
    void onClose() override;

private:
    void readControls();
    void showRecord();
    void backToInfBuilder();

    const shell::LanguageState& language_;
    shell::win::Dialog& infBuilderWindow_;
    ShortcutEditor record_;
};

}  // namespace shortcuts::win
