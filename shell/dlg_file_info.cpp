#include "shell/dlg_file_info.h"

#include <exception>
#include <limits>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/unicode.h"

namespace shell {

namespace {

bool isSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

}  // namespace

DlgFileInfo splitFileSelection(const std::string& selection, const std::string& currentDirectory) {
    // Counted in UTF-16 units, as the dialog counts its characters.
    const std::u16string text = platform::utf8ToUtf16(selection);
    const std::u16string directory = platform::utf8ToUtf16(currentDirectory);
    if (text.size() < directory.size())
        throw platform::Error(platform::ErrorKind::BadInput,
                              "The file selection \"" + selection + "\" is shorter than the current folder \"" +
                                  currentDirectory + "\", so the folder cannot be cut off it.");
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
        throw platform::Error(platform::ErrorKind::BadInput,
                              "The file selection is longer than 32767 characters; choose fewer files.");
    std::u16string rest = text.substr(directory.size());

    std::vector<std::u16string> names(1);
    if (rest.empty() || rest[0] != u'\0') {
        // One file: the rest is its name, after the separator.
        if (!rest.empty() && isSeparator(rest[0])) rest.erase(0, 1);
        names.push_back(rest);
    } else {
        // Several: every NUL opens the next name.
        for (char16_t c : rest) {
            if (c == u'\0') names.emplace_back();
            else names.back().push_back(c);
        }
    }

    DlgFileInfo info;
    info.count = static_cast<std::int16_t>(names.size() - 1);
    info.folder = currentDirectory;
    if (info.folder.empty() || (info.folder.back() != '\\' && info.folder.back() != '/')) info.folder += '\\';
    info.names.clear();
    for (const auto& name : names) info.names.push_back(platform::utf16ToUtf8(name));
    return info;
}

DlgFileInfo GetDlgFileInfo(const std::string& selection, UserInterface& ui) {
    try {
        return splitFileSelection(selection, platform::currentDirectory());
    } catch (const std::exception&) {
        ui.showMessage(ui.messageText(MessageKey::DlgFileInfoError), ui.messageText(MessageKey::DlgFileInfoErrorTitle),
                       MessageIcon::Stop);
        return {};
    }
}

}  // namespace shell
