#include "tools/makecab/makecab_command_line.h"

#include <cctype>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/unicode.h"

namespace makecab {

const char* const kUsage =
    "Tolvane cabinet maker (makecab-compatible)\n"
    "\n"
    "MAKECAB [/V[n]] [/D var=value ...] [/L dir] source [destination]\n"
    "MAKECAB [/V[n]] [/D var=value ...] /F directive_file [...]\n"
    "\n"
    "  source          File to compress.\n"
    "  destination     Name of the compressed file; without it, the last\n"
    "                  character of the source's name is replaced by \"_\".\n"
    "  /F directives   A file with directives (may be repeated).\n"
    "  /D var=value    Sets a variable (CompressionType=MSZIP|LZX|NONE,\n"
    "                  CompressionMemory=15..21, MaxDiskSize, CabinetNameTemplate ...).\n"
    "  /L dir          Folder for the destination (default: the current folder).\n"
    "  /V[n]           Verbosity, 0 to 3.\n";

namespace {

[[noreturn]] void refuse(const std::string& message) {
    throw platform::Error(platform::ErrorKind::BadInput, message + " Type makecab /? for the usage.");
}

// A word that begins with "/" is a switch, unless it is a POSIX path: one
// that holds a second "/" before any "=" ("/home/me/a.txt", but not
// "/Dname=a/b") and that exists, lies in an existing top folder ("/var/out.cab",
// "/data/x/y.cab", though v and d are switches) or begins with no switch's letter.
bool isSwitch(const std::string& arg) {
    if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-')) return false;
    if (arg[0] == '-') return true;
    const std::size_t slash = arg.find('/', 1), eq = arg.find('=');
    if (slash == std::string::npos || (eq != std::string::npos && eq < slash)) return true;
    if (platform::fileExists(arg) || platform::folderExists(arg)) return false;
    if (platform::folderExists(arg.substr(0, slash))) return false;
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(arg[1])));
    return std::string("?dflv").find(letter) != std::string::npos;
}

std::pair<std::string, std::string> definition(const std::string& text) {
    const std::size_t eq = text.find('=');
    if (eq == std::string::npos || eq == 0) refuse("/D needs var=value, not \"" + text + "\".");
    return {text.substr(0, eq), text.substr(eq + 1)};
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine c;
    std::vector<std::string> names;
    if (args.empty()) c.help = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!isSwitch(arg)) {
            names.push_back(arg);
            continue;
        }
        const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(arg[1])));
        const std::string attached = arg.substr(2);
        // The switch's value: joined to it (/Ffile) or the next word.
        auto value = [&](const char* what) -> std::string {
            if (!attached.empty()) return attached;
            if (i + 1 >= args.size()) refuse(std::string("/") + char(std::toupper(letter)) + " needs " + what + ".");
            return args[++i];
        };
        switch (letter) {
        case '?': c.help = true; break;
        case 'd': c.definitions.push_back(definition(value("var=value"))); break;
        case 'f': c.directiveFiles.push_back(value("a directive file")); break;
        case 'l': c.locationFolder = value("a folder"); break;
        case 'v':
            if (attached.empty()) c.verbosity = 3;
            else if (attached.size() == 1 && attached[0] >= '0' && attached[0] <= '3') c.verbosity = attached[0] - '0';
            else refuse("/V takes a level from 0 to 3, not \"" + arg + "\".");
            break;
        default: refuse("Unknown switch \"" + arg + "\".");
        }
    }
    if (c.help) return c;
    if (!c.directiveFiles.empty()) {
        if (!names.empty()) refuse("\"" + names[0] + "\": with /F, name the files in the directive file.");
        if (!c.locationFolder.empty()) refuse("/L goes with the one-file form, not with /F.");
        return c;
    }
    if (names.empty()) refuse("Name a file to compress, or a directive file after /F.");
    if (names.size() > 2) refuse("Too many names: \"" + names[2] + "\". Put a name with blanks in quotes.");
    c.source = names[0];
    if (names.size() == 2) c.destination = names[1];
    return c;
}

}  // namespace makecab
