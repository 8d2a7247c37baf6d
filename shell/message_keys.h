// The texts that the windows and commands show beyond the 47 UI strings:
// message boxes, dialog titles and filters (section "messages"), and the
// captions that have no UI string (section "captions"). Each has a key in
// its section and a built-in text, the Chinese text the program shows when
// no language file is loaded or the loaded file lacks the key. Texts with
// "%1", "%2" ... take values in that place (see FillText).
#pragma once

#include <cstddef>
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
};
inline constexpr std::size_t kMessageKeyCount = static_cast<std::size_t>(MessageKey::ShortcutProgramFilter) + 1;

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
inline std::string BuiltInText(MessageKey key) { return messageKeyText(key).builtIn; }

// `text` with "%1" ... "%9" replaced by values[0] ... values[8] in one pass:
// a value that itself holds "%1" stays as it is. "%%" gives one "%".
std::string FillText(const std::string& text, const std::vector<std::string>& values);

}  // namespace shell
