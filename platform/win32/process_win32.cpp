// Starting programs with CreateProcess, held by their process handle.
#include "platform/process.h"

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/win32/wide.h"

namespace platform {

struct ChildProcess::Impl {
    HANDLE process = nullptr;
};

namespace {

bool endsWithIgnoreCase(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && equalsIgnoreCase(s.substr(s.size() - tail.size()), tail);
}

WORD showCommand(int windowStyle) {
    switch (windowStyle) {
        case kHidden: return SW_HIDE;
        case kMinimizedFocus: return SW_SHOWMINIMIZED;
        case kMinimizedNoFocus: return SW_SHOWMINNOACTIVE;
        default: return SW_SHOWNORMAL;
    }
}

}  // namespace

std::string findProgram(const std::string& name, const std::string& ownFolder) {
    if (name.empty()) return {};
    std::vector<std::string> names = {name};
    if (baseName(name).find('.') == std::string::npos) names.insert(names.begin(), name + ".exe");
    const auto tryIn = [&](const std::string& folder) -> std::string {
        for (const auto& candidate : names) {
            const std::string path = folder.empty() ? candidate : joinPath(folder, candidate);
            if (fileExists(path)) return path;
        }
        return {};
    };
    if (name.find_first_of("\\/") != std::string::npos) return tryIn("");
    std::vector<std::string> folders = {currentDirectory()};
    if (!ownFolder.empty()) folders.push_back(ownFolder);
    const std::string path = environmentVariable("PATH");
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(';', start);
        if (end == std::string::npos) end = path.size();
        if (end > start) folders.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    for (const auto& folder : folders) {
        const std::string found = tryIn(folder);
        if (!found.empty()) return found;
    }
    return {};
}

std::string environmentVariable(const std::string& name) {
    wchar_t buffer[32768];
    const DWORD n = GetEnvironmentVariableW(wide(name).c_str(), buffer, 32768);
    return n && n < 32768 ? narrow(buffer, n) : std::string();
}

ChildProcess ChildProcess::start(const std::string& commandLine, int windowStyle) {
    const std::vector<std::string> args = splitCommandLine(commandLine);
    if (args.empty()) throw Error(ErrorKind::FileNotFound, "An empty command line cannot be started.");
    std::string line = commandLine;
    // CreateProcess runs no batch file by itself: hand it to the interpreter,
    // which /s makes take the quoted line exactly as written.
    if (endsWithIgnoreCase(args[0], ".bat") || endsWithIgnoreCase(args[0], ".cmd"))
        line = "cmd.exe /s /c \"" + commandLine + "\"";

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showCommand(windowStyle);
    PROCESS_INFORMATION info = {};
    std::wstring mutableLine = wide(line);
    const DWORD flags = windowStyle == kHidden ? CREATE_NO_WINDOW : 0;
    if (!CreateProcessW(nullptr, &mutableLine[0], nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup, &info)) {
        const DWORD code = GetLastError();
        throw Error(ErrorKind::FileNotFound,
                    "The program \"" + args[0] + "\" cannot be started: " + systemReason(code) + ".");
    }
    CloseHandle(info.hThread);
    auto impl = std::make_unique<Impl>();
    impl->process = info.hProcess;
    return ChildProcess(std::move(impl));
}

ChildProcess::ChildProcess(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
ChildProcess::ChildProcess(ChildProcess&&) noexcept = default;
ChildProcess& ChildProcess::operator=(ChildProcess&&) noexcept = default;

ChildProcess::~ChildProcess() {
    if (impl_ && impl_->process) CloseHandle(impl_->process);
}

bool ChildProcess::isAlive() { return WaitForSingleObject(impl_->process, 0) == WAIT_TIMEOUT; }

void ChildProcess::waitBriefly(unsigned milliseconds) {
    // Wakes for the process's end or for any input the windows must handle.
    MsgWaitForMultipleObjects(1, &impl_->process, FALSE, milliseconds, QS_ALLINPUT);
}

int ChildProcess::exitCode() {
    WaitForSingleObject(impl_->process, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(impl_->process, &code);
    return static_cast<int>(code);
}

}  // namespace platform
