// The test double the windows take in tests: message boxes, questions and
// file dialogs are answered from scripted answers and recorded (as
// FakeUserInterface does), while the busy bracket and the event pump go on to
// the real window user interface, so the busy window shows and the windows
// keep working during a tool run.
//
// How to use: Program program; RecordingUserInterface ui(program.windowUserInterface());
// program.useUserInterface(ui); program.start(); then script ui's answers
// and read what was asked. onPump runs at every pump of a command's wait,
// to look at the windows while the command runs.
#pragma once

#include <functional>

#include "shell/win/window_user_interface.h"
#include "tests/support/fake_user_interface.h"

namespace windowtest {

class RecordingUserInterface : public testsupport::FakeUserInterface {
public:
    explicit RecordingUserInterface(shell::win::WindowUserInterface& real) : real_(real) {}

    std::function<void()> onPump;

    void beginBusy() override {
        FakeUserInterface::beginBusy();
        real_.beginBusy();
    }
    void endBusy() override {
        FakeUserInterface::endBusy();
        real_.endBusy();
    }
    void pumpEvents() override {
        FakeUserInterface::pumpEvents();
        if (onPump) onPump();
        real_.pumpEvents();
    }

    shell::win::WindowUserInterface& real() { return real_; }

private:
    shell::win::WindowUserInterface& real_;
};

}  // namespace windowtest
