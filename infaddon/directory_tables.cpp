#include "infaddon/directory_tables.h"

#include "infaddon/addon_project.h"

namespace infaddon {

std::optional<std::string> describeDirId(std::size_t position) {
    if (position >= DirIdTable.size()) return std::nullopt;
    return std::string(DirIdTable[position].description);
}

std::optional<std::string> describeSetupDir(std::size_t position) {
    if (position >= SetupDirTable.size()) return std::nullopt;
    return std::string(SetupDirTable[position].description);
}

std::string dirIdForSelection(std::optional<std::size_t> selectedPosition) {
    if (!selectedPosition || *selectedPosition >= DirIdTable.size()) return kDefaultDirId;
    return DirIdTable[*selectedPosition].code;
}

}  // namespace infaddon
