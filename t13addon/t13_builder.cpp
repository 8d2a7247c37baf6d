#include "t13addon/t13_builder.h"

#include "shell/file_choice.h"

namespace t13addon {

namespace {

template <typename List>
void eraseAt(List& list, std::size_t index) {
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace

void addPackItems(T13Builder& builder, shell::UserInterface& ui) {
    if (builder.addKind == PackItemKind::Folder) {
        const std::string folder = ui.browseForFolder(ui.messageText(shell::MessageKey::T13FolderPrompt));
        if (!folder.empty()) builder.packItems.push_back(folder + kFolderContents);
        return;
    }
    const shell::DlgFileInfo files = shell::chooseFiles(ui);
    for (int i = 1; i <= files.count; ++i) builder.packItems.push_back(files.folder + files.names[static_cast<std::size_t>(i)]);
}

void addRunCommand(T13Builder& builder, shell::UserInterface&) {
    builder.runCommands.push_back(builder.runCommandText);
    builder.runCommandText.clear();
}

void deleteT13Entry(T13Builder& builder, shell::UserInterface&, std::optional<std::size_t> selectedItem,
                    std::optional<std::size_t> selectedCommand) {
    if (selectedItem && *selectedItem < builder.packItems.size()) eraseAt(builder.packItems, *selectedItem);
    else if (selectedCommand && *selectedCommand < builder.runCommands.size())
        eraseAt(builder.runCommands, *selectedCommand);
}

}  // namespace t13addon
