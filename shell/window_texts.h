// Which control of each window shows which UI string, as data: a window walks
// its table and sets each control's text by id. The tables keep the order in
// which the texts are set. Texts are applied only when a language file is
// loaded; until then every control keeps the built-in text of its resource.
// Once a language is loaded an absent key gives an empty text, not the
// built-in one.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "infaddon/win/inf_builder_res.h"
#include "shell/ui_keys.h"
#include "shell/ui_strings.h"
#include "shell/win/res/busy_window_res.h"
#include "shell/win/res/start_window_res.h"
#include "shortcuts/win/shortcut_editor_res.h"
#include "t13addon/win/t13_builder_res.h"

namespace shell {

// The control id that stands for the window's own caption.
inline constexpr int kWindowTitle = 0;

struct TextBinding {
    int controlId;
    UiKey key;
};

struct ControlText {
    int controlId;
    std::string text;
};

template <std::size_t N>
struct TextTable {
    TextBinding bindings[N];
    static constexpr std::size_t size() { return N; }
    const TextBinding* begin() const { return bindings; }
    const TextBinding* end() const { return bindings + N; }
};

// The INF builder window (Form1), set each time the start window opens it.
inline constexpr TextTable<26> kInfBuilderTexts = {{
    {kWindowTitle, UiKey::MainInfTitle},
    {IDC_FORM1_COMMAND5, UiKey::ButtonsShortcut},
    {IDC_FORM1_COMMAND2, UiKey::ButtonsAdd},
    {IDC_FORM1_COMMAND6, UiKey::ButtonsDelete},
    {IDC_FORM1_COMMAND11, UiKey::ButtonsMake},
    {IDC_FORM1_COMMAND9, UiKey::ButtonsBack},
    {IDC_FORM1_COMMAND3, UiKey::ButtonsExit},
    {IDC_FORM1_COMMAND7, UiKey::ButtonsAdd},
    {IDC_FORM1_COMMAND4, UiKey::ButtonsAdd},
    {IDC_FORM1_COMMAND8, UiKey::ButtonsDelete},
    {IDC_FORM1_CHECK1, UiKey::ButtonsAdvanced},
    {IDC_FORM1_LABEL5, UiKey::SoftwareTitle},
    {IDC_FORM1_LABEL6, UiKey::SoftwareVersion},
    {IDC_FORM1_LABEL7, UiKey::SoftwareWebsite},
    {IDC_FORM1_FRAME2, UiKey::SoftwareSoftwareInfo},
    {IDC_FORM1_FRAME9, UiKey::RuninfoAddFile},
    {IDC_FORM1_FRAME4, UiKey::RuninfoPath},
    {IDC_FORM1_FRAME6, UiKey::RuninfoCode},
    {IDC_FORM1_FRAME1, UiKey::RuninfoCodeExplain},
    {IDC_FORM1_FRAME10, UiKey::RuninfoCode},
    {IDC_FORM1_FRAME5, UiKey::RuninfoRegedit},
    {IDC_FORM1_FRAME11, UiKey::RuninfoResult},
    {IDC_FORM1_FRAME8, UiKey::RuninfoAddFile},
    {IDC_FORM1_FRAME15, UiKey::RuninfoAdvancedTitle},
    {IDC_FORM1_FRAME14, UiKey::RuninfoDTIAdd},
    {IDC_FORM1_LABEL4, UiKey::RuninfoDTIAddExplain},
}};

// The T13 builder window (Form4), set each time the start window opens it.
inline constexpr TextTable<13> kT13BuilderTexts = {{
    {kWindowTitle, UiKey::MainT13Title},
    {IDC_FORM4_COMMAND2, UiKey::ButtonsAdd},
    {IDC_FORM4_COMMAND4, UiKey::ButtonsDelete},
    {IDC_FORM4_COMMAND1, UiKey::ButtonsMake},
    {IDC_FORM4_COMMAND3, UiKey::ButtonsExit},
    {IDC_FORM4_COMMAND5, UiKey::ButtonsBack},
    {IDC_FORM4_COMMAND6, UiKey::ButtonsAdd},
    {IDC_FORM4_LABEL1, UiKey::SoftwareTitle},
    {IDC_FORM4_LABEL2, UiKey::SoftwareVersion},
    {IDC_FORM4_LABEL5, UiKey::SoftwareArgument},
    {IDC_FORM4_FRAME1, UiKey::SoftwareSoftwareInfo},
    {IDC_FORM4_FRAME2, UiKey::RuninfoAddFile},
    {IDC_FORM4_FRAME3, UiKey::SoftwareArgument},
}};

// The shortcut editor (Form3), set each time it is loaded. Label6 shows the
// menu folder; Frame3's caption is in kShortcutEditorCaptions.
inline constexpr TextTable<16> kShortcutEditorTexts = {{
    {kWindowTitle, UiKey::MainShortcutTitle},
    {IDC_FORM3_FRAME1, UiKey::AddshortcutCreateOption},
    {IDC_FORM3_OPTION1, UiKey::AddshortcutDesktop},
    {IDC_FORM3_OPTION2, UiKey::AddshortcutStart},
    {IDC_FORM3_OPTION3, UiKey::AddshortcutQuickLaunch},
    {IDC_FORM3_FRAME2, UiKey::AddshortcutShortcutArgumen},
    {IDC_FORM3_LABEL7, UiKey::SoftwareArgument},
    {IDC_FORM3_LABEL1, UiKey::AddshortcutSourceFilename},
    {IDC_FORM3_LABEL2, UiKey::AddshortcutFilePath},
    {IDC_FORM3_LABEL4, UiKey::AddshortcutShortcutName},
    {IDC_FORM3_LABEL3, UiKey::AddshortcutDescription},
    {IDC_FORM3_LABEL5, UiKey::AddshortcutLocation},
    {IDC_FORM3_COMMAND1, UiKey::ButtonsAdd},
    {IDC_FORM3_COMMAND3, UiKey::ButtonsDelete},
    {IDC_FORM3_COMMAND2, UiKey::ButtonsBack},
    {IDC_FORM3_COMMAND4, UiKey::ButtonsNget},
}};

// The busy window (Form2), set once, when it is first shown.
inline constexpr TextTable<2> kBusyWindowTexts = {{
    {kWindowTitle, UiKey::MainRunTitle},
    {IDC_FORM2_LABEL1, UiKey::MainRunTitle},
}};
inline constexpr const char* kBusyWindowBuiltInCaption = "程序运行请稍等....";
inline constexpr const char* kBusyWindowBuiltInLabel = "程序正在运行请稍等....";

// The start window (Formman): its buttons right after group 1 is read ...
inline constexpr TextTable<3> kStartWindowButtonTexts = {{
    {IDC_FORMMAN_COMMAND1, UiKey::ButtonsNext},
    {IDC_FORMMAN_COMMAND2, UiKey::ButtonsExit},
    {IDC_FORMMAN_COMMAND3, UiKey::ButtonsAbout},
}};
// ... and its mode texts and title right after group 2 (LoadCallbacks). The
// start window applies these whenever the strings load, languageLoaded or not.
inline constexpr TextTable<6> kStartWindowModeTexts = {{
    {IDC_FORMMAN_OPTION1, UiKey::MainInfzhb},
    {IDC_FORMMAN_LABEL1, UiKey::MainInfsm},
    {IDC_FORMMAN_OPTION2, UiKey::MainTime13zhb},
    {IDC_FORMMAN_LABEL3, UiKey::MainTime13sm},
    {IDC_FORMMAN_FRAME1, UiKey::MainMode},
    {kWindowTitle, UiKey::MainZtitle},
}};

// The captions that have no UI string, set after a window's UI strings.
struct CaptionBinding {
    int controlId;
    CaptionKey key;
};
inline constexpr CaptionBinding kInfBuilderCaptions[] = {
    {IDC_FORM1_FRAME16, CaptionKey::InfSourceFileInfo}, {IDC_FORM1_FRAME13, CaptionKey::InfCopyCode},
    {IDC_FORM1_FRAME3, CaptionKey::InfCodeOptions},     {IDC_FORM1_FRAME12, CaptionKey::InfSetupDirCode},
    {IDC_FORM1_FRAME7, CaptionKey::InfIntegrationMode}, {IDC_FORM1_OPTION2, CaptionKey::InfPatchMode},
    {IDC_FORM1_OPTION1, CaptionKey::InfWholeFileMode},
};
inline constexpr CaptionBinding kT13BuilderCaptions[] = {
    {IDC_FORM4_LABEL3, CaptionKey::T13ExtractPath},  {IDC_FORM4_OPTION3, CaptionKey::T13StoreOnly},
    {IDC_FORM4_OPTION4, CaptionKey::T13HighCompression}, {IDC_FORM4_OPTION5, CaptionKey::T13Files},
    {IDC_FORM4_OPTION6, CaptionKey::T13Folder},
};
inline constexpr CaptionBinding kShortcutEditorCaptions[] = {
    {IDC_FORM3_FRAME3, CaptionKey::ShortcutList},
};

// The (control, text) pairs of a table, in its order.
template <std::size_t N>
std::vector<ControlText> textsOf(const TextTable<N>& table, const UiStrings& strings) {
    std::vector<ControlText> texts;
    texts.reserve(N);
    for (const TextBinding& binding : table) texts.push_back({binding.controlId, strings[binding.key]});
    return texts;
}

// What a window sets when it applies its texts: nothing unless a language
// file is loaded; then its table's UI strings in order, followed by its
// captions (the file's, or the built-in one where the file has none).
std::vector<ControlText> ApplyInfBuilderTexts(const LanguageState& state);
std::vector<ControlText> ApplyT13BuilderTexts(const LanguageState& state);
std::vector<ControlText> shortcutEditorTexts(const LanguageState& state);
// The busy window's caption and label: "run title" with a language loaded,
// otherwise its built-in texts.
std::vector<ControlText> busyWindowTexts(const LanguageState& state);

// The close confirmation of the builder windows: "Buttons" "exit" and "？",
// titled with the program title. Without a loaded language the built-in
// "退出" and "NLITETolvaneV3.3" stand in, so the box is never blank.
std::string closeConfirmationText(const LanguageState& state);
std::string closeConfirmationTitle(const LanguageState& state);
// The question before an existing package is replaced ("runinfo" "create");
// without a loaded language, the built-in Chinese question.
std::string overwriteQuestionText(const LanguageState& state);

}  // namespace shell
