// POSIX only: sets the locale variables for one test and restores them, so
// the system language id does not depend on the shell the tests run from.
#pragma once

#ifndef _WIN32
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace shell_test {

class LocaleVariables {
public:
    LocaleVariables() {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
            ::unsetenv(name);
        }
    }
    explicit LocaleVariables(const char* lang) : LocaleVariables() { ::setenv("LANG", lang, 1); }
    ~LocaleVariables() {
        for (std::size_t i = 0; i < 3; ++i) {
            if (saved_[i]) ::setenv(kNames[i], saved_[i]->c_str(), 1);
            else ::unsetenv(kNames[i]);
        }
    }
    LocaleVariables(const LocaleVariables&) = delete;
    LocaleVariables& operator=(const LocaleVariables&) = delete;
    static constexpr const char* kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};

private:
    std::vector<std::optional<std::string>> saved_;
};

}  // namespace shell_test
#endif
