#include "tools/makecab/makecab_output.h"

#include "platform/error.h"
#include "platform/file_system.h"
#include "tools/cabinet/cab_file_io.h"
#include "tools/cabinet/cab_writer.h"
#include "tools/makecab/makecab_reports.h"

namespace makecab {

namespace {

using platform::Error;
using platform::ErrorKind;

// An error of a file line's source, named by its directive-file line.
Error onLine(const FileLine& line, const Error& e) {
    return Error(e.kind(), (line.lineNumber ? line.where() + ": " : "") + e.what());
}

// Reads the checked files in pieces.
class CheckedFileSource : public cabinet::EntrySource {
public:
    explicit CheckedFileSource(const std::vector<CheckedFile>& files) : files_(files) {}
    void open(std::size_t index) override {
        current_ = index;
        try {
            reader_.reset(new platform::FileReader(files_.at(index).line.source));
        } catch (const Error& e) {
            throw onLine(files_.at(index).line, e);
        }
    }
    std::size_t read(std::uint8_t* buffer, std::size_t count) override {
        try {
            return reader_->read(buffer, count);
        } catch (const Error& e) {
            throw onLine(files_.at(current_).line, e);
        }
    }

private:
    const std::vector<CheckedFile>& files_;
    std::unique_ptr<platform::FileReader> reader_;
    std::size_t current_ = 0;
};

// MaxCabinetSize where it is set and below MaxDiskSize, else MaxDiskSize; 0 for no limit.
std::uint64_t cabinetSizeLimit(const Settings& settings) {
    return settings.maxCabinetSize && (!settings.maxDiskSize || settings.maxCabinetSize < settings.maxDiskSize)
               ? settings.maxCabinetSize
               : settings.maxDiskSize;
}

[[noreturn]] void tooLarge(const std::string& size, std::uint64_t limit) {
    throw Error(ErrorKind::BadInput, "The cabinet would be " + size + "more than the " + groupDigits(limit) +
                                         " that MaxDiskSize (or MaxCabinetSize) allows; this makecab makes a "
                                         "single cabinet, so raise MaxDiskSize.");
}

// Stops the cabinet as soon as it outgrows the limit.
class LimitedSink : public cabinet::CabinetSink {
public:
    LimitedSink(platform::AtomicFileWriter& file, std::uint64_t limit) : file_(file), limit_(limit) {}
    void append(const std::uint8_t* data, std::size_t size) override {
        if (limit_ && file_.size() + size > limit_) tooLarge("", limit_);
        file_.write(data, size);
    }
    void overwrite(std::uint64_t offset, const std::uint8_t* data, std::size_t size) override {
        file_.overwrite(offset, data, size);
    }

private:
    platform::AtomicFileWriter& file_;
    std::uint64_t limit_;
};

}  // namespace

NewFolders::~NewFolders() {
    if (kept_) return;
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
        try {
            platform::removeFolderTree(*it);
        } catch (const Error&) {
            // A folder someone else filled meanwhile stays; the run's error is the one to report.
        }
    }
}

void NewFolders::makeParentOf(const std::string& path) {
    const std::string parent = platform::parentPath(path);
    if (parent.empty() || platform::folderExists(parent)) return;
    std::string topmost = parent;
    for (std::string up = platform::parentPath(topmost); !up.empty() && !platform::folderExists(up);
         up = platform::parentPath(up))
        topmost = up;
    platform::createFolders(parent);
    made_.push_back(topmost);
}

std::unique_ptr<platform::AtomicFileWriter> writeCabinetBeside(const std::string& path,
                                                               const std::vector<CheckedFile>& files,
                                                               const Settings& settings) {
    std::vector<cabinet::CabinetEntry> entries;
    for (const CheckedFile& f : files) entries.push_back(f.entry);
    const cabinet::FolderMethod method{settings.method, settings.compressionMemory};
    const std::uint64_t limit = cabinetSizeLimit(settings);
    const std::uint64_t smallest = cabinet::smallestCabinetBytes(entries, method);
    if (limit && smallest > limit)
        tooLarge((method.method == cabinet::Method::None ? "" : "at least ") + groupDigits(smallest) + " bytes, ",
                 limit);

    std::unique_ptr<platform::AtomicFileWriter> file(new platform::AtomicFileWriter(path));
    CheckedFileSource source(files);
    LimitedSink sink(*file, limit);
    cabinet::writeCabinet(entries, method, source, sink);
    file->close();
    return file;
}

std::unique_ptr<platform::AtomicFileWriter> copyBeside(const std::string& path, const CheckedFile& file) {
    const std::vector<CheckedFile> one{file};
    CheckedFileSource source(one);
    source.open(0);
    std::unique_ptr<platform::AtomicFileWriter> out(new platform::AtomicFileWriter(path));
    std::vector<std::uint8_t> buffer(1 << 16);
    while (const std::size_t n = source.read(buffer.data(), buffer.size())) out->write(buffer.data(), n);
    out->close();
    return out;
}

}  // namespace makecab
