// reg2inf: turns a registry export file (.reg) into INF registry sections,
// for the builders that take the registry lines of a package from it.
//
//   reg2inf [-w] [-t] <file.reg> [<output>]
//
// The output is written in the ANSI code page with CR LF line ends, beside
// its final name and renamed when complete: when the input cannot be read,
// nothing is written.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace reg2inf {

struct ConvertOptions {
    // -w: a whole INF, with [Version] and a [DefaultInstall] section naming the
    // registry sections, so the file can be installed by itself. Without it,
    // only the registry sections and [Strings].
    bool wholeInf = false;
    // -t: every value as text inside its own line. This converter writes no
    // other form; the option is accepted for the command line callers pass.
    bool inlineText = false;
};

// The INF text (UTF-8) for the bytes of a .reg file; `fileName` names it in
// errors. Throws platform::Error naming the file and line, or the key and
// value.
std::string convertRegText(const std::string& bytes, const std::string& fileName, const ConvertOptions& options);

// Reads `inputPath` and writes the INF at `outputPath`. Throws platform::Error;
// `outputPath` is then left as it was.
void convertRegFile(const std::string& inputPath, const std::string& outputPath, const ConvertOptions& options);

// The command: arguments without the program name. Prints errors to `err`
// and returns the exit status (0 done, 1 not converted, 2 wrong arguments).
int runReg2Inf(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace reg2inf
