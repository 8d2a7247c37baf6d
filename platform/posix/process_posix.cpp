// Starting programs on POSIX systems. There is no cmd.exe here: batch files
// and "cmd /c ..." run through the system's own interpreter, tolvane-cmd,
// found beside the running executable or on the search path.
#include "platform/process.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#include <sys/syscall.h>
#endif

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/program_file.h"
#include "platform/unicode.h"

extern char** environ;

namespace platform {

struct ChildProcess::Impl {
    pid_t pid = -1;
    bool ended = false;
    int status = 0;
};

namespace {

// Where the children's output goes (setChildOutput).
ChildOutput childOutput;

// Children let go of while still running; reaped whenever another starts.
std::vector<pid_t> orphans;

// The process groups of the children still running, for the signal handler:
// a fixed table it can read without locks or allocation.
const int kMaxGroups = 64;
volatile sig_atomic_t liveGroups[kMaxGroups];

void rememberGroup(pid_t group) {
    for (int i = 0; i < kMaxGroups; ++i)
        if (liveGroups[i] == 0) {
            liveGroups[i] = group;
            return;
        }
}

void forgetGroup(pid_t group) {
    for (int i = 0; i < kMaxGroups; ++i)
        if (liveGroups[i] == group) liveGroups[i] = 0;
}

void endLiveGroups() {
    for (int i = 0; i < kMaxGroups; ++i)
        if (liveGroups[i] > 0) ::kill(-static_cast<pid_t>(liveGroups[i]), SIGTERM);
}

// The paths removed on an interrupt, as fixed buffers the handler reads
// without allocation; an entry is in use when its first byte is not 0.
const int kMaxInterruptPaths = 8;
char interruptPaths[kMaxInterruptPaths][4096];

void sleepMilliseconds(long milliseconds) {
    struct timespec step = {milliseconds / 1000, (milliseconds % 1000) * 1000000L};
    ::nanosleep(&step, nullptr);
}

// Waits, at most about two seconds, for the children whose groups were told
// to end: the folders go only once nothing writes into them.
void waitForEndedChildren() {
    for (int round = 0; round < 200; ++round) {
        bool running = false;
        for (int i = 0; i < kMaxGroups; ++i) {
            const pid_t child = static_cast<pid_t>(liveGroups[i]);
            if (child <= 0) continue;
            int status;
            if (::waitpid(child, &status, WNOHANG) == 0) running = true;
            else liveGroups[i] = 0;
        }
        if (!running) return;
        sleepMilliseconds(10);
    }
}

// Removes what `parent`'s entry `name` is, a folder with all it holds, with
// calls that are safe in a signal handler (no allocation, no locks): openat,
// the kernel's directory reading, unlinkat.
void removeEntryAt(int parent, const char* name, int depth) {
    if (::unlinkat(parent, name, 0) == 0 || errno == ENOENT) return;
    if (depth > 64) return;
    const int folder = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) return;
#ifdef __linux__
    alignas(8) char buffer[4096];
    for (;;) {
        const long n = ::syscall(SYS_getdents64, folder, buffer, sizeof buffer);
        if (n <= 0) break;
        for (long at = 0; at < n;) {
            struct Entry {
                std::uint64_t inode;
                std::int64_t offset;
                unsigned short length;
                unsigned char type;
                char name[1];
            };
            const Entry* entry = reinterpret_cast<const Entry*>(buffer + at);
            const char* entryName = buffer + at + offsetof(Entry, name);
            if (std::strcmp(entryName, ".") != 0 && std::strcmp(entryName, "..") != 0)
                removeEntryAt(folder, entryName, depth + 1);
            at += entry->length;
        }
    }
#else
    // Elsewhere through the directory stream, which allocates: still the
    // folder's best chance, as the program ends anyway.
    if (DIR* stream = ::fdopendir(::dup(folder))) {
        while (const struct dirent* entry = ::readdir(stream))
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                removeEntryAt(folder, entry->d_name, depth + 1);
        ::closedir(stream);
    }
#endif
    ::close(folder);
    ::unlinkat(parent, name, AT_REMOVEDIR);
}

// A program that ends a moment late may still create a file in a folder
// being removed: each path is tried a few times.
void removeInterruptPaths() {
    for (int attempt = 0; attempt < 5; ++attempt) {
        bool left = false;
        for (int i = 0; i < kMaxInterruptPaths; ++i) {
            if (interruptPaths[i][0] == '\0') continue;
            removeEntryAt(AT_FDCWD, interruptPaths[i], 0);
            struct stat st;
            if (::lstat(interruptPaths[i], &st) == 0) left = true;
        }
        if (!left) return;
        sleepMilliseconds(50);
    }
}

void endChildrenAndDie(int signal) {
    endLiveGroups();
    waitForEndedChildren();
    removeInterruptPaths();
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

// Installed with the first child, or with the first path to remove on an
// interrupt: the children end with this process.
void tieChildrenToThisProcess() {
    static bool tied = false;
    if (tied) return;
    tied = true;
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction action = {};
        struct sigaction previous = {};
        ::sigaction(signal, nullptr, &previous);
        if (previous.sa_handler == SIG_IGN) continue;  // started to ignore it (nohup): keep that
        action.sa_handler = endChildrenAndDie;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
    std::atexit(endLiveGroups);
}

void reapOrphans() {
    for (auto it = orphans.begin(); it != orphans.end();) {
        int status;
        if (::waitpid(*it, &status, WNOHANG) != 0) {
            forgetGroup(*it);
            it = orphans.erase(it);
        } else {
            ++it;
        }
    }
}

bool isExecutableFile(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// The text after the first argument of a command line, as written.
std::string restAfterFirstArgument(const std::string& line) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    bool quoted = false;
    while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
        if (line[i] == '"') quoted = !quoted;
        ++i;
    }
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    return line.substr(i);
}

}  // namespace

