#include "shell/error_text.h"

#include "shell/build_step.h"

namespace shell {

std::optional<MessageKey> fileActionMessage(platform::FileAction action) {
    using platform::FileAction;
    switch (action) {
        case FileAction::None: break;
        case FileAction::ReadFile: return MessageKey::FileCannotRead;
        case FileAction::WriteFile: return MessageKey::FileCannotWrite;
        case FileAction::CreateFolder: return MessageKey::FolderCannotCreate;
        case FileAction::CopyFrom: return MessageKey::FileCannotCopy;
        case FileAction::CopyTo: return MessageKey::FileCannotCopyTo;
        case FileAction::RemoveFile: return MessageKey::FileCannotDelete;
        case FileAction::RemoveFolder: return MessageKey::FolderCannotRemove;
        case FileAction::RenameFile: return MessageKey::FileCannotRename;
        case FileAction::ListFolder: return MessageKey::FolderCannotList;
        case FileAction::ReadEntry: return MessageKey::EntryCannotRead;
        case FileAction::ReadCurrentFolder: return MessageKey::CurrentFolderCannotRead;
        case FileAction::ChangeFolder: return MessageKey::FolderCannotEnter;
        case FileAction::CreateTemporaryFolder: return MessageKey::TemporaryFolderCannotCreate;
    }
    return std::nullopt;
}

namespace {

std::string errorText(const MessageTexts& texts, const platform::Error& error) {
    if (const auto& text = error.unencodable())
        return texts.text(MessageKey::TextNotInCodePage, {text->excerpt, text->character, std::to_string(text->codePage)});
    const std::optional<MessageKey> key = fileActionMessage(error.action());
    if (!key) return error.what();
    return texts.text(*key, {error.path(), error.reason()});
}

}  // namespace

std::string errorText(const MessageTexts& texts, const std::exception& failure) {
    if (const auto* error = dynamic_cast<const platform::Error*>(&failure)) return errorText(texts, *error);
    if (const auto* step = dynamic_cast<const StepFailure*>(&failure))
        if (step->cause()) return errorText(texts, *step->cause());
    return failure.what();
}

}  // namespace shell
