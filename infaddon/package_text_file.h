// Writing one of the package's text files (the INF, the entries file) in the
// system ANSI code page, whole or not at all.
#pragma once

#include <string>

namespace infaddon {

// Writes the UTF-8 text to `path` in the ANSI code page. When the code page
// cannot hold a character, the error names the file and the line holding it
// (the name of a folder or file, usually), and nothing is written. Throws
// platform::Error.
void WritePackageTextFile(const std::string& path, const std::string& utf8);

}  // namespace infaddon
