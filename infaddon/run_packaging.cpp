#include "infaddon/run_packaging.h"

#include <initializer_list>

#include "infaddon/packaging_names.h"
#include "platform/ansi_text_file.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/process.h"

namespace infaddon {

namespace {

// Deletes the named files of the program folder in the order given, skipping
// the ones that are not there (a makecab that never ran leaves no setup.inf).
void deleteWorkFiles(const std::string& folder, std::initializer_list<std::string> names) {
    for (const std::string& name : names) {
        const std::string path = platform::joinPath(folder, name);
        if (platform::fileExists(path)) platform::deleteFile(path);
    }
}

// What the cabinet maker gave as its reasons for not making the cabinet:
// its report's "ERROR: " lines. Empty when it left no report or none
// (Windows' makecab writes no report when it fails).
std::string makecabReasons(const std::string& folder) {
    const std::string report = platform::joinPath(folder, kMakecabReportName);
    std::string reasons;
    try {
        if (!platform::fileExists(report)) return {};
        for (const std::string& line : platform::splitLines(platform::readTextFile(report)))
            if (line.rfind("ERROR: ", 0) == 0) reasons += (reasons.empty() ? "" : "\n") + line.substr(7);
    } catch (const platform::Error&) {
        return {};  // the report is only a help; its absence leaves the fixed message
    }
    return reasons;
}

void removeStagingFolder(const BuildState& state, shell::CommandRunner& runner) {
    const std::string removal = stagingFolderRemoval(state.StagingFolder);
    if (!removal.empty()) runner.runDetached(removal, platform::kHidden);
}

}  // namespace

std::string stagingFolderRemoval(const std::string& stagingFolder) {
    std::string folder = stagingFolder;
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    const std::string name = platform::baseName(folder);
    if (name.empty() || !platform::folderExists(folder)) return {};
    return "cmd /c rd /s /q .\\" + name;
}

PackagingOutcome RunPackaging(const BuildState& state, shell::PackageReplacement& package, shell::UserInterface& ui,
                              shell::CommandRunner& runner) {
    const std::string folder = platform::programFolder();
    const std::string& name = state.PackageName;
    const std::string entriesFile = "Entries_" + name + ".ini";
    const std::string infFile = name + ".inf";
    const std::string innerCabinet = name + ".cab";

    platform::setCurrentDirectory(folder);
    runner.runAndWait(kCabBatchFileName, platform::kMinimizedNoFocus);
    // A cabinet cut short (a full disk, a killed makecab) counts as not made.
    const std::string innerPath = platform::joinPath(folder, innerCabinet);
    if (!platform::fileExists(innerPath) || !shell::isCompleteCabinet(innerPath)) {
        const std::string reasons = makecabReasons(folder);
        // The reasons stand on lines of their own, which a language file's text cannot hold.
        ui.showMessage(reasons.empty() ? ui.messageText(shell::MessageKey::InfInnerCabinetMissing)
                                       : ui.text(shell::MessageKey::InnerCabinetNotMade,
                                                 {innerCabinet, "\n" + reasons + "\n"}));
        deleteWorkFiles(folder, {kMakecabInfName, kCabListFileName, kMakecabReportName, kCabBatchFileName,
                                 entriesFile, infFile, innerCabinet});
        removeStagingFolder(state, runner);
        return PackagingOutcome::InnerCabinetMissing;
    }

    deleteWorkFiles(folder, {kMakecabInfName, kMakecabReportName});
    // The removal runs while the package is made: that run never reads the staging folder.
    removeStagingFolder(state, runner);
    deleteWorkFiles(folder, {kCabListFileName, kCabBatchFileName});
    runner.runAndWait(kPackageBatchFileName, platform::kMinimizedNoFocus);
    platform::setCurrentDirectory(folder);
    deleteWorkFiles(folder, {kMakecabReportName, kMakecabInfName, entriesFile, infFile, innerCabinet,
                             kPackageBatchFileName, kPackageListFileName});
    if (package.commit(shell::isCompleteCabinet)) {
        ui.showMessage(ui.messageText(shell::MessageKey::InfPackageMade));
        return PackagingOutcome::PackageMade;
    }
    ui.showMessage(ui.messageText(shell::MessageKey::InfPackageMissing));
    return PackagingOutcome::PackageMissing;
}

}  // namespace infaddon
