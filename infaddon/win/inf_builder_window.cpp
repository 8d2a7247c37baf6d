#include "infaddon/win/inf_builder_window.h"

#include "infaddon/win/inf_builder_res.h"
#include "shell/win/apply_texts.h"
#include "shell/window_texts.h"

namespace infaddon::win {

InfBuilderWindow::InfBuilderWindow(shell::UserInterface& ui, shell::win::ProgramFlow& flow)
    : BuilderDialog(IDD_FORM1, {IDC_FORM1_COMMAND9, IDC_FORM1_COMMAND3}, ui, flow) {}

void InfBuilderWindow::applyTexts(const shell::LanguageState& language) {
    shell::win::ApplyTexts(*this, shell::ApplyInfBuilderTexts(language));
}

}  // namespace infaddon::win
