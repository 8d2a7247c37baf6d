// Locale names to Windows language ids, for systems without the registry value.
#include "platform/system_language.h"

#include <cstring>

namespace platform {

namespace {
struct LocaleId { const char* name; const char* id; };
// Language and territory as POSIX locales name them; the bare language gives
// its primary country's id.
const LocaleId kLocaleIds[] = {
    {"zh_CN", "0804"}, {"zh_TW", "0404"}, {"zh_HK", "0c04"}, {"zh_SG", "1004"}, {"zh_MO", "1404"},
    {"zh", "0804"},
    {"en_US", "0409"}, {"en_GB", "0809"}, {"en_AU", "0c09"}, {"en_CA", "1009"}, {"en_NZ", "1409"},
    {"en_IE", "1809"}, {"en_ZA", "1c09"}, {"en_IN", "4009"}, {"en_SG", "4809"}, {"en", "0409"},
    {"de_DE", "0407"}, {"de_CH", "0807"}, {"de_AT", "0c07"}, {"de", "0407"},
    {"fr_FR", "040c"}, {"fr_BE", "080c"}, {"fr_CA", "0c0c"}, {"fr_CH", "100c"}, {"fr", "040c"},
    {"es_ES", "0c0a"}, {"es_MX", "080a"}, {"es", "0c0a"},
    {"it_IT", "0410"}, {"it", "0410"}, {"pt_BR", "0416"}, {"pt_PT", "0816"}, {"pt", "0816"},
    {"ja_JP", "0411"}, {"ja", "0411"}, {"ko_KR", "0412"}, {"ko", "0412"},
    {"ru_RU", "0419"}, {"ru", "0419"}, {"uk_UA", "0422"}, {"uk", "0422"},
    {"pl_PL", "0415"}, {"pl", "0415"}, {"nl_NL", "0413"}, {"nl", "0413"},
    {"cs_CZ", "0405"}, {"cs", "0405"}, {"hu_HU", "040e"}, {"hu", "040e"},
    {"tr_TR", "041f"}, {"tr", "041f"}, {"sv_SE", "041d"}, {"sv", "041d"},
    {"fi_FI", "040b"}, {"fi", "040b"}, {"da_DK", "0406"}, {"da", "0406"},
    {"nb_NO", "0414"}, {"nb", "0414"}, {"el_GR", "0408"}, {"el", "0408"},
    {"he_IL", "040d"}, {"he", "040d"}, {"ar_SA", "0401"}, {"ar", "0401"},
    {"th_TH", "041e"}, {"th", "041e"}, {"vi_VN", "042a"}, {"vi", "042a"},
};
}  // namespace

std::string languageIdFromLocaleName(const std::string& localeName) {
    // "zh_CN.UTF-8@euro" -> "zh_CN"
    std::string name = localeName.substr(0, localeName.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX") return {};
    for (const auto& entry : kLocaleIds)
        if (name == entry.name) return entry.id;
    const std::string language = name.substr(0, name.find('_'));
    for (const auto& entry : kLocaleIds)
        if (language == entry.name) return entry.id;
    return {};
}

}  // namespace platform
