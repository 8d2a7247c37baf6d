// makecab's outputs, each streamed from its sources into a file beside its
// target, so that memory stays small whatever the files' sizes, and moved
// over the target only once the run's every output is complete: a failed
// run leaves the old files as they were.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_stream.h"
#include "tools/makecab/makecab_file_checks.h"
#include "tools/makecab/makecab_variables.h"

namespace makecab {

// The folders a run makes for its outputs. Unless the run keeps them, they
// go again when it ends, so a failed run leaves no trace.
class NewFolders {
public:
    NewFolders() = default;
    NewFolders(const NewFolders&) = delete;
    NewFolders& operator=(const NewFolders&) = delete;
    ~NewFolders();
    void makeParentOf(const std::string& path);
    void keep() { kept_ = true; }

private:
    std::vector<std::string> made_;  // the topmost new folder of each output
    bool kept_ = false;
};

// The cabinet of `files` written beside `path` and closed; commit() moves it
// over `path`. Refuses a cabinet larger than MaxDiskSize (or MaxCabinetSize)
// allows before compressing where the sizes tell, else as soon as it grows
// past it.
std::unique_ptr<platform::AtomicFileWriter> writeCabinetBeside(const std::string& path,
                                                               const std::vector<CheckedFile>& files,
                                                               const Settings& settings);

// A plain copy of the file written beside `path`, as writeCabinetBeside does.
std::unique_ptr<platform::AtomicFileWriter> copyBeside(const std::string& path, const CheckedFile& file);

}  // namespace makecab
