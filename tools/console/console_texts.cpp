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

ConsoleTexts::ConsoleTexts() {
    for (std::size_t i = 0; i < kConsoleTextCount; ++i) texts_[i] = kTexts[i].english;
}

ConsoleTexts ConsoleTexts::fromLanguageFile(const std::string& path) {
    ConsoleTexts texts;
    if (path.empty()) return texts;
    for (std::size_t i = 0; i < kConsoleTextCount; ++i) {
        std::string value = shell::ReadProfileString(path, kConsoleSection, kTexts[i].key, shell::ValueLength::Whole);
        if (!value.empty()) texts.texts_[i] = std::move(value);
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
