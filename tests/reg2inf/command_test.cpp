// The reg2inf command: its arguments, its help, and the built program run the
// way the registry import runs it.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/file_system.h"
#include "platform/host.h"
#include "platform/process.h"
#include "tests/reg2inf/reg_test_files.h"
#include "tools/reg2inf/reg2inf.h"

using regtest::joinLines;

namespace {

class Command : public regtest::TempFolder {
protected:
    int run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return reg2inf::runReg2Inf(args, out, err);
    }
    std::ostringstream out, err;
};

const std::string kReg = joinLines({"REGEDIT4", "[HKEY_CURRENT_USER\\Software\\T]", "\"a\"=\"1\""});

std::string converterProgram() {
    return platform::joinPath(platform::executableFolder(), std::string("reg2inf") + platform::kExecutableSuffix);
}

}  // namespace

TEST_F(Command, HelpSaysHowToCallItAndWhatTheOptionsSelect) {
    EXPECT_EQ(run({"--help"}), 0);
    const std::string help = out.str();
    EXPECT_NE(help.find("reg2inf [-w] [-t] <file.reg> [<output>]"), std::string::npos) << help;
    EXPECT_NE(help.find("-w   write a whole INF"), std::string::npos) << help;
    EXPECT_NE(help.find("-t   write every value as text"), std::string::npos) << help;
    EXPECT_NE(help.find("_AddReg"), std::string::npos) << help;
    EXPECT_TRUE(err.str().empty());
}

TEST_F(Command, WrongArgumentsAreRefusedWithTheUsageAndNothingIsWritten) {
    EXPECT_EQ(run({}), 2);
    EXPECT_NE(err.str().find("no registry file"), std::string::npos) << err.str();
    EXPECT_EQ(run({"-x", path("a.reg"), path("out.inf")}), 2);
    EXPECT_NE(err.str().find("unknown option \"-x\""), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("Usage:"), std::string::npos);
    EXPECT_EQ(run({"a.reg", "b.inf", "c.inf"}), 2);
    EXPECT_TRUE(platform::listFolder(folder).files.empty());
}

TEST_F(Command, WritesTheOutputItIsGivenOrTheRegFilesNameWithInf) {
    const std::string input = write("App Settings.reg", kReg);
    EXPECT_EQ(run({"-w", "-t", input, path("reg.bak")}), 0) << err.str();
    EXPECT_EQ(platform::readFile(path("reg.bak")), reg2inf::convertRegText(kReg, input, {true, true}));
    EXPECT_EQ(run({"-t", input}), 0) << err.str();
    EXPECT_EQ(platform::readFile(path("App Settings.inf")), reg2inf::convertRegText(kReg, input, {false, true}));
}

TEST_F(Command, AnOutputThatIsTheInputIsRefusedAndTheInputKept) {
    const std::string input = write("a.reg", kReg);
    EXPECT_EQ(run({"-w", "-t", input, input}), 2);
    EXPECT_NE(err.str().find("is the registry file itself"), std::string::npos) << err.str();
    const std::string named = write("a.inf", kReg);  // its default output is its own name
    EXPECT_EQ(run({named}), 2);
    EXPECT_EQ(platform::readFile(input), kReg);
    EXPECT_EQ(platform::readFile(named), kReg);
}

TEST_F(Command, AFolderGivenAsTheRegistryFileIsNamedAsAFolder) {
    platform::createFolder(path("settings.reg"));
    EXPECT_EQ(run({"-w", "-t", path("settings.reg"), path("reg.bak")}), 1);
    EXPECT_NE(err.str().find("is a folder, not a file"), std::string::npos) << err.str();
    EXPECT_FALSE(platform::fileExists(path("reg.bak")));
}

TEST_F(Command, AFileItCannotReadIsReportedWithStatusOne) {
    const std::string input = write("bad.reg", joinLines({"REGEDIT4", "oops"}));
    EXPECT_EQ(run({"-w", "-t", input, path("reg.bak")}), 1);
    EXPECT_NE(err.str().find("line 2"), std::string::npos) << err.str();
    EXPECT_FALSE(platform::fileExists(path("reg.bak")));
}

TEST_F(Command, TheBuiltProgramTakesTheImportsCommandLine) {
    write("input.reg", regtest::utf16LeFile(kReg));
    write("bad.reg", "nonsense");
    const std::string before = platform::currentDirectory();
    platform::setCurrentDirectory(folder);
    const std::string program = platform::quoteArgument(converterProgram());
    platform::ChildProcess good =
        platform::ChildProcess::start(program + " -w -t \"" + path("input.reg") + "\" reg.bak", platform::kHidden);
    const int goodStatus = good.exitCode();
    platform::ChildProcess bad =
        platform::ChildProcess::start(program + " -w -t \"" + path("bad.reg") + "\" bad.bak", platform::kHidden);
    const int badStatus = bad.exitCode();
    platform::setCurrentDirectory(before);

    EXPECT_EQ(goodStatus, 0);
    EXPECT_EQ(platform::readFile(path("reg.bak")), reg2inf::convertRegText(kReg, "input.reg", {true, true}));
    EXPECT_EQ(badStatus, 1);
    EXPECT_FALSE(platform::fileExists(path("bad.bak")));
}
