#include "platform/system_language.h"

#include <cstdlib>

namespace platform {

std::string systemLanguageId() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return languageIdFromLocaleName(value);
    }
    return {};
}

}  // namespace platform
