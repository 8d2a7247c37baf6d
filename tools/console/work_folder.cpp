#include "tools/console/work_folder.h"

#include "platform/error.h"
#include "platform/file_system.h"

namespace console {

std::string absoluteFrom(const std::string& folder, const std::string& path) {
    return path.empty() || platform::isAbsolutePath(path) ? path : platform::joinPath(folder, path);
}

void runInWorkFolder(const std::string& prefix, const std::string& startFolder, shell::ToolCommandRunner& runner,
                     std::ostream& err, const std::function<void(const std::string& workFolder)>& build) {
    const std::string previousProgramFolder = platform::programFolder();
    std::string workFolder;
    try {
        workFolder = platform::makeTemporaryFolder(prefix);
        platform::setProgramFolder(workFolder);
        build(workFolder);
    } catch (const platform::Error& e) {
        err << e.what() << "\n";
    }

    // The build's last clean-up runs on its own; let it end before the
    // folder goes, and leave the folder before removing it.
    runner.waitForDetached();
    platform::setProgramFolder(previousProgramFolder);
    try {
        platform::setCurrentDirectory(startFolder);
        if (!workFolder.empty()) platform::removeFolderTree(workFolder);
    } catch (const platform::Error& e) {
        err << "The work folder " << workFolder << " could not be removed: " << e.what() << "\n";
    }
}

}  // namespace console
