#include "t13addon/seven_zip_search.h"

#include "platform/file_system.h"
#include "platform/host.h"
#include "platform/process.h"
#include "platform/seven_zip_location.h"

namespace t13addon {

SevenZipSearch findSevenZip() {
    SevenZipSearch search;
    const std::string programFolder = platform::programFolder();
    for (const auto& folder : platform::ownToolFolders()) {
        if (platform::findProgram(platform::joinPath(folder, "7z.exe"), {}).empty()) continue;
        search.found = true;
        // cmd looks in the program folder (its current folder) by itself.
        if (folder != programFolder) {
            search.searchFolder = folder;
            search.searchFolderFirst = true;
        }
        return search;
    }
    // On PATH, cmd finds it without help.
    for (const auto& folder : platform::searchPathFolders()) {
        if (!platform::findProgram(platform::joinPath(folder, "7z.exe"), {}).empty()) {
            search.found = true;
            return search;
        }
    }
    // 7-Zip's installer records its folder instead of putting it on PATH.
    for (const auto& folder : platform::installedSevenZipFolders()) {
        if (!platform::findProgram(platform::joinPath(folder, "7z.exe"), {}).empty()) {
            search.found = true;
            search.searchFolder = folder;
            return search;
        }
    }
    return search;
}

std::string sevenZipMissingMessage(const std::string& appDir, const shell::MessageTexts& texts) {
    // Windows records an installed 7-Zip in the registry; other systems install it as a package.
    return texts.text(platform::kWindowsHost ? shell::MessageKey::SevenZipMissingWindows
                                             : shell::MessageKey::SevenZipMissing,
                      {appDir});
}

}  // namespace t13addon
