#include "tools/cmd/batch_interpreter.h"

#include <istream>
#include <ostream>

#include "platform/ansi_text_file.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/host.h"
#include "platform/process.h"
#include "platform/unicode.h"
#include "tools/cmd/builtin_commands.h"
#include "tools/cmd/command_text.h"
#include "tools/cmd/program_runner.h"
#include "tools/cmd/windows_names.h"

namespace batch {

namespace {

constexpr bool kPosix = !platform::kWindowsHost;
using platform::kPathListSeparator;

// cmd's status for a command it cannot find.
constexpr int kNotFoundStatus = 9009;

std::string trimLeft(const std::string& text, const char* blanks = " \t") {
    const std::size_t start = text.find_first_not_of(blanks);
    return start == std::string::npos ? std::string() : text.substr(start);
}

bool isBatchName(const std::string& name) {
    return platform::endsWithIgnoreCase(name, ".bat") || platform::endsWithIgnoreCase(name, ".cmd");
}

// The characters that may follow "echo" directly to print the rest of the
// word ("echo." prints an empty line).
bool isEchoDelimiter(char c) { return std::string(".:/\\(+[]=,;").find(c) != std::string::npos; }

void reportNotRecognized(std::ostream& err, const std::string& name) {
    err << "'" << name << "' is not recognized as an internal or external command,\n"
        << "operable program or batch file.\n";
}

// set "NAME=value" or set NAME=value, as cmd reads them: with the quotes,
// the value ends at the last quote (what follows it is ignored); without,
// it runs to the end of the line. An empty value removes the variable.
int runSet(Console& console, const std::string& rest) {
    std::string assignment = trimLeft(rest);
    if (!assignment.empty() && assignment[0] == '"') {
        const std::size_t last = assignment.rfind('"');
        assignment = last == 0 ? assignment.substr(1) : assignment.substr(1, last - 1);
    }
    const std::size_t equals = assignment.find('=');
    if (equals == std::string::npos || equals == 0) {
        console.err << "set: only \"set NAME=value\" is supported here, not \"set " << rest << "\".\n";
        return 1;
    }
    try {
        platform::setEnvironmentVariable(assignment.substr(0, equals), assignment.substr(equals + 1));
    } catch (const platform::Error& e) {
        console.err << e.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

BatchInterpreter::BatchInterpreter(std::ostream& out, std::ostream& err, std::istream& in, std::string ownFolder)
    : out_(out), err_(err), in_(in), ownFolder_(std::move(ownFolder)), slashArguments_(kPosix) {}

int BatchInterpreter::runCommandText(const std::string& text) {
    const VariableLookup lookup = [this](const std::string& name, std::string& value) {
        return lookUpVariable(name, value);
    };
    runCommand(trimLeft(expandCommandText(text, lookup), " \t@"));
    return status_;
}

int BatchInterpreter::runBatchFile(const std::string& path, const std::vector<std::string>& arguments) {
    std::vector<std::string> lines;
    try {
        lines = platform::splitLines(platform::readTextFile(windowsPath(path)));
    } catch (const platform::Error& e) {
        err_ << e.what() << "\n";
        status_ = 1;
        return status_;
    }
    std::vector<std::string> withName = {path};
    withName.insert(withName.end(), arguments.begin(), arguments.end());
    runBatchLines(lines, withName);
    return status_;
}

BatchInterpreter::Flow BatchInterpreter::runBatchLines(const std::vector<std::string>& lines,
                                                       const std::vector<std::string>& arguments) {
    const VariableLookup lookup = [this](const std::string& name, std::string& value) {
        return lookUpVariable(name, value);
    };
    ++depth_;
    Flow flow = Flow::Next;
    for (const std::string& raw : lines) {
        std::string line = trimLeft(raw);
        bool silent = false;
        while (!line.empty() && line[0] == '@') {
            silent = true;
            line = trimLeft(line.substr(1));
        }
        if (line.empty() || line[0] == ':') continue;  // blank, label or "::" remark
        const std::string command = expandBatchLine(line, arguments, lookup);
        if (echoOn_ && !silent) out_ << "\n" << platform::currentDirectory() << ">" << command << "\n";
        flow = runCommand(command);
        if (aborted_) flow = Flow::EndAll;
        if (flow != Flow::Next) break;
    }
    --depth_;
    return flow == Flow::EndAll ? Flow::EndAll : Flow::Next;
}

BatchInterpreter::Flow BatchInterpreter::runCommand(const std::string& command) {
    CommandParts parts = splitCommandWord(command);
    if (parts.word.empty()) return Flow::Next;
    std::string name = removeQuotes(parts.word);
    std::string lower = platform::asciiLower(name);

    // "rd/s/q x" is "rd /s/q x": a built-in's name may end at its first switch.
    for (const char* builtin : {"copy", "rd", "rmdir", "del", "erase", "exit"}) {
        const std::string b = builtin;
        if (lower.size() > b.size() && lower.compare(0, b.size(), b) == 0 && lower[b.size()] == '/') {
            parts.rest = name.substr(b.size()) + " " + parts.rest;
            name = name.substr(0, b.size());
            lower = b;
            break;
        }
    }

    Console console{out_, err_, in_};
    if (lower == "rem") return Flow::Next;
    if (lower.compare(0, 4, "echo") == 0 && (lower.size() == 4 || isEchoDelimiter(lower[4])))
        return runEcho(parts.word, parts.rest);
    if (lower == "exit") return runExit(parts.rest);
    if (lower == "if") return runIf(parts.rest);
    if (lower == "copy") {
        status_ = runCopy(console, parts.rest);
    } else if (lower == "rd" || lower == "rmdir") {
        status_ = runRemoveFolders(console, parts.rest);
    } else if (lower == "del" || lower == "erase") {
        status_ = runDelete(console, parts.rest);
    } else if (lower == "set") {
        status_ = runSet(console, parts.rest);
    } else if (lower == "cmd" || lower == "cmd.exe") {
        runCmd(command);
    } else if (isBatchName(name)) {
        return runNamedBatch(name, parts.rest);
    } else {
        runProgram(name, parts.rest);
    }
    return Flow::Next;
}

BatchInterpreter::Flow BatchInterpreter::runEcho(const std::string& word, const std::string& rest) {
    if (word.size() > 4) {
        out_ << word.substr(5) << (rest.empty() ? "" : " " + rest) << "\n";
        return Flow::Next;
    }
    const std::string said = platform::asciiLower(platform::trim(rest));
    if (said.empty()) out_ << (echoOn_ ? "ECHO is on." : "ECHO is off.") << "\n";
    else if (said == "off") echoOn_ = false;
    else if (said == "on") echoOn_ = true;
    else out_ << rest << "\n";
    return Flow::Next;
}

BatchInterpreter::Flow BatchInterpreter::runExit(const std::string& rest) {
    bool batchOnly = false;
    for (const Word& word : splitWords(rest)) {
        if (isSwitch(word) && switchName(word) == "b") {
            batchOnly = true;
        } else {
            try {
                status_ = std::stoi(word.text);
            } catch (const std::exception&) {
                status_ = 0;  // cmd reads a code that is no number as 0
            }
            break;
        }
    }
    return batchOnly && depth_ > 0 ? Flow::EndBatch : Flow::EndAll;
}

BatchInterpreter::Flow BatchInterpreter::runIf(const std::string& rest) {
    CommandParts next = splitCommandWord(rest);
    const bool negated = platform::asciiLower(next.word) == "not";
    if (negated) next = splitCommandWord(next.rest);
    if (platform::asciiLower(next.word) != "errorlevel") {
        err_ << "if: only \"if [not] errorlevel N command\" is supported here, not \"if " << rest
             << "\"; batch processing stopped.\n";
        status_ = 1;
        return Flow::EndAll;
    }
    const CommandParts level = splitCommandWord(next.rest);
    const std::string command = trimLeft(level.rest);
    int threshold = 0;
    std::size_t used = 0;
    try {
        threshold = std::stoi(level.word, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    // cmd stops a batch at a line it cannot read.
    if (used == 0 || used != level.word.size() || command.empty()) {
        err_ << kSyntaxError << "\n";
        status_ = 1;
        return Flow::EndAll;
    }
    // The test leaves the status as it was; only the command run changes it.
    if ((status_ >= threshold) != negated) return runCommand(command);
    return Flow::Next;
}

BatchInterpreter::Flow BatchInterpreter::runNamedBatch(const std::string& name, const std::string& rest) {
    const std::string path = findBatchFile(name);
    if (path.empty()) {
        reportNotRecognized(err_, name);
        status_ = kNotFoundStatus;
        return Flow::Next;
    }
    // Each batch named by another runs inside the one that named it; a batch
    // that names itself would otherwise go on until the stack runs out.
    if (depth_ >= kMaxBatchDepth) {
        err_ << "The batch file \"" << path << "\" is named by batch files " << kMaxBatchDepth
             << " deep (a batch file that runs itself?); batch processing stopped.\n";
        status_ = 1;
        aborted_ = true;
        return Flow::EndAll;
    }
    // %1, %2 ... keep their quotes, as cmd hands them over.
    std::vector<std::string> arguments = {name};
    for (CommandParts next = splitCommandWord(rest); !next.word.empty(); next = splitCommandWord(next.rest))
        arguments.push_back(next.word);
    std::vector<std::string> lines;
    try {
        lines = platform::splitLines(platform::readTextFile(path));
    } catch (const platform::Error& e) {
        err_ << e.what() << "\n";
        status_ = 1;
        return Flow::Next;
    }
    // Without "call", cmd does not come back to the batch that named another.
    return runBatchLines(lines, arguments) == Flow::EndAll ? Flow::EndAll : Flow::EndBatch;
}

void BatchInterpreter::runProgram(const std::string& name, const std::string& rest) {
    const std::string program = platform::findProgram(name, ownFolder_);
    if (program.empty()) {
        // cmd also finds "x" as "x.bat" or "x.cmd".
        for (const char* ending : {".bat", ".cmd"}) {
            if (!findBatchFile(name + ending).empty()) {
                runNamedBatch(name + ending, rest);
                return;
            }
        }
        reportNotRecognized(err_, name);
        status_ = kNotFoundStatus;
        return;
    }
    out_.flush();
    err_.flush();
    try {
        status_ = runAndWait(program, programArguments(rest));
    } catch (const platform::Error& e) {
        err_ << e.what() << "\n";
        status_ = kNotFoundStatus;
    }
}

void BatchInterpreter::runCmd(const std::string& command) {
    // A nested interpreter is a child of its own, as cmd.exe starts one; the
    // process layer runs it through this same interpreter.
    out_.flush();
    err_.flush();
    try {
        platform::ChildProcess child = platform::ChildProcess::start(command, platform::kHidden);
        status_ = child.exitCode();
    } catch (const platform::Error& e) {
        err_ << e.what() << "\n";
        status_ = kNotFoundStatus;
    }
}

std::string BatchInterpreter::findBatchFile(const std::string& name) const {
    const auto tryPath = [](const std::string& path) {
        const std::string resolved = windowsPath(path);
        return platform::fileExists(resolved) ? resolved : std::string();
    };
    if (name.find_first_of("\\/") != std::string::npos) return tryPath(name);
    std::vector<std::string> folders = {platform::currentDirectory()};
    const std::string path = platform::environmentVariable("PATH");
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t end = path.find(kPathListSeparator, start);
        if (end == std::string::npos) end = path.size();
        if (end > start) folders.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    for (const auto& folder : folders) {
        const std::string found = tryPath(platform::joinPath(folder, name));
        if (!found.empty()) return found;
    }
    return {};
}

bool BatchInterpreter::lookUpVariable(const std::string& name, std::string& value) const {
    // Windows variable names ignore letter case; POSIX ones do not.
    const std::string upper = platform::asciiUpper(name);
    value = platform::environmentVariable(name);
    if (value.empty()) value = platform::environmentVariable(upper);
    if (!value.empty()) return true;
    if (upper == "ERRORLEVEL") value = std::to_string(status_);
    else if (upper == "CD") value = platform::currentDirectory();
    return !value.empty();
}

std::vector<std::string> BatchInterpreter::programArguments(const std::string& rest) const {
    std::vector<std::string> arguments = platform::splitCommandLine(rest);
    if (slashArguments_)
        for (auto& argument : arguments) argument = posixProgramArgument(argument);
    return arguments;
}

}  // namespace batch
