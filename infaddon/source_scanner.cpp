#include "infaddon/source_scanner.h"

#include <map>
#include <unordered_set>

#include "infaddon/inf_syntax.h"
#include "platform/file_system.h"
#include "platform/error.h"
#include "platform/unicode.h"
#include "shell/typed_text_rules.h"

namespace infaddon {

namespace {

constexpr int kProgressEvery = 99;

bool endsWithSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

std::string withTrailingBackslash(const std::string& path) { return endsWithSeparator(path) ? path : path + "\\"; }

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    if (from.empty()) return text;
    std::size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
    return text;
}

std::string replaceChar(std::string text, char from, char to) {
    for (char& c : text)
        if (c == from) c = to;
    return text;
}

// The name N the package gives a source folder: its last component as the
// file system stores it. A drive or file-system root has none; its drive
// letter (or "root") stands in.
std::string packageFolderName(const std::string& startPath) {
    std::string name = platform::nameOnDisk(startPath);
    if (endsWithSeparator(name)) name.pop_back();
    if (!name.empty()) return name;
    if (startPath.size() >= 2 && startPath[1] == ':') return startPath.substr(0, 1);
    return "root";
}

// Splits "name.ext" so a renamed staged file keeps its extension.
std::string uniqueVariant(const std::string& name, int n) {
    const std::size_t dot = name.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot > 0;
    const std::string stem = hasExtension ? name.substr(0, dot) : name;
    const std::string extension = hasExtension ? name.substr(dot) : "";
    return stem + "(" + std::to_string(n) + ")" + extension;
}

// The setup engine rejects an INF with a section name over 255 characters
// (UTF-16 units). A cut name keeps this much of its stem, leaving room for
// ".copyfile" and a "(n)" that keeps it unique.
constexpr std::size_t kSectionNameLimit = 255;
constexpr std::size_t kSectionSuffixRoom = 9 + 7;  // ".copyfile", "(32767)"

std::size_t utf16Length(const std::string& text) { return platform::utf8ToUtf16(text).size(); }

// The longest start of `text` that fits in `units` UTF-16 units, cut at a character.
std::string cutToUtf16Units(const std::string& text, std::size_t units) {
    std::size_t used = 0, pos = 0;
    while (pos < text.size()) {
        std::size_t next = pos;
        const char32_t cp = platform::nextCodePoint(text, next);
        const std::size_t width = cp > 0xFFFF ? 2 : 1;
        if (used + width > units) break;
        used += width;
        pos = next;
    }
    return text.substr(0, pos);
}

// A folder or file the package could not install on Windows: its name holds
// a character Windows names cannot hold (possible on other systems).
void refuseUnwindowsName(shell::MessageKey refusal, const std::string& path, const std::string& name,
                         const shell::MessageTexts& texts) {
    if (const auto cp = shell::characterWindowsNamesCannotHold(name))
        throw platform::Error(platform::ErrorKind::BadInput,
                              texts.text(refusal, {path, platform::describeCodePoint(*cp)}));
}

class Scan {
public:
    Scan(const std::string& start, const AddonProject& project, BuildState& state, const ScanProgress& progress,
         const shell::MessageTexts& texts)
        : startPath_(withTrailingBackslash(start)), state_(state), progress_(progress), texts_(texts) {
        const SourceFolder& source = project.SourceFolders.at(state.SourceIndex);
        basePath_ = withTrailingBackslash(source.folder);
        dirId_ = source.dirId;
        for (const auto& file : state.StagedFiles) usedNames_.insert(platform::foldCase(file.stagedName));
    }

    void run() {
        state_.RunLog.push_back(texts_.text(shell::MessageKey::ScanLooking, {startPath_}));
        if (!platform::folderExists(startPath_)) {
            state_.RunLog.push_back(texts_.text(shell::MessageKey::ScanFolderMissing, {startPath_}));
            return;
        }
        state_.ScanQueue.push_back(startPath_);
        name_ = packageFolderName(startPath_);
        recordFolder("");
        counter_ = 0;
        while (!state_.ScanQueue.empty()) {
            const std::string folder = state_.ScanQueue.front();
            state_.ScanQueue.pop_front();
            scanFolder(folder);
        }
        state_.ProgressLabel = texts_.text(shell::MessageKey::ScanDone, {std::to_string(state_.RunLog.size()),
                                                                         std::to_string(state_.FileCount)});
    }

private:
    std::string relativePath(const std::string& folder) const { return replaceAll(folder, basePath_, ""); }

    void progressStep(const std::string& folder) {
        if (++counter_ < kProgressEvery) return;
        counter_ = 0;
        state_.ProgressLabel = texts_.text(shell::MessageKey::ScanFound, {std::to_string(state_.RunLog.size()), folder});
        if (progress_) progress_();
    }

