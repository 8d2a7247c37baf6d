// The texts of the active language file and the language state of the run.
//
// How to use: the start window owns one LanguageState for the whole run. At
// start-up it calls startUpLanguage; when the user picks a language from the
// list, changeLanguage. Both run LoadUiStrings, which calls back after group 1
// and after group 2 so the start window can take its texts at those points.
// The other windows read state.uiStrings when they apply their texts, and only
// when state.languageLoaded is true (see window_texts.h).
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "shell/message_keys.h"
#include "shell/ui_keys.h"

namespace shell {

// What "Main" "ztitle" gets appended to become the program title.
inline constexpr const char* kProgramVersionSuffix = "V3.3";
// Between the program title and a builder window's own title.
inline constexpr const char* kTitleSeparator = "--";

// 47 texts, all empty until loaded. Three are kept composed:
// MainZtitle is the program title (value + "V3.3"); MainInfTitle and
// MainT13Title are the program title, "--" and the value.
class UiStrings {
public:
    const std::string& operator[](UiKey key) const { return texts_[static_cast<int>(key)]; }
    void set(UiKey key, std::string text) { texts_[static_cast<int>(key)] = std::move(text); }
    const std::string& programTitle() const { return (*this)[UiKey::MainZtitle]; }

private:
    std::array<std::string, kUiKeyCount> texts_;
};

// The loaded language's message texts and captions (sections "messages" and
// "captions"), empty where the file gives none.
struct LoadedTexts {
    std::array<std::string, kMessageKeyCount> messages;
    std::array<std::string, kCaptionKeyCount> captions;
};

struct LanguageState {
    bool languageLoaded = false;   // a language file was found at start-up, or one was picked
    std::string systemLanguageId;  // four hexadecimal digits, or empty
    std::string languageName;      // base name of the active language file
    UiStrings uiStrings;
    LoadedTexts loadedTexts;
};

// A message or caption in the active language: the loaded file's text, or the
// built-in one when no language is loaded or the file lacks the key (an older
// or a third-party language file).
std::string messageTextIn(const LanguageState& state, MessageKey key);
std::string captionText(const LanguageState& state, CaptionKey key);

// The message texts of a language state, for the routines that take their
// texts from a MessageTexts.
class LanguageTexts : public MessageTexts {
public:
    explicit LanguageTexts(const LanguageState& state) : state_(state) {}
    std::string messageText(MessageKey key) const override { return messageTextIn(state_, key); }

private:
    const LanguageState& state_;
};

// Where the start window takes its texts while the strings load.
struct LoadCallbacks {
    std::function<void(const UiStrings&)> afterButtons;  // after group 1
    std::function<void(const UiStrings&)> afterMain;     // after group 2
};

// Program folder + "\lng\".
std::string languageFolder();
// Program folder + "\lng\" + name + ".lng".
std::string languageFilePath(const std::string& languageName);

// One value of the named language file; empty when file, section or key is missing.
std::string ReadUiString(const std::string& languageName, const char* section, const char* key);

// Looks systemLanguageId up in section "language" of "language.txt" and sets
// languageName (empty when there is no entry).
void ReadLanguageName(LanguageState& state);

// Reads all 47 texts of state.languageName in load order, one read per key,
// composing the three titles, then the message texts and the captions. Does
// not change languageLoaded.
void LoadUiStrings(LanguageState& state, const LoadCallbacks& callbacks = {});

// Reads the message texts and the captions of one language file (by its
// path) into state.loadedTexts; a front end without the windows' 47 texts
// (the console) loads its language this way. Does not change languageLoaded.
void loadKeyedTexts(LanguageState& state, const std::string& languageFile);

// Start-up: reads the system language id and the language name; when that
// language's file exists, sets languageLoaded and loads the texts.
void startUpLanguage(LanguageState& state, const LoadCallbacks& callbacks = {});
// A language picked in the start window: loads it and sets languageLoaded.
void changeLanguage(LanguageState& state, const std::string& languageName, const LoadCallbacks& callbacks = {});

// The names (without ".lng") of the language files, in the order the folder
// lists them; empty when there is no language folder.
std::vector<std::string> listLanguageNames();

}  // namespace shell
