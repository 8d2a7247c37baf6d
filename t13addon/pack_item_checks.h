// What a T13 build checks before it packs anything: every item is there and
// can be read to its last file (7-Zip would only warn and leave it out), and
// the package path is none of the items and lies in no packed folder.
#pragma once

#include <string>
#include <vector>

#include "shell/message_keys.h"

namespace t13addon {

// Throws platform::Error naming the first item, file or folder that is
// missing or cannot be read, or the item the package would replace or hold.
void checkPackItems(const std::vector<std::string>& items, const std::string& outputPath,
                    const shell::MessageTexts& texts);

}  // namespace t13addon
