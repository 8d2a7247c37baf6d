// Starting external programs. A started program is held by its handle
// (Windows) or as a child (POSIX), never by a bare process id, so a reused id
// can never be mistaken for it.
//
// The command line is split by the Windows rules. On Windows it is handed to
// CreateProcess as it stands (a bare ".bat" name and "cmd /c ..." run through
// cmd.exe, except a batch file that starts with a UTF-8 byte-order mark: cmd
// reads batch files in the OEM code page and would take the mark for text,
// so such a file, written where that code page cannot hold its text, runs
// through the project's own interpreter, tolvane-cmd, found by findOwnTool).
// On POSIX the program is found the way cmd finds one (current folder, the
// executable's folder, PATH; "x.exe" also as "x"; letter case ignored where
// the exact name is missing), and ".bat" names and "cmd /c ..." run through
// the system's own batch interpreter, tolvane-cmd.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace platform {

enum WindowStyle {
    kHidden = 0,            // no window at all: no console either
    kMinimizedFocus = 2,
    kMinimizedNoFocus = 6,
};

class ChildProcess {
public:
    // Throws Error(FileNotFound) naming the program when it cannot be started.
    static ChildProcess start(const std::string& commandLine, int windowStyle);

    ChildProcess(ChildProcess&&) noexcept;
    ChildProcess& operator=(ChildProcess&&) noexcept;
    ~ChildProcess();  // lets go of the handle; the program runs on

    bool isAlive();
    // Blocks until the program has ended, or until the user interface has
    // input to handle (Windows), or at most `milliseconds`. Never spins.
    void waitBriefly(unsigned milliseconds);
    // The exit status once ended (blocks until then).
    int exitCode();
    // The system's id of the program, as processExists() takes it.
    unsigned long processId() const;
    // Ends the program at once, giving it no chance to clean up (SIGKILL,
    // TerminateProcess): what a kill from outside does.
    void terminate();

    struct Impl;
private:
    explicit ChildProcess(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

// Where the standard output and standard error of the programs started from
// now on go: this program's own streams (the default), both into this
// program's standard error (so its standard output stays for its result), or
// both appended to a file, made when missing. Their children inherit the same.
struct ChildOutput {
    enum Kind { Inherited, ErrorStream, File } kind = Inherited;
    std::string file;  // for File
};
void setChildOutput(const ChildOutput& output);

// Every program started here lives no longer than the program that started
// it: on Windows all of them sit in one job object that ends them when this
// process ends, however it ends; on POSIX each starts in a process group of
// its own, and those groups are ended when this process exits or is
// interrupted (SIGINT, SIGTERM, SIGHUP).
//
// A program of the system that is itself started by another (the batch
// interpreter, the cabinet maker, the converter) calls this first: it then
// ends, with the programs it started, when its parent ends, even by a kill
// that leaves the parent no time to end them (POSIX; Windows' job does this).
void endWithParent();

// What is removed when this program is interrupted (SIGINT, SIGTERM, SIGHUP;
// Ctrl+C, Ctrl+Break or a closed console on Windows): once the programs it
// started have ended, each registered path goes, a folder with all it holds,
// in the order registered; then the program ends as the signal asks. A kill
// that leaves no time (SIGKILL, TerminateProcess) removes nothing; the next
// run's clean-up is for that. Up to 8 paths; the longest POSIX path is 4095 bytes.
void removeOnInterrupt(const std::string& path);
// Takes a path off that list (it was removed, or is to be kept after all).
void keepOnInterrupt(const std::string& path);
// Returns at once unless an interrupt is being handled; then it never
// returns, and the handler ends the program once it has removed the paths.
// Windows runs its console handler on a thread of its own, so a program
// calls this before it ends, and a started program's end is waited on
// through it (the handler ends them all first).
void waitOutAnInterrupt();

// Splits a command line into arguments by the Windows rules (CommandLineToArgvW).
std::vector<std::string> splitCommandLine(const std::string& commandLine);
// Quotes one argument so that splitCommandLine gives it back unchanged.
std::string quoteArgument(const std::string& argument);

// Finds a program the way cmd does: a name with a folder as it stands;
// otherwise the current folder, then `ownFolder` (if not empty), then PATH.
// On POSIX "x.exe" is also tried as "x", and letter case is ignored where the
// exact name is missing. Empty when not found.
std::string findProgram(const std::string& name, const std::string& ownFolder);

// The folders of PATH, in order.
std::vector<std::string> searchPathFolders();

// Where Tolvane's own tools (reg2inf, the stand-ins, a 7z kept with the
// program) are looked for, in this order: the program folder, the folder of
// the running executable, and its "tools" folder (where an installed Tolvane
// keeps them); each once, the tools folder only where it exists.
std::vector<std::string> ownToolFolders();
// Finds one of our own tools: in ownToolFolders(), then on PATH, with the
// name rules of findProgram. Empty when not found.
std::string findOwnTool(const std::string& name);

// This process's id, and whether a process with a given id is running (an
// id that no process can have is not).
unsigned long currentProcessId();
bool processExists(unsigned long id);

// The value of an environment variable, empty when unset.
std::string environmentVariable(const std::string& name);
// Sets an environment variable for this program and the programs it starts
// from now on; an empty value removes it.
void setEnvironmentVariable(const std::string& name, const std::string& value);

}  // namespace platform
