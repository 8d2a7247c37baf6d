// A program folder of its own for each T13 test: the stand-in self-extractor
// module and (for Windows runs) a stand-in 7z.exe, so that Generate's checks
// pass; the current folder and program folder are put back afterwards.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "shell/command_runner.h"
#include "shell/generate_outcome.h"
#include "t13addon/generate_t13_addon.h"
#include "tests/support/fake_user_interface.h"

namespace t13test {

// Known bytes standing in for the self-extractor module, never a real one.
inline std::string standInSfxModule() {
    std::string bytes = "MZ stand-in for 7zs.sfx\r\n";
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    return bytes;
}

class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        startFolder = platform::currentDirectory();
        root = platform::makeTemporaryFolder("tolvane-t13");
        programFolder = platform::joinPath(root, "prog");
        platform::createFolder(programFolder);
        platform::writeFileAtomic(inProgram("7zs.sfx"), standInSfxModule());
        platform::setProgramFolder(programFolder);
    }
    // Runs after a skip in a derived SetUp too, before anything was set up.
    void TearDown() override {
        if (root.empty()) return;
        platform::setCurrentDirectory(startFolder);
        platform::setProgramFolder({});
        platform::removeFolderTree(root);
    }
    std::string inProgram(const std::string& name) const { return platform::joinPath(programFolder, name); }
    std::string inRoot(const std::string& name) const { return platform::joinPath(root, name); }

    std::string startFolder;
    std::string root;
    std::string programFolder;
};

// Generate run with the real tools (the batch file really runs), the save
// dialog answered with the output path; waits for what it left running.
class GenerateWithToolsTest : public ProgramFolderTest {
protected:
    shell::GenerateOutcome generate(t13addon::T13Builder& w, const std::string& output,
                                    const std::string& overwriteQuestion = "") {
        ui.saveFileAnswers.push_back(output);
        shell::ToolCommandRunner runner(ui);
        const shell::GenerateOutcome outcome = t13addon::GenerateT13Addon(w, ui, runner, overwriteQuestion);
        runner.waitForDetached();
        return outcome;
    }

    testsupport::FakeUserInterface ui;
};

}  // namespace t13test
