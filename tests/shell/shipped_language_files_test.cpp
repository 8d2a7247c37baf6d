// The language files the program ships with, as the build puts them beside
// the executables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "shell/profile_reader.h"
#include "shell/ui_strings.h"
#include "shell/window_texts.h"
#include "tools/console/console_texts.h"

using namespace shell;

namespace {
std::string shippedFile(const std::string& name) {
    return platform::joinPath(platform::joinPath(platform::executableFolder(), "lng"), name);
}
}  // namespace

TEST(ShippedLanguageFiles, AreListedBesideTheProgram) {
    platform::setProgramFolder("");
    EXPECT_EQ(listLanguageNames(), (std::vector<std::string>{"Chinese", "English"}));
}

TEST(ShippedLanguageFiles, HoldEveryKeyWithAText) {
    platform::setProgramFolder("");
    for (const char* language : {"Chinese", "English"}) {
        ASSERT_TRUE(platform::fileExists(languageFilePath(language))) << language;
        for (std::size_t i = 0; i < kUiKeyCount; ++i) {
            const UiKeyName& name = uiKeyName(static_cast<UiKey>(i));
            EXPECT_NE(ReadUiString(language, name.section, name.key), "")
                << language << ": " << name.section << " " << name.key;
        }
    }
}

TEST(ShippedLanguageFiles, ChineseIsCodePage936AndCarriesTheBuiltInTexts) {
    const std::string bytes = platform::readFile(shippedFile("Chinese.lng"));
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NO_THROW(platform::decodeCodePage(936, bytes, /*lenient=*/false));
    EXPECT_NE(bytes.find("next=\xCF\xC2\xD2\xBB\xB2\xBD\r\n"), std::string::npos);  // 下一步 in GBK

    platform::setProgramFolder("");
    LanguageState state;
    changeLanguage(state, "Chinese");
    EXPECT_EQ(state.uiStrings.programTitle(), "NLITETolvaneV3.3");
    EXPECT_EQ(state.uiStrings[UiKey::MainInfTitle], "NLITETolvaneV3.3--INF整合包生成");
    EXPECT_EQ(state.uiStrings[UiKey::MainT13Title], "NLITETolvaneV3.3--Time 13 整合包生成");
    EXPECT_EQ(state.uiStrings[UiKey::ButtonsNext], "下一步");
    EXPECT_EQ(state.uiStrings[UiKey::AddshortcutLocation], "快捷方式所在文件夹(只限在开始菜单创建使用)");
    EXPECT_EQ(state.uiStrings[UiKey::RuninfoDTIAddExplain],
              "[dosnet_files][txtsetup_files][i386_compress]这三个字段内.并将文件整进包内.添加完请按自已的要求手动修改");
    EXPECT_EQ(busyWindowTexts(state)[0].text, "程序运行请稍等....");
}

TEST(ShippedLanguageFiles, TheMapSendsChineseAndEnglishSystemsToTheirFiles) {
    platform::setProgramFolder("");
    for (const char* id : {"0804", "0404", "0c04", "1004", "1404", "0C04"}) {
        LanguageState state;
        state.systemLanguageId = id;
        ReadLanguageName(state);
        EXPECT_EQ(state.languageName, "Chinese") << id;
    }
    for (const char* id : {"0409", "0809", "0c09", "1009", "1409"}) {
        LanguageState state;
        state.systemLanguageId = id;
        ReadLanguageName(state);
        EXPECT_EQ(state.languageName, "English") << id;
    }
    LanguageState russian;
    russian.systemLanguageId = "0419";
    ReadLanguageName(russian);
    EXPECT_EQ(russian.languageName, "");
}

TEST(ShippedLanguageFiles, AreWindowsTextFiles) {
    for (const char* name : {"Chinese.lng", "English.lng", "language.txt"}) {
        const std::string bytes = platform::readFile(shippedFile(name));
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << name << " has a bare LF at " << i;
            }
        }
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << name;
    }
}

namespace {

// Every "section/key" a language file holds, in lower case, as the profile
// reader matches them.
std::set<std::string> keysOf(const std::string& bytes) {
    std::set<std::string> keys;
    std::string section;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string name = section + "/" + line.substr(0, equals);
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        keys.insert(name);
    }
    return keys;
}

std::string lowerName(const char* section, const char* key) {
    std::string name = std::string(section) + "/" + key;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name;
}

