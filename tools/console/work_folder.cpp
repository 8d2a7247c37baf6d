#include "tools/console/work_folder.h"

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "shell/error_text.h"

namespace console {

std::string absoluteFrom(const std::string& folder, const std::string& path) {
    return path.empty() || platform::isAbsolutePath(path) ? path : platform::joinPath(folder, path);
}

unsigned long workFolderOwner(const std::string& folderName, const std::string& prefix) {
    const std::string start = prefix + "-";
    if (folderName.compare(0, start.size(), start) != 0) return 0;
    const std::size_t digits = start.size();
    const std::size_t end = folderName.find('-', digits);
    if (end == std::string::npos || end == digits || end - digits > 10) return 0;
    const std::string owner = folderName.substr(digits, end - digits);
    if (owner.find_first_not_of("0123456789") != std::string::npos) return 0;
    return std::strtoul(owner.c_str(), nullptr, 10);
}

void removeStaleWorkFolders(const std::string& temporaryFolder, const std::string& prefix) {
    const platform::FolderListing listing = platform::listFolder(temporaryFolder);
    for (const std::string& name : listing.folders) {
        const unsigned long owner = workFolderOwner(name, prefix);
        if (owner == 0 || platform::processExists(owner)) continue;
        const std::string folder = platform::joinPath(temporaryFolder, name);
        // The owner's programs end with it, a moment after it: a removal
        // that meets one still writing is tried again.
        for (int attempt = 0;; ++attempt) {
            try {
                if (platform::folderExists(folder)) platform::removeFolderTree(folder);
                break;
            } catch (const platform::Error&) {
                if (attempt == 30) throw;
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
        }
    }
}

void runInWorkFolder(const std::string& prefix, const std::string& startFolder, shell::ToolCommandRunner& runner,
                     std::ostream& err, const ConsoleTexts& texts, const shell::MessageTexts& messages,
                     const std::function<void(const std::string& workFolder)>& build) {
    const std::string previousProgramFolder = platform::programFolder();
    std::string workFolder;
    try {
        workFolder = platform::makeTemporaryFolder(prefix + "-" + std::to_string(platform::currentProcessId()));
        try {
            removeStaleWorkFolders(platform::parentPath(workFolder), prefix);
        } catch (const platform::Error& e) {
            err << texts(ConsoleText::StaleWorkFolderNotRemoved, {shell::errorText(messages, e)}) << "\n";
        }
        // Interrupted (Ctrl+C, a kill that gives time), the program takes
        // its work folder along; only a hard kill leaves it to the next start.
        platform::removeOnInterrupt(workFolder);
        platform::setProgramFolder(workFolder);
        build(workFolder);
    } catch (const platform::Error& e) {
        err << shell::errorText(messages, e) << "\n";
    }

    // The build's last clean-up runs on its own; let it end before the
    // folder goes, and leave the folder before removing it.
    runner.waitForDetached();
    platform::setProgramFolder(previousProgramFolder);
    try {
        platform::setCurrentDirectory(startFolder);
        if (!workFolder.empty()) platform::removeFolderTree(workFolder);
    } catch (const platform::Error& e) {
        err << texts(ConsoleText::WorkFolderNotRemoved, {workFolder, shell::errorText(messages, e)}) << "\n";
    }
    if (!workFolder.empty()) platform::keepOnInterrupt(workFolder);
}

}  // namespace console
