// Which tools read a build's work files (makecab's directive lists and the
// batch files), and in which form the files are written for them.
//
// The package's own files are written in code page 936 on every system (see
// package_text_file.h). The work files are read on the building system:
//
// - The system's route. The system's makecab reads a directive list in the
//   ANSI code page and stores each name in the cabinet in that code page;
//   cmd.exe reads a batch file in the OEM code page and hands makecab its
//   arguments, which makecab reads in the ANSI code page again. So this
//   route holds when the ANSI code page holds every text of the directive
//   lists, both code pages hold every text of the batch files, and every
//   name makecab stores has the same bytes in the ANSI code page as in code
//   page 936. A Chinese Windows (936 and 936), Linux and Wine under zh_CN
//   (936, the project's own tools standing in) take it always; another
//   Windows only for texts those code pages hold (a T13 batch of ASCII paths
//   on an English Windows, for instance). The work files are then written as
//   always: directive lists in the ANSI code page, batch files in the OEM
//   code page (the same on a Chinese Windows).
// - The own route, everywhere else (an English or Western European Windows
//   building an INF package, whose work files bear Chinese names; a Windows
//   set to UTF-8, whose makecab would store UTF-8 names). The project's own
//   batch interpreter and cabinet maker from the tools folder run the same
//   files under the same names with the same command lines, written in
//   UTF-8 with a byte-order mark, which holds every character; a directive
//   list tells the cabinet maker to store names in code page 936. The
//   process layer runs a batch file that starts with the mark through
//   tolvane-cmd, which finds makecab beside itself before the search path.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "shell/message_keys.h"

namespace shell {

struct SystemCodePages {
    unsigned ansi = 936;
    unsigned oem = 936;
};
// This system's: GetACP() and GetOEMCP() on Windows; 936 and 936 elsewhere.
SystemCodePages systemCodePages();

enum class ToolRoute { System, Own };

// What a build hands the building system's tools, as UTF-8.
struct WorkTexts {
    std::vector<std::string> directiveLists;  // read by makecab
    std::vector<std::string> batchFiles;      // read by the command interpreter (and their makecab lines by makecab)
    std::vector<std::string> storedNames;     // the names makecab stores in a cabinet
};

ToolRoute chooseToolRoute(const SystemCodePages& pages, const WorkTexts& texts);

// A work file's bytes on its route: in `systemCodePage` (the ANSI code page
// for a directive list, the OEM one for a batch file) on the system's route,
// UTF-8 after a byte-order mark on the own route. Throws platform::Error.
std::string workFileBytes(ToolRoute route, unsigned systemCodePage, const std::string& utf8);

// The own route's tools that cannot be found (tolvane-cmd as findOwnTool
// finds it, the others beside it, where tolvane-cmd looks first), as a
// message saying what to do; nothing on the system's route or when all are
// there.
std::optional<std::string> missingOwnTools(ToolRoute route, const std::vector<std::string>& tools,
                                           const MessageTexts& texts);

}  // namespace shell
