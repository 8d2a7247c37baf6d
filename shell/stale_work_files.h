// The work files of a build that was killed. A build writes its work files
// and folders into the program folder and its package under a temporary name
// beside the user's path, and removes them when it ends; a build killed from
// outside (Task Manager, a shutdown) cannot. So while a build runs, a marker
// in the program folder names the process that builds, the work files and
// folders it makes there and its temporary package. When the program or the
// next build starts and the marker's process is no longer running, what the
// marker names is removed, then the marker. Without a marker nothing is
// removed: files of those names are then not provably a build's.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace shell {

inline constexpr const char* kBuildMarkerName = "tolvane-build.owner";

// One build's marker, for the build's length: written at construction,
// rewritten as the build records what it is about to make, and removed
// when the build ends, normally or by an exception.
class BuildMarker {
public:
    // Writes the marker with this process's id into `programFolder`.
    // Throws platform::Error when it cannot.
    explicit BuildMarker(std::string programFolder);
    ~BuildMarker();
    BuildMarker(const BuildMarker&) = delete;
    BuildMarker& operator=(const BuildMarker&) = delete;

    // Bare names of work files or folders in the program folder, recorded
    // before the build makes them. Throws platform::Error.
    void recordWorkNames(const std::vector<std::string>& names);
    // The temporary package path (partialPackagePath of the user's path),
    // recorded before a tool writes it. Throws platform::Error.
    void recordPackage(const std::string& temporaryPackagePath);

private:
    void write() const;

    std::string folder_;
    std::vector<std::string> names_;
    std::string package_;
};

// Removes what the build named in `programFolder`'s marker left, when that
// build's process is no longer running, and then the marker: each recorded
// work file or folder in the program folder (bare names only; never one
// that is the user's package) and the temporary package with the copies
// made of it (unfinishedPackageFiles), while it still bears the temporary
// name. Returns the paths removed. Throws
// platform::Error naming what could not be removed; the marker then stays
// for the next start to try again.
std::vector<std::string> removeStaleWorkFiles(const std::string& programFolder);

// The program's start: removeStaleWorkFiles, with a failure given as the
// message for the user (naming the folder and what to do); nullopt when
// all is well.
std::optional<std::string> removeStaleWorkFilesAtStart(const std::string& programFolder);

}  // namespace shell
