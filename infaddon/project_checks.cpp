#include "infaddon/project_checks.h"

#include <utility>
#include <vector>

#include "infaddon/extra_files.h"
#include "infaddon/packaging_names.h"
#include "platform/unicode.h"
#include "shell/typed_text_rules.h"

namespace infaddon {

using shell::MessageKey;

std::optional<std::string> typedTextProblem(const AddonProject& project, const shell::MessageTexts& texts) {
    if (auto problem = shell::oneLineFieldProblem(MessageKey::FieldVersion, project.PackageVersion, texts))
        return problem;
    return shell::oneLineFieldProblem(MessageKey::FieldWebsite, project.Website, texts);
}

std::optional<std::string> extraFileProblem(const AddonProject& project, const std::string& packageName,
                                            const shell::MessageTexts& texts) {
    if (!hasExtraFiles(project)) return std::nullopt;
    // The build's own files in the program folder, each with what it is.
    const std::vector<std::pair<std::string, MessageKey>> ownFiles = {
        {packageName + ".inf", MessageKey::OwnInf},
        {"Entries_" + packageName + ".ini", MessageKey::OwnEntries},
        {packageName + ".cab", MessageKey::OwnInnerCabinet},
        {kMakecabInfName, MessageKey::OwnMakecabInf},
        {kMakecabReportName, MessageKey::OwnMakecabReport},
        {kCabListFileName, MessageKey::OwnDirectiveFile},
        {kCabBatchFileName, MessageKey::OwnBatchFile},
        {kPackageListFileName, MessageKey::OwnDirectiveFile},
        {kPackageBatchFileName, MessageKey::OwnBatchFile},
    };
    const auto& files = project.ExtraFiles;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const ExtraFile& file = files[i];
        if (const auto cp = shell::characterWindowsNamesCannotHold(file.name))
            return texts.text(MessageKey::ExtraFileBadName, {file.source, platform::describeCodePoint(*cp)});
        const std::string folded = platform::foldCase(file.name);
        for (const auto& own : ownFiles)
            if (folded == platform::foldCase(own.first))
                return texts.text(MessageKey::ExtraFileOwnName, {file.source, file.name, texts.text(own.second), own.first});
        for (std::size_t j = 0; j < i; ++j)
            if (folded == platform::foldCase(files[j].name))
                return texts.text(MessageKey::ExtraFilesSameName, {files[j].source, file.source, file.name});
    }
    return std::nullopt;
}

}  // namespace infaddon
