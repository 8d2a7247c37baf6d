// The headless example: tolvane-inftext on the bundled example application,
// in process and as the built program; bad arguments write nothing.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "infaddon_test_tree.h"
#include "platform/host.h"
#include "platform/process.h"
#include "tools/inftext/inftext_command.h"

namespace {

using Args = std::vector<std::string>;

class InfTextTool : public infaddontest::TempTree {
protected:
    // In English unless the arguments name another language.
    int run(Args args) {
        out.str({});
        err.str({});
        args.insert(args.begin(), {"--language", "English"});
        return inftext::runInfTextCommand(args, out, err);
    }
    Args exampleArgs() const {
        return {"--name", "HelloApp", "--version", "1.0", "--dir-id", "16422", "--out", at("out"),
                infaddontest::sourcePath("examples/HelloApp")};
    }
    std::ostringstream out, err;
};

TEST_F(InfTextTool, WritesTheExamplesInfAndEntriesFile) {
    ASSERT_EQ(run(exampleArgs()), 0) << err.str();
    EXPECT_EQ(out.str(), "Search finished: 6 entries found, 4 of them files\nWrote HelloApp.inf and Entries_HelloApp.ini in " +
                             at("out") + "\n");
    EXPECT_EQ(entriesOf("out"), (std::vector<std::string>{"Entries_HelloApp.ini", "HelloApp.inf"}));

    const std::string inf = platform::readFile(at("out\\HelloApp.inf"));
    EXPECT_NE(inf.find(infaddontest::cp936("[DestinationDirs]\r\n"
                                           "HelloApp.copyfile = 16422,\"HelloApp\"\r\n"
                                           "HelloApp.bin.copyfile = 16422,\"HelloApp\\bin\"\r\n")),
              std::string::npos);
    EXPECT_NE(inf.find(infaddontest::cp936("[SourceDisksFiles]\r\n"
                                           "HelloApp_HelloApp.exe=1\r\n"
                                           "HelloApp_readme.txt=1\r\n"
                                           "HelloApp_bin_helper.dll=1\r\n"
                                           "HelloApp_bin_说明.txt=1\r\n")),
              std::string::npos);
    EXPECT_NE(inf.find(infaddontest::cp936("\r\n[HelloApp.copyfile]\r\n"
                                           "HelloApp.exe,HelloApp_HelloApp.exe\r\n"
                                           "readme.txt,HelloApp_readme.txt\r\n"
                                           "\r\n[HelloApp.bin.copyfile]\r\n"
                                           "helper.dll,HelloApp_bin_helper.dll\r\n"
                                           "说明.txt,HelloApp_bin_说明.txt\r\n\r\n\r\n\r\n\r\n[HelloApp.Addreg]")),
              std::string::npos);

    const std::string entries = platform::readFile(at("out\\Entries_HelloApp.ini"));
    EXPECT_NE(entries.find(infaddontest::cp936("description=HelloApp 1.0 整合包\r\n")), std::string::npos);
    EXPECT_NE(entries.find("website=\r\n"), std::string::npos);
}

TEST_F(InfTextTool, TheWebSiteGoesIntoTheEntriesFile) {
    Args args = exampleArgs();
    args.insert(args.begin(), {"--website", "http://example.com/hello"});
    ASSERT_EQ(run(args), 0) << err.str();
    EXPECT_NE(platform::readFile(at("out\\Entries_HelloApp.ini")).find("website=http://example.com/hello\r\n"),
              std::string::npos);
}

TEST_F(InfTextTool, AMissingSourceFolderOrAFileInItsPlaceIsRefusedAndNothingIsWritten) {
    Args missing = exampleArgs();
    missing.push_back(at("nowhere"));
    EXPECT_EQ(run(missing), 2);
    EXPECT_EQ(err.str(), "tolvane-inftext: The source folder " + at("nowhere") +
                             " does not exist. Check the path and run again.\n");
    Args file = exampleArgs();
    file.push_back(infaddontest::sourcePath("examples/HelloApp/readme.txt"));
    EXPECT_EQ(run(file), 2);
    EXPECT_NE(err.str().find("readme.txt is a file, not a folder."), std::string::npos) << err.str();
    EXPECT_EQ(out.str(), "");
    EXPECT_FALSE(platform::folderExists(at("out")));
}

TEST_F(InfTextTool, BadArgumentsWriteNothing) {
    const Args good = exampleArgs();
    EXPECT_EQ(run({}), 2);
    EXPECT_NE(err.str().find("Usage: tolvane-inftext"), std::string::npos);
    EXPECT_EQ(run({"--name", "HelloApp", "--version", "1.0", "--out", at("out")}), 2);
    EXPECT_EQ(err.str().rfind("tolvane-inftext: Give at least one source folder.", 0), 0u) << err.str();
    Args badCode = good;
    badCode[5] = "16423";
    EXPECT_EQ(run(badCode), 2);
    EXPECT_NE(err.str().find("16423 is no destination code"), std::string::npos) << err.str();
    EXPECT_EQ(run({"--colour", "red"}), 2);
    EXPECT_FALSE(platform::folderExists(at("out")));
}

// The usage, the refusals and the result in the chosen language, the
// builder's refusals and scan included.
TEST_F(InfTextTool, SpeaksTheChosenLanguage) {
    EXPECT_EQ(run({"--language", "Chinese"}), 2);
    EXPECT_EQ(err.str().rfind("tolvane-inftext: 请用 --name 给出软件名。\n用法：tolvane-inftext --name App", 0), 0u)
        << err.str();
    Args missing = exampleArgs();
    missing.insert(missing.end(), {at("nowhere"), "--language", "Chinese"});
    EXPECT_EQ(run(missing), 2);
    EXPECT_EQ(err.str(), "tolvane-inftext: 软件路径 " + at("nowhere") + " 不存在。请检查路径后再运行。\n");
    Args badName = exampleArgs();
    badName[1] = "Hello ";
    badName.insert(badName.end(), {"--language", "Chinese"});
    EXPECT_EQ(run(badName), 2);
    EXPECT_NE(err.str().find("软件名称“Hello ”不能用来命名整合包的文件和节"), std::string::npos) << err.str();
    Args good = exampleArgs();
    good.insert(good.end(), {"--language", "Chinese"});
    ASSERT_EQ(run(good), 0) << err.str();
    EXPECT_EQ(out.str().substr(out.str().find('\n') + 1), "已在 " + at("out") + " 中写入 HelloApp.inf 和 Entries_HelloApp.ini\n");
    EXPECT_EQ(run({"--language", "Klingon"}), 2);
    EXPECT_NE(err.str().find("Klingon"), std::string::npos) << err.str();
}

// The files written here are the package's: the builder's rules apply.
TEST_F(InfTextTool, NamesAndTextsTheBuilderRefusesAreRefusedHereToo) {
    for (const char* name : {" HelloApp", "Hello[1]", "Hello "}) {
        Args args = exampleArgs();
        args[1] = name;
        EXPECT_EQ(run(args), 2) << name;
        EXPECT_NE(err.str().find(std::string("\"") + name + "\""), std::string::npos) << err.str();
    }
    Args version = exampleArgs();
    version[3] = "1.0\r\n[Evil]";
    EXPECT_EQ(run(version), 2);
    EXPECT_NE(err.str().find("The version "), std::string::npos) << err.str();
    Args website = exampleArgs();
    website.insert(website.begin(), {"--website", "http://a/\nb"});
    EXPECT_EQ(run(website), 2);
    EXPECT_NE(err.str().find("The web site "), std::string::npos) << err.str();
    EXPECT_FALSE(platform::folderExists(at("out")));
}

TEST_F(InfTextTool, NameOutsideTheCodePageFailsAndLeavesNoFile) {
    Args args = exampleArgs();
    args[1] = "Hello\xED\x95\x9C";  // Hangul: no character of code page 936
    EXPECT_EQ(run(args), 1);
    EXPECT_NE(err.str().find("U+D55C"), std::string::npos) << err.str();
    EXPECT_TRUE(entriesOf("out").empty());
}

TEST_F(InfTextTool, TheBuiltProgramRunsTheExample) {
    const std::string program = (platform::kWindowsHost ? "Z:" : "") + std::string(TOLVANE_BIN_DIR) +
                                "/tolvane-inftext" + platform::kExecutableSuffix;
    if (!platform::fileExists(program)) GTEST_SKIP() << "tolvane-inftext is not built in " TOLVANE_BIN_DIR;
    std::string commandLine = platform::quoteArgument(program);
    for (const auto& arg : exampleArgs()) commandLine += " " + platform::quoteArgument(arg);
    platform::ChildProcess child = platform::ChildProcess::start(commandLine, platform::kHidden);
    while (child.isAlive()) child.waitBriefly(100);
    EXPECT_EQ(child.exitCode(), 0);
    EXPECT_TRUE(platform::fileExists(at("out\\HelloApp.inf")));
    EXPECT_TRUE(platform::fileExists(at("out\\Entries_HelloApp.ini")));
}

}  // namespace
