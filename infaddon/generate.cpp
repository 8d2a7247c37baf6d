#include "infaddon/generate.h"

#include <optional>
#include <vector>

#include "infaddon/build_checks.h"
#include "infaddon/entries_file.h"
#include "infaddon/extra_files.h"
#include "infaddon/inf_writer.h"
#include "infaddon/package_directives.h"
#include "infaddon/packaging_names.h"
#include "infaddon/project_checks.h"
#include "infaddon/registry_import.h"
#include "infaddon/run_packaging.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "shell/build_step.h"
#include "shell/package_name_rule.h"
#include "shell/package_path_choice.h"
#include "shell/package_replacement.h"
#include "shell/package_text_file.h"
#include "shell/stale_work_files.h"
#include "shell/tool_route.h"
#include "shell/typed_text_rules.h"
#include "shell/error_text.h"

namespace infaddon {

namespace {

using shell::MessageKey;
using shell::runStep;
using shell::StepFailure;

// How far a build got, for a true account when a step fails: whether this
// build's package is at the chosen path, and whether an old one was there.
// The old package stays at its path until a whole new one replaces it.
struct BuildProgress {
    bool packageMade = false;
    bool oldPackage = false;
};

// The message of a failed step. It says whether a package is at the path:
// this build's (made before the failure), or the old one, unchanged.
std::string failureMessage(const StepFailure& failure, const BuildProgress& progress, const std::string& targetPath,
                           const shell::MessageTexts& texts) {
    if (progress.packageMade)
        return texts.text(MessageKey::InfMadeThenFailed, {targetPath, failure.step(), shell::errorText(texts, failure)});
    if (progress.oldPackage && platform::fileExists(targetPath))
        return texts.text(MessageKey::InfStepFailedOldKept, {failure.step(), shell::errorText(texts, failure), targetPath});
    return texts.text(MessageKey::InfStepFailed, {failure.step(), shell::errorText(texts, failure)});
}

std::optional<shell::MessageKey> firstCheckMessage(const AddonProject& project) {
    if (project.SourceFolders.empty() || project.SourceFolders.front().folder.empty())
        return shell::MessageKey::InfNoSourceFolder;
    if (project.PackageName.empty()) return shell::MessageKey::InfNoName;
    if (project.PackageVersion.empty()) return shell::MessageKey::InfNoVersion;
    return std::nullopt;
}

// Before anything is written: the package's texts must fit its code page
// (the error names the file and the line), and the work files' route must
// have its tools. Returns the route.
shell::ToolRoute checkBeforeWriting(const AddonProject& project, BuildState& state, const std::string& programFolder,
                                    const std::string& targetPath, const shell::MessageTexts& texts) {
    shell::checkPackageText(state.PackageName + ".inf",
                            infFileText(project, state, deriveDeleteRegistryLines(state.RegistryLines)), texts);
    shell::checkPackageText("Entries_" + state.PackageName + ".ini",
                            entriesFileText(project, state, platform::todayShortDate()), texts);
    state.StagingFolder = nextStagingFolder(programFolder);  // where the directive list will name the files
    const shell::ToolRoute route =
        shell::chooseToolRoute(shell::systemCodePages(), packagingWorkTexts(project, state, targetPath));
    if (const auto missing = shell::missingOwnTools(route, {"tolvane-cmd", "makecab"}, texts))
        throw platform::Error(platform::ErrorKind::FileNotFound, *missing);
    return route;
}

// The work files of a build of `packageName` in the program folder, as the
// build marker records them (the staging folder and the extra files' copies
// are recorded when they are known).
std::vector<std::string> workFileNames(const std::string& packageName) {
    return {kConverterOutputName, packageName + ".inf", "Entries_" + packageName + ".ini", packageName + ".cab",
            kCabListFileName,     kCabBatchFileName,    kPackageListFileName,                kPackageBatchFileName,
            kMakecabInfName,      kMakecabReportName};
}

// The build proper, between the busy bracket's two ends: from the reset at
// the start to the removal of the extra files.
PackagingOutcome buildPackage(AddonProject& project, BuildState& state, shell::UserInterface& ui,
                              shell::CommandRunner& runner, const std::string& targetPath,
                              const ScanProgress& progress, BuildProgress& done) {
    state.resetAtStart();
    // makecab reports nothing when it cannot write the package, and the build
    // would end as "not made" with the project's folders emptied; a missing
    // folder is told here instead, with everything the user entered kept.
    const std::string targetFolder = platform::parentPath(targetPath);
    // Each step is named in the user's language, with its path or file.
    const auto step = [&ui](MessageKey key, const std::vector<std::string>& values = {}) { return ui.text(key, values); };
    runStep(step(MessageKey::StepWritePackageFolder, {targetFolder}), [&] {
        if (!targetFolder.empty() && !platform::folderExists(targetFolder))
            throw platform::Error(platform::ErrorKind::FileNotFound, ui.text(MessageKey::PackageFolderMissing));
    });
    // What a build killed before left goes first; this build's marker then
    // names what this one makes, for the next start should it be killed too.
    const std::string programFolder = platform::programFolder();
    runStep(step(MessageKey::StepRemoveStaleWorkFiles, {programFolder}),
            [&] { shell::removeStaleWorkFiles(programFolder); });
    std::optional<shell::BuildMarker> marker;
    runStep(step(MessageKey::StepWriteBuildMarker, {shell::kBuildMarkerName, programFolder}), [&] {
        marker.emplace(programFolder);
        marker->recordWorkNames(workFileNames(state.PackageName));
    });
    try {
        scanSourceFolders(project, state, progress, ui);
    } catch (const std::exception& e) {
        throw StepFailure(step(MessageKey::StepCollectFiles, {project.SourceFolders[state.SourceIndex].folder}), e);
    }
    // Nothing is written before the collected files are known to fit one
    // cabinet and the package is known not to replace one of them.
    runStep(step(MessageKey::StepCheckFiles), [&] { checkCabinetLimits(state, ui); });
    runStep(step(MessageKey::StepCheckPackagePath), [&] { checkPackagePathIsNoInput(project, state, targetPath, ui); });
    runStep(step(MessageKey::StepImportRegistry, {project.RegFilePath}),
            [&] { ImportRegistry(project, state, runner, ui); });

    // scanSourceFolders has joined the copy-section names into CopyFilesList.
    const shell::ToolRoute route = runStep(step(MessageKey::StepCheckTexts), [&] {
        return checkBeforeWriting(project, state, programFolder, targetPath, ui);
    });
    runStep(step(MessageKey::StepCreateStaging, {programFolder}), [&] {
        marker->recordWorkNames({platform::baseName(state.StagingFolder)});
        CreateStagingFolder(programFolder, state);
    });
    runStep(step(MessageKey::StepEnterProgramFolder, {programFolder}),
            [&] { platform::setCurrentDirectory(programFolder); });

    runStep(step(MessageKey::StepWrite, {state.PackageName + ".inf"}), [&] { WriteInfFile(project, state); });
    runStep(step(MessageKey::StepCopyCollected, {state.StagingFolder}), [&] {
        for (const StagedFile& file : state.StagedFiles)
            platform::copyFile(file.source, state.StagingFolder + file.stagedName);
    });
    runStep(step(MessageKey::StepCopyExtra, {programFolder}), [&] {
        marker->recordWorkNames(extraFileCopyNames(project));
        CopyExtraFiles(project);
    });
    runStep(step(MessageKey::StepWrite, {"Entries_" + state.PackageName + ".ini"}),
            [&] { WriteEntriesFile(project, state); });
    // makecab writes the package beside its path; it replaces the old one
    // only once it is whole, so only a package this build made can pass.
    std::optional<shell::PackageReplacement> package;
    runStep(step(MessageKey::StepRemoveUnfinished, {targetPath}), [&] {
        package.emplace(targetPath);
        marker->recordPackage(package->buildPath());
    });
    runStep(step(MessageKey::StepWriteDirectives), [&] {
        WriteCabDirectives(state, route);
        WritePackageDirectives(project, state, package->buildPath(), route);
    });
    const PackagingOutcome outcome =
        runStep(step(MessageKey::StepMakecab), [&] { return RunPackaging(state, *package, ui, runner); });
    done.packageMade = outcome == PackagingOutcome::PackageMade;
    runStep(step(MessageKey::StepDeleteExtra, {programFolder}), [&] { DeleteExtraFiles(project); });
    return outcome;
}

}  // namespace

std::string defaultPackageFileName(const std::string& name, const std::string& version) {
    return name + "_" + version + "_Addon.cab";
}

shell::GenerateOutcome Generate(AddonProject& project, BuildState& state, shell::UserInterface& ui,
                                shell::CommandRunner& runner, const std::string& overwriteQuestion,
                                const ScanProgress& progress) {
    if (const auto message = firstCheckMessage(project)) {
        ui.showMessage(ui.messageText(*message));
        return shell::GenerateOutcome::Refused;
    }
    for (const auto& problem : {shell::packageNameProblem(project.PackageName, ui), typedTextProblem(project, ui),
                                extraFileProblem(project, project.PackageName, ui)})
        if (problem) {
            ui.showMessage(*problem, {}, shell::MessageIcon::Stop);
            return shell::GenerateOutcome::Refused;
        }
    state.PackageName = project.PackageName;
    state.PackageVersion = project.PackageVersion;

    const std::optional<std::string> chosen = shell::choosePackagePath(
        ui, ui.messageText(shell::MessageKey::InfPackageFilter), defaultPackageFileName(state.PackageName, state.PackageVersion), overwriteQuestion);
    if (!chosen) return shell::GenerateOutcome::Cancelled;
    const std::string targetPath = *chosen;
    if (const auto problem = shell::packagePathProblem(targetPath, true, ui)) {
        ui.showMessage(*problem, {}, shell::MessageIcon::Stop);
        return shell::GenerateOutcome::Refused;
    }

    const ScanProgress scanProgress = progress ? progress : ScanProgress([&ui] { ui.pumpEvents(); });
    PackagingOutcome outcome;
    BuildProgress done;
    done.oldPackage = platform::fileExists(targetPath);
    try {
        shell::BusyBracket busy(ui);
        outcome = buildPackage(project, state, ui, runner, targetPath, scanProgress, done);
    } catch (const StepFailure& failure) {
        // The bracket has ended: the window is enabled and the busy window
        // hidden; an old package is still at its path unless a new one replaced it.
        ui.showMessage(failureMessage(failure, done, targetPath, ui), {}, shell::MessageIcon::Stop);
        return shell::GenerateOutcome::Failed;
    }
    state.resetAtEnd(project);
    return outcome == PackagingOutcome::PackageMade ? shell::GenerateOutcome::Made : shell::GenerateOutcome::NotMade;
}

}  // namespace infaddon
