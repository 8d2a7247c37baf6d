#include "shortcuts/win/shortcut_editor_window.h"

#include <optional>

#include "shell/win/apply_texts.h"
#include "shell/window_texts.h"
#include "shortcuts/win/shortcut_editor_res.h"

namespace shortcuts::win {

namespace {

// How far the list scrolls sideways at least, in pixels; a longer section
// text widens it to its own width.
constexpr int kSectionListExtent = 1500;

}  // namespace

ShortcutEditorWindow::ShortcutEditorWindow(shell::UserInterface& ui, const shell::LanguageState& language,
                                           infaddon::InfBuilder& builder, shell::win::Dialog& infBuilderWindow)
    : Dialog(IDD_FORM3, ui), language_(language), infBuilderWindow_(infBuilderWindow), record_(builder) {}

void ShortcutEditorWindow::open() {
    create(nullptr);
    showWindow();
}

bool ShortcutEditorWindow::onInit() {
    shell::win::applyControlTexts(*this, shell::shortcutEditorTexts(language_));
    showRecord();
    return true;
}

void ShortcutEditorWindow::readControls() {
    record_.targetPathText = itemText(IDC_FORM3_TEXT1);
    record_.startInText = itemText(IDC_FORM3_TEXT2);
    record_.descriptionText = itemText(IDC_FORM3_TEXT3);
    record_.linkNameText = itemText(IDC_FORM3_TEXT4);
    record_.menuFolderText = itemText(IDC_FORM3_TEXT5);
    record_.argumentsText = itemText(IDC_FORM3_TEXT6);
}

void ShortcutEditorWindow::showRecord() {
    setItemText(IDC_FORM3_TEXT1, record_.targetPathText);
    setItemText(IDC_FORM3_TEXT2, record_.startInText);
    setItemText(IDC_FORM3_TEXT3, record_.descriptionText);
    setItemText(IDC_FORM3_TEXT4, record_.linkNameText);
    setItemText(IDC_FORM3_TEXT5, record_.menuFolderText);
    setItemText(IDC_FORM3_TEXT6, record_.argumentsText);

    checkItem(IDC_FORM3_OPTION1, record_.place == ShortcutPlace::Desktop);
    checkItem(IDC_FORM3_OPTION2, record_.place == ShortcutPlace::StartMenu);
    checkItem(IDC_FORM3_OPTION3, record_.place == ShortcutPlace::QuickLaunch);
    // The menu folder can be typed only for the start menu; otherwise its
    // text shows in Label6, in the same place.
    const bool editable = menuFolderEditable(record_);
    enableItem(IDC_FORM3_TEXT5, editable);
    showItem(IDC_FORM3_TEXT5, editable);
    setItemText(IDC_FORM3_LABEL6, record_.menuFolderText);
    showItem(IDC_FORM3_LABEL6, !editable);

    // One entry per shortcut: its section text. A list whose entries did not
    // change keeps its selection.
    const win32::ListBox list = itemAs<win32::ListBox>(IDC_FORM3_LIST1);
    std::vector<std::string> sections;
    for (const ShortcutEntry& entry : record_.shortcuts()) sections.push_back(entry.section);
    if (list.items() != sections) {
        list.clear();
        for (const std::string& section : sections) list.addString(section);
    }
    list.fitHorizontalExtent(kSectionListExtent);
}

void ShortcutEditorWindow::backToInfBuilder() {
    // The builder shows first, so the program always has a window on screen.
    infBuilderWindow_.showWindow();
    hideWindow();
}

bool ShortcutEditorWindow::onButton(int id) {
    readControls();
    switch (id) {
        case IDC_FORM3_OPTION1: chooseShortcutPlace(record_, userInterface(), ShortcutPlace::Desktop); break;
        case IDC_FORM3_OPTION2: chooseShortcutPlace(record_, userInterface(), ShortcutPlace::StartMenu); break;
        case IDC_FORM3_OPTION3: chooseShortcutPlace(record_, userInterface(), ShortcutPlace::QuickLaunch); break;
        case IDC_FORM3_COMMAND1: addShortcut(record_, userInterface()); break;
        case IDC_FORM3_COMMAND3: {
            const int selected = itemAs<win32::ListBox>(IDC_FORM3_LIST1).selectedIndex();
            deleteShortcut(record_, userInterface(),
                           selected < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(selected)));
            break;
        }
        case IDC_FORM3_COMMAND4: getShortcutTarget(record_, userInterface()); break;
        case IDC_FORM3_COMMAND2:
            backToInfBuilder();
            return true;
        default: return false;
    }
    showRecord();
    return true;
}

void ShortcutEditorWindow::onClose() {
    backToInfBuilder();
    closeShortcutEditor(record_, userInterface());
    destroy();
}

}  // namespace shortcuts::win
