// The registry import step: a chosen .reg file is converted by reg2inf into
// "reg.bak" in the program folder, and the lines of its AddReg section are
// collected into BuildState::RegistryLines.
#pragma once

#include <string>

#include "infaddon/addon_project.h"
#include "shell/command_runner.h"
#include "shell/message_keys.h"

namespace infaddon {

// The converter's output in the program folder, deleted once read.
inline constexpr const char* kConverterOutputName = "reg.bak";

// Runs the import for the registry file the project names (the path the box
// shows). Does nothing when it is empty. Throws platform::Error with a clear
// message when the converter is missing or ends without writing "reg.bak".
void ImportRegistry(const AddonProject& project, BuildState& state, shell::CommandRunner& runner,
                    const shell::MessageTexts& texts);

// The collecting rule applied to the converter's output text (UTF-8, lines
// split at CR LF or LF): returns the collected lines, each preceded by CR LF.
std::string collectRegistryLines(const std::string& converterOutput);

// The delete-registry section's own lines, derived from the collected ones:
// one plain value deletion (root, key, value name) per named value; default
// values are left in place and no line removes a key. Each line preceded by
// CR LF, as RegistryLines are.
std::string deriveDeleteRegistryLines(const std::string& registryLines);

}  // namespace infaddon
