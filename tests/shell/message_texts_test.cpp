// Message texts and captions: the loaded language's where it has them, the
// built-in Chinese ones otherwise, and the values filled into their places.
#include <gtest/gtest.h>

#include <set>

#include "language_test_folder.h"
#include "shell/message_keys.h"
#include "shell/ui_strings.h"

using namespace shell;

TEST(MessageTexts, BuiltInUntilALanguageIsLoadedAndWhereItsFileIsSilent) {
    shelltest::LanguageFolder folder;
    folder.write("New.lng", "[Messages]\r\nT13 No Name=Enter a name.\r\n[captions]\r\nfolder=  \"Folder\"  \r\n");
    folder.write("Old.lng", "[Buttons]\r\nnext=Next\r\n");
    LanguageState state;
    state.loadedTexts.messages[static_cast<int>(MessageKey::T13NoName)] = "not loaded";
    EXPECT_EQ(messageTextIn(state, MessageKey::T13NoName), "请输入软件名称信息。") << "no language is loaded yet";

    changeLanguage(state, "New");
    EXPECT_EQ(messageTextIn(state, MessageKey::T13NoName), "Enter a name.") << "section and key in any letter case";
    EXPECT_EQ(captionText(state, CaptionKey::T13Folder), "Folder") << "blanks and quotes dropped as for UI strings";
    EXPECT_EQ(messageTextIn(state, MessageKey::T13NoVersion), "请输入软件版本号。") << "a key the file lacks";
    EXPECT_EQ(captionText(state, CaptionKey::T13Files), "文件");

    // An older language file without the new sections gives the built-in
    // texts again, not the previous language's.
    changeLanguage(state, "Old");
    EXPECT_EQ(messageTextIn(state, MessageKey::T13NoName), "请输入软件名称信息。");
    EXPECT_EQ(captionText(state, CaptionKey::T13Folder), "目录");
}

TEST(MessageTexts, EveryKeyIsNamedOnceWithABuiltInText) {
    std::set<std::string> names;
    for (std::size_t i = 0; i < kMessageKeyCount; ++i) {
        const KeyedText& text = messageKeyText(static_cast<MessageKey>(i));
        EXPECT_TRUE(names.insert(text.key).second) << text.key;
        EXPECT_STRNE(text.builtIn, "") << text.key;
    }
    names.clear();
    for (std::size_t i = 0; i < kCaptionKeyCount; ++i) {
        const KeyedText& text = captionKeyText(static_cast<CaptionKey>(i));
        EXPECT_TRUE(names.insert(text.key).second) << text.key;
        EXPECT_STRNE(text.builtIn, "") << text.key;
    }
}

TEST(MessageTexts, FillTextPutsEachValueInItsPlaceOnce) {
    EXPECT_EQ(fillText("无法打开文件夹 %1：%2", {"C:\\A", "denied"}), "无法打开文件夹 C:\\A：denied");
    EXPECT_EQ(fillText("%2 before %1", {"one", "two"}), "two before one") << "a translation may reorder the values";
    EXPECT_EQ(fillText("open %1", {"C:\\100%1"}), "open C:\\100%1") << "a value is not filled again";
    EXPECT_EQ(fillText("100%% of %1", {"x"}), "100% of x");
    EXPECT_EQ(fillText("%1 and %3", {"a"}), "a and ") << "a missing value leaves its place empty";
    EXPECT_EQ(fillText("%16409% ends in %", {"a"}), "a6409% ends in %") << "only one digit names a value";
}

// How a reader of the scan's log knows a line by the text it was filled from,
// whichever language put the value first, last or in the middle.
TEST(MessageTexts, FilledValueGivesBackTheValueOfALineMadeFromTheText) {
    const std::string chinese = builtInText(MessageKey::ScanFolderMissing);
    EXPECT_EQ(filledValue(chinese, fillText(chinese, {"D:\\Gone\\"})), "D:\\Gone\\");
    EXPECT_EQ(filledValue("The folder %1 is gone.", "The folder D:\\A\\ is gone."), "D:\\A\\");
    EXPECT_EQ(filledValue("%1 is gone", " is gone"), "") << "an empty value";
    EXPECT_EQ(filledValue("100%% of %1", "100% of x"), "x");
    EXPECT_EQ(filledValue(chinese, fillText(builtInText(MessageKey::ScanLooking), {"D:\\Gone\\"})), std::nullopt);
    EXPECT_EQ(filledValue("The folder %1 is gone.", "The folder is"), std::nullopt) << "shorter than the text";
    EXPECT_EQ(filledValue("no value here", "no value here"), std::nullopt);
}
