// The one error type of the system: a kind for callers that branch on it, and
// a sentence for the user that says what failed, on which file, and why.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace platform {

enum class ErrorKind {
    FileNotFound,   // a file, folder or program that is not there
    Io,             // the system refused a read, write, copy, delete or rename
    CodePage,       // a text the ANSI code page cannot hold, or bytes it cannot read
    BadInput,       // input the user or a tool handed over that cannot be used
};

// What a failed file operation was doing. The error keeps it with the path
// and the system's reason, so the shell can word the failure in the user's
// language; what() gives it as an English sentence.
enum class FileAction {
    None,  // the error is a sentence of its own
    ReadFile, WriteFile, CreateFolder, CopyFrom, CopyTo, RemoveFile, RemoveFolder, RenameFile, ListFolder,
    ReadEntry, ReadCurrentFolder, ChangeFolder, CreateTemporaryFolder,
};

// "Cannot read the file", ...: the English words before the path.
const char* fileActionText(FileAction action);

// A text a code page cannot hold, kept in its parts like a file action's,
// so the shell can word it in the user's language.
struct UnencodableText {
    std::string excerpt;    // the text, shortened when long
    std::string character;  // the first character the code page lacks, as U+XXXX with the character
    unsigned codePage = 0;
};
inline std::string unencodableSentence(const UnencodableText& text) {
    return "The text \"" + text.excerpt + "\" holds the character " + text.character + ", which code page " +
           std::to_string(text.codePage) + " cannot hold. Use a name or text without it.";
}

class Error : public std::runtime_error {
public:
    Error(ErrorKind kind, const std::string& message)
        : std::runtime_error(message), kind_(kind) {}
    // "Cannot read the file "PATH": REASON."
    Error(ErrorKind kind, FileAction action, const std::string& path, const std::string& reason)
        : std::runtime_error(std::string(fileActionText(action)) + " \"" + path + "\": " + reason + "."),
          kind_(kind), action_(action), path_(path), reason_(reason) {}
    // "The text "EXCERPT" holds the character C, which code page N cannot hold. ..."
    explicit Error(const UnencodableText& text)
        : std::runtime_error(unencodableSentence(text)), kind_(ErrorKind::CodePage), unencodable_(text) {}
    ErrorKind kind() const { return kind_; }
    FileAction action() const { return action_; }
    const std::string& path() const { return path_; }
    // The system's reason, without a closing full stop.
    const std::string& reason() const { return reason_; }
    // The parts of an unencodable text; empty for every other error.
    const std::optional<UnencodableText>& unencodable() const { return unencodable_; }

private:
    ErrorKind kind_;
    FileAction action_ = FileAction::None;
    std::string path_;
    std::string reason_;
    std::optional<UnencodableText> unencodable_;
};

inline const char* fileActionText(FileAction action) {
    switch (action) {
        case FileAction::None: break;
        case FileAction::ReadFile: return "Cannot read the file";
        case FileAction::WriteFile: return "Cannot write the file";
        case FileAction::CreateFolder: return "Cannot create the folder";
        case FileAction::CopyFrom: return "Cannot copy the file";
        case FileAction::CopyTo: return "Cannot copy the file to";
        case FileAction::RemoveFile: return "Cannot delete the file";
        case FileAction::RemoveFolder: return "Cannot remove the folder";
        case FileAction::RenameFile: return "Cannot rename the file";
        case FileAction::ListFolder: return "Cannot list the folder";
        case FileAction::ReadEntry: return "Cannot read the entry";
        case FileAction::ReadCurrentFolder: return "Cannot read the current folder";
        case FileAction::ChangeFolder: return "Cannot change to the folder";
        case FileAction::CreateTemporaryFolder: return "Cannot create a temporary folder in";
    }
    return "";
}

}  // namespace platform
