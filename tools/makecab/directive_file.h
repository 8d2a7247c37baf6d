// makecab directive files (.ddf). The file is read in the ANSI code page, or
// as UTF-8 when it starts with a byte-order mark (Windows' makecab knows no
// such form; the builders write it for this makecab where the system's code
// page cannot hold their names).
// Each line is one of:
//   ; comment                     (";" outside quotes ends any line)
//   .Set Variable=Value           (also .Define, .Delete, .Option Explicit,
//                                  .New Folder, .Dump; .InfBegin to .InfEnd
//                                  is INF text, skipped)
//   source [destination] [/inf=yes|no] [/unique=yes|no]
// Names with blanks are quoted ("" inside quotes is one quote). %Variable%
// is replaced by the variable's value where that variable exists.
//
// Directives take effect in order, so a .Set changes the lines after it.
// Every error names the directive file and the line.
#pragma once

#include <string>
#include <vector>

#include "tools/makecab/makecab_variables.h"

namespace makecab {

struct FileLine {
    std::string source;      // UTF-8 path as written, SourceDir in front when relative
    std::string storedName;  // UTF-8: destination (or the source's bare name), DestinationDir in front
    bool unique = true;      // false after /unique=no
    std::string directiveFile;
    int lineNumber = 0;
    std::string where() const;  // "list.txt(3)"
};

// Parses the text of one directive file (already decoded to UTF-8), applying
// its directives to `variables`. Throws platform::Error(BadInput) for a line
// it cannot read.
std::vector<FileLine> parseDirectiveText(const std::string& utf8Text, const std::string& fileName,
                                         Variables& variables);

// Reads and decodes the file (UTF-8 after a byte-order mark, otherwise the
// ANSI code page), then parses it. A byte that cannot be read is an error
// naming the line.
std::vector<FileLine> readDirectiveFile(const std::string& path, Variables& variables);

}  // namespace makecab
