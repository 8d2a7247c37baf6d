// Writing what a .reg file says as INF registry sections.
//
// Layout (CR LF line ends; the text is UTF-8 here and goes to the ANSI code
// page when written):
//
//   [Version]                      only for a whole INF
//   Signature="$CHICAGO$"
//
//   [DefaultInstall]               only for a whole INF
//   DelReg=Reg2Inf_DelReg          only when there are deletions
//   AddReg=Reg2Inf_AddReg
//
//   [Reg2Inf_DelReg]               only when there are deletions: [-key] and "name"=-
//   HKLM,"Software\Old"
//   HKLM,"Software\App","Gone"
//
//   [Reg2Inf_AddReg]
//   HKLM,"Software\App","Name",0x00000000,"text"
//   [Strings]
//
// The AddReg section comes last and is followed directly by an empty
// [Strings] section, so whoever collects "the lines between the header ending
// in _AddReg] and [Strings]" gets exactly the lines that set values. Every
// value stands inline in its line (no %key% into [Strings]); quotes are
// doubled and "%" is written "%%"; long lists of fields continue over lines
// ending in ",\".
#pragma once

#include <string>

#include "tools/reg2inf/reg_file.h"

namespace reg2inf {

// Throws platform::Error naming the file, line, key and value for a value an
// INF line cannot hold, or a text the ANSI code page cannot hold.
std::string registryInfText(const RegFile& file, const std::string& fileName, bool wholeInf);

}  // namespace reg2inf