std::string programFileIn(const std::string& folder, const std::string& name) {
    std::vector<std::string> names = {name};
    if (endsWithIgnoreCase(name, ".exe")) names.push_back(name.substr(0, name.size() - 4));
    for (const auto& candidate : names) {
        std::string path = resolveLetterCase(folder.empty() ? candidate : joinPath(folder, candidate));
        for (char& c : path)
            if (c == '\\') c = '/';
        if (isExecutableFile(path)) return path;
    }
    return {};
}

unsigned long currentProcessId() { return static_cast<unsigned long>(::getpid()); }

bool processExists(unsigned long id) {
    // kill() reads 0 and negative ids as process groups: an id beyond
    // pid_t's range is no process, not a group to ask about.
    if (id == 0 || id > static_cast<unsigned long>(std::numeric_limits<pid_t>::max())) return false;
    return ::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM;
}

void endWithParent() {
#ifdef __linux__
    // The kernel sends SIGTERM when the parent ends; the handler installed
    // with this process's first child passes it on to the children's groups.
    const pid_t parent = ::getppid();
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) ::raise(SIGTERM);  // the parent ended before the line above
#endif
    tieChildrenToThisProcess();
}

// The handler may run between any two instructions here: the entries are
// changed with the ending signals held back.
namespace {

class EndingSignalsHeld {
public:
    EndingSignalsHeld() {
        sigset_t ending;
        sigemptyset(&ending);
        for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&ending, signal);
        ::sigprocmask(SIG_BLOCK, &ending, &previous_);
    }
    ~EndingSignalsHeld() { ::sigprocmask(SIG_SETMASK, &previous_, nullptr); }

private:
    sigset_t previous_;
};

}  // namespace

void removeOnInterrupt(const std::string& path) {
    if (path.empty()) return;
    if (path.size() >= sizeof interruptPaths[0])
        throw Error(ErrorKind::BadInput, "The path " + path + " is too long to be removed on an interrupt.");
    tieChildrenToThisProcess();
    const EndingSignalsHeld held;
    for (auto& entry : interruptPaths)
        if (entry[0] == '\0') {
            std::memcpy(entry, path.c_str(), path.size() + 1);
            return;
        }
    throw Error(ErrorKind::BadInput, "Too many paths to remove on an interrupt; " + path + " is not one of them.");
}

// The handler runs on the interrupted thread and ends the program itself:
// no other thread can go on meanwhile.
void waitOutAnInterrupt() {}

void keepOnInterrupt(const std::string& path) {
    const EndingSignalsHeld held;
    for (auto& entry : interruptPaths)
        if (path == entry) entry[0] = '\0';
}

std::string environmentVariable(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value ? value : "";
}

void setEnvironmentVariable(const std::string& name, const std::string& value) {
    const int status = value.empty() ? ::unsetenv(name.c_str()) : ::setenv(name.c_str(), value.c_str(), 1);
    if (status != 0) throw Error(ErrorKind::BadInput, "The environment variable " + name + " could not be set.");
}

void setChildOutput(const ChildOutput& output) { childOutput = output; }

