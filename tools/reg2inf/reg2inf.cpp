#include "tools/reg2inf/reg2inf.h"

#include <ostream>

#include "platform/ansi_text_file.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/unicode.h"
#include "tools/reg2inf/inf_registry_writer.h"
#include "tools/reg2inf/reg_file.h"

namespace reg2inf {
namespace {

const char kUsage[] =
    "Usage: reg2inf [-w] [-t] <file.reg> [<output>]\n"
    "\n"
    "Converts a registry export file into INF registry sections: a DelReg\n"
    "section for the key and value deletions ([-key], \"name\"=-), then the AddReg\n"
    "section Reg2Inf_AddReg with one line per value, followed by [Strings].\n"
    "Reads REGEDIT4 files (ANSI code page) and \"Windows Registry Editor Version\n"
    "5.00\" files (Unicode as regedit saves them, or UTF-8). The output is written\n"
    "in the ANSI code page with CR LF line ends; without <output> it is the .reg\n"
    "file's name with the ending .inf.\n"
    "\n"
    "  -w   write a whole INF: [Version] and a [DefaultInstall] section that\n"
    "       names the registry sections, so the file installs by itself\n"
    "  -t   write every value as text in its own line (no %key% references into\n"
    "       [Strings]); this is the only form written, the option is accepted\n"
    "  --help  show this text\n"
    "\n"
    "A line that cannot be read, or a text the ANSI code page cannot hold, is\n"
    "reported with the file, line, key and value; nothing is written then.\n";

std::string defaultOutput(const std::string& input) {
    const std::string name = platform::baseName(input);
    const std::size_t dot = name.rfind('.');
    const std::string stem = dot == std::string::npos || dot == 0 ? input : input.substr(0, input.size() - (name.size() - dot));
    return stem + ".inf";
}

}  // namespace

std::string convertRegText(const std::string& bytes, const std::string& fileName, const ConvertOptions& options) {
    return registryInfText(parseRegFile(bytes, fileName), fileName, options.wholeInf);
}

void convertRegFile(const std::string& inputPath, const std::string& outputPath, const ConvertOptions& options) {
    const std::string text = convertRegText(platform::readFile(inputPath), inputPath, options);
    platform::writeAnsiFile(outputPath, text);
}

int runReg2Inf(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ConvertOptions options;
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        const std::string lower = platform::asciiLower(arg);
        if (lower == "--help" || lower == "-h" || lower == "/?" || lower == "-?") {
            out << kUsage;
            return 0;
        }
        if (lower == "-w" || lower == "/w") options.wholeInf = true;
        else if (lower == "-t" || lower == "/t") options.inlineText = true;
        else if (arg.size() > 1 && arg[0] == '-') {
            err << "reg2inf: unknown option \"" << arg << "\".\n\n" << kUsage;
            return 2;
        } else files.push_back(arg);
    }
    if (files.empty() || files.size() > 2) {
        err << "reg2inf: " << (files.empty() ? "no registry file given" : "too many file names") << ".\n\n" << kUsage;
        return 2;
    }
    const std::string output = files.size() == 2 ? files[1] : defaultOutput(files[0]);
    if (platform::samePath(files[0], output)) {
        err << "reg2inf: the output " << output << " is the registry file itself, which it would replace; name "
               "another output file.\n";
        return 2;
    }
    try {
        convertRegFile(files[0], output, options);
    } catch (const platform::Error& e) {
        err << "reg2inf: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace reg2inf
