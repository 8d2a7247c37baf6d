// POSIX systems have no registry; 7z is found on the search path.
#include "platform/seven_zip_location.h"

namespace platform {

std::vector<std::string> installedSevenZipFolders() { return {}; }

}  // namespace platform
