#include "t13addon/t13_batch_file.h"

#include "shell/batch_literal.h"

namespace t13addon {

using shell::batchLiteral;

namespace {

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

std::string installerPath(const std::string& packageName) {
    return std::string(kWorkFolderName) + "\\" + packageName + ".exe";
}

std::string t13BatchText(const T13AddonSettings& s, const std::string& searchFolder, bool searchFolderFirst) {
    std::string text;
    const auto line = [&text](const std::string& value) { text += value + "\r\n"; };
    // 7z leaves out a file it cannot read (one in use by another program)
    // with a mere warning, status 1, and packs the rest: the batch ends at
    // once with that status, so that no package short of an item is made.
    const auto sevenZipLine = [&line](const std::string& value) {
        line(value);
        line("if errorlevel 1 exit 1");
    };
    // The quotes around the whole assignment keep "&" or ")" in the folder
    // (C:\Program Files (x86)\7-Zip) from being read as commands.
    if (!searchFolder.empty())
        line(searchFolderFirst ? "set \"PATH=" + batchLiteral(searchFolder) + ";%PATH%\""
                               : "set \"PATH=%PATH%;" + batchLiteral(searchFolder) + "\"");

    const std::string level = s.StoreOnly ? "0" : "9";
    for (const auto& item : s.PackItems)
        sevenZipLine(std::string("7z a -t7z ") + quoted(kTempArchiveName) + " " + quoted(batchLiteral(item)) + " -mx" +
                     level);

    // cmd splits copy's arguments at blanks and ends the command at "&"
    // ("^" escapes the next character): a target with one of them needs
    // quotes. Of cmd's other special characters, | < > % , ; = are refused in
    // a name, and brackets mean nothing outside a bracketed block.
    const std::string target = installerPath(s.PackageName);
    line(std::string("copy /b ") + kSfxModuleName + " + config.txt + " + kTempArchiveName + " " +
         (target.find_first_of(" &^") == std::string::npos ? target : quoted(target)));

    const std::string output = quoted(batchLiteral(s.OutputPath));
    sevenZipLine("7z a -t7z " + output + " " + kWorkFolderName + "\\* -mx0");
    sevenZipLine("7z a -t7z " + output + " " + quoted("Entries.ini") + " -mx9");
    return text;
}

}  // namespace t13addon
