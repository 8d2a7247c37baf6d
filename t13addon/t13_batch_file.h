// "T13整合包生成.bat": the batch file that makes the package in the program
// folder. 7z packs the items into temp.7z, copy /b joins the self-extractor
// module, the configuration and temp.7z into SVCPACK\<name>.exe, and 7z packs
// the SVCPACK folder (stored) and Entries.ini (highest compression) into the
// output archive. Each 7z line is followed by "if errorlevel 1 exit 1": the
// batch ends with 7z's status when 7z warns (an item left out) or fails.
#pragma once

#include <string>

#include "t13addon/t13_addon_settings.h"

namespace t13addon {

inline constexpr const char* kT13BatchFileName = "T13整合包生成.bat";
inline constexpr const char* kTempArchiveName = "temp.7z";
inline constexpr const char* kSfxModuleName = "7zs.sfx";
inline constexpr const char* kWorkFolderName = "SVCPACK";

// "SVCPACK\" + name + ".exe", relative to the program folder.
std::string installerPath(const std::string& packageName);

// The item lines (one per entry of PackItems), then the join line and the two
// archive lines, each 7z line followed by its status check; CR LF after every
// line. When `searchFolder` is not empty, a
// first line adds it to PATH, so that cmd reaches the 7z found there: at the
// end, or before PATH when `searchFolderFirst`.
std::string t13BatchText(const T13AddonSettings& settings, const std::string& searchFolder = {},
                         bool searchFolderFirst = false);

}  // namespace t13addon
