// The start window's state and commands, apart from any window: the list of
// languages, the active language's name, the package kind and the fixed
// description. The window copies the record onto its controls and applies the
// texts a command returns, in their order.
//
// How to use: at load, startWindowLoad; when the user picks a language from
// the list (a pick, not typing), startWindowPickLanguage; on Next, read
// record.packageKind; on About, showAbout.
#pragma once

#include <string>
#include <vector>

#include "shell/ui_strings.h"
#include "shell/user_interface.h"
#include "shell/window_texts.h"

namespace shell {

enum class PackageKind { Inf, T13 };

struct StartWindowRecord {
    std::vector<std::string> languageNames;     // Combo1's list, in the order the folder lists the files
    std::string languageText;                   // Combo1's text: the active language name
    PackageKind packageKind = PackageKind::Inf; // Option1 (INF) or Option2 (T13)
    std::string description;                    // Label2
};

// Start-up: lists the language files, reads the system language and its
// name, loads that language when its file exists, sets the description.
// Returns the texts the window takes while the strings load (its buttons,
// then its mode texts and title); none when no language file was found.
std::vector<ControlText> startWindowLoad(StartWindowRecord& record, LanguageState& language);

// A language picked from the list: loads it and sets languageLoaded. Returns
// the window's texts as startWindowLoad does.
std::vector<ControlText> startWindowPickLanguage(StartWindowRecord& record, LanguageState& language,
                                                 const std::string& picked);

// About: the feedback text in a message box with an OK button and the
// application title.
void showAbout(UserInterface& ui);

}  // namespace shell
