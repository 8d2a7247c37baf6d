#include "shell/win/start_window.h"

#include "shell/win/apply_texts.h"
#include "shell/win/res/start_window_res.h"

namespace shell::win {

StartWindow::StartWindow(UserInterface& ui, ProgramFlow& flow) : Dialog(IDD_FORMMAN, ui), flow_(flow) {}

bool StartWindow::onInit() {
    const std::vector<ControlText> texts = startWindowLoad(record_, flow_.language());
    const win32::ComboBox combo = itemAs<win32::ComboBox>(IDC_FORMMAN_COMBO1);
    for (const std::string& name : record_.languageNames) combo.addString(name);
    showRecord();
    applyControlTexts(*this, texts);
    return true;
}

void StartWindow::readControls() {
    record_.packageKind = isItemChecked(IDC_FORMMAN_OPTION2) ? PackageKind::T13 : PackageKind::Inf;
}

void StartWindow::showRecord() {
    setItemText(IDC_FORMMAN_COMBO1, record_.languageText);
    setItemText(IDC_FORMMAN_LABEL2, record_.description);
    checkItem(IDC_FORMMAN_OPTION1, record_.packageKind == PackageKind::Inf);
    checkItem(IDC_FORMMAN_OPTION2, record_.packageKind == PackageKind::T13);
}

bool StartWindow::onCommand(int id, int notifyCode, HWND control) {
    // Only a pick from the list changes the language; typing into the box
    // (CBN_EDITCHANGE) does nothing.
    if (id == IDC_FORMMAN_COMBO1 && notifyCode == CBN_SELCHANGE) {
        const win32::ComboBox combo = itemAs<win32::ComboBox>(IDC_FORMMAN_COMBO1);
        const int picked = combo.selectedIndex();
        if (picked < 0) return true;
        readControls();
        const std::vector<ControlText> texts = startWindowPickLanguage(record_, flow_.language(), combo.itemText(picked));
        applyControlTexts(*this, texts);
        return true;
    }
    return Dialog::onCommand(id, notifyCode, control);
}

bool StartWindow::onButton(int id) {
    switch (id) {
        case IDC_FORMMAN_COMMAND1:
            readControls();
            flow_.openBuilder(record_.packageKind);
            return true;
        case IDC_FORMMAN_COMMAND2:
            flow_.exitProgram();
            return true;
        case IDC_FORMMAN_COMMAND3:
            showAbout(userInterface());
            return true;
        case IDC_FORMMAN_OPTION1:
        case IDC_FORMMAN_OPTION2:
            readControls();
            return true;
        default:
            return false;
    }
}

}  // namespace shell::win
