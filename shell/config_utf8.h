// Rewrites the self-extractor configuration "config.txt" in the program
// folder from the ANSI code page into UTF-8 with a byte-order mark.
#pragma once

namespace shell {

// No file, no action. Written beside and renamed over, so a failure halfway
// never leaves a truncated or empty config.txt. Throws platform::Error.
void ConvertConfigToUtf8();

}  // namespace shell
