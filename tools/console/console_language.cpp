#include "tools/console/console_language.h"

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/system_language.h"
#include "platform/unicode.h"
#include "shell/profile_reader.h"
#include "tools/console/console_texts.h"

namespace console {

namespace {

std::string languageFile(const std::string& name) {
    return platform::joinPath(consoleLanguageFolder(), name + ".lng");
}

// The language files there are, for the message that names them.
std::string languageNames(const ConsoleTexts& texts) {
    std::string names;
    if (platform::folderExists(consoleLanguageFolder()))
        for (const std::string& file : platform::listFolder(consoleLanguageFolder()).files)
            if (file.size() > 4 && platform::endsWithIgnoreCase(file, ".lng"))
                names += (names.empty() ? "" : ", ") + file.substr(0, file.size() - 4);
    return names.empty() ? texts(ConsoleText::NoLanguageFiles) : names;
}

}  // namespace

std::string consoleLanguageFolder() { return platform::joinPath(platform::executableFolder(), "lng"); }

ConsoleLanguage chooseConsoleLanguage(const std::string& requested) {
    if (!requested.empty()) {
        // A name, not a path: the file must lie in the language folder.
        const bool isName = requested.find_first_of("\\/:") == std::string::npos;
        if (!isName || !platform::fileExists(languageFile(requested))) {
            // Told in the language the system would have chosen.
            const ConsoleTexts texts = ConsoleTexts::fromLanguageFile(chooseConsoleLanguage({}).file);
            throw platform::Error(platform::ErrorKind::BadInput,
                                  texts(ConsoleText::UnknownLanguage,
                                        {requested, platform::nativePath(consoleLanguageFolder()), languageNames(texts)}));
        }
        return {requested, languageFile(requested)};
    }
    const std::string id = platform::systemLanguageId();
    std::string name;
    if (!id.empty())
        name = shell::readProfileString(platform::joinPath(consoleLanguageFolder(), "language.txt"), "language", id);
    if (name.empty() || !platform::fileExists(languageFile(name))) name = kFallbackLanguage;
    return {name, platform::fileExists(languageFile(name)) ? languageFile(name) : std::string()};
}

shell::LanguageState languageStateOf(const ConsoleLanguage& language) {
    shell::LanguageState state;
    state.languageName = language.name;
    state.languageLoaded = !language.file.empty();
    if (state.languageLoaded) shell::loadKeyedTexts(state, language.file);
    return state;
}

}  // namespace console
