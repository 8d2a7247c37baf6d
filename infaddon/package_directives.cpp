#include "infaddon/package_directives.h"

#include "shell/batch_literal.h"

#include "infaddon/extra_files.h"
#include "infaddon/packaging_names.h"
#include "platform/file_system.h"

namespace infaddon {

namespace {

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

void addLine(std::string& text, const std::string& value) { text += value + "\r\n"; }


// One makecab run per result: a single cabinet (the disk is larger than any
// package), written where the name template says.
const char* const kSingleCabinet = " /d compressionmemory=21 /d maxdisksize=1024000000 /d diskdirectorytemplate=";

}  // namespace

std::string cabDirectiveListText(const BuildState& state) {
    std::string text;
    // The staged name begins with "\", so this is the staged file's full path.
    for (const StagedFile& file : state.StagedFiles) addLine(text, quoted(state.StagingFolder + file.stagedName));
    return text;
}

std::string cabBatchText(const std::string& packageName) {
    std::string text;
    addLine(text, "@echo off");
    addLine(text, std::string("makecab.exe /f ") + kCabListFileName + " /v3 /d compressiontype=LZX" + kSingleCabinet +
                   " /d cabinetnametemplate=" + quoted(packageName + ".cab"));
    addLine(text, "exit");
    return text;
}

std::string packageDirectiveListText(const AddonProject& project, const BuildState& state) {
    std::string text;
    addLine(text, quoted("Entries_" + state.PackageName + ".ini"));
    addLine(text, quoted(state.PackageName + ".inf"));
    addLine(text, quoted(state.PackageName + ".cab"));
    if (hasExtraFiles(project))
        for (const ExtraFile& file : project.ExtraFiles) addLine(text, quoted(file.name));
    return text;
}

std::string packageBatchText(const std::string& targetPath) {
    std::string text;
    addLine(text, std::string("makecab.exe /f ") + kPackageListFileName + " /d compressiontype=mszip" + kSingleCabinet +
                   " /d cabinetnametemplate=" + quoted(shell::batchLiteral(targetPath)));
    return text;
}

shell::WorkTexts packagingWorkTexts(const AddonProject& project, const BuildState& state,
                                    const std::string& targetPath) {
    shell::WorkTexts texts;
    texts.directiveLists = {cabDirectiveListText(state), packageDirectiveListText(project, state)};
    texts.batchFiles = {cabBatchText(state.PackageName), packageBatchText(targetPath)};
    for (const StagedFile& file : state.StagedFiles) texts.storedNames.push_back(platform::baseName(file.stagedName));
    texts.storedNames.push_back("Entries_" + state.PackageName + ".ini");
    texts.storedNames.push_back(state.PackageName + ".inf");
    texts.storedNames.push_back(state.PackageName + ".cab");
    if (hasExtraFiles(project))
        for (const ExtraFile& file : project.ExtraFiles) texts.storedNames.push_back(file.name);
    return texts;
}

namespace {

void writeDirectiveList(const std::string& path, const std::string& text, shell::ToolRoute route) {
    const std::string withCodePage =
        route == shell::ToolRoute::Own ? std::string(kNameCodePageDirective) + "\r\n" + text : text;
    platform::writeFileAtomic(path, shell::workFileBytes(route, shell::systemCodePages().ansi, withCodePage));
}

void writeBatchFile(const std::string& path, const std::string& text, shell::ToolRoute route) {
    platform::writeFileAtomic(path, shell::workFileBytes(route, shell::systemCodePages().oem, text));
}

}  // namespace

void WriteCabDirectives(const BuildState& state, shell::ToolRoute route) {
    const std::string folder = platform::programFolder();
    platform::setCurrentDirectory(folder);
    writeDirectiveList(platform::joinPath(folder, kCabListFileName), cabDirectiveListText(state), route);
    writeBatchFile(platform::joinPath(folder, kCabBatchFileName), cabBatchText(state.PackageName), route);
}

void WritePackageDirectives(const AddonProject& project, const BuildState& state, const std::string& targetPath,
                            shell::ToolRoute route) {
    const std::string folder = platform::programFolder();
    platform::setCurrentDirectory(folder);
    writeDirectiveList(platform::joinPath(folder, kPackageListFileName), packageDirectiveListText(project, state),
                       route);
    writeBatchFile(platform::joinPath(folder, kPackageBatchFileName), packageBatchText(targetPath), route);
}

}  // namespace infaddon
