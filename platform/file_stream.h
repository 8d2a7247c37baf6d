// Files read and written in pieces, so that a large one never has to sit in
// memory whole. Paths and failures are as in file_system.h: every failure
// throws platform::Error naming the path and the system's reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// Reads a file from its start.
class FileReader {
public:
    explicit FileReader(const std::string& path);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // Up to `count` bytes into `buffer`; fewer only at the end of the file,
    // 0 once there.
    std::size_t read(void* buffer, std::size_t count);

    struct Handle;

private:
    std::string path_;
    std::unique_ptr<Handle> handle_;
};

// Writes a file beside its target and renames it over the target in
// commit(), so the target is either the old file or the whole new one. A
// writer dropped before commit() deletes what it wrote.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const std::string& path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Appends bytes at the end.
    void write(const void* data, std::size_t size);
    // Overwrites bytes already written, `offset` from the start (a header
    // whose fields are known only at the end).
    void overwrite(std::uint64_t offset, const void* data, std::size_t size);
    std::uint64_t size() const { return size_; }

    // Every byte is written: the file is closed but stays beside the target
    // until commit(), so several files can be made before any replaces its
    // target. No writes after this.
    void close();
    // Closes the file if still open and moves it over the target.
    void commit();

    const std::string& path() const { return path_; }

    struct Handle;

private:
    void discard();

    std::string path_;
    std::unique_ptr<Handle> handle_;
    std::uint64_t size_ = 0;
    bool committed_ = false;
};

}  // namespace platform
