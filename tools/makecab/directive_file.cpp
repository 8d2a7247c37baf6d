#include "tools/makecab/directive_file.h"

#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/unicode.h"
#include "platform/ansi_text_file.h"

namespace makecab {

namespace {

std::string trim(const std::string& s) { return std::string(platform::trim(s)); }

std::string at(const std::string& file, int line) { return file + "(" + std::to_string(line) + ")"; }

[[noreturn]] void refuse(const std::string& file, int line, const std::string& message) {
    throw platform::Error(platform::ErrorKind::BadInput, at(file, line) + ": " + message);
}

// The line up to a ";" that stands outside quotes.
std::string withoutComment(const std::string& line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        else if (line[i] == ';' && !quoted) return line.substr(0, i);
    }
    return line;
}

// The longest a line may grow when its variables are put in: far above two
// full paths and their options, far below what would exhaust memory when
// .Define values double from line to line.
const std::size_t kMaxExpandedLine = 8192;

// Replaces %Name% by the value of an existing variable; other "%" stay.
// Empty when the result would pass kMaxExpandedLine.
std::string substitute(const std::string& line, const Variables& variables, bool& tooLong) {
    std::string out;
    std::size_t i = 0;
    tooLong = false;
    while (i < line.size()) {
        if (out.size() > kMaxExpandedLine) {
            tooLong = true;
            return {};
        }
        if (line[i] == '%') {
            const std::size_t end = line.find('%', i + 1);
            if (end != std::string::npos && end > i + 1) {
                const std::string name = line.substr(i + 1, end - i - 1);
                if (variables.has(name)) {
                    const std::string& value = variables.get(name);
                    if (out.size() + value.size() > kMaxExpandedLine) {
                        tooLong = true;
                        return {};
                    }
                    out += value;
                    i = end + 1;
                    continue;
                }
            }
        }
        out += line[i++];
    }
    tooLong = out.size() > kMaxExpandedLine;
    return out;
}

// Splits a line into words; a quoted word may hold blanks.
std::vector<std::string> words(const std::string& line, const std::string& file, int lineNumber) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= line.size()) break;
        std::string word;
        bool quoted = false;
        while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
            if (line[i] == '"') {
                if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                    word += '"';
                    i += 2;
                    continue;
                }
                quoted = !quoted;
                ++i;
                continue;
            }
            word += line[i++];
        }
        if (quoted) refuse(file, lineNumber, "a quoted name has no closing quote.");
        out.push_back(word);
    }
    return out;
}

std::string unquote(const std::string& value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
    return value;
}

bool yesNo(const std::string& value, const std::string& option, const std::string& file, int line) {
    const std::string v = platform::asciiLower(value);
    if (v == "yes" || v == "on") return true;
    if (v == "no" || v == "off") return false;
    refuse(file, line, "the option /" + option + " takes yes or no, not \"" + value + "\".");
}

class Parser {
public:
    Parser(const std::string& file, Variables& variables) : file_(file), variables_(variables) {}

    void line(const std::string& raw, int number) {
        const std::string text = trim(withoutComment(raw));
        if (inInfText_) {
            if (platform::asciiLower(text).rfind(".infend", 0) == 0) inInfText_ = false;
            return;
        }
        if (text.empty()) return;
        bool tooLong = false;
        const std::string expanded = substitute(text, variables_, tooLong);
        if (tooLong)
            refuse(file_, number, "with its variables put in, the line is longer than " +
                                      std::to_string(kMaxExpandedLine) +
                                      " characters. Check the .Define lines whose values grow from line to line.");
        if (expanded[0] == '.') directive(expanded, number);
        else fileLine(expanded, number);
    }

    void finish(int lastLine) {
        if (inInfText_) refuse(file_, lastLine, ".InfBegin has no .InfEnd.");
    }

