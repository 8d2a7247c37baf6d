// What tolvane-console says and where: its language from the locale and from
// --language, quiet and verbose runs, the progress line only on a terminal
// (a pseudo-terminal made by script(1)), paths as the user gave them, and a
// --help that names every option the commands take. The program runs as a
// user runs it, through the shell.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <set>
#include <sstream>
#include <tuple>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "tools/console/console_language.h"
#include "tools/console/console_run.h"
#include "tools/console/inf_command.h"
#include "tools/console/t13_command.h"

namespace {

std::string shellQuoted(const std::string& text) { return "'" + platform::nativePath(text) + "'"; }

std::string capture(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

// Sets the locale variables for one test and puts them back afterwards.
class Locale {
public:
    Locale(const std::string& lcAll, const std::string& lang) {
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) saved_.push_back(platform::environmentVariable(name));
        platform::setEnvironmentVariable("LC_ALL", lcAll);
        platform::setEnvironmentVariable("LC_MESSAGES", "");
        platform::setEnvironmentVariable("LANG", lang);
    }
    ~Locale() {
        const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
        for (std::size_t i = 0; i < 3; ++i) platform::setEnvironmentVariable(names[i], saved_[i]);
    }

private:
    std::vector<std::string> saved_;
};

TEST(ConsoleLanguage, FollowsTheLocaleThroughTheLanguageMapAndElseSpeaksEnglish) {
    const struct {
        const char* lcAll;
        const char* lang;
        const char* language;
    } cases[] = {
        {"", "zh_CN.UTF-8", "Chinese"}, {"", "zh_TW.UTF-8", "Chinese"}, {"", "en_GB.UTF-8", "English"},
        {"", "de_DE.UTF-8", "English"},  // the map names no file for German
        {"", "C", "English"},           {"", "", "English"},
        {"zh_CN.UTF-8", "en_US.UTF-8", "Chinese"},  // LC_ALL before LANG
    };
    for (const auto& c : cases) {
        const Locale locale(c.lcAll, c.lang);
        EXPECT_EQ(console::chooseConsoleLanguage({}).name, c.language) << c.lcAll << " / " << c.lang;
    }
}

TEST(ConsoleLanguage, LanguageChoosesAFileOfTheLanguageFolderAndNamesThemWhenThereIsNone) {
    const Locale locale("", "zh_CN.UTF-8");
    const console::ConsoleLanguage english = console::chooseConsoleLanguage("English");
    EXPECT_EQ(english.name, "English");
    EXPECT_TRUE(platform::fileExists(english.file));
    for (const char* bad : {"Klingon", "../lng/English", "English.lng"}) {
        try {
            console::chooseConsoleLanguage(bad);
            ADD_FAILURE() << bad << " was taken";
        } catch (const platform::Error& e) {
            // Told in the system's language, naming the files there are.
            EXPECT_NE(std::string(e.what()).find("Chinese, English"), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("没有语言文件"), std::string::npos) << e.what();
        }
    }
}

class ConsoleRunOutput : public ::testing::Test {
protected:
    void SetUp() override {
        program = platform::joinPath(TOLVANE_BIN_DIR, "tolvane-console");
        if (platform::findProgram(platform::joinPath(TOLVANE_BIN_DIR, "makecab"), {}).empty() ||
            platform::findProgram(platform::joinPath(TOLVANE_BIN_DIR, "tolvane-cmd"), {}).empty())
            GTEST_SKIP() << "makecab and tolvane-cmd are not built in " TOLVANE_BIN_DIR;
        root = platform::makeTemporaryFolder("tolvane-console-output");
        platform::createFolders(platform::joinPath(root, "My App\\sub"));
        platform::createFolder(platform::joinPath(root, "out"));
        platform::writeFileAtomic(platform::joinPath(root, "My App\\app.exe"), "app");
        platform::writeFileAtomic(platform::joinPath(root, "My App\\sub\\read me.txt"), "read me");
    }
    void TearDown() override {
        if (!root.empty()) platform::removeFolderTree(root);
    }
    // Runs the build from the test's folder with the words after "inf";
    // standard output is returned, standard error kept in `err`.
    std::string build(const std::string& environment, const std::string& options) {
        const std::string errFile = platform::joinPath(root, "stderr.txt");
        const std::string out = capture("cd " + shellQuoted(root) + " && " + environment + " " + shellQuoted(program) +
                                        " inf --name App --version 1.0 --source 'My App' --output out/App.cab " +
                                        options + " 2>" + shellQuoted(errFile));
        err = platform::readFile(errFile);
        return out;
    }

