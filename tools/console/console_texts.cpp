#include "tools/console/console_texts.h"

#include "shell/profile_reader.h"

namespace console {

namespace {

struct TextEntry {
    ConsoleText text;
    const char* key;
    const char* english;
};

// In the order of ConsoleText.
const TextEntry kTexts[kConsoleTextCount] = {
    {ConsoleText::Warning, "warning", "warning: %1"},
    {ConsoleText::UsageHint, "usage hint", "Run \"%1 --help\" to see every option."},
    {ConsoleText::NoCommand, "no command", "Give a command: inf or t13."},
    {ConsoleText::UnknownCommand, "unknown command", "\"%1\" is not a command of tolvane-console; the commands are inf and t13."},
    {ConsoleText::UnknownLanguage, "unknown language",
     "There is no language file \"%1\" in %2; the language files there are: %3."},
    {ConsoleText::NeedsValue, "needs value", "\"%1\" needs a value."},
    {ConsoleText::UnknownOption, "unknown option", "\"%1\" is not an option of the %2 command."},
    {ConsoleText::BadValue, "bad value", "%1 takes %2, not \"%3\"."},
    {ConsoleText::PackageExists, "package exists", "%1 already exists; give --overwrite to replace it."},
    {ConsoleText::Replacing, "replacing", "Replacing %1."},
    {ConsoleText::Progress, "progress", "%1 files scanned, %2 packed, %3 bytes compressed"},
    {ConsoleText::ProgressT13, "progress t13", "Packing %1 ..."},
    {ConsoleText::ItemMissing, "item missing", "The item %1 does not exist."},
    {ConsoleText::SourceMissing, "source missing", "The source folder %1 does not exist."},
    {ConsoleText::SourceIsFile, "source is file",
     "The source folder %1 is a file, not a folder. Give the folder that holds the application's files."},
    {ConsoleText::BadDirId, "bad code",
     "\"%1\" in --source %2 is no destination code of the table (16422 Program Files, 10 Windows, 11 System32, ...)."},
    {ConsoleText::ExtraNeedsNumber, "extra number", "%1 %2 needs a setup folder number: %1 NUMBER=FILE."},
    {ConsoleText::BadSetupNumber, "bad setup number", "\"%1\" in %2 %3 is no numbered setup folder of the table."},
    {ConsoleText::ExtraMissing, "extra missing", "The extra file %1 does not exist."},
    {ConsoleText::ExtraNotAdded, "extra not added", "The extra file %1 was not added."},
    {ConsoleText::ShortcutFirst, "shortcut first", "%1 describes a shortcut: give --shortcut NAME=TARGET before it."},
    {ConsoleText::ShortcutForm, "shortcut form", "--shortcut takes NAME=TARGET, not \"%1\"."},
    {ConsoleText::SfxMissing, "sfx missing",
     "The self-extractor module %1 is missing. Put the modified 7-Zip SFX module (7zSD.sfx by Oleg Scherbakov, "
     "renamed to 7zs.sfx; see t13addon/README.md) beside tolvane-console, or name it with --sfx."},
    {ConsoleText::FolderLeftOut, "folder left out", "The source folder %1 does not exist; the package leaves it out."},
    {ConsoleText::ToolOutput, "tool output", "What the tools wrote:"},
    {ConsoleText::InfMade, "inf made", "The INF package is made."},
    {ConsoleText::InfNotMade, "inf not made", "makecab made no package. Run again with --verbose to see what it wrote."},
    {ConsoleText::InnerCabinetNotMade, "inner cabinet not made",
     "makecab made no cabinet of the application's files. Check that no other program is writing them, and run "
     "again with --verbose to see what makecab wrote."},
    {ConsoleText::InfNoSource, "inf no source", "Give the application's folder with --source."},
    {ConsoleText::InfNoName, "inf no name", "Give the package's name with --name."},
    {ConsoleText::InfNoVersion, "inf no version", "Give the package's version with --version."},
    {ConsoleText::T13NoName, "t13 no name", "Give the package's name with --name."},
    {ConsoleText::T13NoVersion, "t13 no version", "Give the package's version with --version."},
    {ConsoleText::T13NoItems, "t13 no items", "Give the files or folders to pack with --item."},
    {ConsoleText::T13Made, "t13 made", "The T13 package is made."},
    {ConsoleText::T13NotMade, "t13 not made", "7-Zip made no package. Run again with --verbose to see what it wrote."},
    {ConsoleText::StaleWorkFolderNotRemoved, "stale work folder not removed",
     "A work folder of an earlier, ended build could not be removed: %1"},
    {ConsoleText::WorkFolderNotRemoved, "work folder not removed", "The work folder %1 could not be removed: %2"},
    {ConsoleText::YesOrNo, "yes or no", "yes or no (alone it means yes)"},
    {ConsoleText::PlaceValues, "place values", "desktop, startmenu or quicklaunch"},
    {ConsoleText::IntegratorValues, "integrator values", "nlite or rvmi"},
    {ConsoleText::CompressionValues, "compression values", "store or high"},
    {ConsoleText::NoLanguageFiles, "no language files", "(none)"},
    {ConsoleText::Usage, "usage",
     "usage: tolvane-console [--verbose] [--language NAME] inf OPTIONS   make an INF package (NAME_VERSION_Addon.cab)\n"
     "       tolvane-console [--verbose] [--language NAME] t13 OPTIONS   make a T13 package (NAME_VERSION_Addon.7z)\n"
     "       tolvane-console --help | --version"},
    {ConsoleText::HelpCommands, "help commands",
     "\"tolvane-console inf --help\" and \"tolvane-console t13 --help\" give each command's options."},
    {ConsoleText::HelpVersion, "help version", "  --version      the program's version"},
    {ConsoleText::HelpCommonOptions, "help common options",
     "  --verbose, -v  also print the scan's log and the tools' own output (on standard error)\n"
     "  --language NAME\n"
     "                 speak the language of lng/NAME.lng beside the program (default: the\n"
     "                 system's, from LC_ALL, LC_MESSAGES or LANG; zh is Chinese, others English)\n"
     "  --help, -h     this text"},
    {ConsoleText::HelpExitStatus, "help exit status",
     "The package's path is printed on standard output when it was made; the result, warnings and\n"
     "errors go to standard error, with a progress line when that is a terminal.\n"
     "Exit status: 0 the package was made, 1 it was refused or failed, 2 the arguments cannot be used."},
    {ConsoleText::InfUsage, "inf usage",
     "usage: tolvane-console inf --name NAME --version VERSION --source [DIRID=]FOLDER [--source ...]\n"
     "         [--website URL] [--reg FILE] [--extra NUMBER=FILE ...] [--patch-extra NUMBER=FILE ...]\n"
     "         [--shortcut NAME=TARGET [--place desktop|startmenu|quicklaunch] [--menu-folder FOLDER]\n"
     "                                 [--arguments TEXT] [--start-in FOLDER] [--description TEXT]] ...\n"
     "         [--output FILE] [--overwrite [yes|no]] [--verbose] [--language NAME]"},
    {ConsoleText::InfHelp, "inf help",
     "Makes an INF package (NAME_VERSION_Addon.cab) of an application's folders.\n"
     "  --name         the package's name\n"
     "  --version      the package's version\n"
     "  --source       a folder of the application; DIRID is its destination code (default 16422,\n"
     "                 Program Files; e.g. 10 Windows, 11 System32). Repeat for more folders.\n"
     "  --website      the web site the package names\n"
     "  --reg          a .reg file whose values the package sets (converted by reg2inf)\n"
     "  --extra        a file for setup's own file tables, in the numbered setup folder NUMBER\n"
     "                 (disk code 1)\n"
     "  --patch-extra  the same in patch mode (disk code 100)\n"
     "  --shortcut     a shortcut named NAME to TARGET (the installed program's full path, e.g.\n"
     "                 %ProgramFiles%\\App\\app.exe); the options after it describe it:\n"
     "  --place        where it goes (default desktop)\n"
     "  --menu-folder  its start-menu folder\n"
     "  --arguments    its run arguments\n"
     "  --start-in     the folder it starts in (default the target's folder)\n"
     "  --description  its description (default NAME)\n"
     "  --output       the package (default: NAME_VERSION_Addon.cab in the current folder)\n"
     "  --overwrite    replace an existing package (default: no)"},
    {ConsoleText::T13Usage, "t13 usage",
     "usage: tolvane-console t13 --name NAME --version VERSION --item PATH [--item PATH ...]\n"
     "         [--extract-path PATH] [--run COMMAND ...] [--integrator nlite|rvmi]\n"
     "         [--compression store|high] [--output FILE] [--overwrite [yes|no]] [--sfx FILE]\n"
     "         [--verbose] [--language NAME]"},
    {ConsoleText::T13Help, "t13 help",
     "Makes a T13 package (NAME_VERSION_Addon.7z): one installer that setup runs at T-13.\n"
     "  --name          the package's name\n"
     "  --version       the package's version\n"
     "  --item          a file, or a folder (packed as FOLDER\\*); repeat for more\n"
     "  --extract-path  where the installer unpacks (default: a temporary folder)\n"
     "  --run           a command the installer runs after unpacking; repeat for more\n"
     "  --integrator    nlite (default) or rvmi\n"
     "  --compression   high (default, -mx9) or store (-mx0) for the items\n"
     "  --output        the package (default: NAME_VERSION_Addon.7z in the current folder)\n"
     "  --overwrite     replace an existing package (default: no)\n"
     "  --sfx           the self-extractor module (default: 7zs.sfx beside this program)"},
    {ConsoleText::InfTextUsage, "inftext usage",
     "Usage: tolvane-inftext --name App --version 1.0 [--dir-id 16422] [--website URL] [--log]\n"
     "                       [--language NAME] --out <folder> <source folder>...\n"
     "Scans the application's folders as Tolvane's INF package builder does and writes\n"
     "<name>.inf and Entries_<name>.ini into the output folder.\n"
     "  --dir-id    where the folders are installed: a destination code of the builder's\n"
     "              code list (16422, Program Files, when left out)\n"
     "  --log       also print every folder and file the scan found\n"
     "  --language  speak the language of lng/NAME.lng beside the program (default: the system's)"},
    {ConsoleText::InfTextUnknownOption, "inftext unknown option", "Unknown option %1."},
    {ConsoleText::InfTextNoOutput, "inftext no output", "Give the output folder with --out."},
    {ConsoleText::InfTextNoSource, "inftext no source", "Give at least one source folder."},
    {ConsoleText::InfTextBadDirId, "inftext bad code", "--dir-id %1 is no destination code; use one of %2."},
    {ConsoleText::InfTextSourceMissing, "inftext source missing",
     "The source folder %1 does not exist. Check the path and run again."},
    {ConsoleText::InfTextFolderWentAway, "inftext folder went away",
     "A source folder went away during the scan; nothing was written."},
    {ConsoleText::InfTextWritten, "inftext written", "Wrote %1.inf and Entries_%1.ini in %2"},
    {ConsoleText::OutOfMemory, "out of memory", "there is not enough memory for this work."},
    {ConsoleText::UnexpectedFailure, "unexpected failure", "an unexpected failure ended the program."},
};

// The builder messages the console words its own way.
struct BuilderMessage {
    shell::MessageKey builderText;
    ConsoleText text;
};
const BuilderMessage kBuilderMessages[] = {
    {shell::MessageKey::InfPackageMade, ConsoleText::InfMade},
    {shell::MessageKey::InfPackageMissing, ConsoleText::InfNotMade},
    {shell::MessageKey::InfInnerCabinetMissing, ConsoleText::InnerCabinetNotMade},
    {shell::MessageKey::InfNoSourceFolder, ConsoleText::InfNoSource},
    {shell::MessageKey::InfNoName, ConsoleText::InfNoName},
    {shell::MessageKey::InfNoVersion, ConsoleText::InfNoVersion},
    {shell::MessageKey::T13NoName, ConsoleText::T13NoName},
    {shell::MessageKey::T13NoVersion, ConsoleText::T13NoVersion},
    {shell::MessageKey::T13NoItems, ConsoleText::T13NoItems},
    {shell::MessageKey::T13Success, ConsoleText::T13Made},
    {shell::MessageKey::T13Failure, ConsoleText::T13NotMade},
};

}  // namespace

const char* consoleTextKey(ConsoleText text) { return kTexts[static_cast<int>(text)].key; }
const char* builtInConsoleText(ConsoleText text) { return kTexts[static_cast<int>(text)].english; }

std::string consoleTextOfValue(const std::string& value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == 'n') {
            text += '\n';
            ++i;
        } else {
            text += value[i];
        }
    }
    return text;
}

ConsoleTexts::ConsoleTexts() {
    for (std::size_t i = 0; i < kConsoleTextCount; ++i) texts_[i] = kTexts[i].english;
}

ConsoleTexts ConsoleTexts::fromLanguageFile(const std::string& path) {
    ConsoleTexts texts;
    if (path.empty()) return texts;
    for (std::size_t i = 0; i < kConsoleTextCount; ++i) {
        std::string value = shell::readProfileString(path, kConsoleSection, kTexts[i].key, shell::ValueLength::Whole);
        if (!value.empty()) texts.texts_[i] = consoleTextOfValue(value);
    }
    return texts;
}

std::string ConsoleTexts::operator()(ConsoleText text, std::initializer_list<std::string> values) const {
    const std::string& pattern = texts_[static_cast<int>(text)];
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9' &&
            static_cast<std::size_t>(next - '1') < values.size()) {
            out += values.begin()[next - '1'];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::optional<ConsoleText> consoleWordingOf(shell::MessageKey key) {
    for (const BuilderMessage& known : kBuilderMessages)
        if (known.builderText == key) return known.text;
    return std::nullopt;
}

}  // namespace console
