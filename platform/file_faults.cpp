#include "platform/file_faults.h"

#include <algorithm>

#include "platform/error.h"
#include "platform/unicode.h"

namespace platform {

namespace {

FileFaults* current = nullptr;

std::string comparable(const std::string& path) {
    std::string p = asciiLower(path);
    std::replace(p.begin(), p.end(), '\\', '/');
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    return p;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

FileFaults::FileFaults() { current = this; }

FileFaults::~FileFaults() {
    if (current == this) current = nullptr;
}

void FileFaults::refuse(FileOperation operation, const std::string& pathEnd, const std::string& reason) {
    rules_.push_back({operation, comparable(pathEnd), reason});
}

void FileFaults::fillDiskAfter(std::uint64_t bytes) {
    diskLimited_ = true;
    room_ = bytes;
}

bool FileFaultChecks::active() { return current != nullptr; }

void FileFaultChecks::check(FileOperation operation, const std::string& path, FileAction what) {
    if (!current) return;
    const std::string p = comparable(path);
    for (const FileFaults::Rule& rule : current->rules_) {
        if (rule.operation == operation && endsWith(p, rule.pathEnd)) {
            ++current->refusals_;
            throw Error(ErrorKind::Io, what, path, rule.reason);
        }
    }
}

std::size_t FileFaultChecks::room(std::size_t wanted) {
    if (!current || !current->diskLimited_) return wanted;
    const std::size_t taken = static_cast<std::size_t>(std::min<std::uint64_t>(wanted, current->room_));
    current->room_ -= taken;
    return taken;
}

void FileFaultChecks::diskFull(const std::string& path) {
    if (current) ++current->refusals_;
    throw Error(ErrorKind::Io, FileAction::WriteFile, path, "There is not enough space on the disk");
}

}  // namespace platform