    std::string program, root, err;
};

TEST_F(ConsoleRunOutput, AQuietRunSaysOnlyTheResultAndPrintsThePackagePathAsGiven) {
    EXPECT_EQ(build("LC_ALL=en_US.UTF-8", ""), "out/App.cab\n");
    EXPECT_EQ(err, "The INF package is made.\n") << "no tool output, no progress line into a file";
    EXPECT_TRUE(platform::fileExists(platform::joinPath(root, "out\\App.cab")));

    // Refused: nothing on standard output, the reason and what to do on standard error.
    EXPECT_EQ(build("LC_ALL=en_US.UTF-8", ""), "");
    EXPECT_EQ(err, "tolvane-console: out/App.cab already exists; give --overwrite to replace it.\n");

    EXPECT_EQ(build("LC_ALL=zh_CN.UTF-8", "--overwrite"), "out/App.cab\n");
    EXPECT_EQ(err, "恭喜！整合包生成成功！\n");
    EXPECT_EQ(build("LC_ALL=zh_CN.UTF-8", "--language English --overwrite"), "out/App.cab\n");
    EXPECT_EQ(err, "The INF package is made.\n");
}

// A builder's account of a failed step comes in the console's language,
// the step's name included, from the language file's message texts.
TEST_F(ConsoleRunOutput, ABuildersFailureIsToldInTheChosenLanguage) {
    EXPECT_EQ(build("LC_ALL=en_US.UTF-8", "--output gone/App.cab"), "");
    EXPECT_EQ(err.rfind("tolvane-console: The INF package was not made: writing the package into the folder ", 0), 0u)
        << err;
    EXPECT_NE(err.find("gone failed. The folder does not exist; choose a folder that does.\n"), std::string::npos)
        << err;
    EXPECT_EQ(build("LC_ALL=en_US.UTF-8", "--output gone/App.cab --language Chinese"), "");
    EXPECT_EQ(err.rfind("tolvane-console: INF 整合包没有生成：“把整合包写入文件夹 ", 0), 0u) << err;
    EXPECT_NE(err.find("gone”这一步失败了。该文件夹不存在，请选择一个存在的文件夹。\n"), std::string::npos) << err;
}

TEST_F(ConsoleRunOutput, AVerboseRunLogsTheScanWithTheUsersPathsInTheSystemsForm) {
    EXPECT_EQ(build("LC_ALL=en_US.UTF-8", "--verbose"), "out/App.cab\n") << "standard output stays for the path";
    EXPECT_NE(err.find("Searching My App/\n"), std::string::npos) << err;
    EXPECT_NE(err.find(" My App/sub/read me.txt\n"), std::string::npos) << err;
    EXPECT_NE(err.find("makecab"), std::string::npos) << "the tools' own output: " << err;
    // The scan's lines: the folder searched, each folder and file found.
    std::istringstream lines(err);
    int scanLines = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Searching ", 0) != 0 && line.rfind("■", 0) != 0 && line.rfind(" ", 0) != 0) continue;
        ++scanLines;
        EXPECT_EQ(line.find('\\'), std::string::npos) << "mixed separators: " << line;
    }
    EXPECT_EQ(scanLines, 4);

    // In Chinese the scan's lines are the builder's own.
    EXPECT_EQ(build("LC_ALL=zh_CN.UTF-8", "--verbose --overwrite"), "out/App.cab\n");
    EXPECT_NE(err.find("查找 My App/\n"), std::string::npos) << err;
}

