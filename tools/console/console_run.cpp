#include "tools/console/console_run.h"

#include <memory>

#include "platform/error.h"
#include "platform/terminal.h"
#include "shell/error_text.h"
#include "shell/profile_reader.h"
#include "tools/console/console_language.h"

namespace console {

namespace {

void chooseLanguage(ConsoleRun& run, const std::string& language) {
    const ConsoleLanguage chosen = chooseConsoleLanguage(language);
    run.texts = ConsoleTexts::fromLanguageFile(chosen.file);
    run.languageName = chosen.name;
    run.language = languageStateOf(chosen);
    if (!run.language.languageLoaded) return;
    // Of the windows' texts the commands take one: the overwrite question.
    const shell::UiKeyName& question = shell::uiKeyName(shell::UiKey::RuninfoCreate);
    run.language.uiStrings.set(shell::UiKey::RuninfoCreate,
                               shell::readProfileString(chosen.file, question.section, question.key));
}

}  // namespace

std::string programHelp(const ConsoleTexts& texts) {
    return texts(ConsoleText::Usage) + "\n\n" + texts(ConsoleText::HelpCommands) + "\n" +
           texts(ConsoleText::HelpCommonOptions) + "\n" + texts(ConsoleText::HelpVersion) + "\n" +
           texts(ConsoleText::HelpExitStatus) + "\n";
}

std::string commandHelp(const ConsoleTexts& texts, ConsoleText usage, ConsoleText options) {
    return texts(usage) + "\n\n" + texts(options) + "\n" + texts(ConsoleText::HelpCommonOptions) + "\n" +
           texts(ConsoleText::HelpExitStatus) + "\n";
}

ConsoleRun consoleRunFor(const std::string& language, bool verbose) {
    ConsoleRun run;
    chooseLanguage(run, language);
    run.verbose = verbose;
    run.progress = platform::isTerminal(platform::StandardStream::Error);
    run.columns = platform::terminalColumns(platform::StandardStream::Error);
    return run;
}

platform::ProgramFailureWords programFailureWords(const ConsoleRun& run) {
    platform::ProgramFailureWords words;
    words.outOfMemory = run.texts(ConsoleText::OutOfMemory);
    words.unexpectedFailure = run.texts(ConsoleText::UnexpectedFailure);
    const auto language = std::make_shared<const shell::LanguageState>(run.language);
    words.describe = [language](const std::exception& e) {
        return shell::errorText(shell::LanguageTexts(*language), e);
    };
    return words;
}

bool takeCommonOption(const std::vector<std::string>& args, std::size_t& i, ConsoleRun& run) {
    if (args[i] == "--verbose" || args[i] == "-v") {
        run.verbose = true;
        return true;
    }
    if (args[i] != "--language") return false;
    if (i + 1 >= args.size())
        throw platform::Error(platform::ErrorKind::BadInput, run.texts(ConsoleText::NeedsValue, {args[i]}));
    chooseLanguage(run, args[++i]);
    return true;
}

bool isHelpOption(const std::string& word) { return word == "--help" || word == "-h" || word == "/?"; }

int refuseArguments(const ConsoleRun& run, const std::string& problem, ConsoleText usage,
                    const std::string& helpCommand) {
    *run.err << kProgramName << ": " << problem << "\n"
             << run.texts(usage) << "\n" << run.texts(ConsoleText::UsageHint, {helpCommand}) << "\n";
    return 2;
}

}  // namespace console
