// The language files the program ships with, loaded for tests of commands
// whose messages are checked in one language: a FakeUserInterface given
// shippedLanguage("English") speaks the English the program shows.
#pragma once

#include <map>
#include <string>

#include "platform/file_system.h"
#include "shell/ui_strings.h"

namespace testsupport {

// The shipped file's message texts and captions, as the build puts it beside
// the test programs; loaded once per run and name.
inline const shell::LanguageState& shippedLanguage(const std::string& name) {
    static std::map<std::string, shell::LanguageState> loaded;
    auto found = loaded.find(name);
    if (found == loaded.end()) {
        shell::LanguageState state;
        state.languageLoaded = true;
        state.languageName = name;
        shell::loadKeyedTexts(state, platform::joinPath(platform::joinPath(platform::executableFolder(), "lng"),
                                                        name + ".lng"));
        found = loaded.emplace(name, std::move(state)).first;
    }
    return found->second;
}

}  // namespace testsupport
