// Files read and written in pieces on POSIX systems, through plain
// descriptors ("\" in paths read as "/", as in file_system_posix.cpp).
#include "platform/file_stream.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/error.h"
#include "platform/file_faults.h"
#include "platform/file_system.h"

namespace platform {

namespace {

[[noreturn]] void fail(FileAction what, const std::string& path, int error) {
    const ErrorKind kind = (error == ENOENT || error == ENOTDIR) ? ErrorKind::FileNotFound : ErrorKind::Io;
    throw Error(kind, what, path, std::strerror(error));
}

}  // namespace

struct FileReader::Handle {
    int fd = -1;
};

FileReader::FileReader(const std::string& path) : path_(path), handle_(new Handle) {
    FileFaultChecks::check(FileOperation::Read, path, FileAction::ReadFile);
    if (folderExists(path))
        throw Error(ErrorKind::BadInput, FileAction::ReadFile, path, "it is a folder, not a file");
    handle_->fd = ::open(nativePath(resolveLetterCase(path)).c_str(), O_RDONLY | O_CLOEXEC);
    if (handle_->fd < 0) fail(FileAction::ReadFile, path, errno);
}

FileReader::~FileReader() {
    if (handle_->fd >= 0) ::close(handle_->fd);
}

std::size_t FileReader::read(void* buffer, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(handle_->fd, static_cast<char*>(buffer) + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail(FileAction::ReadFile, path_, errno);
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

struct AtomicFileWriter::Handle {
    int fd = -1;
    std::string temp;
};

AtomicFileWriter::AtomicFileWriter(const std::string& path) : path_(path), handle_(new Handle) {
    FileFaultChecks::check(FileOperation::Write, path, FileAction::WriteFile);
    handle_->temp = nativePath(path) + ".tmp-XXXXXX";
    handle_->fd = ::mkstemp(&handle_->temp[0]);
    if (handle_->fd < 0) fail(FileAction::WriteFile, path, errno);
}

AtomicFileWriter::~AtomicFileWriter() {
    if (!committed_) discard();
}

void AtomicFileWriter::discard() {
    if (handle_->fd >= 0) ::close(handle_->fd);
    handle_->fd = -1;
    if (!handle_->temp.empty()) ::unlink(handle_->temp.c_str());
    handle_->temp.clear();
}

void AtomicFileWriter::write(const void* data, std::size_t size) {
    if (handle_->fd < 0) throw Error(ErrorKind::Io, "Cannot write the file \"" + path_ + "\": it is closed.");
    const char* bytes = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const std::size_t wanted = size - done;
        const std::size_t room = FileFaultChecks::room(wanted);
        const ssize_t n = room == 0 ? -1 : ::write(handle_->fd, bytes + done, room);
        if (n < 0 && room > 0 && errno == EINTR) continue;
        if (n < 0 || (room < wanted && static_cast<std::size_t>(n) == room)) {
            const int error = room == 0 || room < wanted ? ENOSPC : errno;
            discard();
            if (error == ENOSPC && FileFaultChecks::active()) FileFaultChecks::diskFull(path_);
            fail(FileAction::WriteFile, path_, error);
        }
        done += static_cast<std::size_t>(n);
    }
    size_ += size;
}

void AtomicFileWriter::overwrite(std::uint64_t offset, const void* data, std::size_t size) {
    if (handle_->fd < 0) throw Error(ErrorKind::Io, "Cannot write the file \"" + path_ + "\": it is closed.");
    if (offset + size > size_)
        throw Error(ErrorKind::Io, "Cannot write the file \"" + path_ + "\": only bytes already written can be overwritten.");
    const char* bytes = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(handle_->fd, bytes + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : EIO;
            discard();
            fail(FileAction::WriteFile, path_, error);
        }
        done += static_cast<std::size_t>(n);
    }
}

void AtomicFileWriter::close() {
    if (handle_->fd < 0) return;
    ::fchmod(handle_->fd, 0644);
    const int result = ::close(handle_->fd);
    handle_->fd = -1;
    if (result != 0) {
        const int error = errno;
        discard();
        fail(FileAction::WriteFile, path_, error);
    }
}

void AtomicFileWriter::commit() {
    if (committed_) return;
    if (handle_->temp.empty()) throw Error(ErrorKind::Io, "Cannot write the file \"" + path_ + "\": it was not completed.");
    close();
    if (::rename(handle_->temp.c_str(), nativePath(path_).c_str()) != 0) {
        const int error = errno;
        discard();
        fail(FileAction::WriteFile, path_, error);
    }
    committed_ = true;
}

}  // namespace platform
