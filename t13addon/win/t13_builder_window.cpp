#include "t13addon/win/t13_builder_window.h"

#include <optional>

#include "shell/command_runner.h"
#include "shell/win/apply_texts.h"
#include "shell/window_texts.h"
#include "t13addon/generate_t13_addon.h"
#include "t13addon/win/t13_builder_res.h"

namespace t13addon::win {

namespace {

// How far the lists scroll sideways at least, in pixels; a longer line
// widens them to its own width.
constexpr int kItemListExtent = 500;
constexpr int kRunCommandListExtent = 150;

std::optional<std::size_t> selectionOf(const win32::ListBox& list) {
    const int index = list.selectedIndex();
    if (index < 0) return std::nullopt;
    return static_cast<std::size_t>(index);
}

// A list whose entries did not change is left alone, so its selection stays
// (Delete takes List1's entry and leaves List2's selection for the next press).
void fillList(const win32::ListBox& list, const std::vector<std::string>& entries, int extent) {
    if (list.items() != entries) {
        list.clear();
        for (const std::string& entry : entries) list.addString(entry);
    }
    list.fitHorizontalExtent(extent);
}

}  // namespace

T13BuilderWindow::T13BuilderWindow(shell::UserInterface& ui, shell::win::ProgramFlow& flow)
    : BuilderDialog(IDD_FORM4, {IDC_FORM4_COMMAND5, IDC_FORM4_COMMAND3}, ui, flow) {}

void T13BuilderWindow::applyTexts(const shell::LanguageState& language) {
    shell::win::applyControlTexts(*this, shell::ApplyT13BuilderTexts(language));
}

bool T13BuilderWindow::onInit() {
    showRecord();
    return true;
}

void T13BuilderWindow::readControls() {
    record_.packageNameText = itemText(IDC_FORM4_TEXT1);
    record_.versionText = itemText(IDC_FORM4_TEXT2);
    record_.extractPathText = itemText(IDC_FORM4_TEXT3);
    record_.runCommandText = itemText(IDC_FORM4_TEXT5);
    record_.integrator = isItemChecked(IDC_FORM4_OPTION1) ? Integrator::NLite : Integrator::RvmIntegrator;
    record_.storeOnly = isItemChecked(IDC_FORM4_OPTION3);
    record_.addKind = isItemChecked(IDC_FORM4_OPTION5) ? PackItemKind::Files : PackItemKind::Folder;
}

void T13BuilderWindow::showRecord() {
    setItemText(IDC_FORM4_TEXT1, record_.packageNameText);
    setItemText(IDC_FORM4_TEXT2, record_.versionText);
    setItemText(IDC_FORM4_TEXT3, record_.extractPathText);
    setItemText(IDC_FORM4_TEXT5, record_.runCommandText);
    fillList(itemAs<win32::ListBox>(IDC_FORM4_LIST1), record_.packItems, kItemListExtent);
    fillList(itemAs<win32::ListBox>(IDC_FORM4_LIST2), record_.runCommands, kRunCommandListExtent);
    checkItem(IDC_FORM4_OPTION1, record_.integrator == Integrator::NLite);
    checkItem(IDC_FORM4_OPTION2, record_.integrator == Integrator::RvmIntegrator);
    checkItem(IDC_FORM4_OPTION3, record_.storeOnly);
    checkItem(IDC_FORM4_OPTION4, !record_.storeOnly);
    checkItem(IDC_FORM4_OPTION5, record_.addKind == PackItemKind::Files);
    checkItem(IDC_FORM4_OPTION6, record_.addKind == PackItemKind::Folder);
}

void T13BuilderWindow::generate() {
    shell::ToolCommandRunner runner(userInterface());
    GenerateT13Addon(record_, userInterface(), runner, shell::overwriteQuestionText(flow().language()));
}

bool T13BuilderWindow::onButton(int id) {
    switch (id) {
        case IDC_FORM4_COMMAND2:
            readControls();
            addPackItems(record_, userInterface());
            break;
        case IDC_FORM4_COMMAND6:
            readControls();
            addRunCommand(record_, userInterface());
            break;
        case IDC_FORM4_COMMAND4:
            readControls();
            deleteT13Entry(record_, userInterface(), selectionOf(itemAs<win32::ListBox>(IDC_FORM4_LIST1)),
                           selectionOf(itemAs<win32::ListBox>(IDC_FORM4_LIST2)));
            break;
        case IDC_FORM4_COMMAND1:
            readControls();
            generate();
            break;
        case IDC_FORM4_OPTION1:
        case IDC_FORM4_OPTION2:
        case IDC_FORM4_OPTION3:
        case IDC_FORM4_OPTION4:
        case IDC_FORM4_OPTION5:
        case IDC_FORM4_OPTION6:
            readControls();
            return true;
        default:
            return BuilderDialog::onButton(id);
    }
    showRecord();
    return true;
}

}  // namespace t13addon::win
