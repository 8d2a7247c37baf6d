#include "shell/window_texts.h"

namespace shell {

namespace {
const char* const kBuiltInExit = "退出";
const char* const kBuiltInProgramTitle = "NLITETolvaneV3.3";
const char* const kBuiltInOverwriteQuestion = "文件已存在，是否覆盖？";

template <std::size_t N, std::size_t M>
std::vector<ControlText> windowTexts(const TextTable<N>& table, const CaptionBinding (&captions)[M],
                                     const LanguageState& state) {
    if (!state.languageLoaded) return {};
    std::vector<ControlText> texts = textsOf(table, state.uiStrings);
    for (const CaptionBinding& caption : captions) texts.push_back({caption.controlId, captionText(state, caption.key)});
    return texts;
}

}  // namespace

std::vector<ControlText> ApplyInfBuilderTexts(const LanguageState& state) {
    return windowTexts(kInfBuilderTexts, kInfBuilderCaptions, state);
}

std::vector<ControlText> ApplyT13BuilderTexts(const LanguageState& state) {
    return windowTexts(kT13BuilderTexts, kT13BuilderCaptions, state);
}

std::vector<ControlText> shortcutEditorTexts(const LanguageState& state) {
    return windowTexts(kShortcutEditorTexts, kShortcutEditorCaptions, state);
}

std::vector<ControlText> busyWindowTexts(const LanguageState& state) {
    if (state.languageLoaded) return textsOf(kBusyWindowTexts, state.uiStrings);
    return {{kWindowTitle, kBusyWindowBuiltInCaption}, {IDC_FORM2_LABEL1, kBusyWindowBuiltInLabel}};
}

std::string closeConfirmationText(const LanguageState& state) {
    return (state.languageLoaded ? state.uiStrings[UiKey::ButtonsExit] : std::string(kBuiltInExit)) + "？";
}

std::string closeConfirmationTitle(const LanguageState& state) {
    return state.languageLoaded ? state.uiStrings.programTitle() : std::string(kBuiltInProgramTitle);
}

std::string overwriteQuestionText(const LanguageState& state) {
    return state.languageLoaded ? state.uiStrings[UiKey::RuninfoCreate] : std::string(kBuiltInOverwriteQuestion);
}

}  // namespace shell
