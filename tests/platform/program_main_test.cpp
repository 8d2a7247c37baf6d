// Every program turns what it throws into one message and a non-zero exit:
// the guard itself, and the built programs started in a current folder that
// no longer exists.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/program_main.h"

namespace {

TEST(ProgramMain, WhatTheBodyThrowsBecomesOneLineAndStatusOne) {
    std::ostringstream err;
    EXPECT_EQ(platform::runProgram("tool", err, [] { return 3; }), 3);
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(platform::runProgram("tool", err,
                                   []() -> int {
                                       throw platform::Error(platform::ErrorKind::Io,
                                                             "Cannot read the current folder \".\": gone.");
                                   }),
              1);
    EXPECT_EQ(err.str(), "tool: Cannot read the current folder \".\": gone.\n");
    err.str("");
    EXPECT_EQ(platform::runProgram("tool", err, []() -> int { throw std::bad_alloc(); }), 1);
    EXPECT_EQ(err.str(), "tool: there is not enough memory for this work.\n");
    err.str("");
    EXPECT_EQ(platform::runProgram("tool", err, []() -> int { throw 42; }), 1);
    EXPECT_NE(err.str().find("unexpected"), std::string::npos);
}

TEST(ProgramMain, EveryProgramStartedInADeletedFolderExitsWithAMessage) {
    const std::string here = platform::absolutePath(".");
    if (here.empty() || here[0] != '/') GTEST_SKIP() << "a current folder cannot be deleted on this system";
    const std::string root = platform::makeTemporaryFolder("tolvane-gone");
    const std::string bin = TOLVANE_BIN_DIR;
    const std::pair<const char*, const char*> commands[] = {
        {"tolvane-console", "inf --name A --version 1 --out x.cab ."},
        {"tolvane-console", "t13 --name A --version 1 --item a --out x.7z"},
        {"reg2inf", "a.reg"},
        {"tolvane-cmd", "/c dir"},
        {"tolvane-inftext", "--name A --version 1 --out o ."},
        {"makecab", "/f list.txt"},
    };
    for (const auto& [program, arguments] : commands) {
        const std::string command = std::string(program) + " " + arguments;
        const std::string gone = root + "/gone";
        platform::createFolder(gone);
        const std::string line = "cd '" + gone + "' && rmdir '" + gone + "' && '" + bin + "/" + program + "' " + arguments + " >'" +
                                 root + "/out.txt' 2>&1";
        const int status = std::system(line.c_str());
        const std::string out = platform::readFile(root + "/out.txt");
        EXPECT_NE(status, 0) << command << "\n" << out;
        EXPECT_EQ(out.find("terminate called"), std::string::npos) << command << "\n" << out;
        EXPECT_FALSE(out.empty()) << command << " says nothing";
        EXPECT_NE(status >> 8, 127) << command << " did not start:\n" << out;
    }
    platform::removeFolderTree(root);
}

}  // namespace
