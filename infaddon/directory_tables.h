// DirIdTable: the 32 INF destination directory ids a source folder can be
// installed to. SetupDirTable: the 155 numbered folders of Windows XP setup's
// file tables an extra file can be placed in.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace infaddon {

struct DirTableRow {
    const char* code;         // the code or number, as text
    const char* description;  // display text only, shown exactly as stored
};

inline constexpr std::size_t kDirIdRowCount = 32;
inline constexpr std::size_t kSetupDirRowCount = 155;

extern const std::array<DirTableRow, kDirIdRowCount> DirIdTable;
extern const std::array<DirTableRow, kSetupDirRowCount> SetupDirTable;

// Describe selected code / number: the partner text at a clicked position;
// nullopt for a position outside the table.
std::optional<std::string> describeDirId(std::size_t position);
std::optional<std::string> describeSetupDir(std::size_t position);

// The destination code of an Add: the selected row's code, or "16422" when
// no row is selected.
std::string dirIdForSelection(std::optional<std::size_t> selectedPosition);

}  // namespace infaddon
