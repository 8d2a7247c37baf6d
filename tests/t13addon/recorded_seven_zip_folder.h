// Windows only: records a folder as the one 7-Zip's installer put 7-Zip
// into, for the tests that run the batch file through cmd.exe with the
// stand-in 7z (fake_seven_zip.cpp) where no 7-Zip is installed (Wine).
#pragma once

#include <windows.h>

#include <string>

#include "platform/file_system.h"
#include "platform/unicode.h"

namespace t13test {

// Records `folder` as HKEY_CURRENT_USER\Software\7-Zip "Path", as 7-Zip's
// installer does, and takes it away again (the key too, when it made it).
class RecordedSevenZipFolder {
public:
    explicit RecordedSevenZipFolder(const std::string& folder) {
        const std::u16string w = platform::utf8ToUtf16(folder);
        const std::wstring value(w.begin(), w.end());
        DWORD disposition = 0;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\7-Zip", 0, nullptr, 0, KEY_SET_VALUE | KEY_QUERY_VALUE,
                            nullptr, &key_, &disposition) != ERROR_SUCCESS)
            return;
        createdKey_ = disposition == REG_CREATED_NEW_KEY;
        set_ = RegSetValueExW(key_, L"Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
    ~RecordedSevenZipFolder() {
        if (!key_) return;
        if (set_) RegDeleteValueW(key_, L"Path");
        RegCloseKey(key_);
        if (createdKey_) RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\7-Zip");
    }
    bool recorded() const { return set_; }

private:
    HKEY key_ = nullptr;
    bool createdKey_ = false;
    bool set_ = false;
};

// The stand-in 7z as "7z.exe" in `folder`, which is made first.
inline void placeStandIn7z(const std::string& folder) {
    platform::createFolders(folder);
    platform::copyFile(platform::joinPath(TOLVANE_BIN_DIR, "t13_test_fake_7z.exe"),
                       platform::joinPath(folder, "7z.exe"));
}

}  // namespace t13test
