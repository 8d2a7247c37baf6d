// The two records the INF package builder works on: what the user entered
// (AddonProject) and the work lists of one build (BuildState).
//
// Lists that the builder keeps side by side (a source folder and its
// destination code; an extra file's path, name, disk code and setup number;
// a collected file's source, staged name and source-disk line) are held as
// one record per position, so adding or deleting always touches the whole
// group at one position and the lists cannot fall out of step.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "shortcuts/shortcut_list.h"

namespace infaddon {

// The destination used when a folder is added with no code chosen.
inline constexpr const char* kDefaultDirId = "16422";

struct SourceFolder {
    std::string folder;  // SourceFolders: as the folder tree reports it
    std::string dirId;   // SourceFolderDirIds: a DirIdTable code, as text
};

struct ExtraFile {
    std::string source;    // ExtraFileSources: full path
    std::string name;      // ExtraFileNames: bare file name
    std::string diskCode;  // ExtraFileDiskCodes: "100" (patch mode) or "1"
    std::string dirCode;   // ExtraFileDirCodes: a SetupDirTable number
};

struct AddonProject {
    std::string PackageName;
    std::string PackageVersion;
    std::string Website;
    std::string RegFilePath;
    std::vector<SourceFolder> SourceFolders;
    std::vector<ExtraFile> ExtraFiles;
    shortcuts::Shortcuts Shortcuts;

    // Add folder: pairs the folder with the chosen code, or the default.
    void addSourceFolder(const std::string& folder, const std::string& chosenDirId);
    void removeSourceFolder(std::size_t index);  // out of range: nothing happens
    void addExtraFile(ExtraFile file) { ExtraFiles.push_back(std::move(file)); }
    void removeExtraFile(std::size_t index);
};

struct StagedFile {
    std::string source;          // StagedFileSources: full source path
    std::string stagedName;      // StagedFileNames: "\" + the unique flat name
    std::string sourceDiskLine;  // SourceDiskFileLines: flat name + "=1"
};

struct BuildState {
    std::vector<std::string> RunLog;
    std::deque<std::string> ScanQueue;
    std::vector<std::string> CopySectionNames;   // each ends with ","
    std::vector<std::string> CopySectionLines;   // headers and blank separators included
    // Each copy-section name of this build (letter case folded) with the
    // destination it stands for: a later folder with another destination
    // gets a name of its own.
    std::map<std::string, std::string> CopySectionDestinations;
    std::vector<std::string> DestinationDirLines;
    std::vector<std::string> RemoveDirLines;
    std::vector<StagedFile> StagedFiles;
    std::int64_t FileCount = 0;
    std::size_t SourceIndex = 0;
    std::string RegistryLines;  // each collected line preceded by CR LF
    std::string StagingFolder;  // full path, no trailing backslash
    std::string CopyFilesList;  // CopySectionNames joined, last comma kept

    // The texts the builder window shows while and after a build runs: the
    // progress and summary label, and the code description label.
    std::string ProgressLabel;
    std::string CodeDescriptionLabel;

    // The copies of the name and version taken when the build starts; every
    // writer uses these, not the live entries.
    std::string PackageName;
    std::string PackageVersion;

    // Empties the work state as a build starts (RunLog and RegistryLines too).
    void resetAtStart();
    // Empties the work state as a build ends (RunLog and RegistryLines stay),
    // with the project's source folders and extra files.
    void resetAtEnd(AddonProject& project);
};

}  // namespace infaddon
