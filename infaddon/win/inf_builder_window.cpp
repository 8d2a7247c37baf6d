#include "infaddon/win/inf_builder_window.h"

#include <algorithm>
#include <optional>

#include "infaddon/directory_tables.h"
#include "infaddon/win/inf_builder_res.h"
#include "platform/file_system.h"
#include "shell/command_runner.h"
#include "shell/win/apply_texts.h"
#include "shell/window_texts.h"

namespace infaddon::win {

namespace {

// The narrowest a sideways-scrolling list scrolls, in pixels; longer lines
// widen it so that every line can be reached.
constexpr int kMinimumExtent = 500;

// The window heights are given in twips for a layout in the classic 8-point
// dialog font at 96 DPI, whose text lines are 13 pixels (195 twips) high,
// that is 8 dialog units. In dialog units the height follows the font and
// the DPI in use as every control does: 5850 twips are 240 units.
constexpr int kTwipsPerEightDialogUnits = 195;

// Every control of the advanced area, which shows only with Check1 ticked.
constexpr int kAdvancedControls[] = {
    IDC_FORM1_FRAME15, IDC_FORM1_FRAME14, IDC_FORM1_FRAME16, IDC_FORM1_LIST14, IDC_FORM1_FRAME13,
    IDC_FORM1_LIST16,  IDC_FORM1_LIST17,  IDC_FORM1_FRAME3,  IDC_FORM1_FRAME12, IDC_FORM1_LIST18,
    IDC_FORM1_FRAME7,  IDC_FORM1_OPTION2, IDC_FORM1_OPTION1, IDC_FORM1_COMMAND4, IDC_FORM1_COMMAND8,
    IDC_FORM1_LABEL4,  IDC_FORM1_LABEL3,
};

std::optional<std::size_t> selectionOf(const win32::ListBox& list) {
    const int selected = list.selectedIndex();
    if (selected < 0) return std::nullopt;
    return static_cast<std::size_t>(selected);
}

// Refills a list with `lines` and lets it scroll sideways to its longest line.
void fillList(const win32::ListBox& list, const std::vector<std::string>& lines, bool scrollsSideways) {
    list.send(WM_SETREDRAW, FALSE);
    list.clear();
    for (const std::string& line : lines) list.addString(line);
    list.send(WM_SETREDRAW, TRUE);
    ::InvalidateRect(list.handle(), nullptr, TRUE);
    if (scrollsSideways) list.setHorizontalExtent(std::max(kMinimumExtent, list.fitHorizontalExtent()));
}

}  // namespace

InfBuilderWindow::InfBuilderWindow(shell::UserInterface& ui, shell::win::ProgramFlow& flow)
    : BuilderDialog(IDD_FORM1, {IDC_FORM1_COMMAND9, IDC_FORM1_COMMAND3}, ui, flow),
      builder_(ui),
      shownCaptions_(initialCaptions(ui)) {}

void InfBuilderWindow::applyTexts(const shell::LanguageState& language) {
    shell::win::applyControlTexts(*this, shell::ApplyInfBuilderTexts(language));
    // The labels that no build or click has written yet speak the language too.
    const InitialCaptions now = initialCaptions(shell::LanguageTexts(language));
    retellInitialCaptions(builder_, shownCaptions_, now);
    shownCaptions_ = now;
    setItemText(IDC_FORM1_LABEL1, builder_.build.CodeDescriptionLabel);
    setItemText(IDC_FORM1_LABEL2, builder_.build.ProgressLabel);
    setItemText(IDC_FORM1_LABEL3, builder_.setupDirLabel);
}

bool InfBuilderWindow::onInit() {
    // The two tables, in table order, nothing selected.
    const auto codes = itemAs<win32::ListBox>(IDC_FORM1_LIST5);
    for (const DirTableRow& row : DirIdTable) codes.addString(row.code);
    const auto setupCodes = itemAs<win32::ListBox>(IDC_FORM1_LIST18);
    for (const DirTableRow& row : SetupDirTable) setupCodes.addString(row.code);

    loadFolderPicker(builder_, userInterface(), platform::currentDirectory());
    checkItem(IDC_FORM1_CHECK1, false);
    showAdvancedArea(false);
    showPicker();
    showRecord();
    return true;
}

void InfBuilderWindow::readControls() {
    AddonProject& project = builder_.project;
    project.PackageName = itemText(IDC_FORM1_TEXT1);
    project.PackageVersion = itemText(IDC_FORM1_TEXT2);
    project.Website = itemText(IDC_FORM1_TEXT5);
    project.RegFilePath = itemText(IDC_FORM1_TEXT3);
    builder_.diskCodeOption = isItemChecked(IDC_FORM1_OPTION2) ? DiskCodeOption::Patch : DiskCodeOption::WholeFile;
}

void InfBuilderWindow::showRecord() {
    const AddonProject& project = builder_.project;
    // Only texts that changed are set, so a caret in a box stays where it is.
    const auto setIfChanged = [this](int id, const std::string& text) {
        if (itemText(id) != text) setItemText(id, text);
    };
    setIfChanged(IDC_FORM1_TEXT1, project.PackageName);
    setIfChanged(IDC_FORM1_TEXT2, project.PackageVersion);
    setIfChanged(IDC_FORM1_TEXT5, project.Website);
    setIfChanged(IDC_FORM1_TEXT3, project.RegFilePath);

    std::vector<std::string> folders, dirIds;
    for (const SourceFolder& f : project.SourceFolders) {
        folders.push_back(f.folder);
        dirIds.push_back(f.dirId);
    }
    fillList(itemAs<win32::ListBox>(IDC_FORM1_LIST7), folders, true);
    fillList(itemAs<win32::ListBox>(IDC_FORM1_LIST8), dirIds, false);

    std::vector<std::string> sources, diskCodes, dirCodes;
    for (const ExtraFile& f : project.ExtraFiles) {
        sources.push_back(f.source);
        diskCodes.push_back(f.diskCode);
        dirCodes.push_back(f.dirCode);
    }
    fillList(itemAs<win32::ListBox>(IDC_FORM1_LIST14), sources, true);
    fillList(itemAs<win32::ListBox>(IDC_FORM1_LIST16), diskCodes, false);
    fillList(itemAs<win32::ListBox>(IDC_FORM1_LIST17), dirCodes, false);

    checkItem(IDC_FORM1_OPTION2, builder_.diskCodeOption == DiskCodeOption::Patch);
    checkItem(IDC_FORM1_OPTION1, builder_.diskCodeOption == DiskCodeOption::WholeFile);
    setIfChanged(IDC_FORM1_LABEL1, builder_.build.CodeDescriptionLabel);
    setIfChanged(IDC_FORM1_LABEL3, builder_.setupDirLabel);
    showRunLog();
}

void InfBuilderWindow::showRunLog() {
    // The log only grows during a build and is emptied as one starts, so the
    // list takes the new lines instead of being refilled at every progress step.
    const auto list = itemAs<win32::ListBox>(IDC_FORM1_LIST1);
    const std::vector<std::string>& log = builder_.build.RunLog;
    if (static_cast<std::size_t>(list.count()) > log.size() || log.empty()) {
        list.clear();
        runLogExtent_ = 0;
    }
    for (std::size_t i = static_cast<std::size_t>(list.count()); i < log.size(); ++i) {
        list.addString(log[i]);
        runLogExtent_ = std::max(runLogExtent_, list.textWidth(log[i]));
    }
    // A few pixels beyond the widest line keep its last letter clear of the edge.
    list.setHorizontalExtent(std::max(kMinimumExtent, runLogExtent_ + 8));
    if (!log.empty()) list.send(LB_SETTOPINDEX, log.size() - 1);
    setItemText(IDC_FORM1_LABEL2, builder_.build.ProgressLabel);
}

void InfBuilderWindow::showPicker() {
    const FolderPicker& picker = builder_.picker;
    const auto drives = itemAs<win32::ComboBox>(IDC_FORM1_DRIVE1);
    if (drives.items() != picker.drives) {
        drives.clear();
        for (const std::string& root : picker.drives) drives.addString(root);
    }
    drives.select(picker.drive < picker.drives.size() ? static_cast<int>(picker.drive) : -1);

    // The chain from the root to the open folder, then its subfolders, each
    // line indented by its depth as the classic folder tree shows them.
    std::vector<std::string> lines;
    for (const FolderTreeLine& line : picker.tree)
        lines.push_back(std::string(static_cast<std::size_t>(line.depth) * 3, ' ') + line.name);
    const auto tree = itemAs<win32::ListBox>(IDC_FORM1_DIR1);
    fillList(tree, lines, true);
    if (!picker.tree.empty()) tree.select(static_cast<int>(picker.openLine));
}

void InfBuilderWindow::showAdvancedArea(bool shown) {
    // Only the height changes; no control moves.
    RECT height{0, 0, 0, windowHeightTwips(shown) * 8 / kTwipsPerEightDialogUnits};
    ::MapDialogRect(hwnd_, &height);
    RECT frame{};
    ::GetWindowRect(hwnd_, &frame);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, height.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int id : kAdvancedControls) showItem(id, shown);
}

