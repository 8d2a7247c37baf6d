#include "t13addon/t13_entries_file.h"

namespace t13addon {

std::string t13EntriesText(const T13AddonSettings& s, const std::string& buildDate) {
    const char* editLine = s.integrator == Integrator::NLite ? "SVCPACK.INF,SetupHotfixesToRun,AddProgram"
                                                             : "I386\\SVCPACK.INF,SetupHotfixesToRun,AddProgram";
    std::string text;
    const auto line = [&text](const std::string& value) { text += value + "\r\n"; };
    line("[general]");
    line("builddate=" + buildDate);
    line("description=" + s.PackageName + " 整合包");
    line("title=" + s.PackageName);
    line("version=" + s.PackageVersion);
    line("\r\n");  // a CR LF pair written as a value: two empty lines
    line("[EditFile]");
    line(editLine);
    line("\r\n");
    line("[AddProgram]");
    line(s.PackageName + ".exe");
    return text;
}

}  // namespace t13addon
