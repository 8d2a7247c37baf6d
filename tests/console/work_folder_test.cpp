// Work folders of killed builds: removed at the next start when their owner
// is provably gone, kept when it runs or when nothing says whose they are.
#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/process.h"
#include "tools/console/work_folder.h"

namespace {

TEST(WorkFolders, OnlyFoldersWhoseOwnerHasEndedAreRemoved) {
    const std::string temp = platform::makeTemporaryFolder("tolvane-stale");
    const auto folder = [&](const std::string& name, const std::string& owner) {
        const std::string path = platform::joinPath(temp, name);
        platform::createFolders(platform::joinPath(path, "提取文件"));
        platform::writeFileAtomic(platform::joinPath(path, "提取文件\\a.bin"), "work");
        if (!owner.empty()) platform::writeFileAtomic(console::ownerMarkerPath(path), owner);
        return path;
    };
    const std::string killed = folder("tolvane-inf-killed", "2147483600");  // no such process
    const std::string running = folder("tolvane-inf-running", std::to_string(platform::currentProcessId()));
    const std::string unmarked = folder("tolvane-inf-unmarked", "");
    const std::string other = folder("someone-else", "2147483600");

    console::removeStaleWorkFolders(temp, "tolvane-inf");
    EXPECT_FALSE(platform::folderExists(killed));
    EXPECT_FALSE(platform::fileExists(console::ownerMarkerPath(killed)));
    EXPECT_TRUE(platform::folderExists(running));
    EXPECT_TRUE(platform::folderExists(unmarked));
    EXPECT_TRUE(platform::folderExists(other));
    platform::removeFolderTree(temp);
}

}  // namespace
