// The T13 builder window Form4: name, version, extraction path, the items to
// pack, the commands to run afterwards, integrator and compression, and
// Generate. A thin view over the T13Builder record: each handler reads the
// controls into the record, calls one command of t13addon/t13_builder.h or
// GenerateT13Addon, and shows the record again.
#pragma once

#include "shell/win/builder_dialog.h"
#include "t13addon/t13_builder.h"

namespace t13addon::win {

class T13BuilderWindow : public shell::win::BuilderDialog {
public:
    T13BuilderWindow(shell::UserInterface& ui, shell::win::ProgramFlow& flow);

protected:
    void applyTexts(const shell::LanguageState& language) override;
    bool onInit() override;
    bool onButton(int id) override;

private:
    void readControls();
    void showRecord();
    void generate();

    T13Builder record_;
};

}  // namespace t13addon::win