// The places "%1" ... "%9" a text fills in.
std::set<char> placesOf(const std::string& text) {
    std::set<char> places;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9') places.insert(text[++i]);
    return places;
}

}  // namespace

TEST(ShippedLanguageFiles, BothFilesHoldTheSameKeysAndEveryKeyTheCodeReads) {
    const std::set<std::string> chinese = keysOf(platform::readFile(shippedFile("Chinese.lng")));
    const std::set<std::string> english = keysOf(platform::readFile(shippedFile("English.lng")));
    EXPECT_EQ(chinese, english);
    std::set<std::string> code;
    for (std::size_t i = 0; i < kUiKeyCount; ++i) {
        const UiKeyName& name = uiKeyName(static_cast<UiKey>(i));
        code.insert(lowerName(name.section, name.key));
    }
    for (std::size_t i = 0; i < kMessageKeyCount; ++i)
        code.insert(lowerName(kMessagesSection, messageKeyText(static_cast<MessageKey>(i)).key));
    for (std::size_t i = 0; i < kCaptionKeyCount; ++i)
        code.insert(lowerName(kCaptionsSection, captionKeyText(static_cast<CaptionKey>(i)).key));
    for (std::size_t i = 0; i < console::kConsoleTextCount; ++i)
        code.insert(lowerName(console::kConsoleSection, console::consoleTextKey(static_cast<console::ConsoleText>(i))));
    EXPECT_EQ(code.size(), kUiKeyCount + kMessageKeyCount + kCaptionKeyCount + console::kConsoleTextCount)
        << "two texts of the code share a key";
    EXPECT_EQ(chinese, code) << "a key the code reads is missing from Chinese.lng, or the file holds one it does not read";
    EXPECT_EQ(english, code) << "a key the code reads is missing from English.lng, or the file holds one it does not read";
}

TEST(ShippedLanguageFiles, ChineseMessagesAndCaptionsReadBackAsTheBuiltInTexts) {
    platform::setProgramFolder("");
    LanguageState chinese;
    changeLanguage(chinese, "Chinese");
    for (std::size_t i = 0; i < kMessageKeyCount; ++i) {
        const auto key = static_cast<MessageKey>(i);
        EXPECT_EQ(chinese.loadedTexts.messages[i], messageKeyText(key).builtIn) << messageKeyText(key).key;
    }
    for (std::size_t i = 0; i < kCaptionKeyCount; ++i) {
        const auto key = static_cast<CaptionKey>(i);
        EXPECT_EQ(chinese.loadedTexts.captions[i], captionKeyText(key).builtIn) << captionKeyText(key).key;
    }
    LanguageState english;
    changeLanguage(english, "English");
    for (std::size_t i = 0; i < kMessageKeyCount; ++i) {
        const auto key = static_cast<MessageKey>(i);
        const std::string text = messageTextIn(english, key);
        EXPECT_NE(text, messageKeyText(key).builtIn) << messageKeyText(key).key;
        // The values a message takes are in the English text as well.
        EXPECT_EQ(placesOf(text), placesOf(messageKeyText(key).builtIn)) << messageKeyText(key).key;
    }
}

// The console's built-in texts are English, and English.lng words them so;
// Chinese.lng takes the same values in its own wording.
TEST(ShippedLanguageFiles, TheConsoleSectionIsTheConsolesEnglishAndItsChineseTwin) {
    for (std::size_t i = 0; i < console::kConsoleTextCount; ++i) {
        const auto text = static_cast<console::ConsoleText>(i);
        const char* key = console::consoleTextKey(text);
        const std::string english = console::consoleTextOfValue(
            readProfileString(shippedFile("English.lng"), console::kConsoleSection, key, ValueLength::Whole));
        const std::string chinese = console::consoleTextOfValue(
            readProfileString(shippedFile("Chinese.lng"), console::kConsoleSection, key, ValueLength::Whole));
        EXPECT_EQ(english, console::builtInConsoleText(text)) << key;
        EXPECT_NE(chinese, english) << key;
        EXPECT_EQ(placesOf(chinese), placesOf(english)) << key;
        // A text of several lines keeps its shape: as many lines, and each
        // option line of the help indented as in English.
        EXPECT_EQ(std::count(chinese.begin(), chinese.end(), '\n') > 0,
                  std::count(english.begin(), english.end(), '\n') > 0)
            << key;
        if (!english.empty() && english[0] == ' ') {
            EXPECT_EQ(chinese.substr(0, 2), "  ") << key;
        }
    }
}