    // The copy-section name of a folder (r: its relative path without the
    // trailing backslash): N, then the relative path with dots, then
    // ".copyfile". Section names are internal, so a "]" (which would end the
    // section header) becomes "_", an over-long name is cut, and a name that
    // another folder with another destination already has in this build
    // (letter case ignored, as the setup engine compares them) gets "(2)",
    // "(3)", ... before ".copyfile". The same destination keeps the same name.
    std::string sectionName(const std::string& r, const std::string& destination) {
        std::string stem = replaceChar(r.empty() ? name_ : name_ + "." + replaceChar(r, '\\', '.'), ']', '_');
        if (utf16Length(stem) + 9 > kSectionNameLimit)
            stem = cutToUtf16Units(stem, kSectionNameLimit - kSectionSuffixRoom);
        std::string section = stem + ".copyfile";
        for (int n = 2;; ++n) {
            const auto [it, added] = state_.CopySectionDestinations.emplace(platform::foldCase(section), destination);
            if (added || it->second == destination) return section;
            section = stem + "(" + std::to_string(n) + ").copyfile";
        }
    }

    // "%D%\N\r": the directory id stays as it is; the folder names after it
    // are quoted and escaped only where INF syntax would misread them.
    std::string removeDirLine(const std::string& subdir) const {
        const std::string head = "%" + dirId_ + "%\\";
        if (!needsInfQuotes(subdir) && subdir.find('%') == std::string::npos) return head + subdir;
        return "\"" + head + infQuotedContent(subdir) + "\"";
    }

    // r: the relative path without its trailing backslash; empty for the start folder.
    void recordFolder(const std::string& r) {
        const std::string subdir = r.empty() ? name_ : name_ + "\\" + r;
        const std::string section = sectionName(r, dirId_ + "," + subdir);
        sectionOf_[r] = section;
        state_.CopySectionNames.push_back(infField(section) + ",");
        state_.DestinationDirLines.push_back(infField(section) + " = " + dirId_ + ",\"" + infQuotedContent(subdir) +
                                             "\"");
        state_.RemoveDirLines.push_back(removeDirLine(subdir));
    }

    void scanFolder(const std::string& folder) {
        const platform::FolderListing listing = platform::listFolder(folder);
        for (const auto& sub : listing.folders) {
            progressStep(folder);
            const std::string child = folder + sub + "\\";
            refuseUnwindowsName(shell::MessageKey::ScanBadFolderName, child, sub, texts_);
            state_.RunLog.push_back("■" + child);
            std::string r = relativePath(child);
            if (endsWithSeparator(r)) r.pop_back();
            recordFolder(r);
            state_.ScanQueue.push_back(child);
        }
        const std::string q = relativePath(folder);
        std::string r = q;
        if (endsWithSeparator(r)) r.pop_back();
        state_.CopySectionLines.push_back("");
        const auto known = sectionOf_.find(r);
        state_.CopySectionLines.push_back(
            "[" + (known != sectionOf_.end() ? known->second : sectionName(r, dirId_ + "," + name_ + (r.empty() ? "" : "\\" + r))) +
            "]");
        const std::string prefix = name_ + "_" + replaceChar(q, '\\', '_');
        for (const auto& file : listing.files) {
            refuseUnwindowsName(shell::MessageKey::ScanBadFileName, folder + file, file, texts_);
            progressStep(folder);
            state_.RunLog.push_back(" " + folder + file);
            const std::string staged = uniqueStagedName(prefix + file);
            state_.CopySectionLines.push_back(infField(file) + "," + infField(staged));
            state_.StagedFiles.push_back({folder + file, "\\" + staged, infField(staged) + "=1"});
            ++state_.FileCount;
        }
    }

    std::string uniqueStagedName(const std::string& wanted) {
        std::string name = wanted;
        for (int n = 2; !usedNames_.insert(platform::foldCase("\\" + name)).second; ++n) name = uniqueVariant(wanted, n);
        return name;
    }

    std::string startPath_;
    std::string basePath_;
    std::string dirId_;
    std::string name_;
    BuildState& state_;
    const ScanProgress& progress_;
    const shell::MessageTexts& texts_;
    int counter_ = 0;
    std::unordered_set<std::string> usedNames_;
    std::map<std::string, std::string> sectionOf_;  // relative path (no trailing backslash) -> section name
};

}  // namespace

void ScanSourceFolder(const std::string& startPath, const AddonProject& project, BuildState& state,
                      const ScanProgress& progress, const shell::MessageTexts& texts) {
    Scan(startPath, project, state, progress, texts).run();
}

void scanSourceFolders(const AddonProject& project, BuildState& state, const ScanProgress& progress,
                       const shell::MessageTexts& texts) {
    for (std::size_t i = 0; i < project.SourceFolders.size(); ++i) {
        state.SourceIndex = i;
        ScanSourceFolder(project.SourceFolders[i].folder, project, state, progress, texts);
    }
    state.CopyFilesList.clear();
    for (const auto& name : state.CopySectionNames) state.CopyFilesList += name;
}

std::string nextStagingFolder(const std::string& base) {
    const std::string stem = endsWithSeparator(base) ? base + "提取文件" : base + "\\提取文件";
    std::string candidate = stem;
    for (long n = 1; platform::folderExists(candidate); ++n) candidate = stem + "(" + std::to_string(n) + ")";
    return candidate;
}

std::string CreateStagingFolder(const std::string& base, BuildState& state) {
    const std::string candidate = nextStagingFolder(base);
    platform::createFolder(candidate);
    state.StagingFolder = candidate;
    return candidate;
}

}  // namespace infaddon
