#include "shell/ui_strings.h"

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/system_language.h"
#include "platform/unicode.h"
#include "shell/profile_reader.h"

namespace shell {

std::string languageFolder() { return platform::joinPath(platform::programFolder(), "lng\\"); }

std::string languageFilePath(const std::string& languageName) { return languageFolder() + languageName + ".lng"; }

std::string ReadUiString(const std::string& languageName, const char* section, const char* key) {
    return readProfileString(languageFilePath(languageName), section, key);
}

void ReadLanguageName(LanguageState& state) {
    state.languageName = readProfileString(languageFolder() + "language.txt", "language", state.systemLanguageId);
}

namespace {

void loadGroup(LanguageState& state, const UiKeyGroup& group) {
    UiStrings& strings = state.uiStrings;
    for (int i = group.first; i < group.end; ++i) {
        const UiKey key = static_cast<UiKey>(i);
        const UiKeyName& name = uiKeyName(key);
        std::string text = ReadUiString(state.languageName, name.section, name.key);
        // The titles are composed as they load: "ztitle" comes before the two
        // builder titles in group 2.
        switch (key) {
            case UiKey::MainZtitle: text += kProgramVersionSuffix; break;
            case UiKey::MainInfTitle:
            case UiKey::MainT13Title: text = strings.programTitle() + kTitleSeparator + text; break;
            default: break;
        }
        strings.set(key, std::move(text));
    }
}

}  // namespace

void loadKeyedTexts(LanguageState& state, const std::string& languageFile) {
    LoadedTexts& texts = state.loadedTexts;
    for (std::size_t i = 0; i < kMessageKeyCount; ++i)
        texts.messages[i] =
            readProfileString(languageFile, kMessagesSection, messageKeyText(static_cast<MessageKey>(i)).key,
                              ValueLength::Whole);
    for (std::size_t i = 0; i < kCaptionKeyCount; ++i)
        texts.captions[i] =
            readProfileString(languageFile, kCaptionsSection, captionKeyText(static_cast<CaptionKey>(i)).key,
                              ValueLength::Whole);
}

std::string messageTextIn(const LanguageState& state, MessageKey key) {
    const std::string& loaded = state.loadedTexts.messages[static_cast<int>(key)];
    if (state.languageLoaded && !loaded.empty()) return loaded;
    return messageKeyText(key).builtIn;
}

std::string captionText(const LanguageState& state, CaptionKey key) {
    const std::string& loaded = state.loadedTexts.captions[static_cast<int>(key)];
    if (state.languageLoaded && !loaded.empty()) return loaded;
    return captionKeyText(key).builtIn;
}

void LoadUiStrings(LanguageState& state, const LoadCallbacks& callbacks) {
    loadGroup(state, kUiKeyGroups[0]);
    if (callbacks.afterButtons) callbacks.afterButtons(state.uiStrings);
    loadGroup(state, kUiKeyGroups[1]);
    if (callbacks.afterMain) callbacks.afterMain(state.uiStrings);
    loadGroup(state, kUiKeyGroups[2]);
    loadGroup(state, kUiKeyGroups[3]);
    loadKeyedTexts(state, languageFilePath(state.languageName));
}

void startUpLanguage(LanguageState& state, const LoadCallbacks& callbacks) {
    state.systemLanguageId = platform::systemLanguageId();
    ReadLanguageName(state);
    // An empty name points at a file called ".lng", which the shipped folder
    // never holds; the built-in texts then stay.
    if (platform::fileExists(languageFilePath(state.languageName))) {
        state.languageLoaded = true;
        LoadUiStrings(state, callbacks);
    } else {
        state.languageLoaded = false;
    }
}

void changeLanguage(LanguageState& state, const std::string& languageName, const LoadCallbacks& callbacks) {
    state.languageName = languageName;
    LoadUiStrings(state, callbacks);
    state.languageLoaded = true;
}

std::vector<std::string> listLanguageNames() {
    std::vector<std::string> names;
    const std::string folder = languageFolder();
    if (!platform::folderExists(folder)) return names;
    for (const std::string& file : platform::listFolder(folder).files) {
        if (file.size() > 4 && platform::endsWithIgnoreCase(file, ".lng"))
            names.push_back(file.substr(0, file.size() - 4));
    }
    return names;
}

}  // namespace shell
