// The checks every file line passes before anything is written: the source
// is a readable file of a size a cabinet can hold, its stored name fits the
// code page names are stored in (NameCodePage, else the ANSI code page), the format and Windows' file names, names are unique
// (UniqueFiles), and the files together stay within the cabinet's limits.
#pragma once

#include <string>
#include <vector>

#include "tools/cabinet/cab_writer.h"
#include "tools/makecab/directive_file.h"
#include "tools/makecab/makecab_variables.h"

namespace makecab {

// A file line that passed every check, with what the cabinet stores for it.
struct CheckedFile {
    FileLine line;
    cabinet::CabinetEntry entry;
};

// Errors are gathered (up to MaxErrors) so one run reports every bad line.
class ErrorList {
public:
    explicit ErrorList(std::size_t limit) : limit_(limit ? limit : 1) {}
    void add(const std::string& message) {
        if (messages.size() < limit_) messages.push_back(message);
    }
    bool full() const { return messages.size() >= limit_; }
    std::vector<std::string> messages;

private:
    std::size_t limit_;
};

// Checks one line; false (with the reason in `errors`) when it fails.
// `nameCodePage` 0 stores the name in the ANSI code page.
bool checkFile(const FileLine& line, unsigned nameCodePage, CheckedFile& out, ErrorList& errors);
// Checks every line and the whole set; the lines that passed.
std::vector<CheckedFile> checkFiles(const std::vector<FileLine>& lines, const Settings& settings, ErrorList& errors);

}  // namespace makecab
