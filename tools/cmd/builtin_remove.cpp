// rd and del: the built-ins that remove the builders' staging folder and
// "SVCPACK" work folder ("rd /s /q .\SVCPACK").
#include <istream>
#include <optional>
#include <set>
#include <ostream>
#include <vector>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/host.h"
#include "tools/cmd/builtin_commands.h"
#include "tools/cmd/command_text.h"
#include "tools/cmd/windows_names.h"

namespace batch {

namespace {

// How cmd names a file in "Could Not Find": with the current folder in front.
std::string fullName(const std::string& name) {
    const bool absolute = !name.empty() && (name[0] == '/' || name[0] == '\\' || (name.size() > 1 && name[1] == ':'));
    std::string full = absolute ? name : platform::joinPath(platform::currentDirectory(), name);
    if (!platform::kWindowsHost)
        for (char& c : full)
            if (c == '\\') c = '/';
    return full;
}

bool deleteMatching(Console& console, const std::string& folder, const std::string& pattern,
                    const std::string& shownName) {
    std::vector<std::string> matches;
    if (platform::folderExists(folder.empty() ? "." : folder)) {
        for (const auto& file : platform::listFolder(folder.empty() ? "." : folder).files)
            if (matchesWildcard(file, pattern)) matches.push_back(platform::joinPath(folder, file));
    }
    if (matches.empty()) {
        console.err << "Could Not Find " << fullName(shownName) << "\n";
        return false;
    }
    for (const auto& path : matches) platform::deleteFile(path);
    return true;
}

// Reads "rd" and "del" arguments: switches from `known` (others are an
// error, as cmd reports them) and at least one name. nullopt after the
// error has been printed.
struct RemoveArguments {
    std::set<std::string> switches;
    std::vector<std::string> names;
};

std::optional<RemoveArguments> readArguments(Console& console, const std::string& arguments,
                                             const std::set<std::string>& known) {
    RemoveArguments result;
    for (const Word& word : splitWords(arguments)) {
        if (!isSwitch(word)) {
            result.names.push_back(word.text);
            continue;
        }
        const std::string name = switchName(word);
        if (!known.count(name)) {
            console.err << "Invalid switch - " << word.text << "\n";
            return std::nullopt;
        }
        result.switches.insert(name);
    }
    if (result.names.empty()) {
        console.err << kSyntaxError << "\n";
        return std::nullopt;
    }
    return result;
}

}  // namespace

int runRemoveFolders(Console& console, const std::string& arguments) {
    const auto parsed = readArguments(console, arguments, {"s", "q"});
    if (!parsed) return 1;
    const bool tree = parsed->switches.count("s") > 0, quiet = parsed->switches.count("q") > 0;
    const std::vector<std::string>& names = parsed->names;
    int status = 0;
    for (const auto& name : names) {
        const std::string path = windowsPath(name);
        try {
            if (!platform::folderExists(path)) {
                console.err << (platform::fileExists(path) ? "The directory name is invalid: \""
                                                           : "The system cannot find the file specified: \"")
                            << name << "\".\n";
                status = 1;
            } else if (!tree) {
                const auto listing = platform::listFolder(path);
                if (!listing.files.empty() || !listing.folders.empty()) {
                    console.err << "The directory is not empty: \"" << name << "\".\n";
                    status = 1;
                } else {
                    platform::removeFolderTree(path);
                }
            } else if (quiet || askYesNo(console, name + ", Are you sure (Y/N)? ")) {
                platform::removeFolderTree(path);
            }
        } catch (const platform::Error& e) {
            console.err << e.what() << "\n";
            status = 1;
        }
    }
    return status;
}

int runDelete(Console& console, const std::string& arguments) {
    const auto parsed = readArguments(console, arguments, {"q", "f"});
    if (!parsed) return 1;
    const bool quiet = parsed->switches.count("q") > 0;
    const std::vector<std::string>& names = parsed->names;
    int status = 0;
    for (const auto& name : names) {
        const std::string path = windowsPath(name);
        try {
            if (platform::folderExists(path)) {
                // A folder stands for every file in it.
                if (quiet || askYesNo(console, fullName(platform::joinPath(name, "*")) + ", Are you sure (Y/N)? "))
                    for (const auto& file : platform::listFolder(path).files)
                        platform::deleteFile(platform::joinPath(path, file));
            } else if (hasWildcard(platform::baseName(path))) {
                const std::string pattern = platform::baseName(path);
                const bool everything = pattern == "*" || pattern == "*.*";
                if (everything && !quiet && !askYesNo(console, fullName(name) + ", Are you sure (Y/N)? ")) continue;
                if (!deleteMatching(console, platform::parentPath(path), pattern, name)) status = 1;
            } else if (!platform::fileExists(path)) {
                console.err << "Could Not Find " << fullName(name) << "\n";
                status = 1;
            } else {
                platform::deleteFile(path);
            }
        } catch (const platform::Error& e) {
            console.err << e.what() << "\n";
            status = 1;
        }
    }
    return status;
}

bool askYesNo(Console& console, const std::string& question) {
    console.out << question << std::flush;
    std::string answer;
    if (!std::getline(console.in, answer)) {
        console.out << "\n";
        return false;
    }
    const std::size_t at = answer.find_first_not_of(" \t");
    return at != std::string::npos && (answer[at] == 'y' || answer[at] == 'Y');
}

}  // namespace batch
