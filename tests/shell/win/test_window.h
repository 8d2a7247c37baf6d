// A window of the test resources whose button runs a command the test gives.
#pragma once

#include <functional>

#include "shell/win/dialog.h"
#include "tests/shell/win/test_dialogs_res.h"

namespace windowtest {

class TestWindow : public shell::win::Dialog {
public:
    explicit TestWindow(shell::UserInterface& ui) : Dialog(IDD_TEST_WINDOW, ui) {}

    std::function<void()> command;
    int runs = 0;
    int closes = 0;

protected:
    bool onButton(int id) override {
        if (id != IDC_TEST_RUN) return false;
        ++runs;
        if (command) command();
        return true;
    }
    void onClose() override { ++closes; }
};

}  // namespace windowtest
