// A program run in a temporary program folder holding the shipped language
// files, with its windows talking through a RecordingUserInterface. The map
// "language.txt" is written by each test, so the system's language id can be
// sent to any name.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/system_language.h"
#include "shell/win/program/program.h"
#include "tests/support/win/recording_user_interface.h"
#include "tests/support/win/window_harness.h"

namespace windowtest {

class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = platform::makeTemporaryFolder("tolvane-windows");
        lng_ = platform::joinPath(root_, "lng");
        platform::createFolder(lng_);
        for (const char* name : {"Chinese.lng", "English.lng"})
            platform::copyFile(platform::joinPath(platform::joinPath(TOLVANE_SOURCE_DIR, "lng"), name),
                               platform::joinPath(lng_, name));
        platform::setProgramFolder(root_);
        systemId_ = platform::systemLanguageId();
    }

    void TearDown() override {
        program_.reset();
        ui_.reset();
        pumpMessages();
        platform::setProgramFolder("");
        platform::removeFolderTree(root_);
    }

    // "language.txt" sending the system's language id to `name`.
    void mapSystemLanguageTo(const std::string& name) {
        platform::writeFileAtomic(platform::joinPath(lng_, "language.txt"),
                                  "[language]\r\n" + systemId_ + "=" + name + "\r\n");
    }

    void startProgram() {
        program_ = std::make_unique<shell::win::Program>([this](int status) { exitStatus_ = status; });
        ui_ = std::make_unique<RecordingUserInterface>(program_->windowUserInterface());
        program_->useUserInterface(*ui_);
        program_->start();
        pumpMessages();
    }

    HWND startWindow() const { return program_->startWindow().handle(); }
    HWND infBuilder() const { return program_->infBuilder().handle(); }
    HWND t13Builder() const { return program_->t13Builder().handle(); }

    std::string root_;
    std::string lng_;
    std::string systemId_;
    std::unique_ptr<shell::win::Program> program_;
    std::unique_ptr<RecordingUserInterface> ui_;
    std::optional<int> exitStatus_;
};

}  // namespace windowtest
