// One shortcut as the editor reads it at Add, and the three pieces of INF
// text made from it. The texts use the setup.ini / progman.groups lines that
// an INF's UpdateInis applies: one line declares the program group, one puts
// the shortcut into it. Values go in unchanged (a double quote in a value is
// not escaped): the texts are the INF's exact bytes, and the INF writer copies
// them without looking inside.
#pragma once

#include <string>

#include "shortcuts/shortcut_list.h"

namespace shortcuts {

struct ShortcutDefinition {
    std::string TargetPath;     // the program the shortcut starts, full path
    std::string StartIn;        // the working folder
    std::string Description;
    std::string LinkName;       // the shortcut's name
    std::string MenuFolder;     // start-menu folder, used with the start-menu choice only
    std::string Arguments;      // always begins with a blank (see argumentsFromText)
    std::string Location;       // the group folder: a DIRID token or MenuFolder
    int LinkId = 0;             // 1 to 10000
    std::string AppFolderName;  // last component of the INF builder's open folder
};

// The run-argument box's text as it goes into the command line: unchanged
// when it begins with a blank, otherwise with a blank put in front (an empty
// box gives a single blank).
std::string argumentsFromText(const std::string& text);

// The group key: AppFolderName followed directly by LinkId ("App7056").
std::string groupKey(const ShortcutDefinition& definition);

// The section text (three lines, each ending in CR LF), the section name
// ("addlink" + LinkId) and the delete text (two lines, CR LF between them).
ShortcutEntry buildShortcutEntry(const ShortcutDefinition& definition);

}  // namespace shortcuts
