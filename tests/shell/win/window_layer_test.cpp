// The window layer itself: the control wrappers, the dialog base's guard and
// its refusal of commands while disabled, texts applied by id, the file
// dialogs' filter and selection forms, and the PNG writer of the harness.
#include <gtest/gtest.h>

#include <zlib.h>

#include <stdexcept>

#include "shell/win/apply_texts.h"
#include "shell/win/window_user_interface.h"
#include "test_window.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/win/png_file.h"
#include "tests/support/win/window_harness.h"

namespace windowtest {
namespace {

// A literal with its inner NULs, without the one that ends it.
template <std::size_t N>
std::wstring wideOf(const wchar_t (&text)[N]) { return std::wstring(text, N - 1); }
template <std::size_t N>
std::string bytesOf(const char (&text)[N]) { return std::string(text, N - 1); }

class WindowLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.create();
        window.showWindow();
    }
    testsupport::FakeUserInterface ui;
    TestWindow window{ui};
};

TEST_F(WindowLayerTest, TextsGoThroughUtf8BothWays) {
    const win32::Window label = window.item(IDC_TEST_LABEL);
    EXPECT_EQ(label.text(), "标签");
    label.setText("软件名 – Name ✓");
    EXPECT_EQ(label.text(), "软件名 – Name ✓");
    EXPECT_EQ(itemText(window.handle(), IDC_TEST_LABEL), "软件名 – Name ✓");
    EXPECT_EQ(window.text(), "测试窗口");
}

TEST_F(WindowLayerTest, ListBoxKeepsItemsAndScrollsSidewaysToItsWidestLine) {
    const auto list = window.itemAs<win32::ListBox>(IDC_TEST_LIST);
    EXPECT_EQ(list.addString("C:\\短"), 0);
    const std::string longLine = "C:\\Program Files\\一个很长的文件夹名字\\another rather long folder name\\setup.exe";
    EXPECT_EQ(list.addString(longLine), 1);
    EXPECT_EQ(list.insertString(0, "first"), 0);
    EXPECT_EQ(list.items(), (std::vector<std::string>{"first", "C:\\短", longLine}));
    EXPECT_EQ(list.findExact("FIRST"), 0);
    EXPECT_EQ(list.findExact("missing"), -1);
    EXPECT_EQ(list.selectedIndex(), -1);
    list.select(2);
    EXPECT_EQ(list.selectedIndex(), 2);

    const int extent = list.fitHorizontalExtent();
    EXPECT_EQ(list.horizontalExtent(), extent);
    EXPECT_GT(extent, list.textWidth(longLine));
    EXPECT_GT(list.textWidth(longLine), list.textWidth("first"));
    list.setHorizontalExtent(500);
    EXPECT_EQ(list.horizontalExtent(), 500);

    EXPECT_EQ(list.deleteString(0), 2);
    EXPECT_EQ(list.deleteString(7), -1);
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.fitHorizontalExtent(), 0);
}

TEST_F(WindowLayerTest, ComboBoxTextCanDifferFromItsItems) {
    const auto combo = window.itemAs<win32::ComboBox>(IDC_TEST_COMBO);
    combo.addString("Chinese");
    combo.addString("English");
    EXPECT_EQ(combo.items(), (std::vector<std::string>{"Chinese", "English"}));
    combo.setText("Klingon");
    EXPECT_EQ(combo.text(), "Klingon");
    EXPECT_EQ(combo.selectedIndex(), -1);
    combo.select(1);
    EXPECT_EQ(combo.text(), "English");
    EXPECT_EQ(combo.findExact("english"), 1);
    ASSERT_NE(combo.editHandle(), nullptr);
    typeText(window.handle(), IDC_TEST_COMBO, "中文");
    EXPECT_EQ(combo.text(), "English中文");
}

TEST_F(WindowLayerTest, TypedTextReachesATextBox) {
    const auto box = window.itemAs<win32::TextBox>(IDC_TEST_TEXT);
    typeText(window.handle(), IDC_TEST_TEXT, "App 1.0 软件");
    EXPECT_EQ(box.text(), "App 1.0 软件");
    box.append("!");
    EXPECT_EQ(box.text(), "App 1.0 软件!");
}

TEST_F(WindowLayerTest, ADisabledWindowDropsItsCommandsAndAnEnabledOneRunsThem) {
    window.enable(false);
    ::SendMessageW(window.handle(), WM_COMMAND, MAKEWPARAM(IDC_TEST_RUN, BN_CLICKED),
                   reinterpret_cast<LPARAM>(window.item(IDC_TEST_RUN).handle()));
    EXPECT_EQ(window.runs, 0);
    window.enable(true);
    click(window.handle(), IDC_TEST_RUN);
    EXPECT_EQ(window.runs, 1);
}

