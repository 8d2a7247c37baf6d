#include "t13addon/win/t13_builder_window.h"

#include "shell/win/apply_texts.h"
#include "shell/window_texts.h"
#include "t13addon/win/t13_builder_res.h"

namespace t13addon::win {

T13BuilderWindow::T13BuilderWindow(shell::UserInterface& ui, shell::win::ProgramFlow& flow)
    : BuilderDialog(IDD_FORM4, {IDC_FORM4_COMMAND5, IDC_FORM4_COMMAND3}, ui, flow) {}

void T13BuilderWindow::applyTexts(const shell::LanguageState& language) {
    shell::win::ApplyTexts(*this, shell::ApplyT13BuilderTexts(language));
}

}  // namespace t13addon::win
