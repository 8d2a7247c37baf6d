// Clears the locale variables a POSIX system reads the language from (and
// sets LANG when asked), restoring them afterwards, so that a test's view of
// the system language id does not depend on the shell the tests run from.
// Windows reads the language from the registry, so there they change nothing
// the system reads.
#pragma once

#include <string>
#include <vector>

#include "platform/process.h"

namespace shelltest {

class LocaleVariables {
public:
    LocaleVariables() {
        for (const char* name : kNames) {
            saved_.push_back(platform::environmentVariable(name));
            platform::setEnvironmentVariable(name, {});
        }
    }
    explicit LocaleVariables(const char* lang) : LocaleVariables() { platform::setEnvironmentVariable("LANG", lang); }
    ~LocaleVariables() {
        for (std::size_t i = 0; i < saved_.size(); ++i) platform::setEnvironmentVariable(kNames[i], saved_[i]);
    }
    LocaleVariables(const LocaleVariables&) = delete;
    LocaleVariables& operator=(const LocaleVariables&) = delete;
    static constexpr const char* kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};

private:
    std::vector<std::string> saved_;  // empty: the variable was not set
};

}  // namespace shelltest
