// The console's texts in the user's language. They come from the section
// "console" of the chosen language file, one key per text; a key the file
// lacks keeps the built-in English text, so a language file made for the
// windows alone still gives a console that reads whole sentences. Texts hold
// "%1", "%2" ... where the values go. A text of several lines (the help) is
// one value in the file, its line breaks written "\n"; a value that starts
// with blanks is quoted there, as the profile reader drops them otherwise.
//
// Some of the builders' messages (written for the windows) have console keys
// of their own: their console wording names the option to give where the
// window would name a box to fill in.
#pragma once

#include <array>
#include <initializer_list>
#include <optional>
#include <string>

#include "shell/message_keys.h"

namespace console {

enum class ConsoleText : int {
    Warning,
    UsageHint,
    NoCommand,
    UnknownCommand,
    UnknownLanguage,
    NeedsValue,
    UnknownOption,
    BadValue,
    PackageExists,
    Replacing,
    Progress,
    ProgressT13,
    ItemMissing,
    SourceMissing,
    SourceIsFile,
    BadDirId,
    ExtraNeedsNumber,
    BadSetupNumber,
    ExtraMissing,
    ExtraNotAdded,
    ShortcutFirst,
    ShortcutForm,
    SfxMissing,
    FolderLeftOut,
    ToolOutput,
    // The console's wording of builder messages.
    InfMade,
    InfNotMade,
    InnerCabinetNotMade,
    InfNoSource,
    InfNoName,
    InfNoVersion,
    T13NoName,
    T13NoVersion,
    T13NoItems,
    T13Made,
    T13NotMade,
    // The work folder's removal.
    StaleWorkFolderNotRemoved,
    WorkFolderNotRemoved,
    // What an option takes, in the refusal of a value it does not; and the
    // list of language files when there is none.
    YesOrNo,
    PlaceValues,
    IntegratorValues,
    CompressionValues,
    NoLanguageFiles,
    // The help: each command's usage lines (also shown with a refusal of
    // its arguments) and options, the options every command shares and the
    // exit statuses.
    Usage,
    HelpCommands,
    HelpVersion,
    HelpCommonOptions,
    HelpExitStatus,
    InfUsage,
    InfHelp,
    T13Usage,
    T13Help,
    // tolvane-inftext's usage and refusals.
    InfTextUsage,
    InfTextUnknownOption,
    InfTextNoOutput,
    InfTextNoSource,
    InfTextBadDirId,
    InfTextSourceMissing,
    InfTextFolderWentAway,
    InfTextWritten,
    // What ended a program that did not end by itself.
    OutOfMemory,
    UnexpectedFailure,
};
inline constexpr std::size_t kConsoleTextCount = static_cast<std::size_t>(ConsoleText::UnexpectedFailure) + 1;

// The language file's section that holds the console's texts.
inline constexpr const char* kConsoleSection = "console";

// The key of a text in the section, and its built-in English wording.
const char* consoleTextKey(ConsoleText text);
const char* builtInConsoleText(ConsoleText text);

// A value as the language file holds it, with each "\n" a line break.
std::string consoleTextOfValue(const std::string& value);

// The console's own text for a builder message, where it words it otherwise
// than the windows do; nothing where the builder's text (in the language
// file's section "messages") serves the console as it is.
std::optional<ConsoleText> consoleWordingOf(shell::MessageKey key);

class ConsoleTexts {
public:
    // The built-in English texts.
    ConsoleTexts();
    // The texts of a language file; empty path: the built-in ones.
    static ConsoleTexts fromLanguageFile(const std::string& path);

    // The text with "%1", "%2" ... replaced by the values in order.
    std::string operator()(ConsoleText text, std::initializer_list<std::string> values = {}) const;

private:
    std::array<std::string, kConsoleTextCount> texts_;
};

}  // namespace console
