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

void CheckCabinetLimits(const BuildState& state) {
    const std::size_t count = state.StagedFiles.size();
    if (count > kCabinetMaxFiles)
        refuse("The source folders hold " + groupDigits(count) + " files; a cabinet holds at most " +
               groupDigits(kCabinetMaxFiles) + ". Split the application into packages of fewer files.");
    std::uint64_t total = 0;
    for (const StagedFile& file : state.StagedFiles) total += platform::fileInfo(file.source).size;
    if (total > kCabinetMaxFolderBytes)
        refuse("The source folders' files add up to " + groupDigits(total) + " bytes; a cabinet holds at most " +
               groupDigits(kCabinetMaxFolderBytes) + ". Split the application into smaller packages.");
}

void CheckPackagePathIsNoInput(const AddonProject& project, const BuildState& state, const std::string& targetPath) {
    const auto refuseInput = [&](const std::string& what) {
        refuse("The package path " + targetPath + " is " + what + ", which the package would replace. Choose "
               "another path for the package.");
    };
    for (const StagedFile& file : state.StagedFiles)
        if (platform::samePath(file.source, targetPath)) refuseInput("a file of the source folders");
    for (const ExtraFile& file : project.ExtraFiles)
        if (!file.source.empty() && platform::samePath(file.source, targetPath)) refuseInput("one of the extra files");
    if (!project.RegFilePath.empty() && platform::samePath(project.RegFilePath, targetPath))
        refuseInput("the registry file");
}

}  // namespace infaddon
