#include "shell/stale_work_files.h"

#include <cstdlib>
#include <exception>

#include "platform/ansi_text_file.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "shell/package_replacement.h"

namespace shell {

namespace {

// The marker, one entry a line (UTF-8, LF):
//   process <id>
//   package <temporary package path>
//   work <bare name in the program folder>
constexpr const char* kProcessKey = "process ";
constexpr const char* kPackageKey = "package ";
constexpr const char* kWorkKey = "work ";

std::string markerPath(const std::string& programFolder) {
    return platform::joinPath(programFolder, kBuildMarkerName);
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

// A name that stays in the program folder: no folder part, no drive, not
// the folder itself or its parent, not the marker.
bool isBareName(const std::string& name) {
    return !name.empty() && name.find_first_of("\\/:") == std::string::npos && name != "." && name != ".." &&
           name != kBuildMarkerName;
}

struct MarkerRecord {
    unsigned long process = 0;  // 0 when the marker names none
    std::string package;
    std::vector<std::string> workNames;
};

MarkerRecord readMarker(const std::string& path) {
    MarkerRecord record;
    for (const std::string& line : platform::splitLines(platform::readFile(path))) {
        if (startsWith(line, kProcessKey)) {
            const std::string digits = line.substr(std::char_traits<char>::length(kProcessKey));
            char* rest = nullptr;
            const unsigned long id = std::strtoul(digits.c_str(), &rest, 10);
            record.process = !digits.empty() && rest && *rest == '\0' ? id : 0;
        } else if (startsWith(line, kPackageKey)) {
            record.package = line.substr(std::char_traits<char>::length(kPackageKey));
        } else if (startsWith(line, kWorkKey)) {
            record.workNames.push_back(line.substr(std::char_traits<char>::length(kWorkKey)));
        }
    }
    return record;
}

// The user's package the temporary one was to replace; empty when the path
// does not bear the temporary name.
std::string userPackageOf(const std::string& temporaryPackage) {
    const std::string suffix = partialPackagePath("");
    if (temporaryPackage.size() <= suffix.size() ||
        temporaryPackage.compare(temporaryPackage.size() - suffix.size(), suffix.size(), suffix) != 0)
        return {};
    return temporaryPackage.substr(0, temporaryPackage.size() - suffix.size());
}

std::string staleWorkFilesMessage(const std::string& programFolder, const std::string& reason) {
    return "Tolvane 无法删除一次被中断的生成留在程序文件夹中的工作文件：\r\n" + programFolder +
           "\r\n请关闭可能正在使用这些文件的程序，然后重新启动 Tolvane。\r\n\r\n"
           "Tolvane could not remove the work files that a stopped build left in its program folder:\r\n" +
           programFolder +
           "\r\nClose any program that may be using them and start Tolvane again; it tries again at every "
           "start and before every build.\r\n\r\n(" +
           reason + ")";
}

}  // namespace

BuildMarker::BuildMarker(std::string programFolder) : folder_(std::move(programFolder)) { write(); }

BuildMarker::~BuildMarker() {
    try {
        const std::string path = markerPath(folder_);
        if (platform::fileExists(path)) platform::deleteFile(path);
    } catch (const platform::Error&) {
        // Its process is gone after this run: the next start removes it
        // with what it names, which this build has removed itself.
    }
}

void BuildMarker::recordWorkNames(const std::vector<std::string>& names) {
    names_.insert(names_.end(), names.begin(), names.end());
    write();
}

void BuildMarker::recordPackage(const std::string& temporaryPackagePath) {
    package_ = temporaryPackagePath;
    write();
}

void BuildMarker::write() const {
    std::string text = kProcessKey + std::to_string(platform::currentProcessId()) + "\n";
    if (!package_.empty()) text += kPackageKey + package_ + "\n";
    for (const std::string& name : names_) text += kWorkKey + name + "\n";
    platform::writeFileAtomic(markerPath(folder_), text);
}

std::vector<std::string> removeStaleWorkFiles(const std::string& programFolder) {
    const std::string marker = markerPath(programFolder);
    if (!platform::fileExists(marker)) return {};
    const MarkerRecord record = readMarker(marker);
    // A marker naming no process, or one still running (another Tolvane
    // building here, or an id taken over since), proves nothing stale.
    if (record.process == 0 || platform::processExists(record.process)) return {};

    const std::string userPackage = userPackageOf(record.package);
    std::vector<std::string> removed;
    std::string firstFailure;
    const auto remove = [&](const std::string& path, bool folder) {
        try {
            if (folder) platform::removeFolderTree(path);
            else platform::deleteFile(path);
            removed.push_back(path);
        } catch (const platform::Error& e) {
            if (firstFailure.empty()) firstFailure = e.what();
        }
    };
    for (const std::string& name : record.workNames) {
        if (!isBareName(name)) continue;
        const std::string path = platform::joinPath(programFolder, name);
        if (!userPackage.empty() && (path == userPackage || platform::sameFile(path, userPackage))) continue;
        if (platform::folderExists(path)) remove(path, true);
        else if (platform::fileExists(path)) remove(path, false);
    }
    if (!userPackage.empty())
        for (const std::string& path : unfinishedPackageFiles(record.package)) remove(path, false);
    if (!firstFailure.empty()) throw platform::Error(platform::ErrorKind::Io, firstFailure);
    platform::deleteFile(marker);
    return removed;
}

std::optional<std::string> removeStaleWorkFilesAtStart(const std::string& programFolder) {
    try {
        removeStaleWorkFiles(programFolder);
    } catch (const std::exception& e) {
        return staleWorkFilesMessage(programFolder, e.what());
    }
    return std::nullopt;
}

}  // namespace shell
