// Faults on demand for the file functions of this layer: a folder listing, an
// entry, a read, a write, a rename or a delete that fails at a chosen path,
// and a disk that fills at a chosen byte. Tests set them up to try the error
// paths as any user (the administrator included); without a FileFaults alive
// nothing is ever refused, and the checks cost one pointer test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/error.h"

namespace platform {

enum class FileOperation {
    List,     // listing a folder's entries
    Examine,  // reading an entry's kind and size during a listing or a query
    Read,     // opening or reading a file's bytes (copy sources too)
    Write,    // creating or writing a file (copy targets too)
    Rename,   // moving a file to another name (the source's path is matched)
    Delete,   // deleting a file or removing a folder
};

class FileFaults {
public:
    FileFaults();   // takes effect at once; one at a time
    ~FileFaults();  // every fault set up here ends
    FileFaults(const FileFaults&) = delete;
    FileFaults& operator=(const FileFaults&) = delete;

    // `operation` on a path that ends with `pathEnd` (separators and letter
    // case ignored) fails with the system's kind of reason.
    void refuse(FileOperation operation, const std::string& pathEnd,
                const std::string& reason = "Permission denied");
    // From now on the disk takes `bytes` more bytes, over all files written;
    // the write that goes past them stops there, as on a full disk.
    void fillDiskAfter(std::uint64_t bytes);

    // How many operations were refused so far (a test checks its fault was met).
    int refusals() const { return refusals_; }

    struct Rule {
        FileOperation operation;
        std::string pathEnd;
        std::string reason;
    };

private:
    friend struct FileFaultChecks;
    std::vector<Rule> rules_;
    bool diskLimited_ = false;
    std::uint64_t room_ = 0;
    int refusals_ = 0;
};

// What the file functions call. Both throw platform::Error(Io) naming the path.
struct FileFaultChecks {
    // Throws when `operation` on `path` is to fail.
    static void check(FileOperation operation, const std::string& path, FileAction what);
    // Of `wanted` bytes about to be written to `path`, how many the disk takes
    // (all when no fault is set up).
    static std::size_t room(std::size_t wanted);
    // The error for a write that the disk did not take.
    [[noreturn]] static void diskFull(const std::string& path);
    static bool active();
};

}  // namespace platform
