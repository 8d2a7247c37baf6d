// "config.txt", the configuration block of the modified 7-Zip self-extractor
// (Oleg Scherbakov's 7zSD.sfx, beside the program as "7zs.sfx"): where it
// unpacks, its window, and what it runs afterwards. The official 7zS.sfx
// knows none of these keys but RunProgram, and runs only the first of those.
//
// Values stand in double quotes; inside them the module reads \\ as "\",
// \" as a quote, \n and \t as a newline and a tab. So the extraction path and
// run commands that hold a backslash or a quote get both escaped, so that
// C:\new\tool.exe runs as typed.
#pragma once

#include <string>
#include <vector>

namespace t13addon {

inline constexpr const char* kSfxConfigFileName = "config.txt";

// `text` with every "\" doubled.
std::string doubleBackslashes(const std::string& text);
// A run command as a configuration value: unchanged unless it holds "\" or
// a double quote; then "\" becomes "\\" and a quote "\"".
std::string escapeRunCommand(const std::string& command);

// The block's text (UTF-8, CR LF after every line). `extractPath` is the
// path as typed; an empty one writes no InstallPath line.
std::string sfxConfigText(const std::string& extractPath, const std::vector<std::string>& runCommands);

}  // namespace t13addon
