// A stand-in for the 7-Zip command-line program where no real 7z exists
// (Wine): it takes the command lines the T13 batch file gives,
//   7z a -t7z ARCHIVE PATH... -mxN
// and appends one record per file to ARCHIVE (created when missing):
//   "<stored name>|-mxN\n" "<size>\n" <the file's bytes>
// A stored name is what 7z would store: a relative path as given, an absolute
// file by its bare name, and for "FOLDER\*" every file below FOLDER, under
// FOLDER's relative path or, for an absolute FOLDER, relative to it.
// Exits 0 when every file was added, 2 otherwise (nothing is written then).
#include <cstdio>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/program_arguments.h"

namespace {

void addTree(const std::string& folder, const std::string& storedPrefix, const std::string& level,
             std::string& records) {
    const platform::FolderListing listing = platform::listFolder(folder);
    for (const auto& name : listing.files) {
        const std::string bytes = platform::readFile(platform::joinPath(folder, name));
        records += storedPrefix + name + "|" + level + "\n" + std::to_string(bytes.size()) + "\n" + bytes;
    }
    for (const auto& name : listing.folders)
        addTree(platform::joinPath(folder, name), storedPrefix + name + "\\", level, records);
}

int run(const std::vector<std::string>& args) {
    if (args.size() < 4 || args[0] != "a" || args[1] != "-t7z" || args.back().compare(0, 3, "-mx") != 0) {
        std::fprintf(stderr, "fake 7z: usage: 7z a -t7z ARCHIVE PATH... -mxN\n");
        return 2;
    }
    const std::string& archive = args[2];
    const std::string& level = args.back();
    try {
        std::string records;
        for (std::size_t i = 3; i + 1 < args.size(); ++i) {
            const std::string& path = args[i];
            if (path.size() >= 2 && path.compare(path.size() - 2, 2, "\\*") == 0) {
                const std::string folder = path.substr(0, path.size() - 2);
                addTree(folder, platform::isAbsolutePath(folder) ? std::string() : folder + "\\", level, records);
            } else {
                const std::string bytes = platform::readFile(path);
                const std::string stored = platform::isAbsolutePath(path) ? platform::baseName(path) : path;
                records += stored + "|" + level + "\n" + std::to_string(bytes.size()) + "\n" + bytes;
            }
        }
        const std::string old = platform::fileExists(archive) ? platform::readFile(archive) : std::string();
        platform::writeFileAtomic(archive, old + records);
    } catch (const platform::Error& e) {
        std::fprintf(stderr, "fake 7z: %s\n", e.what());
        return 2;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) { return run(platform::programArguments(argc, argv)); }
