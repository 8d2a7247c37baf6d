// Work folders of killed builds: removed at the next start when their owner
// named in the folder's name is provably gone, kept when it runs or when
// the name says nothing of whose they are.
#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/process.h"
#include "tools/console/work_folder.h"

namespace {

TEST(WorkFolders, OnlyFoldersWhoseNamedOwnerHasEndedAreRemoved) {
    const std::string temp = platform::makeTemporaryFolder("tolvane-stale");
    const auto folder = [&](const std::string& name) {
        const std::string path = platform::joinPath(temp, name);
        platform::createFolders(platform::joinPath(path, "提取文件"));
        platform::writeFileAtomic(platform::joinPath(path, "提取文件\\a.bin"), "work");
        return path;
    };
    const std::string self = std::to_string(platform::currentProcessId());
    const std::string killed = folder("tolvane-inf-2147483600-AbCdEf");  // no such process
    const std::string killedEmpty = folder("tolvane-inf-2147483601-x");
    const std::string running = folder("tolvane-inf-" + self + "-AbCdEf");
    const std::string unnamed = folder("tolvane-inf-AbCdEf");
    const std::string notANumber = folder("tolvane-inf-12a4-AbCdEf");
    const std::string noUniquePart = folder("tolvane-inf-2147483600");
    const std::string otherPrefix = folder("tolvane-t13-2147483600-AbCdEf");
    const std::string other = folder("someone-else-2147483600-AbCdEf");

    console::removeStaleWorkFolders(temp, "tolvane-inf");
    EXPECT_FALSE(platform::folderExists(killed));
    EXPECT_FALSE(platform::folderExists(killedEmpty));
    EXPECT_TRUE(platform::folderExists(running));
    EXPECT_TRUE(platform::folderExists(unnamed));
    EXPECT_TRUE(platform::folderExists(notANumber));
    EXPECT_TRUE(platform::folderExists(noUniquePart));
    EXPECT_TRUE(platform::folderExists(otherPrefix));
    EXPECT_TRUE(platform::folderExists(other));
    platform::removeFolderTree(temp);
}

}  // namespace
