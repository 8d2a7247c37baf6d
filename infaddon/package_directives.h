// The makecab directive files and batch files of a build: the inner cabinet
// "<name>.cab" from the staged files (LZX), then the package at the chosen
// path from the INF, the entries file, the inner cabinet and the extra files
// (MSZIP). The directive files list file names only; every cabinet setting
// is on the batch file's makecab line.
#pragma once

#include <string>

#include "infaddon/addon_project.h"
#include "shell/tool_route.h"

namespace infaddon {

// The texts (UTF-8, CR LF after every line) of the four work files. The
// package batch file holds the target path with "%" doubled, so that the
// command interpreter hands makecab the path as chosen.
std::string cabDirectiveListText(const BuildState& state);
std::string cabBatchText(const std::string& packageName);
std::string packageDirectiveListText(const AddonProject& project, const BuildState& state);
std::string packageBatchText(const std::string& targetPath);

// What the four work files hand the building system's tools, for the choice
// of their route: the two directive lists, the two batch files, and the
// names makecab stores (the staged names, and the package's top-level files).
shell::WorkTexts packagingWorkTexts(const AddonProject& project, const BuildState& state,
                                    const std::string& targetPath);

// The line that opens a directive list on the own route: the cabinet maker
// stores the names in the package's code page, whatever the system's is.
inline constexpr const char* kNameCodePageDirective = ".Set NameCodePage=936";

// Write "CAB压缩文件列表.txt" and "生成cab文件.bat", and "整合包压缩列表.txt"
// and "生成整合包.bat", into the program folder in the form of the route:
// on the system's route the directive lists in the ANSI code page and the
// batch files in the OEM code page; on the own route all in UTF-8 with a
// byte-order mark, each directive list opened by kNameCodePageDirective.
// Throws platform::Error (a name the code page cannot hold, a file that
// cannot be written); a file already there is then unchanged.
void WriteCabDirectives(const BuildState& state, shell::ToolRoute route = shell::ToolRoute::System);
void WritePackageDirectives(const AddonProject& project, const BuildState& state, const std::string& targetPath,
                            shell::ToolRoute route = shell::ToolRoute::System);

}  // namespace infaddon
