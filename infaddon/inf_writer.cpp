#include "infaddon/inf_writer.h"

#include "infaddon/inf_syntax.h"
#include "infaddon/registry_import.h"
#include "platform/ansi_text_file.h"
#include "platform/file_system.h"
#include "shell/package_text_file.h"

namespace infaddon {

namespace {

const char* const kLineBreak = "\r\n";  // written as a value: two line breaks

std::string UpdateInisList(const shortcuts::Shortcuts& list) {
    if (list.empty() || list[0].sectionName.empty()) return {};
    std::string text = list[0].sectionName;
    for (std::size_t i = 1; i < list.size(); ++i) text += "," + list[i].sectionName;
    return text;
}

std::string ShortcutText(const shortcuts::Shortcuts& list) {
    std::string text;
    for (const auto& entry : list) text += kLineBreak + entry.section;
    return text;
}

void printList(platform::AnsiTextFile& f, const std::vector<std::string>& lines) {
    for (const auto& line : lines) f.writeLine(line);
    f.writeLine(kLineBreak);
}

void writeComponentKeys(platform::AnsiTextFile& f, const std::string& name, const std::string& copyFiles,
                        const std::string& updateInis) {
    f.writeLine("OptionDesc      = " + name);
    f.writeLine("Tip             = " + name);
    f.writeLine("Modes           = 0,1,2,3");
    f.writeLine("CopyFiles       = " + copyFiles);
    f.writeLine("AddReg          = " + name + ".Addreg");
    f.writeLine("UpdateInis      = " + updateInis);
    f.writeLine("ProfileItems    = ");
}

void writeUninstallEntry(platform::AnsiTextFile& f, const std::string& name, const std::string& version,
                         const std::string& sectionSeparator) {
    // The version is typed freely: inside the quoted values a quote is
    // doubled and "%" written "%%". The name's rule keeps both out of it.
    const std::string key = "HKLM,\"%au_un_reg%\\" + name + "\",";
    const std::string quotedVersion = infQuotedContent(version);
    f.writeLine(key + "\"DisplayName\",,\"" + name + quotedVersion + "\"");
    f.writeLine(key + "\"DisplayVersion\",,\"" + quotedVersion + "\"");
    f.writeLine(key + "\"UninstallString\",,\"%11%\\rundll32.exe advpack.dll,LaunchINFSection %17%\\" + name +
                ".inf," + sectionSeparator + "Uninstall\"");
}

}  // namespace

std::string infFileText(const AddonProject& project, const BuildState& state, const std::string& deleteRegistryLines) {
    const std::string& name = state.PackageName;
    const std::string& version = state.PackageVersion;
    const std::string updateInis = UpdateInisList(project.Shortcuts);
    platform::AnsiTextFile f("");

    f.writeLine("[Version]");
    f.writeLine("signature=\"$Chicago$\"");
    f.writeLine(); f.writeLine(); f.writeLine();
    f.writeLine("[DefaultInstall]");
    writeComponentKeys(f, name, state.CopyFilesList, updateInis);
    f.writeLine();
    f.writeLine("[Optional Components]");
    f.writeLine(name);
    f.writeLine(); f.writeLine(); f.writeLine();
    f.writeLine("[Uninstall]");
    f.writeLine("BeginPrompt     = BeginPromptUninstall");
    f.writeLine("EndPrompt       = EndPromptUninstall");
    f.writeLine("DelFiles        = " + state.CopyFilesList);
    f.writeLine("DelReg          = " + name + ".Delreg");
    f.writeLine("UpdateInis      = " + name + ".ShortCut.Delete," + name + ".Sysoc.Inf");
    f.writeLine("DelDirs         = " + name + ".DelDirs");
    f.writeLine("ProfileItems    = ");
    f.writeLine(); f.writeLine(); f.writeLine();
    f.writeLine("[" + name + "]");
    writeComponentKeys(f, name, state.CopyFilesList, updateInis);
    f.writeLine();
    f.writeLine("[SourceDisksNames.x86]");
    f.writeLine("1=\"" + name + "ProgramFiles\",\"" + name + ".cab\",,\"i386\"");
    f.writeLine();
    f.writeLine("[DestinationDirs]");
    printList(f, state.DestinationDirLines);
    f.writeLine("  ");
    f.writeLine("   ");
    f.writeLine("  ");
    f.writeLine("[SourceDisksFiles]");
    std::vector<std::string> sourceDiskLines;
    sourceDiskLines.reserve(state.StagedFiles.size());
    for (const auto& file : state.StagedFiles) sourceDiskLines.push_back(file.sourceDiskLine);
    printList(f, sourceDiskLines);
    f.writeLine("  ");
    printList(f, state.CopySectionLines);
    f.writeLine(); f.writeLine();

    f.writeLine("[" + name + ".Addreg]");
    f.writeLine(";填为注册表导入信息注册表信息可由reg2inf生成");
    f.writeLine();
    writeUninstallEntry(f, name, version, " ");
    f.writeLine(state.RegistryLines);
    f.writeLine();
    f.writeLine(ShortcutText(project.Shortcuts));
    f.writeLine(); f.writeLine();

    f.writeLine("[" + name + ".Delreg]");
    f.writeLine(";注册表删除信息注册表信息可由reg2inf生成");
    writeUninstallEntry(f, name, version, "");
    f.writeLine(deleteRegistryLines);
    f.writeLine();
    f.writeLine("[" + name + ".Sysoc.Inf]");
    f.writeLine("%17%\\sysoc.inf, Components," + name + " =*,");
    f.writeLine(); f.writeLine();
    f.writeLine("[" + name + ".ShortCut.Delete]");
    f.writeLine(";删除快捷方式");
    for (const auto& entry : project.Shortcuts) f.writeLine(kLineBreak + entry.deleteEntry);
    f.writeLine(); f.writeLine(); f.writeLine(); f.writeLine();

    f.writeLine("[BeginPromptUninstall]");
    f.writeLine("Prompt     =\"准备卸载" + name + "?\"");
    f.writeLine("ButtonType = YESNO");
    f.writeLine("Title      = " + name);
    f.writeLine(); f.writeLine();
    f.writeLine("[EndPromptUninstall]");
    f.writeLine("Prompt     =\"成功卸载" + name + "!\"");
    f.writeLine("Title      =" + name);
    f.writeLine(); f.writeLine();
    f.writeLine("[" + name + ".DelDirs]");
    // advpack removes a DelDirs folder only when it is empty, line by line:
    // deepest first, so each parent is empty by the time its line comes.
    printList(f, std::vector<std::string>(state.RemoveDirLines.rbegin(), state.RemoveDirLines.rend()));
    f.writeLine(); f.writeLine();
    f.writeLine("[Strings]");
    f.writeLine("au_un_reg  = \"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\"");
    f.writeLine(); f.writeLine();
    return f.text();
}

void WriteInfFile(const AddonProject& project, const BuildState& state) {
    const std::string text = infFileText(project, state, deriveDeleteRegistryLines(state.RegistryLines));
    shell::writePackageTextFile(platform::joinPath(platform::programFolder(), state.PackageName + ".inf"), text);
}

}  // namespace infaddon
