// The inftext command: scans an application's folders as a build does and
// writes the INF and the integrator entries file into an output folder. It
// speaks the console's language (the system's, or --language NAME): its
// usage and refusals are texts of the language file's section "console".
//
//   tolvane-inftext --name App --version 1.0 [--dir-id 16422] [--website URL]
//                   [--log] [--language NAME] --out <folder> <source folder>...
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace inftext {

// Exit status: 0 written, 1 the build failed (message on `err`, nothing
// left in the output folder), 2 bad arguments (usage on `err`, nothing written).
int runInfTextCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace inftext
