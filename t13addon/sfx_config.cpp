#include "t13addon/sfx_config.h"

namespace t13addon {

namespace {
const char* const kProgressText = "程序正在解压安装中...";
}

std::string doubleBackslashes(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') out += '\\';
        out += c;
    }
    return out;
}

std::string escapeRunCommand(const std::string& command) {
    if (command.find_first_of("\\\"") == std::string::npos) return command;
    std::string out;
    for (char c : command) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out;
}

std::string sfxConfigText(const std::string& extractPath, const std::vector<std::string>& runCommands) {
    std::string text;
    const auto line = [&text](const std::string& value) { text += value + "\r\n"; };
    line(";!@Install@!UTF-8!");
    // Backslashes doubled, and a quote written \" so that it cannot end the value.
    if (!extractPath.empty()) line("InstallPath=\"" + escapeRunCommand(extractPath) + "\"");
    line("GUIMode=\"1\"");
    for (const auto& command : runCommands) line("RunProgram =\"" + escapeRunCommand(command) + "\"");
    line(std::string("ExtractPathText=\"") + kProgressText + "\"");
    line(std::string("ExtractPathTitle=\"") + kProgressText + "\"");
    line(std::string("ExtractTitle=\"") + kProgressText + "\"");
    line("GUIFlags =\"63\"");  // 0x3F; the blank before "=" is allowed by the module's parser
    line(";!@InstallEnd@!");
    return text;
}

}  // namespace t13addon
