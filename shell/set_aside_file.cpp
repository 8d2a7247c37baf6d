#include "shell/set_aside_file.h"

#include "platform/error.h"
#include "platform/file_system.h"

namespace shell {

SetAsideFile::SetAsideFile(std::string path) : path_(std::move(path)) {
    aside_ = path_ + ".old";
    for (int n = 2; platform::fileExists(aside_) || platform::folderExists(aside_); ++n)
        aside_ = path_ + ".old" + std::to_string(n);
    platform::renameFile(path_, aside_);
}

SetAsideFile::~SetAsideFile() {
    if (settled_) return;
    try {
        if (!platform::fileExists(path_)) platform::renameFile(aside_, path_);
    } catch (const platform::Error&) {
        // Nothing better to do on the way out: the old file stays at aside_.
    }
}

void SetAsideFile::restore() {
    platform::renameFile(aside_, path_);
    settled_ = true;
}

void SetAsideFile::drop() {
    platform::deleteFile(aside_);
    settled_ = true;
}

bool SetAsideFile::settle() {
    const bool replaced = platform::fileExists(path_);
    if (replaced) drop();
    else restore();
    return replaced;
}

}  // namespace shell
