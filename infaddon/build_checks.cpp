#include "infaddon/build_checks.h"

#include "platform/error.h"
#include "platform/file_system.h"

namespace infaddon {

namespace {

// 65535 as "65,535".
std::string groupDigits(std::uint64_t n) {
    std::string digits = std::to_string(n);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<std::size_t>(i), ",");
    return digits;
}

[[noreturn]] void refuse(const std::string& message) { throw platform::Error(platform::ErrorKind::BadInput, message); }

}  // namespace

void checkCabinetLimits(const BuildState& state, const shell::MessageTexts& texts) {
    const std::size_t count = state.StagedFiles.size();
    if (count > kCabinetMaxFiles)
        refuse(texts.text(shell::MessageKey::TooManyFiles, {groupDigits(count), groupDigits(kCabinetMaxFiles)}));
    std::uint64_t total = 0;
    for (const StagedFile& file : state.StagedFiles) total += platform::fileInfo(file.source).size;
    if (total > kCabinetMaxFolderBytes)
        refuse(texts.text(shell::MessageKey::TooManyBytes, {groupDigits(total), groupDigits(kCabinetMaxFolderBytes)}));
}

void checkPackagePathIsNoInput(const AddonProject& project, const BuildState& state, const std::string& targetPath,
                               const shell::MessageTexts& texts) {
    const auto refuseInput = [&](shell::MessageKey what) {
        refuse(texts.text(shell::MessageKey::PackagePathIsInput, {targetPath, texts.text(what)}));
    };
    for (const StagedFile& file : state.StagedFiles)
        if (platform::samePath(file.source, targetPath)) refuseInput(shell::MessageKey::InputSourceFile);
    for (const ExtraFile& file : project.ExtraFiles)
        if (!file.source.empty() && platform::samePath(file.source, targetPath))
            refuseInput(shell::MessageKey::InputExtraFile);
    if (!project.RegFilePath.empty() && platform::samePath(project.RegFilePath, targetPath))
        refuseInput(shell::MessageKey::InputRegistryFile);
}

}  // namespace infaddon
