#include "shell/start_window_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> splitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) return lines;
        start = end + 2;
    }
}

std::size_t leadingBlanks(const std::string& line) { return line.find_first_not_of(' '); }

TEST(StartWindowTexts, DescriptionHasNineLinesAtTheirIndentation) {
    const auto lines = splitCrLf(shell::startWindowDescription());
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0],
              "此工具能够将软件生成为nLite 和RVM Integrator _用的软件整合包 可以大大减少使用者制作整合包的时间.节省大量时间和精力。");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(leadingBlanks(lines[2]), 4u);
    EXPECT_EQ(lines[3], std::string(40, ' ') + "本软件仅供学习交流之用");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6], "");
    EXPECT_EQ(lines[7], std::string(13, ' ') + "此版本为最后一版本。不再更新。");
    EXPECT_EQ(leadingBlanks(lines[8]), 23u);
}

TEST(StartWindowTexts, AboutHasFiveLinesUnderTheFeedbackHeading) {
    const auto lines = splitCrLf(shell::aboutText());
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "意见反馈:");
    for (const auto& line : lines) EXPECT_FALSE(line.empty());
}

}  // namespace
