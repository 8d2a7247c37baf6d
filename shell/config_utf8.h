// Rewrites the self-extractor configuration "config.txt" in the program
// folder from the ANSI code page into UTF-8 with a byte-order mark.
#pragma once

#include "shell/message_keys.h"

namespace shell {

// No file, no action; a file that starts with a UTF-8 byte-order mark is
// UTF-8 already and stays as it is. Written beside and renamed over, so a
// failure halfway never leaves a truncated or empty config.txt. Throws
// platform::Error, with a message in `texts` where the file is not in the
// ANSI code page.
void ConvertConfigToUtf8(const MessageTexts& texts);

}  // namespace shell
