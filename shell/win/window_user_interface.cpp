#include "shell/win/window_user_interface.h"

#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <vector>

#include "platform/win32/wide.h"
#include "shell/win/busy_window.h"
#include "shell/win/modeless_dialogs.h"

namespace shell::win {

namespace {

// The file-name buffer of the open and save dialogs, in characters: the
// largest selection a 16-bit character count can walk.
constexpr DWORD kFileNameBufferSize = 32767;

// Explorer style, multiple selection, read-only box hidden (0x80204).
constexpr DWORD kMultipleOpenFlags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY;
constexpr DWORD kSingleOpenFlags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
// No overwrite prompt: the commands ask their own question about an
// existing package.
constexpr DWORD kSaveFlags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;

std::wstring titleOrApplication(const std::string& title) {
    return platform::wide(title.empty() ? std::string(kApplicationTitle) : title);
}

UINT iconFlags(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Stop: return MB_ICONSTOP;
        case MessageIcon::Information: return MB_ICONINFORMATION;
        case MessageIcon::None: break;
    }
    return 0;
}

struct FileDialogBuffers {
    std::wstring filter;
    std::wstring title;
    std::vector<wchar_t> name;
};

OPENFILENAMEW describeFileDialog(const FileDialogRequest& request, HWND owner, FileDialogBuffers& buffers) {
    buffers.filter = fileDialogFilter(request.filter);
    buffers.title = platform::wide(request.title);
    buffers.name.assign(kFileNameBufferSize, L'\0');
    const std::wstring initial = platform::wide(request.initialName);
    for (std::size_t i = 0; i < initial.size() && i + 1 < buffers.name.size(); ++i) buffers.name[i] = initial[i];

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = buffers.filter.empty() ? nullptr : buffers.filter.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(request.filterIndex);
    dialog.lpstrFile = buffers.name.data();
    dialog.nMaxFile = kFileNameBufferSize;
    dialog.lpstrTitle = buffers.title.empty() ? nullptr : buffers.title.c_str();
    return dialog;
}

}  // namespace

std::wstring fileDialogFilter(const std::string& filter) {
    if (filter.empty()) return {};
    std::wstring wide = platform::wide(filter);
    for (wchar_t& c : wide)
        if (c == L'|') c = L'\0';
    // Each description and pattern ends in NUL, and the list in one more.
    if (wide.back() != L'\0') wide.push_back(L'\0');
    wide.push_back(L'\0');
    return wide;
}

std::string openDialogSelection(const wchar_t* buffer, std::size_t capacity) {
    // The selection ends at the first empty string: two NULs in a row.
    std::size_t end = 0;
    while (end < capacity && buffer[end] != L'\0') {
        while (end < capacity && buffer[end] != L'\0') ++end;
        ++end;  // past this string's NUL
    }
    // `end` is now just past the last string's NUL; that NUL is not part of it.
    const std::size_t length = end > 0 ? end - 1 : 0;
    return platform::narrow(buffer, length);
}

WindowUserInterface::WindowUserInterface(const LanguageState& language) : language_(language) {}

WindowUserInterface::~WindowUserInterface() = default;

HWND WindowUserInterface::ownerWindow() const {
    HWND active = ::GetActiveWindow();
    return active ? active : builderWindow_;
}

HWND WindowUserInterface::busyWindow() const { return busy_ && busy_->isCreated() ? busy_->handle() : nullptr; }

void WindowUserInterface::showMessage(const std::string& text, const std::string& title, MessageIcon icon) {
    ::MessageBoxW(ownerWindow(), platform::wide(text).c_str(), titleOrApplication(title).c_str(), MB_OK | iconFlags(icon));
}

bool WindowUserInterface::askYesNo(const std::string& text, const std::string& title) {
    return ::MessageBoxW(ownerWindow(), platform::wide(text).c_str(), titleOrApplication(title).c_str(), MB_YESNO) ==
           IDYES;
}

bool WindowUserInterface::askOkCancel(const std::string& text, const std::string& title) {
    return ::MessageBoxW(ownerWindow(), platform::wide(text).c_str(), titleOrApplication(title).c_str(),
                         MB_OKCANCEL) == IDOK;
}

std::optional<std::string> WindowUserInterface::chooseOpenFile(const FileDialogRequest& request) {
    FileDialogBuffers buffers;
    OPENFILENAMEW dialog = describeFileDialog(request, ownerWindow(), buffers);
    dialog.Flags = request.multiSelect ? kMultipleOpenFlags : kSingleOpenFlags;
    if (!::GetOpenFileNameW(&dialog)) return std::nullopt;
    return openDialogSelection(buffers.name.data(), buffers.name.size());
}

std::optional<std::string> WindowUserInterface::chooseSaveFile(const FileDialogRequest& request) {
    FileDialogBuffers buffers;
    OPENFILENAMEW dialog = describeFileDialog(request, ownerWindow(), buffers);
    dialog.Flags = kSaveFlags;
    if (!::GetSaveFileNameW(&dialog)) return std::nullopt;
    return platform::narrow(buffers.name.data(), ::lstrlenW(buffers.name.data()));
}

std::string WindowUserInterface::browseForFolder(const std::string& prompt) {
    // The shell's folder browser needs COM on this thread; it may already be
    // there (S_FALSE), and each successful call is balanced.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring title = platform::wide(prompt);
    BROWSEINFOW browse{};
    browse.hwndOwner = builderWindow_ ? builderWindow_ : ownerWindow();
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    std::string folder;
    if (LPITEMIDLIST item = ::SHBrowseForFolderW(&browse)) {
        wchar_t path[MAX_PATH] = {};
        if (::SHGetPathFromIDListW(item, path)) folder = platform::narrow(path, ::lstrlenW(path));
        ::CoTaskMemFree(item);
    }
    if (SUCCEEDED(com)) ::CoUninitialize();
    return folder;
}

void WindowUserInterface::beginBusy() {
    if (busyDepth_++ > 0) return;
    if (builderWindow_) ::EnableWindow(builderWindow_, FALSE);
    if (!busy_) busy_ = std::make_unique<BusyWindow>(*this, language_);
    busy_->showBusy();
}

void WindowUserInterface::endBusy() {
    if (busyDepth_ == 0 || --busyDepth_ > 0) return;
    if (builderWindow_) ::EnableWindow(builderWindow_, TRUE);
    if (busy_) busy_->hideWindow();
    if (builderWindow_) ::SetForegroundWindow(builderWindow_);
}

void WindowUserInterface::pumpEvents() {
    // A handler that runs from inside this pump and pumps again would run
    // the outer command's events out of order; the inner call just returns.
    if (pumping_) return;
    pumping_ = true;
    pumpPendingMessages();
    pumping_ = false;
}

}  // namespace shell::win
