#include "recorded_seven_zip_folder.h"

#include <windows.h>

#include "platform/unicode.h"

namespace t13test {

namespace {
const wchar_t* const kKey = L"Software\\7-Zip";
}

RecordedSevenZipFolder::RecordedSevenZipFolder(const std::string& folder) {
    const std::u16string w = platform::utf8ToUtf16(folder);
    const std::wstring value(w.begin(), w.end());
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, &key,
                        &disposition) != ERROR_SUCCESS)
        return;
    createdKey_ = disposition == REG_CREATED_NEW_KEY;
    set_ = RegSetValueExW(key, L"Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    RegCloseKey(key);
}

RecordedSevenZipFolder::~RecordedSevenZipFolder() {
    HKEY key = nullptr;
    if (set_ && RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, L"Path");
        RegCloseKey(key);
    }
    if (createdKey_) RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
}

}  // namespace t13test
