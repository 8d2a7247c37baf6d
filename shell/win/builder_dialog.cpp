#include "shell/win/builder_dialog.h"

#include "shell/window_texts.h"

namespace shell::win {

void BuilderDialog::open() {
    create(nullptr);
    showWindow();
}

bool BuilderDialog::onButton(int id) {
    if (id == buttons_.back) {
        flow_.backToStart(*this);
        return true;
    }
    if (id == buttons_.exit) {
        flow_.exitProgram();
        return true;
    }
    return false;
}

void BuilderDialog::onClose() {
    const LanguageState& language = flow_.language();
    if (userInterface().askOkCancel(closeConfirmationText(language), closeConfirmationTitle(language)))
        flow_.exitProgram();
}

}  // namespace shell::win
