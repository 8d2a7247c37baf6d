#include "t13addon/pack_item_checks.h"

#include "platform/error.h"
#include "platform/file_system.h"

namespace t13addon {

namespace {

[[noreturn]] void refuse(platform::ErrorKind kind, const std::string& message) { throw platform::Error(kind, message); }

// A folder item is written "folder\*"; 7z also takes a bare folder path.
bool folderOfItem(const std::string& item, std::string& folder) {
    if (item.size() >= 2 && item.back() == '*' && (item[item.size() - 2] == '\\' || item[item.size() - 2] == '/')) {
        folder = item.substr(0, item.size() - 2);
        return true;
    }
    if (platform::folderExists(item)) {
        folder = item;
        return true;
    }
    return false;
}

// Opens every file below `folder`: a file 7z could not read fails here.
void checkReadable(const std::string& folder) {
    const platform::FolderListing listing = platform::listFolder(folder);
    for (const std::string& name : listing.files) platform::readFileHead(platform::joinPath(folder, name), 1);
    for (const std::string& name : listing.folders) checkReadable(platform::joinPath(folder, name));
}

}  // namespace

void checkPackItems(const std::vector<std::string>& items, const std::string& outputPath,
                    const shell::MessageTexts& texts) {
    using shell::MessageKey;
    for (const std::string& item : items) {
        std::string folder;
        if (folderOfItem(item, folder)) {
            if (!platform::folderExists(folder))
                refuse(platform::ErrorKind::FileNotFound, texts.text(MessageKey::ItemFolderMissing, {folder, item}));
            if (platform::isWithinFolder(outputPath, folder))
                refuse(platform::ErrorKind::BadInput,
                       texts.text(MessageKey::PackageInItemFolder, {outputPath, folder, item}));
            checkReadable(folder);
            continue;
        }
        if (item.find_first_of("*?") != std::string::npos) continue;  // a pattern: 7z resolves it
        if (!platform::fileExists(item))
            refuse(platform::ErrorKind::FileNotFound, texts.text(MessageKey::ItemMissing, {item}));
        if (platform::samePath(item, outputPath))
            refuse(platform::ErrorKind::BadInput, texts.text(MessageKey::PackageIsItem, {outputPath}));
        platform::readFileHead(item, 1);
    }
}

}  // namespace t13addon
