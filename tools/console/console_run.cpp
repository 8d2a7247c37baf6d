#include "tools/console/console_run.h"

#include "platform/error.h"
#include "platform/terminal.h"
#include "shell/profile_reader.h"
#include "tools/console/console_language.h"

namespace console {

namespace {

void chooseLanguage(ConsoleRun& run, const std::string& language) {
    const ConsoleLanguage chosen = chooseConsoleLanguage(language);
    run.texts = ConsoleTexts::fromLanguageFile(chosen.file);
    run.languageName = chosen.name;
    run.language = {};
    run.language.languageName = chosen.name;
    run.language.languageLoaded = !chosen.file.empty();
    if (!run.language.languageLoaded) return;
    shell::LoadKeyedTexts(run.language, chosen.file);
    // Of the windows' texts the commands take one: the overwrite question.
    const shell::UiKeyName& question = shell::uiKeyName(shell::UiKey::RuninfoCreate);
    run.language.uiStrings.set(shell::UiKey::RuninfoCreate,
                               shell::ReadProfileString(chosen.file, question.section, question.key));
}

}  // namespace

const char* const kCommonOptionsHelp =
    "  --verbose, -v  also print the scan's log and the tools' own output (on standard error)\n"
    "  --language NAME\n"
    "                 speak the language of lng/NAME.lng beside the program (default: the\n"
    "                 system's, from LC_ALL, LC_MESSAGES or LANG; zh is Chinese, others English)\n"
    "  --help, -h     this text\n";

const char* const kExitStatusHelp =
    "The package's path is printed on standard output when it was made; the result, warnings and\n"
    "errors go to standard error, with a progress line when that is a terminal.\n"
    "Exit status: 0 the package was made, 1 it was refused or failed, 2 the arguments cannot be used.\n";

ConsoleRun consoleRunFor(const std::string& language, bool verbose) {
    ConsoleRun run;
    chooseLanguage(run, language);
    run.verbose = verbose;
    run.progress = platform::isTerminal(platform::StandardStream::Error);
    run.columns = platform::terminalColumns(platform::StandardStream::Error);
    return run;
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

int refuseArguments(const ConsoleRun& run, const std::string& problem, const std::string& synopsis,
                    const std::string& helpCommand) {
    *run.err << kProgramName << ": " << problem << "\n"
             << synopsis << run.texts(ConsoleText::UsageHint, {helpCommand}) << "\n";
    return 2;
}

}  // namespace console
