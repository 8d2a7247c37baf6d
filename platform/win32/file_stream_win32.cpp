// Files read and written in pieces through the wide-character Win32 calls
// (XP and later: SetFilePointerEx is there since Windows 2000).
#include "platform/file_stream.h"

#include <algorithm>

#include "platform/error.h"
#include "platform/file_faults.h"
#include "platform/file_system.h"
#include "platform/win32/wide.h"

namespace platform {

namespace {

[[noreturn]] void fail(FileAction what, const std::string& path, DWORD code) {
    const ErrorKind kind =
        (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) ? ErrorKind::FileNotFound : ErrorKind::Io;
    throw Error(kind, what, path, systemReason(code));
}

// ReadFile and WriteFile take at most a DWORD at once; a megabyte a call
// keeps each one short.
const std::size_t kLargestCall = 1 << 20;

}  // namespace

struct FileReader::Handle {
    HANDLE h = INVALID_HANDLE_VALUE;
};

FileReader::FileReader(const std::string& path) : path_(path), handle_(new Handle) {
    FileFaultChecks::check(FileOperation::Read, path, FileAction::ReadFile);
    if (folderExists(path))
        throw Error(ErrorKind::BadInput, FileAction::ReadFile, path, "it is a folder, not a file");
    handle_->h = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle_->h == INVALID_HANDLE_VALUE) fail(FileAction::ReadFile, path, GetLastError());
}

FileReader::~FileReader() {
    if (handle_->h != INVALID_HANDLE_VALUE) CloseHandle(handle_->h);
}

std::size_t FileReader::read(void* buffer, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        DWORD n = 0;
        const DWORD wanted = static_cast<DWORD>(std::min(count - done, kLargestCall));
        if (!ReadFile(handle_->h, static_cast<char*>(buffer) + done, wanted, &n, nullptr))
            fail(FileAction::ReadFile, path_, GetLastError());
        if (n == 0) break;
        done += n;
    }
    return done;
}

struct AtomicFileWriter::Handle {
    HANDLE h = INVALID_HANDLE_VALUE;
    std::string temp;
};

AtomicFileWriter::AtomicFileWriter(const std::string& path) : path_(path), handle_(new Handle) {
    FileFaultChecks::check(FileOperation::Write, path, FileAction::WriteFile);
    const std::string temp = path + ".tmp-write";
    handle_->h = CreateFileW(wide(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
    if (handle_->h == INVALID_HANDLE_VALUE) fail(FileAction::WriteFile, path, GetLastError());
    handle_->temp = temp;
}

AtomicFileWriter::~AtomicFileWriter() {
    if (!committed_) discard();
}

void AtomicFileWriter::discard() {
    if (handle_->h != INVALID_HANDLE_VALUE) CloseHandle(handle_->h);
    handle_->h = INVALID_HANDLE_VALUE;
    if (!handle_->temp.empty()) DeleteFileW(wide(handle_->temp).c_str());
    handle_->temp.clear();
}

void AtomicFileWriter::write(const void* data, std::size_t size) {
    if (handle_->h == INVALID_HANDLE_VALUE)
        throw Error(ErrorKind::Io, "Cannot write the file \"" + path_ + "\": it is closed.");
    const char* bytes = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < size) {
        DWORD n = 0;
        const DWORD wanted = static_cast<DWORD>(std::min(size - done, kLargestCall));
        const DWORD chunk = static_cast<DWORD>(FileFaultChecks::room(wanted));
        const BOOL written = chunk > 0 && WriteFile(handle_->h, bytes + done, chunk, &n, nullptr);
        if (!written || chunk < wanted) {
            const DWORD code = written || chunk == 0 ? ERROR_DISK_FULL : GetLastError();
            discard();
            if (chunk < wanted) FileFaultChecks::diskFull(path_);
            fail(FileAction::WriteFile, path_, code);
        }
        done += n;
    }
    size_ += size;
}

void AtomicFileWriter::overwrite(std::uint64_t offset, const void* data, std::size_t size) {
    if (handle_->h == INVALID_HANDLE_VALUE)
        throw Error(ErrorKind::Io, "Cannot write the file \"" + path_ + "\": it is closed.");
    if (offset + size > size_)
        throw Error(ErrorKind::Io,
                    "Cannot write the file \"" + path_ + "\": only bytes already written can be overwritten.");
    LARGE_INTEGER at, end;
    at.QuadPart = static_cast<LONGLONG>(offset);
    end.QuadPart = static_cast<LONGLONG>(size_);
    DWORD n = 0;
    const bool ok = SetFilePointerEx(handle_->h, at, nullptr, FILE_BEGIN) &&
                    WriteFile(handle_->h, data, static_cast<DWORD>(size), &n, nullptr) && n == size &&
                    SetFilePointerEx(handle_->h, end, nullptr, FILE_BEGIN);
    if (!ok) {
        const DWORD code = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
        discard();
        fail(FileAction::WriteFile, path_, code);
    }
}

void AtomicFileWriter::close() {
    if (handle_->h == INVALID_HANDLE_VALUE) return;
    const BOOL ok = CloseHandle(handle_->h);
    handle_->h = INVALID_HANDLE_VALUE;
    if (!ok) {
        const DWORD code = GetLastError();
        discard();
        fail(FileAction::WriteFile, path_, code);
    }
}

void AtomicFileWriter::commit() {
    if (committed_) return;
    if (handle_->temp.empty())
        throw Error(ErrorKind::Io, "Cannot write the file \"" + path_ + "\": it was not completed.");
    close();
    if (!MoveFileExW(wide(handle_->temp).c_str(), wide(path_).c_str(), MOVEFILE_REPLACE_EXISTING)) {
        const DWORD code = GetLastError();
        discard();
        fail(FileAction::WriteFile, path_, code);
    }
    committed_ = true;
}

}  // namespace platform
