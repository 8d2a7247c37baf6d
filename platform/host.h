// What the system the program was built for is, for the few places outside
// the platform library where a rule differs between Windows and POSIX (names
// of programs, lists of folders, which outside tools there are). Code tests
// these constants with `if`, so both branches are always compiled.
#pragma once

namespace platform {

#ifdef _WIN32
constexpr bool kWindowsHost = true;
constexpr const char* kExecutableSuffix = ".exe";
constexpr char kPathListSeparator = ';';
#else
constexpr bool kWindowsHost = false;
constexpr const char* kExecutableSuffix = "";
constexpr char kPathListSeparator = ':';
#endif

}  // namespace platform
