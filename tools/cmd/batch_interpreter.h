// The system's own command interpreter, for systems without cmd.exe. It runs
// the batch files the builders write, and "cmd /c ..." command lines, with
// cmd's meaning for what those use:
//
//   @echo off, echo, rem, exit [/b] [N], blank lines, :labels
//   if [not] errorlevel N command       runs the command when the last
//                                       status is N or more (not: below N)
//   copy [/a|/b] a [+ b ...] [target]   binary or text concatenation, plain copy
//   rd|rmdir [/s] [/q] folder...        del|erase [/q] [/f] name...
//   set NAME=value, set "NAME=value"    a variable for what follows
//   a batch file by name                runs it (without returning, as cmd does)
//   any other command                   a program, run as a child and waited for
//
// A program is found as cmd finds one: the current folder, then the
// interpreter's own folder, then PATH; "x.exe" is also found as "x", and letter
// case is ignored where the exact name is missing. One that is not found gets
// cmd's message on the error stream and the batch goes on with its next line.
// The last command's status is the interpreter's exit status (%ERRORLEVEL%).
//
// Program arguments are split and unquoted by the Windows rules. On POSIX a
// program reads "\" literally (p7zip takes "SVCPACK\*" for one strange name),
// while the batch files hold Windows paths, often mixed with the POSIX paths
// the system works in ("/tmp/prog\提取文件\App_a.exe"). So on POSIX every "\" in
// a program's arguments becomes "/": the file-system layer reads paths the same
// way, and a file name holding a real backslash cannot be reached there either.
// A path-like argument (holding "." or "/", not a "-x" or "/x" switch) that names
// a file only in another letter case is then given in the case on disk.
//
// A batch file is read as UTF-8 when it starts with a byte-order mark (the
// form the builders write where the system's code pages cannot hold its
// text), otherwise in the ANSI code page.
//
// Not supported: redirection and pipes, "&" chains, for/goto/call and the
// like (such a line runs as a program of that name, and fails as unknown),
// set without "=", and the other forms of if (exist, string comparison,
// bracketed blocks), which end the run with a message rather than run or
// skip a command on a condition never tested.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace batch {

class BatchInterpreter {
public:
    // `ownFolder`: the interpreter's folder, searched after the current one.
    BatchInterpreter(std::ostream& out, std::ostream& err, std::istream& in, std::string ownFolder);

    // Runs the text given after /c: one command line, which may name a batch file.
    int runCommandText(const std::string& text);
    // Runs a batch file (UTF-8 after a byte-order mark, else the ANSI code
    // page); `arguments` are %1, %2 ...
    int runBatchFile(const std::string& path, const std::vector<std::string>& arguments = {});

    // The last command's status: 0 for success, 9009 for a program not found.
    int status() const { return status_; }

    // Whether "\" in program arguments becomes "/" (on by default on POSIX).
    void setSlashArguments(bool on) { slashArguments_ = on; }

private:
    // What ends a run early: "exit" ends the interpreter, "exit /b" the batch,
    // and a batch started by name ends the batch that named it.
    enum class Flow { Next, EndBatch, EndAll };

    Flow runBatchLines(const std::vector<std::string>& lines, const std::vector<std::string>& arguments);
    Flow runCommand(const std::string& command);
    Flow runEcho(const std::string& word, const std::string& rest);
    Flow runExit(const std::string& rest);
    Flow runIf(const std::string& rest);
    Flow runNamedBatch(const std::string& name, const std::string& rest);
    void runProgram(const std::string& name, const std::string& rest);
    void runCmd(const std::string& command);
    std::string findBatchFile(const std::string& name) const;
    bool lookUpVariable(const std::string& name, std::string& value) const;
    std::vector<std::string> programArguments(const std::string& rest) const;

    std::ostream& out_;
    std::ostream& err_;
    std::istream& in_;
    std::string ownFolder_;
    bool echoOn_ = true;
    bool slashArguments_;
    int status_ = 0;
    int depth_ = 0;  // batch files running (each started by the one before)
    static constexpr int kMaxBatchDepth = 256;
    bool aborted_ = false;  // the depth limit was met: every batch running ends
};

}  // namespace batch
