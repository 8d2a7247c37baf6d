// Records a folder as the one 7-Zip's installer put 7-Zip into, for the
// tests that run the batch file with the stand-in 7z (fake_seven_zip.cpp)
// where no 7-Zip is installed (Wine). Only Windows has the registry that
// record lives in (recorded_seven_zip_folder_win32.cpp); elsewhere nothing
// is recorded (recorded_seven_zip_folder_posix.cpp).
#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/host.h"

namespace t13test {

// Records `folder` as HKEY_CURRENT_USER\Software\7-Zip "Path", as 7-Zip's
// installer does, and takes it away again (the key too, when it made it).
class RecordedSevenZipFolder {
public:
    explicit RecordedSevenZipFolder(const std::string& folder);
    ~RecordedSevenZipFolder();
    RecordedSevenZipFolder(const RecordedSevenZipFolder&) = delete;
    RecordedSevenZipFolder& operator=(const RecordedSevenZipFolder&) = delete;
    bool recorded() const { return set_; }

private:
    bool createdKey_ = false;
    bool set_ = false;
};

// The stand-in 7z as "7z.exe" in `folder`, which is made first.
inline void placeStandIn7z(const std::string& folder) {
    platform::createFolders(folder);
    const std::string standIn = std::string("t13_test_fake_7z") + platform::kExecutableSuffix;
    platform::copyFile(platform::joinPath(TOLVANE_BIN_DIR, standIn), platform::joinPath(folder, "7z.exe"));
}

}  // namespace t13test
