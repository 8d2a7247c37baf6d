// Tolvane.exe: prepares the program folder (removing what a killed build
// left there), shows the start window and runs the message loop until a
// window ends the program. The command line is not read.
#include <windows.h>

#include <exception>

#include "platform/file_system.h"
#include "shell/command_guard.h"
#include "shell/program_folder_check.h"
#include "shell/stale_work_files.h"
#include "shell/win/modeless_dialogs.h"
#include "shell/win/program/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    shell::win::Program program;
    // Work files and tools live in the program folder; say so now if it
    // cannot be written, rather than as a failed build later.
    if (const auto problem = shell::prepareProgramFolder(platform::programFolder()))
        program.windowUserInterface().showMessage(*problem, {}, shell::MessageIcon::Stop);
    // A build killed last time (Task Manager, a shutdown) left its work files
    // in the program folder and its unfinished package beside the user's.
    else if (const auto stale = shell::removeStaleWorkFilesAtStart(platform::programFolder()))
        program.windowUserInterface().showMessage(*stale, {}, shell::MessageIcon::Stop);
    if (!shell::runGuarded(program.userInterface(), [&] { program.start(); })) return 1;
    return shell::win::runMessageLoop();
}
