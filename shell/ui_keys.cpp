#include "shell/ui_keys.h"

namespace shell {

namespace {

// In the order of UiKey. "shortcut argumen" is spelt so in every language
// file (16 characters).
const UiKeyName kUiKeyNames[kUiKeyCount] = {
    {"Buttons", "next"},
    {"Buttons", "exit"},
    {"Buttons", "about"},
    {"Buttons", "add"},
    {"Buttons", "delete"},
    {"Buttons", "back"},
    {"Buttons", "make"},
    {"Buttons", "shortcut"},
    {"Buttons", "nget"},
    {"Buttons", "advanced"},
    {"Main", "infzhb"},
    {"Main", "infsm"},
    {"Main", "time13zhb"},
    {"Main", "time13sm"},
    {"Main", "mode"},
    {"Main", "ztitle"},
    {"Main", "inf title"},
    {"Main", "t13 title"},
    {"Main", "run title"},
    {"Main", "shortcut title"},
    {"addshortcut", "create option"},
    {"addshortcut", "desktop"},
    {"addshortcut", "start"},
    {"addshortcut", "Quick Launch"},
    {"addshortcut", "shortcut argumen"},
    {"addshortcut", "source filename"},
    {"addshortcut", "file path"},
    {"addshortcut", "description"},
    {"addshortcut", "shortcut name"},
    {"addshortcut", "Location"},
    {"software", "software info"},
    {"software", "title"},
    {"software", "version"},
    {"software", "website"},
    {"software", "argument"},
    {"runinfo", "path"},
    {"runinfo", "add file"},
    {"runinfo", "code"},
    {"runinfo", "code explain"},
    {"runinfo", "regedit"},
    {"runinfo", "result"},
    {"runinfo", "create"},
    {"runinfo", "obsolete explain"},
    {"runinfo", "d_t_i_add"},
    {"runinfo", "d_t_i_add explain"},
    {"runinfo", "obsolete"},
    {"runinfo", "advanced title"},
};

static_assert(static_cast<int>(UiKey::RuninfoAdvancedTitle) + 1 == kUiKeyCount, "one name per key");

}  // namespace

const UiKeyName& uiKeyName(UiKey key) { return kUiKeyNames[static_cast<int>(key)]; }

}  // namespace shell
