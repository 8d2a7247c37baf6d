// Each test runs in a fresh temporary folder that is the current folder, and
// runs the interpreter in process with its output captured.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "tools/cmd/batch_interpreter.h"

struct RunResult {
    int status = 0;
    std::string out;
    std::string err;
};

class InterpreterTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = platform::currentDirectory();
        folder_ = platform::makeTemporaryFolder("cmd-test");
        platform::setCurrentDirectory(folder_);
    }
    void TearDown() override {
        platform::setCurrentDirectory(previous_);
        platform::removeFolderTree(folder_);
    }

    // Runs a command as "cmd /c" would; `input` answers questions.
    RunResult run(const std::string& text, const std::string& input = "") {
        return runWith([&](batch::BatchInterpreter& i) { return i.runCommandText(text); }, input);
    }
    // Writes a batch file (UTF-8 text, stored in the ANSI code page) and runs it by name.
    RunResult runBatch(const std::string& name, const std::string& text, const std::string& input = "") {
        platform::writeFileAtomic(name, platform::encodeAnsi(text));
        return run(name, input);
    }

    template <typename F>
    RunResult runWith(F body, const std::string& input) {
        std::ostringstream out, err;
        std::istringstream in(input);
        batch::BatchInterpreter interpreter(out, err, in, ownFolder_);
        RunResult r;
        r.status = body(interpreter);
        r.out = out.str();
        r.err = err.str();
        return r;
    }

    void write(const std::string& name, const std::string& bytes) { platform::writeFileAtomic(name, bytes); }
    std::string read(const std::string& name) { return platform::readFile(name); }

    std::string folder_;
    std::string ownFolder_;  // the interpreter's own folder; none unless a test sets one
    std::string previous_;
};
