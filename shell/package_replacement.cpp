#include "shell/package_replacement.h"

#include <cstdint>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/unicode.h"

namespace shell {

namespace {

std::uint64_t littleEndian(const std::string& bytes, std::size_t offset, int count) {
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    return value;
}

// The first `count` bytes of a file, fewer when it is shorter; empty when unreadable.
std::string headOf(const std::string& path, std::size_t count) {
    try {
        return platform::readFileHead(path, count);
    } catch (const platform::Error&) {
        return {};
    }
}

std::uint64_t sizeOf(const std::string& path) {
    try {
        return platform::fileInfo(path).size;
    } catch (const platform::Error&) {
        return 0;
    }
}

}  // namespace

std::string partialPackagePath(const std::string& targetPath) { return targetPath + ".tolvane-part"; }

std::vector<std::string> unfinishedPackageFiles(const std::string& partialPath) {
    std::vector<std::string> found;
    if (platform::fileExists(partialPath)) found.push_back(partialPath);
    const std::string folder = platform::parentPath(partialPath);
    const std::string copyPrefix = platform::baseName(partialPath) + ".tmp";
    std::vector<std::string> names;
    try {
        names = platform::listFolder(folder.empty() ? "." : folder).files;
    } catch (const platform::Error&) {
        // A folder that cannot be listed whole: the fixed name at least.
        names = {copyPrefix};
    }
    for (const std::string& name : names) {
        const bool copy = name.size() == copyPrefix.size() ||
                          (name.size() > copyPrefix.size() + 1 && name[copyPrefix.size()] == '-');
        if (!copy || !platform::equalsIgnoreCase(name.substr(0, copyPrefix.size()), copyPrefix)) continue;
        const std::string path = folder.empty() ? name : platform::joinPath(folder, name);
        if (platform::fileExists(path)) found.push_back(path);
    }
    return found;
}

PackageReplacement::PackageReplacement(std::string targetPath)
    : target_(std::move(targetPath)), build_(partialPackagePath(target_)) {
    for (const std::string& path : unfinishedPackageFiles(build_)) platform::deleteFile(path);
    try {
        platform::removeOnInterrupt(build_);
    } catch (const platform::Error&) {
        // The next build to this path removes what an interrupt leaves.
    }
}

PackageReplacement::~PackageReplacement() {
    platform::keepOnInterrupt(build_);
    try {
        for (const std::string& path : unfinishedPackageFiles(build_)) platform::deleteFile(path);
    } catch (const platform::Error&) {
        // The next build to this path removes them.
    }
}

bool PackageReplacement::commit(const CompletenessCheck& complete) {
    if (!platform::fileExists(build_)) return false;
    if (!complete(build_)) {
        platform::deleteFile(build_);
        return false;
    }
    platform::renameFile(build_, target_);
    return true;
}

bool isCompleteCabinet(const std::string& path) {
    // CFHEADER: "MSCF", 4 reserved bytes, then cbCabinet, the whole file's size.
    const std::string head = headOf(path, 12);
    if (head.size() < 12 || head.compare(0, 4, "MSCF") != 0) return false;
    return littleEndian(head, 8, 4) == sizeOf(path);
}

bool isComplete7zArchive(const std::string& path) {
    // The signature header: 6 signature bytes, 2 version bytes, the start
    // header's CRC, then the next header's offset (after these 32 bytes) and size.
    const std::string head = headOf(path, 32);
    static const char kSignature[] = {'7', 'z', '\xBC', '\xAF', '\x27', '\x1C'};
    if (head.size() < 32 || head.compare(0, 6, std::string(kSignature, 6)) != 0) return false;
    const std::uint64_t offset = littleEndian(head, 12, 8), size = littleEndian(head, 20, 8);
    if (size == 0 || offset > UINT64_MAX - 32 - size) return false;
    return 32 + offset + size == sizeOf(path);
}

}  // namespace shell
