// The INF builder window Form1. For now it holds only Back and Exit; the
// project's controls and commands come with the full window.
#pragma once

#include "shell/win/builder_dialog.h"

namespace infaddon::win {

class InfBuilderWindow : public shell::win::BuilderDialog {
public:
    InfBuilderWindow(shell::UserInterface& ui, shell::win::ProgramFlow& flow);

protected:
    void applyTexts(const shell::LanguageState& language) override;
};

}  // namespace infaddon::win
