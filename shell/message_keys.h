// The texts that the windows and commands show beyond the 47 UI strings:
// message boxes, dialog titles and filters (section "messages"), and the
// captions that have no UI string (section "captions"). Each has a key in
// its section and a built-in text, the Chinese text the program shows when
// no language file is loaded or the loaded file lacks the key. Texts with
// "%1", "%2" ... take values in that place (see fillText).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace shell {

inline constexpr const char* kMessagesSection = "messages";
inline constexpr const char* kCaptionsSection = "captions";

enum class MessageKey : int {
    // INF builder
    InfNoSourceFolder, InfNoName, InfNoVersion, InfPackageFilter, InfRegistryFileFilter, InfNoSetupDir,
    InfDriveNotReady, InfFolderNotOpened, InfInnerCabinetMissing, InfPackageMade, InfPackageMissing,
    // T13 builder
    T13NoName, T13NoVersion, T13NoItems, T13PackageFilter, T13FolderPrompt, T13Success, T13SuccessTitle,
    T13Failure, T13FailureTitle,
    // Shared dialogs and checks
    ChooseFilesTitle, ChooseFilesFilter, DlgFileInfoError, DlgFileInfoErrorTitle,
    // Shortcut editor
    ShortcutProgramFilter,
    // Build steps and their failures
    InfMadeThenFailed, InfStepFailed, InfStepFailedOldKept, T13MadeThenFailed, T13StepFailed, T13StepFailedOldKept,
    T13Stopped, StepWritePackageFolder, PackageFolderMissing, StepCollectFiles, StepCheckFiles,
    StepCheckPackagePath, StepImportRegistry, StepCheckTexts, StepCreateStaging, StepEnterProgramFolder, StepWrite,
    StepCopyCollected, StepCopyExtra, StepRemoveUnfinished, StepWriteDirectives, StepMakecab, StepDeleteExtra,
    StepCheckItems, StepRemoveOldWorkFolder, StepCreateWorkFolder, StepDeleteOld, StepRewriteUtf8,
    StepReplacePackage, StepDelete, StepRun, StepPackItems, StepJoinInstaller, StepRemoveWorkFolder,
    StepRemoveStaleWorkFiles, StepWriteBuildMarker,
    SevenZipNoArchive, CopyNoInstaller, InnerCabinetNotMade, StepPackWithSevenZip, SevenZipLeftItemsOut,
    // Checks before a build
    TooManyFiles, TooManyBytes, PackagePathIsInput, InputSourceFile, InputExtraFile, InputRegistryFile,
    OneLineField, FieldVersion, FieldWebsite, FieldExtractPath, FieldRunCommand, FieldPackItem, LineBreak, Tab,
    ControlCharacter, PackagePathProblem, PathHoldsQuote, PathHoldsStar, NameRefused, NameHoldsControl,
    NameHoldsCharacter, NameBeginsBlank, NameEndsDot, NameEndsBlank, NameIsDevice, NameHoldsBlank, ExtraFileBadName,
    ExtraFileOwnName, ExtraFilesSameName, OwnInf, OwnEntries, OwnInnerCabinet, OwnMakecabInf, OwnMakecabReport,
    OwnDirectiveFile, OwnBatchFile, ItemHoldsQuote, ItemIsWorkFile, ItemFolderMissing, PackageInItemFolder,
    ItemMissing, PackageIsItem,
    // Outside tools
    SfxModuleMissing, SevenZipMissingWindows, SevenZipMissing, ConverterNotFound, RegistryFileIsFolder,
    ConverterNoOutput, OwnToolsMissing,
    // The command guard
    UnexpectedError, UnexpectedErrorAdvice, UnknownError,
    // Texts the builders check and write
    ScanBadFolderName, ScanBadFileName, PackageTextNotWritten, ConfigNotUtf8,
    // The INF builder's labels and the scan's log
    ReadyCaption, SetupDirCaption, DefaultDirIdCaption, RegistryImported, ScanLooking, ScanFolderMissing, ScanDone,
    ScanFound,
    // Shortcut editor
    NoShortcutId,
    // A file operation of the system that failed: its path and the system's reason
    FileCannotRead, FileCannotWrite, FolderCannotCreate, FileCannotCopy, FileCannotCopyTo, FileCannotDelete, FolderCannotRemove, FileCannotRename, FolderCannotList, EntryCannotRead, CurrentFolderCannotRead, FolderCannotEnter, TemporaryFolderCannotCreate,
    // A text the ANSI code page cannot hold: the text, the character, the code page
    TextNotInCodePage,
};
inline constexpr std::size_t kMessageKeyCount = static_cast<std::size_t>(MessageKey::TextNotInCodePage) + 1;

enum class CaptionKey : int {
    // INF builder, advanced area
    InfSourceFileInfo, InfCopyCode, InfCodeOptions, InfSetupDirCode, InfIntegrationMode, InfPatchMode,
    InfWholeFileMode,
    // T13 builder
    T13ExtractPath, T13StoreOnly, T13HighCompression, T13Files, T13Folder,
    // Shortcut editor
    ShortcutList,
};
inline constexpr std::size_t kCaptionKeyCount = static_cast<std::size_t>(CaptionKey::ShortcutList) + 1;

struct KeyedText {
    const char* key;      // as written in the language files
    const char* builtIn;  // UTF-8
};

const KeyedText& messageKeyText(MessageKey key);
const KeyedText& captionKeyText(CaptionKey key);

// The built-in text of a message, as the program shows it without a language.
inline std::string builtInText(MessageKey key) { return messageKeyText(key).builtIn; }

// `text` with "%1" ... "%9" replaced by values[0] ... values[8] in one pass:
// a value that itself holds "%1" stays as it is. "%%" gives one "%".
std::string fillText(const std::string& text, const std::vector<std::string>& values);

// The value in `line` when it is `text` (a text with one value, "%1") with
// that value filled in; nothing when it is not.
std::optional<std::string> filledValue(const std::string& text, const std::string& line);

// Where a routine takes the texts it shows or puts into an error: the user
// interface gives the user's language; this class itself, the built-in texts
// (for the tools that have no language of their own).
class MessageTexts {
public:
    virtual ~MessageTexts() = default;
    // A message text in the user's language.
    virtual std::string messageText(MessageKey key) const { return messageKeyText(key).builtIn; }
    // The same with its values filled in.
    std::string text(MessageKey key, const std::vector<std::string>& values = {}) const {
        return fillText(messageText(key), values);
    }
};

// The built-in texts, for the callers that have no language.
inline const MessageTexts kBuiltInTexts;

}  // namespace shell
