#include "shell/start_window_state.h"

#include "shell/start_window_texts.h"

namespace shell {

namespace {

// The start window takes its texts while the strings load: its buttons right
// after group 1, its mode texts and title right after group 2.
LoadCallbacks collectStartWindowTexts(std::vector<ControlText>& texts) {
    LoadCallbacks callbacks;
    callbacks.afterButtons = [&texts](const UiStrings& strings) {
        for (ControlText& text : textsOf(kStartWindowButtonTexts, strings)) texts.push_back(std::move(text));
    };
    callbacks.afterMain = [&texts](const UiStrings& strings) {
        for (ControlText& text : textsOf(kStartWindowModeTexts, strings)) texts.push_back(std::move(text));
    };
    return callbacks;
}

}  // namespace

std::vector<ControlText> startWindowLoad(StartWindowRecord& record, LanguageState& language) {
    record.languageNames = listLanguageNames();
    std::vector<ControlText> texts;
    startUpLanguage(language, collectStartWindowTexts(texts));
    // The name shows even when it is empty or no file of that name is listed.
    record.languageText = language.languageName;
    record.description = startWindowDescription();
    return texts;
}

std::vector<ControlText> startWindowPickLanguage(StartWindowRecord& record, LanguageState& language,
                                                 const std::string& picked) {
    std::vector<ControlText> texts;
    changeLanguage(language, picked, collectStartWindowTexts(texts));
    record.languageText = language.languageName;
    return texts;
}

void showAbout(UserInterface& ui) { ui.showMessage(aboutText(), {}, MessageIcon::None); }

}  // namespace shell
