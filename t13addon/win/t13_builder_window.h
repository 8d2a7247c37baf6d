// The T13 builder window Form4. For now it holds only Back and Exit; the
// settings' controls and commands come with the full window.
#pragma once

#include "shell/win/builder_dialog.h"

namespace t13addon::win {

class T13BuilderWindow : public shell::win::BuilderDialog {
public:
    T13BuilderWindow(shell::UserInterface& ui, shell::win::ProgramFlow& flow);

protected:
    void applyTexts(const shell::LanguageState& language) override;
};

}  // namespace t13addon::win
