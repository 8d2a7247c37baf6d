// The package a build makes is written under a temporary name beside the
// user's path and moved over the path only when it is complete, in one
// rename (MoveFileEx with MOVEFILE_REPLACE_EXISTING on Windows, rename on
// POSIX). Whenever the build stops, killed or failed, the path holds the old
// package (or nothing, when there was none) or the whole new one; the old
// one is never moved away first.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace shell {

// Whether the file at a path is a whole package of its kind.
using CompletenessCheck = std::function<bool(const std::string& path)>;

class PackageReplacement {
public:
    // Removes what an earlier build to the same path left under the
    // temporary name (unfinishedPackageFiles). Throws platform::Error when
    // it cannot.
    explicit PackageReplacement(std::string targetPath);
    // Removes the temporary files when the build did not commit them.
    ~PackageReplacement();
    PackageReplacement(const PackageReplacement&) = delete;
    PackageReplacement& operator=(const PackageReplacement&) = delete;

    const std::string& targetPath() const { return target_; }
    // Where the tools write the new package: "<path>.tolvane-part".
    const std::string& buildPath() const { return build_; }

    // Moves the new package over the path when one was made and `complete`
    // accepts it; deletes it otherwise. True when the path now holds it.
    // Throws platform::Error when the move fails (the old package stays).
    bool commit(const CompletenessCheck& complete);

private:
    std::string target_;
    std::string build_;
};

// The name an unfinished package has beside its path.
std::string partialPackagePath(const std::string& targetPath);

// The files a build stopped midway may have left beside the user's path
// under the unfinished package's name `partialPath`: that file itself,
// 7-Zip's copy of it while it adds to the archive ("<name>.tmp"), and the
// copies a writer makes before its rename ("<name>.tmp-..."). Only those
// that are there now, and only files; the user's own files never bear
// these names.
std::vector<std::string> unfinishedPackageFiles(const std::string& partialPath);

// A cabinet is whole when its header's cabinet size is the file's size.
bool isCompleteCabinet(const std::string& path);
// A 7z archive is whole when its end header lies within the file and the
// file ends where that header does.
bool isComplete7zArchive(const std::string& path);

}  // namespace shell
