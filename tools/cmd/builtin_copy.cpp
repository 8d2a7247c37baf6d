// copy: the built-in the T13 batch file joins its self-extractor with
// ("copy /b 7zs.sfx + config.txt + temp.7z SVCPACK\MyApp.exe").
#include <ostream>
#include <vector>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/unicode.h"
#include "tools/cmd/builtin_commands.h"
#include "tools/cmd/command_text.h"
#include "tools/cmd/windows_names.h"

namespace batch {

const char* const kSyntaxError = "The syntax of the command is incorrect.";

namespace {

enum class Mode { Default, Text, Binary };

struct Source {
    std::string name;  // as written
    Mode mode;
};

struct CopyRequest {
    std::vector<Source> sources;
    std::string target;  // empty: none given
    Mode targetMode = Mode::Default;
};

const char kEndOfText = '\x1A';  // Ctrl-Z, where a text-mode copy stops reading

constexpr const char* kCopied = "        1 file(s) copied.";
constexpr const char* kNoneCopied = "        0 file(s) copied.";

// Reads the words of a copy command. A /a or /b switch holds for the names
// after it, and for the name right before it. Returns false on bad syntax,
// with the message already given.
bool parseCopy(Console& console, const std::string& arguments, CopyRequest& request) {
    Mode current = Mode::Default;
    bool expectSource = true;  // at the start, and after a "+"
    bool haveTarget = false;
    bool afterName = false;
    for (const Word& word : splitWords(arguments, true)) {
        if (word.plus) {
            if (request.sources.empty() || expectSource || haveTarget) {
                console.err << kSyntaxError << "\n";
                return false;
            }
            expectSource = true;
            afterName = false;
            continue;
        }
        if (isSwitch(word)) {
            const std::string name = switchName(word);
            if (name == "a" || name == "b") {
                current = name == "a" ? Mode::Text : Mode::Binary;
                if (afterName) (haveTarget ? request.targetMode : request.sources.back().mode) = current;
            } else if (name != "y" && name != "-y" && name != "v" && name != "d" && name != "n" && name != "z" &&
                       name != "l") {
                console.err << "Invalid switch - " << word.text << "\n";
                return false;
            }
            continue;
        }
        if (expectSource) {
            request.sources.push_back({word.text, current});
            expectSource = false;
        } else if (!haveTarget) {
            request.target = word.text;
            request.targetMode = current;
            haveTarget = true;
        } else {
            console.err << kSyntaxError << "\n";
            return false;
        }
        afterName = true;
    }
    if (request.sources.empty() || expectSource || (haveTarget && request.target.empty())) {
        console.err << kSyntaxError << "\n";
        return false;
    }
    return true;
}

// The path with "\" read as "/", made absolute and letter case folded, so
// that two spellings of one file compare equal.
std::string comparablePath(const std::string& path) {
    std::string p = windowsPath(path);
    for (char& c : p)
        if (c == '\\') c = '/';
    if (p.empty() || (p[0] != '/' && !(p.size() > 1 && p[1] == ':'))) p = platform::currentDirectory() + "/" + p;
    for (char& c : p)
        if (c == '\\') c = '/';
    std::string out;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p.compare(i, 2, "./") == 0 && (i == 0 || p[i - 1] == '/')) {
            ++i;
            continue;
        }
        if (p[i] == '/' && !out.empty() && out.back() == '/') continue;
        out += p[i];
    }
    return platform::foldCase(out);
}

}  // namespace

int runCopy(Console& console, const std::string& arguments) {
    CopyRequest request;
    if (!parseCopy(console, arguments, request)) return 1;
    const bool joining = request.sources.size() > 1;
    const Source& first = request.sources.front();

    std::string target = request.target.empty() ? (joining ? first.name : platform::baseName(first.name))
                                                : request.target;
    target = windowsPath(target);
    if (platform::folderExists(target)) target = platform::joinPath(target, platform::baseName(first.name));

    try {
        std::vector<std::string> paths;
        for (const Source& source : request.sources) {
            const std::string path = windowsPath(source.name);
            if (!platform::fileExists(path)) {
                console.err << (platform::folderExists(path) ? "Copying a folder is not supported here: \""
                                                             : "The system cannot find the file specified: \"")
                            << source.name << "\".\n"
                            << kNoneCopied << "\n";
                return 1;
            }
            paths.push_back(path);
        }
        if (!joining) {
            if (comparablePath(paths[0]) == comparablePath(target)) {
                console.err << "The file cannot be copied onto itself.\n" << kNoneCopied << "\n";
                return 1;
            }
            if (first.mode != Mode::Text && request.targetMode != Mode::Text) {
                platform::copyFile(paths[0], target);
                console.out << kCopied << "\n";
                return 0;
            }
        }
        std::string bytes;
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const Mode mode = request.sources[i].mode;
            std::string content = platform::readFile(paths[i]);
            if (mode == Mode::Text || (mode == Mode::Default && joining)) {
                const std::size_t end = content.find(kEndOfText);
                if (end != std::string::npos) content.resize(end);
            }
            bytes += content;
            if (joining) console.out << request.sources[i].name << "\n";
        }
        const Mode targetMode = request.targetMode;
        if (targetMode == Mode::Text || (targetMode == Mode::Default && joining && first.mode != Mode::Binary))
            bytes += kEndOfText;
        platform::writeFileAtomic(target, bytes);
        console.out << kCopied << "\n";
        return 0;
    } catch (const platform::Error& e) {
        console.err << e.what() << "\n" << kNoneCopied << "\n";
        return 1;
    }
}

}  // namespace batch