TEST_F(ConsoleRunOutput, TheProgressLineIsDrawnOnlyOnATerminal) {
    if (platform::findProgram("script", {}).empty()) GTEST_SKIP() << "script (util-linux) is not installed";
    // script gives the program a pseudo-terminal and copies what it drew.
    const std::string command = "cd " + shellQuoted(root) + " && LC_ALL=en_US.UTF-8 " + shellQuoted(program) +
                                " inf --name App --version 1.0 --source 'My App' --output out/App.cab";
    const std::string script = platform::joinPath(root, "run.sh");
    platform::writeFileAtomic(script, command + "\n");
    const std::string drawn = capture("script -qec 'sh " + platform::nativePath(script) + "' /dev/null");
    EXPECT_NE(drawn.find(" files scanned, "), std::string::npos) << drawn;
    EXPECT_NE(drawn.find(" bytes compressed\r"), std::string::npos) << "drawn over itself: " << drawn;
    EXPECT_NE(drawn.find("The INF package is made.\r\n"), std::string::npos) << drawn;
    EXPECT_NE(drawn.find("out/App.cab\r\n"), std::string::npos) << drawn;
    // The line is taken away before the result: the result starts its line.
    const std::size_t result = drawn.find("The INF package is made.");
    ASSERT_NE(result, std::string::npos);
    EXPECT_EQ(drawn[result - 1], '\r') << drawn;

    build("LC_ALL=en_US.UTF-8", "--overwrite");
    EXPECT_EQ(err.find('\r'), std::string::npos) << "a progress line in a file: " << err;
}

// The runs README shows give what README says they print (standard error
// and output together, as a terminal shows them).
TEST_F(ConsoleRunOutput, TheRunsTheReadmeShowsPrintWhatItSays) {
    const std::string readme = platform::readFile(platform::joinPath(TOLVANE_SOURCE_DIR, "README.md"));
    std::istringstream lines(readme);
    std::vector<std::pair<std::string, std::string>> runs;  // command, what it prints
    // The first block of indented lines that starts with "$ ".
    for (std::string line; std::getline(lines, line);) {
        const bool indented = line.rfind("    ", 0) == 0;
        if (indented && line.rfind("    $ ", 0) == 0) runs.emplace_back(line.substr(6), "");
        else if (indented && !runs.empty()) runs.back().second += line.substr(4) + "\n";
        else if (!runs.empty()) break;
    }
    ASSERT_GE(runs.size(), 2u) << "README shows an English and a Chinese run";
    const std::string example = platform::joinPath(TOLVANE_SOURCE_DIR, "examples/HelloApp");
    for (auto [command, expected] : runs) {
        for (const auto& [from, to] : {std::pair<std::string, std::string>{"build/native/bin/tolvane-console", shellQuoted(program)},
                                       {"examples/HelloApp", shellQuoted(example)}}) {
            const std::size_t at = command.find(from);
            ASSERT_NE(at, std::string::npos) << command;
            command.replace(at, from.size(), to);
        }
        EXPECT_FALSE(expected.empty()) << command;
        EXPECT_EQ(capture("cd " + shellQuoted(root) + " && " + command + " 2>&1"), expected) << command;
    }
}

// The options a help text names.
std::set<std::string> optionsNamed(const std::string& help) {
    static const std::regex option("--[a-z][a-z-]*");
    std::set<std::string> named;
    for (auto it = std::sregex_iterator(help.begin(), help.end(), option); it != std::sregex_iterator(); ++it)
        named.insert(it->str());
    return named;
}

