#include "shell/window_texts.h"

namespace shell {

namespace {
const char* const kBuiltInExit = "退出";
const char* const kBuiltInProgramTitle = "NLITETolvaneV3.3";
const char* const kBuiltInOverwriteQuestion = "文件已存在，是否覆盖？";
}  // namespace

std::vector<ControlText> ApplyInfBuilderTexts(const LanguageState& state) {
    if (!state.languageLoaded) return {};
    return textsOf(kInfBuilderTexts, state.uiStrings);
}

std::vector<ControlText> ApplyT13BuilderTexts(const LanguageState& state) {
    if (!state.languageLoaded) return {};
    return textsOf(kT13BuilderTexts, state.uiStrings);
}

std::vector<ControlText> ShortcutEditorTexts(const LanguageState& state) {
    if (!state.languageLoaded) return {};
    return textsOf(kShortcutEditorTexts, state.uiStrings);
}

std::vector<ControlText> BusyWindowTexts(const LanguageState& state) {
    if (state.languageLoaded) return textsOf(kBusyWindowTexts, state.uiStrings);
    return {{kWindowTitle, kBusyWindowBuiltInCaption}, {IDC_FORM2_LABEL1, kBusyWindowBuiltInLabel}};
}

std::string CloseConfirmationText(const LanguageState& state) {
    return (state.languageLoaded ? state.uiStrings[UiKey::ButtonsExit] : std::string(kBuiltInExit)) + "？";
}

std::string CloseConfirmationTitle(const LanguageState& state) {
    return state.languageLoaded ? state.uiStrings.programTitle() : std::string(kBuiltInProgramTitle);
}

std::string OverwriteQuestionText(const LanguageState& state) {
    return state.languageLoaded ? state.uiStrings[UiKey::RuninfoCreate] : std::string(kBuiltInOverwriteQuestion);
}

}  // namespace shell
