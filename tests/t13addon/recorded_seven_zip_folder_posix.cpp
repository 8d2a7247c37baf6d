// No registry here: nothing is recorded, and an installed 7-Zip is found on
// the search path only.
#include "recorded_seven_zip_folder.h"

namespace t13test {

RecordedSevenZipFolder::RecordedSevenZipFolder(const std::string&) {}

RecordedSevenZipFolder::~RecordedSevenZipFolder() = default;

}  // namespace t13test