// In English and in Chinese, --help names the same options, each one the
// command takes (it is not refused as unknown), and the exit statuses.
TEST(ConsoleHelp, NamesTheSameOptionsInEveryLanguageOnlyOptionsTheCommandsTakeAndTheExitStatuses) {
    const console::ConsoleTexts english = console::ConsoleTexts::fromLanguageFile(
        console::chooseConsoleLanguage("English").file);
    const console::ConsoleTexts chinese = console::ConsoleTexts::fromLanguageFile(
        console::chooseConsoleLanguage("Chinese").file);
    const struct {
        std::string (*help)(const console::ConsoleTexts&);
        int (*run)(const std::vector<std::string>&, console::ConsoleRun);
        const char* command;
    } commands[] = {{console::infHelp, console::runInfCommand, "inf"},
                    {console::t13Help, console::runT13Command, "t13"}};
    for (const auto& c : commands) {
        EXPECT_NE(c.help(english).find("Exit status: 0 the package was made, 1 it was refused or failed, 2 the "
                                       "arguments"),
                  std::string::npos);
        EXPECT_NE(c.help(chinese).find("退出状态：0 整合包已生成，1 被拒绝或生成失败，2 参数无法使用。"),
                  std::string::npos);
        EXPECT_EQ(c.help(chinese).rfind(std::string("用法：tolvane-console ") + c.command + " --name 软件名", 0), 0u);
        const std::set<std::string> named = optionsNamed(c.help(english));
        EXPECT_EQ(optionsNamed(c.help(chinese)), named) << c.command;
        EXPECT_GE(named.size(), 10u);
        for (const std::string& name : named) {
            if (name == "--help") continue;
            std::ostringstream out, err;
            console::ConsoleRun run;
            run.out = &out;
            run.err = &err;
            c.run({name, "--help"}, run);
            EXPECT_EQ(err.str().find("is not an option"), std::string::npos) << c.command << " " << name;
        }
        std::ostringstream out, err;
        console::ConsoleRun run;
        run.out = &out;
        run.err = &err;
        EXPECT_EQ(c.run({"--no-such-option", "value"}, run), 2);
        EXPECT_NE(err.str().find("is not an option"), std::string::npos) << "the check above can fail";
    }
    const std::set<std::string> common = {"--verbose", "--language", "--help", "--version"};
    EXPECT_EQ(optionsNamed(console::programHelp(english)), common);
    EXPECT_EQ(optionsNamed(console::programHelp(chinese)), common);
}

// The help follows the locale, as the rest of the console does, and a
// refusal shows the command's usage in the same language.
TEST(ConsoleHelp, IsGivenInTheLocalesLanguage) {
    const std::string program = platform::joinPath(TOLVANE_BIN_DIR, "tolvane-console");
    if (platform::findProgram(program, {}).empty()) GTEST_SKIP() << "tolvane-console is not built in " TOLVANE_BIN_DIR;
    const std::string run = "LC_ALL= LC_MESSAGES= LANG=zh_CN.UTF-8 " + shellQuoted(program);
    EXPECT_EQ(capture(run + " inf --help").rfind("用法：tolvane-console inf --name 软件名 --version 版本号", 0), 0u);
    EXPECT_EQ(capture(run + " t13 --help").rfind("用法：tolvane-console t13 --name 软件名", 0), 0u);
    EXPECT_EQ(capture(run + " --help").rfind("用法：tolvane-console [--verbose] [--language 名称] inf", 0), 0u);
    EXPECT_EQ(capture(run + " --language English inf --help").rfind("usage: tolvane-console inf --name NAME", 0), 0u);
    EXPECT_EQ(capture(run + " inf --colour red 2>&1"),
              "tolvane-console: \"--colour\" 不是 inf 命令的选项。\n" +
                  console::ConsoleTexts::fromLanguageFile(console::chooseConsoleLanguage("Chinese").file)(
                      console::ConsoleText::InfUsage) +
                  "\n运行 \"tolvane-console inf --help\" 查看全部选项。\n");
    const std::string englishRun = "LC_ALL= LC_MESSAGES= LANG=en_US.UTF-8 " + shellQuoted(program);
    EXPECT_EQ(capture(englishRun + " --help").rfind("usage: tolvane-console [--verbose]", 0), 0u);
}

}  // namespace

namespace {

// What an option takes, told in the chosen language.
TEST(ConsoleRefusals, NameTheValuesAnOptionTakesInTheChosenLanguage) {
    for (const auto& [language, inf, t13] :
         {std::tuple<const char*, const char*, const char*>{"Chinese", "desktop、startmenu 或 quicklaunch", "nlite 或 rvmi"},
          {"English", "desktop, startmenu or quicklaunch", "nlite or rvmi"}}) {
        std::ostringstream out, err;
        console::ConsoleRun run = console::consoleRunFor(language, false);
        run.out = &out;
        run.err = &err;
        EXPECT_EQ(console::runInfCommand({"--shortcut", "A=C:\\a.exe", "--place", "roof"}, run), 2);
        EXPECT_NE(err.str().find(inf), std::string::npos) << err.str();
        err.str({});
        EXPECT_EQ(console::runT13Command({"--integrator", "other"}, run), 2);
        EXPECT_NE(err.str().find(t13), std::string::npos) << err.str();
    }
}

}  // namespace
