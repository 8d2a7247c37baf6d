#include "infaddon/project_checks.h"

#include <utility>
#include <vector>

#include "infaddon/extra_files.h"
#include "infaddon/packaging_names.h"
#include "platform/unicode.h"
#include "shell/typed_text_rules.h"

namespace infaddon {

std::optional<std::string> TypedTextProblem(const AddonProject& project) {
    if (auto problem = shell::oneLineFieldProblem("version", project.PackageVersion)) return problem;
    return shell::oneLineFieldProblem("web site", project.Website);
}

std::optional<std::string> ExtraFileProblem(const AddonProject& project, const std::string& packageName) {
    if (!hasExtraFiles(project)) return std::nullopt;
    // The build's own files in the program folder, each with what it is.
    const std::vector<std::pair<std::string, std::string>> ownFiles = {
        {packageName + ".inf", "the package's INF"},
        {"Entries_" + packageName + ".ini", "the package's entries file"},
        {packageName + ".cab", "the package's inner cabinet"},
        {kMakecabInfName, "the INF that makecab writes beside the package's files"},
        {kMakecabReportName, "the report that makecab writes beside the package's files"},
        {kCabListFileName, "a directive file of the build"},
        {kCabBatchFileName, "a batch file of the build"},
        {kPackageListFileName, "a directive file of the build"},
        {kPackageBatchFileName, "a batch file of the build"},
    };
    const auto& files = project.ExtraFiles;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const ExtraFile& file = files[i];
        if (const auto cp = shell::characterWindowsNamesCannotHold(file.name))
            return "The extra file " + file.source + " has a name that Windows file names cannot hold: it holds " +
                   platform::describeCodePoint(*cp) + ". Rename the file, add it again and generate again.";
        const std::string folded = platform::foldCase(file.name);
        for (const auto& own : ownFiles)
            if (folded == platform::foldCase(own.first))
                return "The extra file " + file.source + " would go into the package as " + file.name + ", the name of " +
                       own.second + " " + own.first + ", which the build writes itself. Rename the extra file, add it "
                       "again and generate again.";
        for (std::size_t j = 0; j < i; ++j)
            if (folded == platform::foldCase(files[j].name))
                return "The extra files " + files[j].source + " and " + file.source + " would both go into the package "
                       "as " + file.name + ", and it can hold only one file of that name. Rename one of them, add it "
                       "again and generate again.";
    }
    return std::nullopt;
}

}  // namespace infaddon