ChildProcess ChildProcess::start(const std::string& commandLine, int /*windowStyle: no windows here*/) {
    reapOrphans();
    std::vector<std::string> args = splitCommandLine(commandLine);
    if (args.empty()) throw Error(ErrorKind::FileNotFound, "An empty command line cannot be started.");

    const bool isBatch = endsWithIgnoreCase(args[0], ".bat") || endsWithIgnoreCase(args[0], ".cmd");
    const bool isCmd = equalsIgnoreCase(args[0], "cmd") || equalsIgnoreCase(args[0], "cmd.exe");
    std::string program;
    if (isBatch || isCmd) {
        program = findOwnTool("tolvane-cmd");
        if (program.empty())
            throw Error(ErrorKind::FileNotFound,
                        "The batch interpreter tolvane-cmd was not found in the program folder " + programFolder() +
                            ", beside " + executablePath() + ", in its tools folder or on the search path, so \"" +
                            args[0] + "\" cannot be run.");
        args = {program};
        std::string text = isBatch ? commandLine : restAfterFirstArgument(commandLine);
        // cmd's switches before /c ("cmd /s /c ..."): /s goes on, since it
        // changes how the text's quotes are read; the others mean nothing here.
        while (isCmd && text.size() >= 2 && text[0] == '/') {
            const std::string word = asciiLower(text.substr(0, text.find_first_of(" \t")));
            text = restAfterFirstArgument(text);
            if (word == "/c" || word == "/k") break;
            if (word == "/s") args.push_back("/s");
        }
        args.push_back("/c");
        args.push_back(text);
    } else {
        program = findProgram(args[0], executableFolder());
        if (program.empty())
            throw Error(ErrorKind::FileNotFound, "The program \"" + args[0] +
                                                     "\" cannot be started: it is not in the current folder, beside " +
                                                     executableFolder() + ", or on the search path.");
        args[0] = program;
    }

    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    tieChildrenToThisProcess();
    // The ending signals wait until the child is on the list, so that a
    // signal during the start cannot miss it; the child starts unblocked.
    sigset_t ending, previous;
    sigemptyset(&ending);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&ending, signal);
    ::sigprocmask(SIG_BLOCK, &ending, &previous);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setpgroup(&attributes, 0);  // a group of its own, led by the child
    posix_spawnattr_setsigmask(&attributes, &previous);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (childOutput.kind == ChildOutput::ErrorStream) {
        posix_spawn_file_actions_adddup2(&actions, STDERR_FILENO, STDOUT_FILENO);
    } else if (childOutput.kind == ChildOutput::File) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, nativePath(childOutput.file).c_str(),
                                         O_WRONLY | O_CREAT | O_APPEND, 0644);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    }
    pid_t pid;
    const int rc = ::posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (rc == 0) rememberGroup(pid);
    ::sigprocmask(SIG_SETMASK, &previous, nullptr);
    if (rc != 0)
        throw Error(ErrorKind::FileNotFound, "The program \"" + program + "\" cannot be started: " +
                                                 std::strerror(rc) + ".");
    auto impl = std::make_unique<Impl>();
    impl->pid = pid;
    return ChildProcess(std::move(impl));
}

ChildProcess::ChildProcess(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
ChildProcess::ChildProcess(ChildProcess&&) noexcept = default;
ChildProcess& ChildProcess::operator=(ChildProcess&&) noexcept = default;

ChildProcess::~ChildProcess() {
    if (impl_ && !impl_->ended && impl_->pid > 0) orphans.push_back(impl_->pid);
}

bool ChildProcess::isAlive() {
    if (impl_->ended) return false;
    int status;
    const pid_t rc = ::waitpid(impl_->pid, &status, WNOHANG);
    if (rc == 0) return true;
    impl_->ended = true;
    forgetGroup(impl_->pid);
    impl_->status = rc == impl_->pid ? status : 0;
    return false;
}

void ChildProcess::waitBriefly(unsigned milliseconds) {
    // Sleep in short steps so an ended child is noticed within a millisecond
    // or two, without keeping a core busy.
    const struct timespec step = {0, 1000000};
    for (unsigned waited = 0; waited < milliseconds && isAlive(); ++waited) ::nanosleep(&step, nullptr);
}

void ChildProcess::terminate() {
    if (isAlive()) ::kill(impl_->pid, SIGKILL);
}

unsigned long ChildProcess::processId() const { return static_cast<unsigned long>(impl_->pid); }

int ChildProcess::exitCode() {
    while (isAlive()) waitBriefly(100);
    if (WIFEXITED(impl_->status)) return WEXITSTATUS(impl_->status);
    return 128 + (WIFSIGNALED(impl_->status) ? WTERMSIG(impl_->status) : 0);
}

}  // namespace platform
