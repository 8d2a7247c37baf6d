#include "platform/system_language.h"

#include <cstdio>

#include "platform/win32/wide.h"

namespace platform {

std::string systemLanguageId() {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Nls\\Language", 0, KEY_READ, &key) ==
        ERROR_SUCCESS) {
        wchar_t value[64] = {};
        DWORD size = sizeof value - sizeof(wchar_t);
        DWORD type = 0;
        const LONG rc = RegQueryValueExW(key, L"Default", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
        RegCloseKey(key);
        if (rc == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
            const std::string id = narrow(value, size / sizeof(wchar_t));
            const std::string trimmed = id.substr(0, id.find('\0'));
            if (!trimmed.empty()) return trimmed;
        }
    }
    // Systems without the value: the default language of the system itself.
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%04x", static_cast<unsigned>(GetSystemDefaultLangID()));
    return buffer;
}

}  // namespace platform
