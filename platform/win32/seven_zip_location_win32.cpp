#include "platform/seven_zip_location.h"

#include <algorithm>

#include "platform/win32/wide.h"

#ifndef KEY_WOW64_64KEY
#define KEY_WOW64_64KEY 0x0100
#endif
#ifndef KEY_WOW64_32KEY
#define KEY_WOW64_32KEY 0x0200
#endif

namespace platform {

namespace {

// Cuts a buffer at its first NUL (registry strings need not end in one).
void cutAtNul(std::wstring& text) { text.resize(std::find(text.begin(), text.end(), L'\0') - text.begin()); }

// A string value of an open key; REG_EXPAND_SZ values are expanded.
std::string readStringValue(HKEY key, const wchar_t* name) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || size == 0) return {};
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value[0]), &size) != ERROR_SUCCESS)
        return {};
    value.resize(size / sizeof(wchar_t));
    cutAtNul(value);
    if (type == REG_EXPAND_SZ) {
        const DWORD n = ExpandEnvironmentStringsW(value.c_str(), nullptr, 0);
        if (n > 0) {
            std::wstring expanded(n, L'\0');
            ExpandEnvironmentStringsW(value.c_str(), &expanded[0], n);
            cutAtNul(expanded);
            value = expanded;
        }
    }
    return narrow(value);
}

}  // namespace

std::vector<std::string> installedSevenZipFolders() {
    std::vector<std::string> folders;
    // XP without the 64-bit view ignores the view flags.
    const HKEY roots[] = {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER};
    const REGSAM views[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};
    for (HKEY root : roots) {
        for (REGSAM view : views) {
            HKEY key;
            if (RegOpenKeyExW(root, L"SOFTWARE\\7-Zip", 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS) continue;
            for (const wchar_t* name : {L"Path64", L"Path"}) {
                const std::string folder = readStringValue(key, name);
                if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end())
                    folders.push_back(folder);
            }
            RegCloseKey(key);
        }
    }
    return folders;
}

}  // namespace platform
