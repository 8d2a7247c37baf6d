#include "t13addon/generate_t13_addon.h"

#include <optional>

#include "platform/ansi_text_file.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "shell/config_utf8.h"
#include "shell/package_name_rule.h"
#include "shell/package_path_choice.h"
#include "shell/set_aside_file.h"
#include "t13addon/seven_zip_search.h"
#include "t13addon/sfx_config.h"
#include "t13addon/t13_batch_file.h"
#include "t13addon/t13_entries_file.h"
#include "t13addon/t13_messages.h"

namespace t13addon {

namespace {

const char* const kRemoveWorkFolder = "cmd /c rd /s /q .\\SVCPACK";

[[noreturn]] void fail(const std::string& message) { throw platform::Error(platform::ErrorKind::FileNotFound, message); }

std::string sfxModuleMissingMessage(const std::string& appDir) {
    return "The self-extractor module " + std::string(kSfxModuleName) + " is not in the program folder " + appDir +
           ". Put the modified 7-Zip SFX module (7zSD.sfx by Oleg Scherbakov, renamed to 7zs.sfx; see README) "
           "there, then generate again.";
}

T13AddonSettings readSettings(const T13Builder& w) {
    T13AddonSettings s;
    s.PackageName = w.packageNameText;
    s.PackageVersion = w.versionText;
    s.ExtractPath = w.extractPathText;
    s.PackItems = w.packItems;
    s.RunCommands = w.runCommands;
    s.integrator = w.integrator;
    s.StoreOnly = w.storeOnly;
    return s;
}

void deleteIfExists(const std::string& path) {
    if (platform::fileExists(path)) platform::deleteFile(path);
}

// After the batch: the new package counts only when its installer was made.
// A package without one is removed; an old file set aside comes back unless
// a new package took its place. True when a new package is at the path.
bool settleOutput(const std::string& outputPath, bool installerMade, std::optional<shell::SetAsideFile>& aside) {
    const bool outputMade = platform::fileExists(outputPath);
    if (outputMade && installerMade) {
        if (aside) aside->drop();
        return true;
    }
    if (outputMade) platform::deleteFile(outputPath);
    if (aside) aside->restore();
    return false;
}

// The work between the busy bracket's two ends (steps that write, run and
// clean up). True when a new package was made; an old file kept at the path
// does not count. Throws platform::Error at the first step that fails.
bool buildPackage(T13Builder& window, const T13AddonSettings& s, const SevenZipSearch& sevenZip,
                  shell::CommandRunner& runner, const std::string& programFolder, const std::string& appDir) {
    platform::setCurrentDirectory(programFolder);
    if (platform::folderExists(platform::joinPath(programFolder, kWorkFolderName)))
        runner.runAndWait(kRemoveWorkFolder, platform::kHidden);
    platform::createFolder(appDir + kWorkFolderName + "\\");
    const std::string configPath = platform::joinPath(programFolder, kSfxConfigFileName);
    deleteIfExists(configPath);
    // 7z's "a" adds to an archive that is already there: a temp.7z left by a
    // run that stopped halfway would put its items into this installer too.
    const std::string tempArchive = appDir + kTempArchiveName;
    deleteIfExists(tempArchive);

    const std::string entriesPath = appDir + kT13EntriesFileName;
    const std::string batchPath = appDir + kT13BatchFileName;
    platform::writeAnsiFile(entriesPath, T13EntriesText(s, platform::todayShortDate()));
    // The window keeps the path as typed; only the written line doubles its backslashes.
    platform::writeAnsiFile(configPath, SfxConfigText(s.ExtractPath, s.RunCommands));
    shell::ConvertConfigToUtf8();
    platform::writeAnsiFile(batchPath, T13BatchText(s, sevenZip.searchFolder, sevenZip.searchFolderFirst));

    platform::setCurrentDirectory(programFolder);
    std::optional<shell::SetAsideFile> aside;
    if (platform::fileExists(s.OutputPath)) aside.emplace(s.OutputPath);
    runner.runAndWait(kT13BatchFileName, platform::kHidden);

    const std::string installer = appDir + installerPath(s.PackageName);
    const bool archiveMade = platform::fileExists(tempArchive);
    const bool installerMade = archiveMade && platform::fileExists(installer);
    const bool made = settleOutput(s.OutputPath, installerMade, aside);

    platform::deleteFile(entriesPath);
    platform::deleteFile(batchPath);
    if (!archiveMade)
        fail("7z did not make " + tempArchive + " from the items to pack, so no package was made. Check that 7z "
             "runs from a command prompt in " + appDir + " and that every item to pack can be read.");
    platform::deleteFile(tempArchive);
    if (!installerMade)
        fail("copy /b did not make the installer " + installer + " from " + kSfxModuleName +
             ", config.txt and temp.7z, so no package was made. Check that " + appDir + kSfxModuleName +
             " can be read and that the folder has room.");
    runner.runDetached(kRemoveWorkFolder, platform::kMinimizedFocus);
    deleteIfExists(configPath);

    window.packageNameText.clear();
    window.versionText.clear();
    window.extractPathText.clear();
    window.packItems.clear();
    window.runCommands.clear();
    return made;
}

}  // namespace

std::string AppDirOf(const std::string& programFolder) {
    if (!programFolder.empty() && (programFolder.back() == '\\' || programFolder.back() == '/')) return programFolder;
    return programFolder + "\\";
}

std::string DefaultPackageFileName(const std::string& name, const std::string& version) {
    return name + "_" + version + "_Addon.7z";
}

shell::GenerateOutcome GenerateT13Addon(T13Builder& window, shell::UserInterface& ui,
                                        shell::CommandRunner& runner, const std::string& overwriteQuestion) {
    try {
        const std::string programFolder = platform::programFolder();
        platform::setCurrentDirectory(programFolder);
        if (window.packageNameText.empty()) {
            ui.showMessage(kNoNameMessage);
            return T13Outcome::Refused;
        }
        if (window.versionText.empty()) {
            ui.showMessage(kNoVersionMessage);
            return T13Outcome::Refused;
        }
        const std::string appDir = AppDirOf(programFolder);
        if (window.packItems.empty()) {
            ui.showMessage(kNoItemsMessage);
            return T13Outcome::Refused;
        }
        if (const auto problem = shell::packageNameProblem(window.packageNameText)) {
            ui.showMessage(*problem, {}, shell::MessageIcon::Stop);
            return T13Outcome::Refused;
        }
        // The batch interpreter takes a "7zS.sfx" for "7zs.sfx", as Windows does.
        if (!platform::fileExists(platform::resolveLetterCase(appDir + kSfxModuleName))) {
            ui.showMessage(sfxModuleMissingMessage(appDir), {}, shell::MessageIcon::Stop);
            return T13Outcome::Refused;
        }
        const SevenZipSearch sevenZip = findSevenZip();
        if (!sevenZip.found) {
            ui.showMessage(sevenZipMissingMessage(appDir), {}, shell::MessageIcon::Stop);
            return T13Outcome::Refused;
        }

        T13AddonSettings settings = readSettings(window);
        const std::optional<std::string> chosen = shell::ChoosePackagePath(
            ui, kPackageFilter, DefaultPackageFileName(settings.PackageName, settings.PackageVersion),
            overwriteQuestion);
        if (!chosen) return T13Outcome::Cancelled;
        settings.OutputPath = *chosen;

        bool made = false;
        {
            shell::BusyBracket busy(ui);
            made = buildPackage(window, settings, sevenZip, runner, programFolder, appDir);
        }
        if (made) ui.showMessage(kSuccessMessage, kSuccessTitle);
        else ui.showMessage(kFailureMessage, kFailureTitle);
        platform::setCurrentDirectory(programFolder);
        return made ? T13Outcome::Made : T13Outcome::NotMade;
    } catch (const platform::Error& e) {
        ui.showMessage(std::string("The T13 package was not made. ") + e.what(), kFailureTitle,
                       shell::MessageIcon::Stop);
        return T13Outcome::Failed;
    }
}

}  // namespace t13addon
