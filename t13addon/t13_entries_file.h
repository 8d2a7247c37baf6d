// "Entries.ini": tells nLite or RVM Integrator to add the package's installer
// to [SetupHotfixesToRun] of SVCPACK.INF, which GUI setup runs at T-13.
#pragma once

#include <string>

#include "t13addon/t13_addon_settings.h"

namespace t13addon {

inline constexpr const char* kT13EntriesFileName = "Entries.ini";

// The file's text (UTF-8, CR LF after every line, the last one too);
// `buildDate` is the system's short date.
std::string t13EntriesText(const T13AddonSettings& settings, const std::string& buildDate);

}  // namespace t13addon
