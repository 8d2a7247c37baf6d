// The cabinet writer's source and sink over files: entries read from their
// files in pieces, the cabinet written beside its target through
// platform::AtomicFileWriter (renamed over the target by the caller once
// it is complete).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/file_stream.h"
#include "tools/cabinet/cab_writer.h"

namespace cabinet {

class FileEntrySource : public EntrySource {
public:
    explicit FileEntrySource(std::vector<std::string> paths) : paths_(std::move(paths)) {}
    void open(std::size_t index) override { reader_.reset(new platform::FileReader(paths_.at(index))); }
    std::size_t read(std::uint8_t* buffer, std::size_t count) override { return reader_->read(buffer, count); }

private:
    std::vector<std::string> paths_;
    std::unique_ptr<platform::FileReader> reader_;
};

class FileSink : public CabinetSink {
public:
    explicit FileSink(platform::AtomicFileWriter& file) : file_(file) {}
    void append(const std::uint8_t* data, std::size_t size) override { file_.write(data, size); }
    void overwrite(std::uint64_t offset, const std::uint8_t* data, std::size_t size) override {
        file_.overwrite(offset, data, size);
    }

private:
    platform::AtomicFileWriter& file_;
};

}  // namespace cabinet
