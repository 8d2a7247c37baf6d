// Keeps an existing output file safe while a new one is made at its path: the
// old file would otherwise pass for the new one when the tools make nothing.
// The file is moved to a free name beside it and either put back (no new file
// was made) or deleted (a new one exists).
#pragma once

#include <string>

namespace shell {

class SetAsideFile {
public:
    // Moves `path` to "<path>.old" (or "<path>.old2", ... when taken).
    // Throws platform::Error when it cannot be moved.
    explicit SetAsideFile(std::string path);
    // Puts the file back unless settle(), restore() or drop() ran and unless
    // a new file took the path: on any failure in between the old file is
    // where it was.
    ~SetAsideFile();
    SetAsideFile(const SetAsideFile&) = delete;
    SetAsideFile& operator=(const SetAsideFile&) = delete;

    // Moves it back to its path, which must be free. Throws platform::Error.
    void restore();
    // Deletes the set-aside copy. Throws platform::Error.
    void drop();
    // drop() when a new file is at the path, restore() otherwise. True when a
    // new file is there.
    bool settle();

    const std::string& asidePath() const { return aside_; }

private:
    std::string path_;
    std::string aside_;
    bool settled_ = false;
};

}  // namespace shell
