#include "t13addon/generate_t13_addon.h"

#include <optional>
#include <string>
#include <vector>

#include "platform/ansi_text_file.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "shell/build_step.h"
#include "shell/config_utf8.h"
#include "shell/package_name_rule.h"
#include "shell/package_path_choice.h"
#include "shell/package_replacement.h"
#include "shell/package_text_file.h"
#include "shell/stale_work_files.h"
#include "shell/tool_route.h"
#include "shell/typed_text_rules.h"
#include "t13addon/pack_item_checks.h"
#include "t13addon/seven_zip_search.h"
#include "t13addon/sfx_config.h"
#include "t13addon/t13_batch_file.h"
#include "t13addon/t13_entries_file.h"
#include "shell/error_text.h"

namespace t13addon {

namespace {

const char* const kRemoveWorkFolder = "cmd /c rd /s /q .\\SVCPACK";

std::string replaceBlanks(std::string text) {
    for (char& c : text)
        if (c == ' ') c = '_';
    return text;
}

using shell::MessageKey;

std::string sfxModuleMissingMessage(const std::string& appDir, const shell::MessageTexts& texts) {
    return texts.text(MessageKey::SfxModuleMissing, {kSfxModuleName, appDir});
}

// What Generate refuses in the window's fields beyond the name rule, checked
// before anything is written; nothing when all can be used.
std::optional<std::string> fieldProblem(const T13Builder& w, const std::string& appDir,
                                        const shell::MessageTexts& texts) {
    // The installer's name goes unquoted into SVCPACK.INF's [SetupHotfixesToRun]
    // through the entries file; setup runs that line as a command line and
    // splits it at a blank. Quotes there would be read first by the
    // integrator and then by setup's INF reader, neither of which is known
    // to keep them, so a name with blanks is refused.
    if (w.packageNameText.find(' ') != std::string::npos)
        return texts.text(MessageKey::NameHoldsBlank, {w.packageNameText, replaceBlanks(w.packageNameText)});
    if (auto problem = shell::oneLineFieldProblem(MessageKey::FieldVersion, w.versionText, texts)) return problem;
    if (auto problem = shell::oneLineFieldProblem(MessageKey::FieldExtractPath, w.extractPathText, texts))
        return problem;
    for (const auto& command : w.runCommands)
        if (auto problem = shell::oneLineFieldProblem(MessageKey::FieldRunCommand, command, texts)) return problem;
    const std::vector<std::string> workFiles = {kT13EntriesFileName, kSfxConfigFileName, kTempArchiveName,
                                                kT13BatchFileName};
    for (const auto& item : w.packItems) {
        if (auto problem = shell::oneLineFieldProblem(MessageKey::FieldPackItem, item, texts)) return problem;
        if (item.find('"') != std::string::npos) return texts.text(MessageKey::ItemHoldsQuote, {item});
        // The builder writes and deletes these in the program folder: a user's
        // file of that name there would be overwritten before it is packed.
        for (const auto& name : workFiles)
            if (platform::sameFile(item, appDir + name))
                return texts.text(MessageKey::ItemIsWorkFile, {item, name});
    }
    return std::nullopt;
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

// The configuration in the ANSI code page, for ConvertConfigToUtf8 to make
// UTF-8 of; where that code page cannot hold it (the fixed Chinese texts on
// most systems), as the UTF-8 that conversion would give.
void WriteSfxConfig(const std::string& path, const std::string& text) {
    if (platform::canEncode(platform::ansiCodePage(), text)) platform::writeAnsiFile(path, text);
    else platform::writeFileAtomic(path, std::string(platform::kUtf8Bom) + text);
}

using shell::runStep;
using shell::StepFailure;

// How far a build got, for a true account when a step fails.
struct BuildProgress {
    bool packageMade = false;
    bool oldPackage = false;
};

std::string failureMessage(const StepFailure& failure, const BuildProgress& progress, const std::string& outputPath,
                           const shell::MessageTexts& texts) {
    if (progress.packageMade)
        return texts.text(MessageKey::T13MadeThenFailed, {outputPath, failure.step(), shell::errorText(texts, failure)});
    if (progress.oldPackage && platform::fileExists(outputPath))
        return texts.text(MessageKey::T13StepFailedOldKept, {failure.step(), shell::errorText(texts, failure), outputPath});
    return texts.text(MessageKey::T13StepFailed, {failure.step(), shell::errorText(texts, failure)});
}

// The work between the busy bracket's two ends (steps that write, run and
// clean up). True when a new package was made; an old file kept at the path
// does not count. Throws StepFailure naming the first step that fails.
bool buildPackage(T13Builder& window, const T13AddonSettings& s, const SevenZipSearch& sevenZip,
                  shell::CommandRunner& runner, const std::string& programFolder, const std::string& appDir,
                  BuildProgress& done, const shell::MessageTexts& texts) {
    const std::string workFolder = appDir + kWorkFolderName;
    // Each step is named in the user's language, with its path or file.
    const auto step = [&texts](MessageKey key, const std::vector<std::string>& values = {}) {
        return texts.text(key, values);
    };
    // 7z leaves out what it cannot read with a mere warning: nothing is
    // written before every item is known to be there and readable.
    runStep(step(MessageKey::StepCheckItems), [&] { checkPackItems(s.PackItems, s.OutputPath, texts); });
    // Before anything is written: the entries file must fit the package's
    // code page, and the batch file's route must have its interpreter.
    std::string entriesText, batchText;
    const shell::SystemCodePages pages = shell::systemCodePages();
    const shell::ToolRoute route = runStep(step(MessageKey::StepCheckTexts), [&] {
        entriesText = t13EntriesText(s, platform::todayShortDate());
        batchText = t13BatchText(s, sevenZip.searchFolder, sevenZip.searchFolderFirst);
        shell::checkPackageText(kT13EntriesFileName, entriesText, texts);
        const shell::ToolRoute chosen = shell::chooseToolRoute(pages, {{}, {batchText}, {}});
        if (const auto missing = shell::missingOwnTools(chosen, {"tolvane-cmd"}, texts))
            throw platform::Error(platform::ErrorKind::FileNotFound, *missing);
        return chosen;
    });
    // What a build killed before left goes first; this build's marker then
    // names what this one makes, for the next start should it be killed too.
    runStep(step(MessageKey::StepRemoveStaleWorkFiles, {programFolder}),
            [&] { shell::removeStaleWorkFiles(programFolder); });
    std::optional<shell::BuildMarker> marker;
    runStep(step(MessageKey::StepWriteBuildMarker, {shell::kBuildMarkerName, programFolder}), [&] {
        marker.emplace(programFolder);
        marker->recordWorkNames(
            {kWorkFolderName, kSfxConfigFileName, kTempArchiveName, kT13EntriesFileName, kT13BatchFileName});
    });
    runStep(step(MessageKey::StepEnterProgramFolder, {programFolder}),
            [&] { platform::setCurrentDirectory(programFolder); });
    if (platform::folderExists(platform::joinPath(programFolder, kWorkFolderName)))
        runStep(step(MessageKey::StepRemoveOldWorkFolder, {workFolder}), [&] { runner.runAndWait(kRemoveWorkFolder, platform::kHidden); });
    runStep(step(MessageKey::StepCreateWorkFolder, {workFolder}), [&] { platform::createFolder(workFolder + "\\"); });
    const std::string configPath = platform::joinPath(programFolder, kSfxConfigFileName);
    runStep(step(MessageKey::StepDeleteOld, {configPath}), [&] { deleteIfExists(configPath); });
    // 7z's "a" adds to an archive that is already there: a temp.7z left by a
    // run that stopped halfway would put its items into this installer too.
    const std::string tempArchive = appDir + kTempArchiveName;
    runStep(step(MessageKey::StepDeleteOld, {tempArchive}), [&] { deleteIfExists(tempArchive); });

    const std::string entriesPath = appDir + kT13EntriesFileName;
    const std::string batchPath = appDir + kT13BatchFileName;
    runStep(step(MessageKey::StepWrite, {entriesPath}), [&] { shell::writePackageTextFile(entriesPath, entriesText); });
    // The window keeps the path as typed; only the written line doubles its backslashes.
    runStep(step(MessageKey::StepWrite, {configPath}), [&] { WriteSfxConfig(configPath, sfxConfigText(s.ExtractPath, s.RunCommands)); });
    runStep(step(MessageKey::StepRewriteUtf8, {configPath}), [&] { shell::ConvertConfigToUtf8(texts); });
    // 7z writes the package beside its path, into a fresh archive: the old
    // package stays at the path until the new one is whole, and none of its
    // content finds its way into the new one.
    done.oldPackage = platform::fileExists(s.OutputPath);
    std::optional<shell::PackageReplacement> package;
    runStep(step(MessageKey::StepRemoveUnfinished, {s.OutputPath}), [&] {
        package.emplace(s.OutputPath);
        marker->recordPackage(package->buildPath());
    });
    T13AddonSettings batchSettings = s;
    batchSettings.OutputPath = package->buildPath();
    runStep(step(MessageKey::StepWrite, {batchPath}), [&] {
        platform::writeFileAtomic(
            batchPath, shell::workFileBytes(route, pages.oem,
                                            t13BatchText(batchSettings, sevenZip.searchFolder, sevenZip.searchFolderFirst)));
    });

    runStep(step(MessageKey::StepEnterProgramFolder, {programFolder}),
            [&] { platform::setCurrentDirectory(programFolder); });
    // The batch ends with 7z's status at the first 7z line that warns or
    // fails (an item it could not read is left out with a mere warning).
    const int batchStatus =
        runStep(step(MessageKey::StepRun, {batchPath}), [&] { return runner.runAndWait(kT13BatchFileName, platform::kHidden); });

    const std::string installer = appDir + installerPath(s.PackageName);
    const bool archiveMade = platform::fileExists(tempArchive);
    const bool everyItemPacked = archiveMade && batchStatus == 0;
    const bool installerMade = everyItemPacked && platform::fileExists(installer);
    const bool made = runStep(step(MessageKey::StepReplacePackage, {s.OutputPath}),
                              [&] { return installerMade && package->commit(shell::isComplete7zArchive); });
    done.packageMade = made;

    runStep(step(MessageKey::StepDelete, {entriesPath}), [&] { platform::deleteFile(entriesPath); });
    runStep(step(MessageKey::StepDelete, {batchPath}), [&] { platform::deleteFile(batchPath); });
    if (!archiveMade)
        throw StepFailure(step(MessageKey::StepPackItems, {tempArchive}),
                          texts.text(MessageKey::SevenZipNoArchive, {tempArchive, appDir}));
    runStep(step(MessageKey::StepDelete, {tempArchive}), [&] { platform::deleteFile(tempArchive); });
    const auto removeWorkFolderAndConfig = [&] {
        runStep(step(MessageKey::StepRemoveWorkFolder, {workFolder}),
                [&] { runner.runDetached(kRemoveWorkFolder, platform::kMinimizedFocus); });
        runStep(step(MessageKey::StepDelete, {configPath}), [&] { deleteIfExists(configPath); });
    };
    if (!everyItemPacked) {
        removeWorkFolderAndConfig();
        throw StepFailure(step(MessageKey::StepPackWithSevenZip, {batchPath, std::to_string(batchStatus)}),
                          texts.text(MessageKey::SevenZipLeftItemsOut));
    }
    if (!installerMade)
        throw StepFailure(step(MessageKey::StepJoinInstaller, {installer}),
                          texts.text(MessageKey::CopyNoInstaller, {kSfxModuleName, appDir + kSfxModuleName}));
    removeWorkFolderAndConfig();

    window.packageNameText.clear();
    window.versionText.clear();
    window.extractPathText.clear();
    window.packItems.clear();
    window.runCommands.clear();
    return made;
}

}  // namespace

std::string appDirOf(const std::string& programFolder) {
    if (!programFolder.empty() && (programFolder.back() == '\\' || programFolder.back() == '/')) return programFolder;
    return programFolder + "\\";
}

std::string defaultPackageFileName(const std::string& name, const std::string& version) {
    return name + "_" + version + "_Addon.7z";
}

shell::GenerateOutcome GenerateT13Addon(T13Builder& window, shell::UserInterface& ui,
                                        shell::CommandRunner& runner, const std::string& overwriteQuestion) {
    try {
        const std::string programFolder = platform::programFolder();
        platform::setCurrentDirectory(programFolder);
        if (window.packageNameText.empty()) {
            ui.showMessage(ui.messageText(shell::MessageKey::T13NoName));
            return shell::GenerateOutcome::Refused;
        }
        if (window.versionText.empty()) {
            ui.showMessage(ui.messageText(shell::MessageKey::T13NoVersion));
            return shell::GenerateOutcome::Refused;
        }
        const std::string appDir = appDirOf(programFolder);
        if (window.packItems.empty()) {
            ui.showMessage(ui.messageText(shell::MessageKey::T13NoItems));
            return shell::GenerateOutcome::Refused;
        }
        if (const auto problem = shell::packageNameProblem(window.packageNameText, ui)) {
            ui.showMessage(*problem, {}, shell::MessageIcon::Stop);
            return shell::GenerateOutcome::Refused;
        }
        if (const auto problem = fieldProblem(window, appDir, ui)) {
            ui.showMessage(*problem, {}, shell::MessageIcon::Stop);
            return shell::GenerateOutcome::Refused;
        }
        // The batch interpreter takes a "7zS.sfx" for "7zs.sfx", as Windows does.
        if (!platform::fileExists(platform::resolveLetterCase(appDir + kSfxModuleName))) {
            ui.showMessage(sfxModuleMissingMessage(appDir, ui), {}, shell::MessageIcon::Stop);
            return shell::GenerateOutcome::Refused;
        }
        const SevenZipSearch sevenZip = findSevenZip();
        if (!sevenZip.found) {
            ui.showMessage(sevenZipMissingMessage(appDir, ui), {}, shell::MessageIcon::Stop);
            return shell::GenerateOutcome::Refused;
        }

        T13AddonSettings settings = readSettings(window);
        const std::optional<std::string> chosen = shell::choosePackagePath(
            ui, ui.messageText(shell::MessageKey::T13PackageFilter), defaultPackageFileName(settings.PackageName, settings.PackageVersion),
            overwriteQuestion);
        if (!chosen) return shell::GenerateOutcome::Cancelled;
        settings.OutputPath = *chosen;
        if (const auto problem = shell::packagePathProblem(settings.OutputPath, false, ui)) {
            ui.showMessage(*problem, {}, shell::MessageIcon::Stop);
            return shell::GenerateOutcome::Refused;
        }

        bool made = false;
        BuildProgress done;
        try {
            shell::BusyBracket busy(ui);
            made = buildPackage(window, settings, sevenZip, runner, programFolder, appDir, done, ui);
        } catch (const StepFailure& failure) {
            // The bracket has ended; an old package is still at its path unless a new one replaced it.
            ui.showMessage(failureMessage(failure, done, settings.OutputPath, ui), ui.messageText(shell::MessageKey::T13FailureTitle),
                            shell::MessageIcon::Stop);
            platform::setCurrentDirectory(programFolder);
            return shell::GenerateOutcome::Failed;
        }
        if (made) ui.showMessage(ui.messageText(shell::MessageKey::T13Success), ui.messageText(shell::MessageKey::T13SuccessTitle));
        else ui.showMessage(ui.messageText(shell::MessageKey::T13Failure), ui.messageText(shell::MessageKey::T13FailureTitle));
        platform::setCurrentDirectory(programFolder);
        return made ? shell::GenerateOutcome::Made : shell::GenerateOutcome::NotMade;
    } catch (const platform::Error& e) {
        ui.showMessage(ui.text(MessageKey::T13Stopped, {shell::errorText(ui, e)}), ui.messageText(shell::MessageKey::T13FailureTitle),
                       shell::MessageIcon::Stop);
        return shell::GenerateOutcome::Failed;
    }
}

}  // namespace t13addon