TEST_F(WindowLayerTest, AnErrorInAHandlerBecomesOneMessageAndTheWindowLivesOn) {
    window.command = [] { throw std::runtime_error("the disk is full"); };
    click(window.handle(), IDC_TEST_RUN);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, shell::unexpectedErrorMessage("the disk is full", ui));
    EXPECT_EQ(ui.messages[0].icon, shell::MessageIcon::Stop);
    window.command = nullptr;
    click(window.handle(), IDC_TEST_RUN);
    EXPECT_EQ(window.runs, 2);
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(WindowLayerTest, CloseGoesToTheWindowsOwnHandler) {
    closeFromTitleBar(window.handle());
    EXPECT_EQ(window.closes, 1);
    EXPECT_TRUE(isShown(window.handle()));
    EXPECT_EQ(shell::win::Dialog::fromHandle(window.handle()), &window);
    EXPECT_EQ(shell::win::Dialog::fromHandle(window.item(IDC_TEST_RUN).handle()), nullptr);
}

TEST_F(WindowLayerTest, TextsAreAppliedByIdAndMissingControlsCounted) {
    const int missing = shell::win::applyControlTexts(window, {{shell::kWindowTitle, "Test window"},
                                                        {IDC_TEST_RUN, "Run"},
                                                        {IDC_TEST_MISSING, "nowhere"},
                                                        {IDC_TEST_LABEL, ""}});
    EXPECT_EQ(missing, 1);
    EXPECT_EQ(window.text(), "Test window");
    EXPECT_EQ(itemText(window.handle(), IDC_TEST_RUN), "Run");
    // An empty text empties the control: it does not keep the old one.
    EXPECT_EQ(itemText(window.handle(), IDC_TEST_LABEL), "");
}

TEST(FileDialogForms, FiltersBecomeNulSeparatedLists) {
    using shell::win::fileDialogFilter;
    EXPECT_EQ(fileDialogFilter("注册表文件 (*.reg)|*.reg|所有文件 (*.*)|*.*|"),
              wideOf(L"\x6CE8\x518C\x8868\x6587\x4EF6 (*.reg)\0*.reg\0\x6240\x6709\x6587\x4EF6 (*.*)\0*.*\0\0"));
    // Without the closing "|" the list still ends properly.
    EXPECT_EQ(fileDialogFilter("所有类型的文件(*.*)|*.*"),
              wideOf(L"\x6240\x6709\x7C7B\x578B\x7684\x6587\x4EF6(*.*)\0*.*\0\0"));
    EXPECT_EQ(fileDialogFilter(""), std::wstring());
}

TEST(FileDialogForms, SelectionsKeepTheirNulSeparators) {
    using shell::win::openDialogSelection;
    const wchar_t one[] = L"C:\\Tools\\setup.exe\0\0\0\0";
    EXPECT_EQ(openDialogSelection(one, sizeof one / sizeof *one), "C:\\Tools\\setup.exe");
    const wchar_t several[] = L"C:\\Tools\0a.exe\0\x8F6F\x4EF6.dll\0\0garbage";
    EXPECT_EQ(openDialogSelection(several, sizeof several / sizeof *several), bytesOf("C:\\Tools\0a.exe\0软件.dll"));
    const wchar_t root[] = L"C:\\\0a.exe\0b.dll\0\0";
    EXPECT_EQ(openDialogSelection(root, sizeof root / sizeof *root), bytesOf("C:\\\0a.exe\0b.dll"));
}

TEST(PngFile, HoldsTheImageRowsBehindTheRightChunks) {
    const std::vector<std::uint8_t> rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30, 40, 50, 60, 70, 80, 90};
    const std::string png = encodePng(3, 2, rgb);
    ASSERT_GE(png.size(), 8u + 25 + 12 + 12);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    EXPECT_EQ(png.substr(16, 13), std::string("\0\0\0\x03\0\0\0\x02\x08\x02\0\0\0", 13));
    EXPECT_EQ(png.substr(png.size() - 12), std::string("\0\0\0\0IEND\xAE\x42\x60\x82", 12));
    // The image data inflates to each row behind its filter byte.
    const std::size_t idatLength = (static_cast<unsigned char>(png[33]) << 24) | (static_cast<unsigned char>(png[34]) << 16) |
                                   (static_cast<unsigned char>(png[35]) << 8) | static_cast<unsigned char>(png[36]);
    ASSERT_EQ(png.substr(37, 4), "IDAT");
    std::vector<Bytef> raw(32);
    uLongf rawSize = raw.size();
    ASSERT_EQ(uncompress(raw.data(), &rawSize, reinterpret_cast<const Bytef*>(png.data() + 41), idatLength), Z_OK);
    const std::vector<Bytef> expected = {0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 10, 20, 30, 40, 50, 60, 70, 80, 90};
    EXPECT_EQ(std::vector<Bytef>(raw.begin(), raw.begin() + rawSize), expected);
    EXPECT_THROW(encodePng(2, 2, rgb), std::invalid_argument);
}

}  // namespace
}  // namespace windowtest
