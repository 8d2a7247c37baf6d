// Checks of the INF project that Generate makes before anything is written:
// typed texts that must stay on one line, and extra files whose names the
// package cannot hold.
#pragma once

#include <optional>
#include <string>

#include "infaddon/addon_project.h"
#include "shell/message_keys.h"

namespace infaddon {

// The version and the web site go on one line of the INF and the entries
// file: a control character in either is refused, with a message naming
// the field.
std::optional<std::string> typedTextProblem(const AddonProject& project, const shell::MessageTexts& texts);

// The extra files go into the program folder and the package under their
// bare names, beside the files the build writes there itself (the INF, the
// entries file, the inner cabinet, makecab's setup.inf and setup.rpt, the
// directive and batch files). Refused, with a message naming both files: two
// extra files whose names coincide (letter case ignored, as on Windows), an
// extra file named like one of the build's own files, and a name that
// Windows file names cannot hold.
std::optional<std::string> extraFileProblem(const AddonProject& project, const std::string& packageName,
                                            const shell::MessageTexts& texts);

}  // namespace infaddon