void InfBuilderWindow::openSelectedTreeFolder() {
    if (const auto line = selectionOf(itemAs<win32::ListBox>(IDC_FORM1_DIR1)))
        openTreeFolder(builder_, userInterface(), *line);
    showPicker();
}

bool InfBuilderWindow::onCommand(int id, int notifyCode, HWND control) {
    switch (id) {
        case IDOK:
            // Enter: in the folder tree it opens the selected folder, as the
            // classic folder list does; anywhere else it does nothing.
            if (::GetFocus() == item(IDC_FORM1_DIR1).handle()) openSelectedTreeFolder();
            return true;
        case IDCANCEL:
            return true;
        case IDC_FORM1_DRIVE1:
            if (notifyCode != CBN_SELCHANGE) return false;
            if (const int picked = itemAs<win32::ComboBox>(IDC_FORM1_DRIVE1).selectedIndex(); picked >= 0)
                chooseDrive(builder_, userInterface(), static_cast<std::size_t>(picked));
            showPicker();
            return true;
        case IDC_FORM1_DIR1:
            if (notifyCode != LBN_DBLCLK) return false;
            openSelectedTreeFolder();
            return true;
        case IDC_FORM1_LIST5:
            if (notifyCode != LBN_SELCHANGE) return false;
            if (const auto row = selectionOf(itemAs<win32::ListBox>(IDC_FORM1_LIST5)))
                clickDirIdCode(builder_, userInterface(), *row);
            showRecord();
            return true;
        case IDC_FORM1_LIST18:
            if (notifyCode != LBN_SELCHANGE) return false;
            if (const auto row = selectionOf(itemAs<win32::ListBox>(IDC_FORM1_LIST18)))
                clickSetupDirCode(builder_, userInterface(), *row);
            showRecord();
            return true;
        default:
            return BuilderDialog::onCommand(id, notifyCode, control);
    }
}

