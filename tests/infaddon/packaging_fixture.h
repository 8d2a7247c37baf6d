// A program folder of its own for each packaging or Generate test, and a
// stand-in for the batch runs that records every command line and can act
// as makecab and rd would.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "shell/command_runner.h"

namespace packtest {

// The smallest file a cabinet check takes for whole: "MSCF", its own size in
// the header's cabinet-size field, then `tail`.
inline std::string wholeCabinet(const std::string& tail = "") {
    std::string bytes = "MSCF" + std::string(32, '\0') + tail;
    bytes[8] = static_cast<char>(bytes.size());
    return bytes;
}

struct StartedCommand {
    std::string commandLine;
    int windowStyle;
    bool waited;
};

class FakeCommandRunner : public shell::CommandRunner {
public:
    // What a command line does when it runs; command lines without one do nothing.
    std::map<std::string, std::function<void()>> actions;
    std::vector<StartedCommand> started;

    int runAndWait(const std::string& commandLine, int windowStyle) override {
        run(commandLine, windowStyle, true);
        return 0;
    }
    void runDetached(const std::string& commandLine, int windowStyle) override { run(commandLine, windowStyle, false); }

    std::vector<std::string> commandLines() const {
        std::vector<std::string> lines;
        for (const auto& c : started) lines.push_back(c.commandLine);
        return lines;
    }

private:
    void run(const std::string& commandLine, int windowStyle, bool waited) {
        started.push_back({commandLine, windowStyle, waited});
        const auto action = actions.find(commandLine);
        if (action != actions.end()) action->second();
    }
};

class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        startFolder = platform::currentDirectory();
        root = platform::makeTemporaryFolder("tolvane-pack");
        programFolder = platform::joinPath(root, "prog");
        platform::createFolder(programFolder);
        platform::setProgramFolder(programFolder);
    }
    void TearDown() override {
        platform::setCurrentDirectory(startFolder);
        platform::setProgramFolder({});
        platform::removeFolderTree(root);
    }
    std::string inProgram(const std::string& name) const { return platform::joinPath(programFolder, name); }
    std::string inRoot(const std::string& name) const { return platform::joinPath(root, name); }
    void write(const std::string& path, const std::string& bytes) const { platform::writeFileAtomic(path, bytes); }
    // The program folder's files and folders, by name.
    std::vector<std::string> programFolderEntries() const {
        const platform::FolderListing listing = platform::listFolder(programFolder);
        std::vector<std::string> names = listing.folders;
        names.insert(names.end(), listing.files.begin(), listing.files.end());
        return names;
    }

    std::string startFolder;
    std::string root;
    std::string programFolder;
};

// The work files' names in code page 936, as the batch interpreter and
// makecab see them.
inline constexpr const char* kCabListGbk = "CAB\xD1\xB9\xCB\xF5\xCE\xC4\xBC\xFE\xC1\xD0\xB1\xED.txt";
inline constexpr const char* kPackageListGbk = "\xD5\xFB\xBA\xCF\xB0\xFC\xD1\xB9\xCB\xF5\xC1\xD0\xB1\xED.txt";

}  // namespace packtest