    std::vector<FileLine> files;

private:
    void directive(const std::string& text, int number) {
        std::size_t end = 1;
        while (end < text.size() && text[end] != ' ' && text[end] != '\t') ++end;
        const std::string command = platform::asciiLower(text.substr(1, end - 1));
        const std::string rest = trim(text.substr(end));
        try {
            if (command == "set" || command == "define") {
                const std::size_t eq = rest.find('=');
                if (eq == std::string::npos) refuse(file_, number, "." + command + " needs Variable=Value.");
                const std::string name = trim(rest.substr(0, eq));
                const std::string value = unquote(trim(rest.substr(eq + 1)));
                if (name.empty()) refuse(file_, number, "." + command + " needs a variable name before \"=\".");
                if (command == "set") variables_.set(name, value);
                else variables_.define(name, value);
            } else if (command == "delete") {
                variables_.remove(rest);
            } else if (command == "option") {
                if (platform::asciiLower(rest) != "explicit") refuse(file_, number, "unknown option \"" + rest + "\".");
            } else if (command == "new") {
                // One folder or another: the cabinet stays valid. A second
                // cabinet or disk is not made here.
                const std::string what = platform::asciiLower(rest);
                if (what == "cabinet" || what == "disk")
                    refuse(file_, number, ".New " + rest + ": this makecab makes one cabinet per run.");
                if (what != "folder") refuse(file_, number, ".New takes Folder, Cabinet or Disk.");
            } else if (command == "infbegin") {
                inInfText_ = true;
            } else if (command == "infend" || command == "dump" || command.rfind("infwrite", 0) == 0) {
                // INF text and variable dumps do not change the cabinet.
            } else {
                refuse(file_, number, "unknown directive \"." + text.substr(1, end - 1) + "\".");
            }
        } catch (const platform::Error& e) {
            const std::string prefix = at(file_, number) + ": ";
            if (std::string(e.what()).rfind(prefix, 0) == 0) throw;
            throw platform::Error(e.kind(), prefix + e.what());
        }
    }

    void fileLine(const std::string& text, int number) {
        FileLine f;
        f.directiveFile = file_;
        f.lineNumber = number;
        std::vector<std::string> names;
        for (const std::string& w : words(text, file_, number)) {
            if (w.size() > 1 && w[0] == '/' && names.size() >= 1) {
                const std::size_t eq = w.find('=');
                const std::string option = platform::asciiLower(w.substr(1, eq == std::string::npos ? w.npos : eq - 1));
                const std::string value = eq == std::string::npos ? "yes" : w.substr(eq + 1);
                if (option == "unique") f.unique = yesNo(value, option, file_, number);
                else if (option == "inf") yesNo(value, option, file_, number);
                else refuse(file_, number, "unknown file option \"" + w + "\".");
                continue;
            }
            names.push_back(w);
        }
        if (names.empty() || names[0].empty()) refuse(file_, number, "the line names no file.");
        if (names.size() > 2)
            refuse(file_, number, "too many names; put a name with blanks in quotes: \"" + text + "\".");
        const Settings settings = settingsFrom(variables_);
        f.source = names[0];
        if (!settings.sourceDir.empty() && !platform::isAbsolutePath(f.source))
            f.source = platform::joinPath(settings.sourceDir, f.source);
        f.storedName = names.size() == 2 ? names[1] : platform::baseName(names[0]);
        if (f.storedName.empty()) refuse(file_, number, "\"" + names[0] + "\" names a folder, not a file.");
        if (!settings.destinationDir.empty()) f.storedName = platform::joinPath(settings.destinationDir, f.storedName);
        files.push_back(f);
    }

    std::string file_;
    Variables& variables_;
    bool inInfText_ = false;
};

}  // namespace

std::string FileLine::where() const { return at(directiveFile, lineNumber); }

std::vector<FileLine> parseDirectiveText(const std::string& utf8Text, const std::string& fileName,
                                         Variables& variables) {
    Parser parser(fileName, variables);
    const std::vector<std::string> lines = platform::splitLines(utf8Text);
    for (std::size_t i = 0; i < lines.size(); ++i) parser.line(lines[i], static_cast<int>(i + 1));
    parser.finish(static_cast<int>(lines.size()));
    return parser.files;
}

std::vector<FileLine> readDirectiveFile(const std::string& path, Variables& variables) {
    if (!platform::fileExists(path))
        throw platform::Error(platform::ErrorKind::FileNotFound,
                              "The directive file \"" + path + "\" does not exist.");
    std::string bytes = platform::readFile(path);
    // A file saved as UTF-8 with a byte-order mark is read as UTF-8; any
    // other is in the ANSI code page, as makecab reads it.
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        bytes.erase(0, 3);
        int number = 0;
        for (const std::string& line : platform::splitLines(bytes)) {
            ++number;
            if (!platform::isValidUtf8(line))
                throw platform::Error(platform::ErrorKind::CodePage,
                                      at(path, number) + ": the file begins as UTF-8 (its byte-order mark), but "
                                                         "this line is not UTF-8.");
        }
        return parseDirectiveText(bytes, path, variables);
    }
    // Decoded line by line, so a byte the code page cannot read names its line.
    std::string text;
    int number = 0;
    for (const std::string& line : platform::splitLines(bytes)) {
        ++number;
        try {
            text += platform::decodeAnsi(line, false);
        } catch (const platform::Error& e) {
            throw platform::Error(platform::ErrorKind::CodePage, at(path, number) + ": " + e.what());
        }
        text += '\n';
    }
    return parseDirectiveText(text, path, variables);
}

}  // namespace makecab