bool InfBuilderWindow::onButton(int id) {
    shell::UserInterface& ui = userInterface();
    const auto selection = [this](int listId) { return selectionOf(itemAs<win32::ListBox>(listId)); };
    switch (id) {
        case IDC_FORM1_COMMAND2:
            readControls();
            addSourceFolder(builder_, ui, selection(IDC_FORM1_LIST5));
            break;
        case IDC_FORM1_COMMAND6:
            readControls();
            deleteSourceFolder(builder_, ui, selection(IDC_FORM1_LIST7), selection(IDC_FORM1_LIST8));
            break;
        case IDC_FORM1_COMMAND7:
            readControls();
            chooseRegistryFile(builder_, ui);
            break;
        case IDC_FORM1_COMMAND4:
            readControls();
            addExtraFiles(builder_, ui, selection(IDC_FORM1_LIST18));
            break;
        case IDC_FORM1_COMMAND8:
            readControls();
            deleteExtraFile(builder_, ui, selection(IDC_FORM1_LIST14));
            break;
        case IDC_FORM1_OPTION1:
        case IDC_FORM1_OPTION2:
            readControls();
            return true;
        case IDC_FORM1_CHECK1:
            showAdvancedArea(isItemChecked(IDC_FORM1_CHECK1));
            return true;
        case IDC_FORM1_COMMAND5:
            readControls();
            flow().openShortcutEditor();
            return true;
        case IDC_FORM1_COMMAND11:
            generate();
            break;
        default:
            readControls();
            return BuilderDialog::onButton(id);
    }
    showRecord();
    return true;
}

void InfBuilderWindow::generate() {
    readControls();
    shell::UserInterface& ui = userInterface();
    shell::ToolCommandRunner runner(ui);
    // The scan reports every 99 items: the log and Label2 show it, then the
    // window handles its pending events.
    const ScanProgress progress = [this, &ui] {
        showRunLog();
        ui.pumpEvents();
    };
    generateInfPackage(builder_, ui, runner, shell::overwriteQuestionText(flow().language()), progress);
}

}  // namespace infaddon::win
