// Starting programs with CreateProcess, held by their process handle.
#include "platform/process.h"

#include <algorithm>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/program_file.h"
#include "platform/win32/wide.h"

#include <cwchar>
#include <vector>

namespace platform {

struct ChildProcess::Impl {
    HANDLE process = nullptr;
    DWORD id = 0;
};

namespace {

WORD showCommand(int windowStyle) {
    switch (windowStyle) {
        case kHidden: return SW_HIDE;
        case kMinimizedFocus: return SW_SHOWMINIMIZED;
        case kMinimizedNoFocus: return SW_SHOWMINNOACTIVE;
        default: return SW_SHOWNORMAL;
    }
}

// Our own tools go at the end of a child's PATH, behind System32: the
// builders' batch files must reach the system's own programs (cmd.exe,
// makecab.exe) first and our stand-ins only where those are missing. An
// installed Tolvane keeps its stand-ins in the "tools" folder beside
// Tolvane.exe, never beside it: the builders run their batch files in the
// program folder (Tolvane.exe's folder), and cmd looks in the current folder
// before PATH, so a makecab.exe there would hide Microsoft's. In the build
// tree every program lies in <build>/bin; tests give the system another
// program folder, so <build>/bin itself may stand on the path.
// So children get the tools folder when there is one, else the executable's
// own folder (the build tree), whatever the program folder is.
std::vector<std::wstring> toolFoldersForChildren() {
    const std::string tools = joinPath(executableFolder(), "tools");
    return {wide(folderExists(tools) ? tools : executableFolder())};
}

bool equalsIgnoreCaseWide(const std::wstring& a, const std::wstring& b) {
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

bool onPath(const std::wstring& path, const std::wstring& folder) {
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(L';', start);
        if (end == std::wstring::npos) end = path.size();
        std::wstring entry = path.substr(start, end - start);
        while (!entry.empty() && (entry.back() == L'\\' || entry.back() == L'/')) entry.pop_back();
        if (equalsIgnoreCaseWide(entry, folder)) return true;
        start = end + 1;
    }
    return false;
}

// PATH with our tool folders at its end, each unless it is already there
// (a child's child inherits them).
std::wstring pathWithTools(std::wstring path, const std::vector<std::wstring>& tools) {
    for (const auto& folder : tools) {
        if (onPath(path, folder)) continue;
        if (!path.empty() && path.back() != L';') path += L";";
        path += folder;
    }
    return path;
}

// The environment block for a child: ours, with PATH extended as above.
std::vector<wchar_t> childEnvironment() {
    const std::vector<std::wstring> tools = toolFoldersForChildren();
    std::vector<wchar_t> block;
    bool sawPath = false;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; entry && *entry; entry += wcslen(entry) + 1) {
        std::wstring text = entry;
        if (text.size() >= 5 && equalsIgnoreCaseWide(text.substr(0, 5), L"PATH=")) {
            text = text.substr(0, 5) + pathWithTools(text.substr(5), tools);
            sawPath = true;
        }
        block.insert(block.end(), text.begin(), text.end());
        block.push_back(L'\0');
    }
    if (strings) FreeEnvironmentStringsW(strings);
    if (!sawPath) {
        const std::wstring text = L"PATH=" + pathWithTools(L"", tools);
        block.insert(block.end(), text.begin(), text.end());
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

// The job every started program joins: it ends them all when this process
// ends, however it ends (the last handle to the job closes with it). Null
// when the system gives none.
HANDLE childrenJob() {
    static const HANDLE job = [] {
        HANDLE created = CreateJobObjectW(nullptr, nullptr);
        if (!created) return HANDLE(nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (!SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
            CloseHandle(created);
            return HANDLE(nullptr);
        }
        return created;
    }();
    return job;
}

// Whether the batch file starts with a UTF-8 byte-order mark.
bool writtenInUtf8(const std::string& batchFile) {
    if (!fileExists(batchFile)) return false;
    return readFile(batchFile).compare(0, 3, "\xEF\xBB\xBF") == 0;
}

// Where the children's output goes (setChildOutput).
ChildOutput childOutput;

// The inheritable handle a child writes its output to, or none when it keeps
// this program's streams. Closed by its owner once the child has started.
class ChildOutputHandle {
public:
    ChildOutputHandle() {
        if (childOutput.kind == ChildOutput::File) {
            SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
            handle_ = CreateFileW(wide(childOutput.file).c_str(), FILE_APPEND_DATA,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inheritable, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle_ == INVALID_HANDLE_VALUE) {
                const DWORD code = GetLastError();
                handle_ = nullptr;
                throw Error(ErrorKind::Io, "The file \"" + childOutput.file + "\" for the output of the programs " +
                                               "started cannot be opened: " + systemReason(code) + ".");
            }
        } else if (childOutput.kind == ChildOutput::ErrorStream) {
            const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
            // Without a standard error (a windowed parent) the child keeps its own.
            if (error != nullptr && error != INVALID_HANDLE_VALUE &&
                !DuplicateHandle(GetCurrentProcess(), error, GetCurrentProcess(), &handle_, 0, TRUE,
                                 DUPLICATE_SAME_ACCESS))
                handle_ = nullptr;
        }
    }
    ~ChildOutputHandle() {
        if (handle_) CloseHandle(handle_);
    }
    ChildOutputHandle(const ChildOutputHandle&) = delete;
    ChildOutputHandle& operator=(const ChildOutputHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
};

}  // namespace

void setChildOutput(const ChildOutput& output) { childOutput = output; }

void endWithParent() {}

namespace {

// The paths to remove on an interrupt, guarded by a lock: the console's
// handler runs on a thread of its own.
struct InterruptPaths {
    CRITICAL_SECTION lock;
    std::vector<std::string> paths;
    InterruptPaths() { InitializeCriticalSection(&lock); }
};

InterruptPaths& interruptPaths() {
    static InterruptPaths paths;
    return paths;
}

// Set by the Ctrl handler before it ends the started programs. A started
// program that ends from then on ends by the handler's doing: the thread
// that waited for it must not go on, report a failure, clean up beside the
// handler or end the process before the handler is done.
volatile LONG interrupting = 0;

// Ctrl+C, Ctrl+Break, a closed console, log-off or shut-down: the started
// programs end with the job, then the paths go. Returning FALSE lets the
// system end the program as it would have.
BOOL WINAPI removeOnConsoleEnd(DWORD) {
    InterlockedExchange(&interrupting, 1);
    if (const HANDLE job = childrenJob()) TerminateJobObject(job, 1);
    // A folder that is the current one cannot be removed; the program's other
    // threads wait for their end from here on, so none needs it any more.
    wchar_t system[MAX_PATH];
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length > 0 && length < MAX_PATH) SetCurrentDirectoryW(system);
    InterruptPaths& registered = interruptPaths();
    EnterCriticalSection(&registered.lock);
    const std::vector<std::string> paths = registered.paths;
    LeaveCriticalSection(&registered.lock);
    for (int attempt = 0; attempt < 20; ++attempt) {
        bool left = false;
        for (const std::string& path : paths) {
            try {
                if (folderExists(path)) removeFolderTree(path);
                else if (fileExists(path)) deleteFile(path);
            } catch (const std::exception&) {
                left = true;  // a program of the job that has not quite ended holds a file
            }
        }
        if (!left) break;
        Sleep(100);
    }
    return FALSE;
}

}  // namespace

void waitOutAnInterrupt() {
    if (InterlockedCompareExchange(&interrupting, 0, 0) == 0) return;
    for (;;) Sleep(INFINITE);  // the handler ends the process when it is done
}

void removeOnInterrupt(const std::string& path) {
    if (path.empty()) return;
    static const bool handlerSet = SetConsoleCtrlHandler(removeOnConsoleEnd, TRUE) != FALSE;
    (void)handlerSet;
    InterruptPaths& registered = interruptPaths();
    EnterCriticalSection(&registered.lock);
    registered.paths.push_back(path);
    LeaveCriticalSection(&registered.lock);
}

void keepOnInterrupt(const std::string& path) {
    InterruptPaths& registered = interruptPaths();
    EnterCriticalSection(&registered.lock);
    auto& paths = registered.paths;
    paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
    LeaveCriticalSection(&registered.lock);
}

unsigned long currentProcessId() { return GetCurrentProcessId(); }

bool processExists(unsigned long id) {
    if (id == 0) return false;  // the idle process, never a build
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(id));
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}  // the parent's job ends this process and its children with it

std::string programFileIn(const std::string& folder, const std::string& name) {
    std::vector<std::string> names = {name};
    if (baseName(name).find('.') == std::string::npos) names.insert(names.begin(), name + ".exe");
    for (const auto& candidate : names) {
        const std::string path = folder.empty() ? candidate : joinPath(folder, candidate);
        if (fileExists(path)) return path;
    }
    return {};
}

std::string environmentVariable(const std::string& name) {
    wchar_t buffer[32768];
    const DWORD n = GetEnvironmentVariableW(wide(name).c_str(), buffer, 32768);
    return n && n < 32768 ? narrow(buffer, n) : std::string();
}

void setEnvironmentVariable(const std::string& name, const std::string& value) {
    // _wputenv changes the C runtime's copy and the process's own, which
    // started programs inherit; "NAME=" removes the variable. (XP's msvcrt
    // has no _wputenv_s.)
    const std::wstring assignment = wide(name + "=" + value);
    if (_wputenv(assignment.c_str()) != 0)
        throw Error(ErrorKind::BadInput, "The environment variable " + name + " could not be set.");
}

ChildProcess ChildProcess::start(const std::string& commandLine, int windowStyle) {
    const std::vector<std::string> args = splitCommandLine(commandLine);
    if (args.empty()) throw Error(ErrorKind::FileNotFound, "An empty command line cannot be started.");
    std::string line = commandLine;
    // CreateProcess runs no batch file by itself: hand it to the interpreter,
    // which /s makes take the quoted line exactly as written.
    if (endsWithIgnoreCase(args[0], ".bat") || endsWithIgnoreCase(args[0], ".cmd")) {
        if (writtenInUtf8(args[0])) {
            const std::string interpreter = findOwnTool("tolvane-cmd");
            if (interpreter.empty())
                throw Error(ErrorKind::FileNotFound,
                            "The batch file \"" + args[0] + "\" is written for Tolvane's own batch interpreter, " +
                                "and tolvane-cmd.exe was found neither with the program nor in its tools folder. " +
                                "Put the tools folder that comes with Tolvane back beside the program.");
            line = quoteArgument(interpreter) + " " + commandLine;
        } else {
            line = "cmd.exe /s /c \"" + commandLine + "\"";
        }
    }

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showCommand(windowStyle);
    const ChildOutputHandle output;
    if (output.get()) {
        startup.dwFlags |= STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output.get();
        startup.hStdError = output.get();
    }
    PROCESS_INFORMATION info = {};
    std::wstring mutableLine = wide(line);
    // Started suspended, so it joins the job before it can start programs of its own.
    const DWORD flags =
        (windowStyle == kHidden ? CREATE_NO_WINDOW : 0) | CREATE_UNICODE_ENVIRONMENT | CREATE_SUSPENDED;
    std::vector<wchar_t> environment = childEnvironment();
    // Handles are inherited only when the child is given streams of its own.
    if (!CreateProcessW(nullptr, &mutableLine[0], nullptr, nullptr, output.get() ? TRUE : FALSE, flags, environment.data(), nullptr,
                        &startup, &info)) {
        const DWORD code = GetLastError();
        throw Error(ErrorKind::FileNotFound,
                    "The program \"" + args[0] + "\" cannot be started: " + systemReason(code) + ".");
    }
    // Joining fails where this process sits in a job that takes no nested
    // one (before Windows 8); the program then runs outside ours.
    if (const HANDLE job = childrenJob()) AssignProcessToJobObject(job, info.hProcess);
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    auto impl = std::make_unique<Impl>();
    impl->process = info.hProcess;
    impl->id = info.dwProcessId;
    return ChildProcess(std::move(impl));
}

ChildProcess::ChildProcess(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
ChildProcess::ChildProcess(ChildProcess&&) noexcept = default;
ChildProcess& ChildProcess::operator=(ChildProcess&&) noexcept = default;

ChildProcess::~ChildProcess() {
    if (impl_ && impl_->process) CloseHandle(impl_->process);
}

bool ChildProcess::isAlive() {
    if (WaitForSingleObject(impl_->process, 0) == WAIT_TIMEOUT) return true;
    waitOutAnInterrupt();
    return false;
}

void ChildProcess::waitBriefly(unsigned milliseconds) {
    // Wakes for the process's end or for any input the windows must handle.
    MsgWaitForMultipleObjects(1, &impl_->process, FALSE, milliseconds, QS_ALLINPUT);
}

void ChildProcess::terminate() {
    if (isAlive()) TerminateProcess(impl_->process, 1);
}

unsigned long ChildProcess::processId() const { return impl_->id; }

int ChildProcess::exitCode() {
    WaitForSingleObject(impl_->process, INFINITE);
    waitOutAnInterrupt();
    DWORD code = 0;
    GetExitCodeProcess(impl_->process, &code);
    return static_cast<int>(code);
}

}  // namespace platform
