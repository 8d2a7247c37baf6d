#include "infaddon/entries_file.h"

#include "shell/package_text_file.h"
#include "platform/ansi_text_file.h"
#include "platform/file_system.h"

namespace infaddon {

namespace {

const char* const kExtraFilesComment = ";请大家按照自已具体需要修改";

// The three extra-file blocks are written only when the first extra file has
// a name; each is the comment, one line per extra file and two empty lines.
template <typename LineOf>
void writeExtraLines(platform::AnsiTextFile& f, const std::vector<ExtraFile>& files, LineOf lineOf) {
    if (files.empty() || files[0].name.empty()) return;
    f.writeLine(kExtraFilesComment);
    for (const auto& file : files) f.writeLine(lineOf(file));
    f.writeLine();
    f.writeLine();
}

}  // namespace

std::string entriesFileText(const AddonProject& project, const BuildState& state, const std::string& buildDate) {
    const std::string& name = state.PackageName;
    const std::string& version = state.PackageVersion;
    platform::AnsiTextFile f("");

    f.writeLine("[general]");
    f.writeLine("builddate=" + buildDate);
    f.writeLine("description=" + name + " " + version + " 整合包");
    f.writeLine("title=" + name);
    f.writeLine("version=" + version);
    f.writeLine("website=" + project.Website);
    f.writeLine();
    f.writeLine("[sysoc]");
    f.writeLine(name + "=ocgen.dll,OcEntry," + name + ".inf,HIDE,7");
    f.writeLine();
    f.writeLine("[dosnet_files]");
    f.writeLine("d1," + name + ".inf");
    f.writeLine("d1," + name + ".cab");
    writeExtraLines(f, project.ExtraFiles, [](const ExtraFile& e) { return "d1," + e.name; });
    f.writeLine();
    f.writeLine("[txtsetup_files]");
    f.writeLine(name + ".inf = 100,,,,,,,20,0,0");
    f.writeLine(name + ".cab = 100,,,,,,_x,,3,3");
    writeExtraLines(f, project.ExtraFiles,
                    [](const ExtraFile& e) { return e.name + " = " + e.diskCode + ",,,,,,," + e.dirCode + ",0,0"; });
    f.writeLine();
    f.writeLine("[i386_compress]");
    // The inner cabinet is not compressed again; only the INF is listed.
    f.writeLine("rvmtemp\\extracted\\" + name + ".inf");
    writeExtraLines(f, project.ExtraFiles, [](const ExtraFile& e) { return "rvmtemp\\extracted\\" + e.name; });
    f.writeLine();
    f.writeLine();
    return f.text();
}

void WriteEntriesFile(const AddonProject& project, const BuildState& state) {
    const std::string text = entriesFileText(project, state, platform::todayShortDate());
    shell::writePackageTextFile(platform::joinPath(platform::programFolder(), "Entries_" + state.PackageName + ".ini"),
                            text);
}

}  // namespace infaddon
