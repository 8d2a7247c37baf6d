#include "shell/win/program/program.h"

#include <commctrl.h>

namespace shell::win {

Program::Program(std::function<void(int)> exitAction)
    : windowUi_(language_), ui_(&windowUi_), exitAction_(std::move(exitAction)) {
    if (!exitAction_) exitAction_ = [](int status) { ::PostQuitMessage(status); };
}

Program::~Program() = default;

void Program::start() {
    // Registers the common controls' classes; with the manifest this is the
    // version 6 set, which draws in the system's visual style.
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&controls);

    startWindow_ = std::make_unique<StartWindow>(*ui_, *this);
    infBuilder_ = std::make_unique<infaddon::win::InfBuilderWindow>(*ui_, *this);
    t13Builder_ = std::make_unique<t13addon::win::T13BuilderWindow>(*ui_, *this);
    startWindow_->create(nullptr);
    startWindow_->showWindow();
}

void Program::openBuilder(PackageKind kind) {
    BuilderDialog& builder = kind == PackageKind::Inf ? static_cast<BuilderDialog&>(*infBuilder_)
                                                      : static_cast<BuilderDialog&>(*t13Builder_);
    // Show the builder first, then hide the start window, then the texts:
    // at no moment is there no window on screen.
    builder.open();
    windowUi_.setBuilderWindow(builder.handle());
    startWindow_->hideWindow();
    builder.takeLanguageTexts();
}

void Program::backToStart(Dialog& builder) {
    builder.hideWindow();
    startWindow_->showWindow();
}

void Program::openShortcutEditor() {
    if (!shortcutEditor_)
        shortcutEditor_ = std::make_unique<shortcuts::win::ShortcutEditorWindow>(*ui_, language_, infBuilder_->record(),
                                                                                 *infBuilder_);
    shortcutEditor_->open();
    infBuilder_->hideWindow();
}

void Program::exitProgram() {
    // Ends at once: no window stays on screen while the loop winds down.
    if (shortcutEditor_) shortcutEditor_->hideWindow();
    if (infBuilder_) infBuilder_->hideWindow();
    if (t13Builder_) t13Builder_->hideWindow();
    if (startWindow_) startWindow_->hideWindow();
    exitAction_(0);
}

}  // namespace shell::win
