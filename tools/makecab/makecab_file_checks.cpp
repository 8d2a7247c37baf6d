#include "tools/makecab/makecab_file_checks.h"

#include <map>

#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/unicode.h"
#include "tools/cabinet/cab_format.h"
#include "tools/makecab/makecab_reports.h"

namespace makecab {

namespace {

// Characters Windows refuses in a file name; "\" separates folders.
bool hasForbiddenCharacter(const std::string& name, char& found) {
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || std::string("<>:\"|?*/").find(c) != std::string::npos) {
            found = c;
            return true;
        }
    }
    return false;
}

std::string describeChar(char c) {
    if (static_cast<unsigned char>(c) < 0x20) return "a control character";
    return std::string("\"") + c + "\"";
}

}  // namespace

bool checkFile(const FileLine& line, unsigned nameCodePage, CheckedFile& out, ErrorList& errors) {
    // One-file runs have no directive file line to name.
    const std::string where = line.lineNumber ? line.where() + ": " : "";
    if (!platform::fileExists(line.source)) {
        if (platform::folderExists(line.source))
            errors.add(where + "\"" + line.source + "\" is a folder; name the files in it one per line.");
        else
            errors.add(where + "The file \"" + line.source + "\" does not exist.");
        return false;
    }
    platform::FileInfo info;
    try {
        info = platform::fileInfo(line.source);
    } catch (const platform::Error& e) {
        errors.add(where + e.what());
        return false;
    }
    if (info.size > 0xFFFFFFFFu) {
        errors.add(where + "The file \"" + line.source + "\" is larger than the 4 GB a cabinet can hold.");
        return false;
    }
    std::string nameBytes;
    try {
        nameBytes = nameCodePage ? platform::encodeCodePage(nameCodePage, line.storedName)
                                 : platform::encodeAnsi(line.storedName);
    } catch (const platform::Error& e) {
        errors.add(where + "The name \"" + line.storedName + "\" cannot be stored in the cabinet: " + e.what());
        return false;
    }
    char bad = 0;
    if (hasForbiddenCharacter(line.storedName, bad)) {
        errors.add(where + "The name \"" + line.storedName + "\" holds " + describeChar(bad) +
                   ", which a file name cannot hold.");
        return false;
    }
    if (nameBytes.size() > cabinet::kMaxNameBytes) {
        errors.add(where + "The name \"" + line.storedName + "\" is " + std::to_string(nameBytes.size()) +
                   " bytes long; a cabinet holds names of at most " + std::to_string(cabinet::kMaxNameBytes) +
                   " bytes.");
        return false;
    }
    out.line = line;
    out.entry.storedName = nameBytes;
    out.entry.size = static_cast<std::uint32_t>(info.size);
    out.entry.dosDate = info.dosDate;
    out.entry.dosTime = info.dosTime;
    out.entry.attributes = info.attributes;
    return true;
}

std::vector<CheckedFile> checkFiles(const std::vector<FileLine>& lines, const Settings& settings,
                                    ErrorList& errors) {
    std::vector<CheckedFile> checked;
    std::map<std::string, const FileLine*> names;  // folded stored name -> first line
    std::uint64_t total = 0;
    for (const FileLine& line : lines) {
        if (errors.full()) break;
        CheckedFile f;
        if (!checkFile(line, settings.nameCodePage, f, errors)) continue;
        const std::string folded = platform::foldCase(line.storedName);
        const auto it = names.find(folded);
        if (it != names.end() && settings.uniqueFiles && line.unique) {
            errors.add(line.where() + ": The name \"" + line.storedName + "\" is already used by " +
                       it->second->where() + "; names in a cabinet must be unique (UniqueFiles=ON).");
            continue;
        }
        if (it == names.end()) names[folded] = &line;
        total += f.entry.size;
        checked.push_back(f);
    }
    if (checked.size() > cabinet::kMaxFiles)
        errors.add(std::to_string(checked.size()) + " files are listed; a cabinet holds at most " +
                   std::to_string(cabinet::kMaxFiles) + ".");
    if (settings.maxDiskFileCount && checked.size() > settings.maxDiskFileCount)
        errors.add(std::to_string(checked.size()) + " files are listed; MaxDiskFileCount allows " +
                   std::to_string(settings.maxDiskFileCount) + " on the disk.");
    if (settings.cabinetFileCountThreshold && checked.size() > settings.cabinetFileCountThreshold)
        errors.add(std::to_string(checked.size()) + " files are listed; CabinetFileCountThreshold allows " +
                   std::to_string(settings.cabinetFileCountThreshold) + " in the one cabinet this makecab makes.");
    if (total > cabinet::kMaxFolderBytes)
        errors.add("The files add up to " + groupDigits(total) + " bytes; a cabinet folder holds at most " +
                   groupDigits(cabinet::kMaxFolderBytes) + ".");
    return checked;
}

}  // namespace makecab
