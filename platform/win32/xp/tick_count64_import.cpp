// Windows XP has no GetTickCount64, yet the prebuilt winpthreads that the
// runtime links in calls it through its import pointer, so an exe importing
// it from kernel32 would not start there. This object, linked into every
// 32-bit executable, defines that import pointer itself: the first call looks
// the function up in kernel32 and, where it is missing (XP), counts on from
// GetTickCount instead. kernel32's import library is then never asked for it.
#include <windows.h>

#include "platform/tick_count.h"

namespace {

typedef ULONGLONG(WINAPI* TickCount64Function)();

// The last count handed out by the fallback, read and stepped on atomically.
LONG64 volatile lastTickCount = 0;

ULONGLONG WINAPI tickCount64FromTickCount() {
    for (;;) {
        const LONG64 last = InterlockedCompareExchange64(&lastTickCount, 0, 0);  // an atomic read
        const LONG64 next =
            static_cast<LONG64>(platform::extendTickCount(static_cast<std::uint64_t>(last), GetTickCount()));
        if (InterlockedCompareExchange64(&lastTickCount, next, last) == last) return static_cast<ULONGLONG>(next);
    }
}

ULONGLONG WINAPI firstTickCount64();

}  // namespace

// The import pointer by its decorated name (__stdcall, no arguments), where
// the linker would otherwise take it from kernel32's import library.
extern "C" {
TickCount64Function tolvaneGetTickCount64Import __asm__("__imp__GetTickCount64@0") = firstTickCount64;
}

namespace {

ULONGLONG WINAPI firstTickCount64() {
    TickCount64Function function = nullptr;
    if (HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll"))
        function = reinterpret_cast<TickCount64Function>(
            reinterpret_cast<void*>(GetProcAddress(kernel32, "GetTickCount64")));
    if (!function) function = tickCount64FromTickCount;
    // Threads racing here store the same value; a pointer-sized store is atomic.
    tolvaneGetTickCount64Import = function;
    return function();
}

}  // namespace
