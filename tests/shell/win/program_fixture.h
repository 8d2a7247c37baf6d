// A program run in a temporary program folder holding the shipped language
// files, with its windows talking through a RecordingUserInterface, and what
// the window tests do with it: open a window in a language, end the run,
// check that every text shows whole, save a screenshot. The map
// "language.txt" is written by each test, so the system's language id can be
// sent to any name; where the system reports no language id the test is
// skipped (a fixture's own set-up then returns when IsSkipped()).
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/system_language.h"
#include "shell/win/program/program.h"
#include "shell/win/res/start_window_res.h"
#include "tests/support/win/recording_user_interface.h"
#include "tests/support/win/window_harness.h"

namespace windowtest {

// A language a window is shown in, for the tests run once per language.
struct Shown {
    const char* language;   // the language file's name, or "" for none loaded
    const char* fileLabel;  // in the screenshot's file name and the test's name
};
// Chinese, English and none loaded; with shownName for the tests' names.
inline const auto kShownLanguages =
    ::testing::Values(Shown{"Chinese", "chinese"}, Shown{"English", "english"}, Shown{"", "none"});
inline std::string shownName(const ::testing::TestParamInfo<Shown>& info) { return info.param.fileLabel; }

class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override {
        startFolder_ = platform::currentDirectory();
        root_ = platform::makeTemporaryFolder("tolvane-windows");
        lng_ = platform::joinPath(root_, "lng");
        platform::createFolder(lng_);
        for (const char* name : {"Chinese.lng", "English.lng"})
            platform::copyFile(platform::joinPath(platform::joinPath(TOLVANE_SOURCE_DIR, "lng"), name),
                               platform::joinPath(lng_, name));
        platform::setProgramFolder(root_);
        systemId_ = platform::systemLanguageId();
        if (systemId_.empty()) GTEST_SKIP() << "the system reports no default language id";
    }

    void TearDown() override {
        endProgram();
        // A test may leave a folder below root_ current (Generate leaves the
        // program folder current); it must not be while the folder is removed.
        platform::setCurrentDirectory(startFolder_);
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

    // Ends the run, its windows with it, so that a test can start another.
    void endProgram() {
        program_.reset();
        ui_.reset();
        pumpMessages();
    }

    // The program started with the system's language sent to `language`, and
    // a builder opened from the start window with Next.
    HWND openInfBuilder(const std::string& language) {
        mapSystemLanguageTo(language);
        startProgram();
        click(startWindow(), IDC_FORMMAN_COMMAND1);
        return infBuilder();
    }
    HWND openT13Builder(const std::string& language) {
        mapSystemLanguageTo(language);
        startProgram();
        click(startWindow(), IDC_FORMMAN_OPTION2);
        click(startWindow(), IDC_FORMMAN_COMMAND1);
        return t13Builder();
    }
    // The shortcut editor, from the INF builder with `folder` open in its tree.
    HWND openShortcutEditor(const std::string& language, const std::string& folder) {
        openInfBuilder(language);
        program_->infBuilder().record().openFolder = folder;
        program_->openShortcutEditor();
        return program_->shortcutEditor()->handle();
    }

    HWND startWindow() const { return program_->startWindow().handle(); }
    HWND infBuilder() const { return program_->infBuilder().handle(); }
    HWND t13Builder() const { return program_->t13Builder().handle(); }

    // Every child label, button, option, check box and frame of `window`
    // shows all of its text.
    static void expectTextsFit(HWND window, const std::string& what) {
        for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            wchar_t className[32] = {};
            ::GetClassNameW(child, className, 32);
            if (lstrcmpiW(className, L"Static") != 0 && lstrcmpiW(className, L"Button") != 0) continue;
            std::string why;
            EXPECT_TRUE(textFitsControl(child, &why))
                << what << " control " << ::GetDlgCtrlID(child) << " \"" << textOf(child) << "\": " << why;
        }
    }

    // Saves `window` as <build>/screenshots/<name>-<label>.png and prints the path.
    static void shoot(HWND window, const std::string& name, const Shown& shown) {
        const std::string path = platform::joinPath(screenshotFolder(), name + "-" + shown.fileLabel + ".png");
        ASSERT_TRUE(saveScreenshot(window, path)) << path;
        std::printf("screenshot: %s\n", path.c_str());
    }

    std::string startFolder_;
    std::string root_;
    std::string lng_;
    std::string systemId_;
    std::unique_ptr<shell::win::Program> program_;
    std::unique_ptr<RecordingUserInterface> ui_;
    std::optional<int> exitStatus_;
};

}  // namespace windowtest
