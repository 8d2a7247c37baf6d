// File collection: a source folder is scanned breadth first, and every folder
// and file becomes lines for the INF (copy sections, destination lines,
// source-disk lines, folder removal) and a staged file for the inner cabinet.
#pragma once

#include <functional>
#include <string>

#include "infaddon/addon_project.h"
#include "shell/message_keys.h"

namespace infaddon {

// Called every 99 items (subfolders and files counted together) after the
// progress text has been put into BuildState::ProgressLabel; the window
// shows it and lets pending events run.
using ScanProgress = std::function<void()>;

// Scans one source folder, the project's SourceFolders entry at
// state.SourceIndex, appending to the work lists of `state`. A start folder
// that does not exist gives its RunLog line and nothing else. A folder that
// cannot be listed during the scan throws platform::Error.
//
// Staged names are flat (N_sub_file). Where a later file's staged name
// coincides with an earlier one of the same build (letter case ignored, as
// Windows, the cabinet and setup do), it gets a unique name that keeps its
// extension: name(2).ext, name(3).ext, ...
// A name Windows cannot hold is refused in `texts`.
void ScanSourceFolder(const std::string& startPath, const AddonProject& project, BuildState& state,
                      const ScanProgress& progress = {}, const shell::MessageTexts& texts = shell::kBuiltInTexts);

// Scans every source folder of the project in order, with state.SourceIndex
// set to each position, then joins the copy-section names into
// state.CopyFilesList (nothing between them, the last comma kept).
void scanSourceFolders(const AddonProject& project, BuildState& state, const ScanProgress& progress = {},
                       const shell::MessageTexts& texts = shell::kBuiltInTexts);

// The fresh staging folder's path under `base`: "提取文件", or "提取文件(1)",
// "提取文件(2)", ... when that exists.
std::string nextStagingFolder(const std::string& base);
// Creates that folder. Sets and returns state.StagingFolder.
std::string CreateStagingFolder(const std::string& base, BuildState& state);

}  // namespace infaddon
