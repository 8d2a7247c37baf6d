// A real INF build of a generated ~50 MB tree, killed outright at several
// moments: during the scan, the staging copy, each makecab run and the final
// write. After each kill the package path holds the old package or a whole
// new one; once the next build has started, no program of the killed build
// runs on and its work folder is gone. (Programs are found through /proc, so
// the test runs where there is one.)
#include <gtest/gtest.h>

#include <dirent.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>
#include <unistd.h>

#include "infaddon/packaging_names.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "shell/package_replacement.h"
#include "tools/console/work_folder.h"

namespace {

using Clock = std::chrono::steady_clock;

// The ids in /proc. Read with readdir rather than the folder listing, which
// refuses an entry that it cannot examine: a process that ends while /proc is
// read is such an entry.
std::vector<std::string> processIds() {
    std::vector<std::string> ids;
    DIR* proc = ::opendir("/proc");
    if (proc == nullptr) return ids;
    while (const dirent* entry = ::readdir(proc)) {
        const std::string name = entry->d_name;
        if (!name.empty() && name.find_first_not_of("0123456789") == std::string::npos) ids.push_back(name);
    }
    ::closedir(proc);
    return ids;
}

// The command lines of the processes whose current folder is in `folder`
// (the batch interpreter and makecab run in the work folder).
std::string programsIn(const std::string& folder) {
    std::string found;
    for (const std::string& name : processIds()) {
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        char target[4096];
        const ssize_t n = ::readlink(("/proc/" + name + "/cwd").c_str(), target, sizeof target - 1);
        if (n > 0 && std::string(target, static_cast<std::size_t>(n)).rfind(folder, 0) == 0) {
            std::string line;
            try {
                line = platform::readFile("/proc/" + name + "/cmdline");
            } catch (const std::exception&) {
            }
            for (char& c : line)
                if (c == '\0') c = ' ';
            found += name + ": " + line + "\n";
        }
    }
    return found;
}

bool processRunsIn(const std::string& folder) { return !programsIn(folder).empty(); }

bool waitFor(const std::function<bool()>& condition, int seconds) {
    const auto end = Clock::now() + std::chrono::seconds(seconds);
    while (Clock::now() < end) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return condition();
}

class KilledBuild : public ::testing::Test {
protected:
    void SetUp() override {
        if (!platform::folderExists("/proc/self")) GTEST_SKIP() << "no /proc here to look for programs left running";
        root = platform::makeTemporaryFolder("tolvane-kill");
        temp = root + "/tmp";
        platform::createFolder(temp);
        // 200 files of 250,000 bytes in five folders: half text-like, half noise.
        unsigned state = 12345;
        for (int d = 0; d < 5; ++d) {
            platform::createFolders(root + "/tree/App/d" + std::to_string(d));
            for (int f = 0; f < 40; ++f) {
                std::string bytes(250000, '\0');
                for (std::size_t i = 0; i < bytes.size(); ++i) {
                    state = state * 1103515245u + 12345u;
                    bytes[i] = f % 2 ? static_cast<char>(state >> 24) : static_cast<char>('a' + (state >> 28));
                }
                platform::writeFileAtomic(root + "/tree/App/d" + std::to_string(d) + "/f" + std::to_string(f) + ".bin",
                                          bytes);
            }
        }
        target = root + "/App_1_Addon.cab";
        platform::writeFileAtomic(target, "the old package");
        const char* old = std::getenv("TMPDIR");
        oldTemp = old ? old : "";
        ::setenv("TMPDIR", temp.c_str(), 1);
    }
    void TearDown() override {
        if (root.empty()) return;
        if (oldTemp.empty()) ::unsetenv("TMPDIR");
        else ::setenv("TMPDIR", oldTemp.c_str(), 1);
        platform::removeFolderTree(root);
    }

    platform::ChildProcess startBuild() {
        const std::string program = platform::joinPath(TOLVANE_BIN_DIR, "tolvane-console");
        return platform::ChildProcess::start(platform::quoteArgument(program) +
                                                 " inf --name App --version 1 --source " +
                                                 platform::quoteArgument(root + "/tree/App") + " --output " +
                                                 platform::quoteArgument(target) + " --overwrite yes",
                                             platform::kHidden);
    }
    // The running build's work folder, empty while there is none (other than `besides`).
    std::string workFolder(const std::string& besides = "") const {
        for (const std::string& name : platform::listFolder(temp).folders)
            if (name.rfind("tolvane-inf-", 0) == 0 && temp + "/" + name != besides) return temp + "/" + name;
        return {};
    }

    // The path holds the old package or a whole new one, never neither or a part.
    void expectOldOrWholePackage(const std::string& moment) {
        ASSERT_TRUE(platform::fileExists(target)) << "no package at the path after a kill " << moment;
        const std::string head = platform::readFileHead(target, 64);
        if (head == "the old package") return;
        EXPECT_TRUE(shell::isCompleteCabinet(target)) << "a partial package after a kill " << moment;
    }

    // Kills the running build when `moment` holds (or when it ends first),
    // checks the path, and starts the next build, which must remove what the
    // killed one left before it goes on.
    void killWhen(const std::string& description, const std::function<bool()>& moment) {
        // A listing that meets a file as it goes (the build renames and removes) is tried again.
        const auto holds = [&] {
            try {
                return moment();
            } catch (const std::exception&) {
                return false;
            }
        };
        const bool met = waitFor([&] { return holds() || !build.isAlive(); }, 240);
        const std::string killedFolder = workFolder(previousKilled);
        build.terminate();
        build.exitCode();
        if (!met || killedFolder.empty()) ADD_FAILURE() << "the build never reached " << description;
        expectOldOrWholePackage(description);
        build = startBuild();
        expectNothingLeftOf(killedFolder, description);
        previousKilled = killedFolder;
    }

    void expectNothingLeftOf(const std::string& killedFolder, const std::string& description) {
        if (killedFolder.empty()) return;
        EXPECT_TRUE(waitFor([&] { return !platform::folderExists(killedFolder); }, 30))
            << "the work folder of the build killed " << description << " is still there";
        EXPECT_TRUE(waitFor([&] { return !processRunsIn(killedFolder); }, 10))
            << "a program of the build killed " << description << " runs on:\n" << programsIn(killedFolder);
    }

    // The running build's work folder, empty while it has none yet.
    std::string current() const { return workFolder(previousKilled); }
    bool inCurrent(const std::string& name) const {
        const std::string w = current();
        return !w.empty() && platform::fileExists(platform::joinPath(w, name));
    }

    platform::ChildProcess build = platform::ChildProcess::start("true", platform::kHidden);
    std::string previousKilled;
    std::string root, temp, target, oldTemp;
};

// The parent of a process, from /proc/<id>/stat ("id (name) state parent ...").
long parentOf(const std::string& id) {
    try {
        const std::string stat = platform::readFile("/proc/" + id + "/stat");
        return std::stol(stat.substr(stat.rfind(')') + 4));
    } catch (const std::exception&) {
        return -1;
    }
}

// The ids of the console front ends this test started that build into its
// folder (a program they are starting shows their command line for a moment).
std::vector<pid_t> consolesBuildingInto(const std::string& root) {
    std::vector<pid_t> found;
    for (const std::string& name : processIds()) {
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::string line;
        try {
            line = platform::readFile("/proc/" + name + "/cmdline");
        } catch (const std::exception&) {
            continue;
        }
        const std::string program = line.substr(0, line.find('\0'));
        if (platform::baseName(program) == "tolvane-console" && line.find(root) != std::string::npos &&
            parentOf(name) == static_cast<long>(::getpid()))
            found.push_back(static_cast<pid_t>(std::stol(name)));
    }
    return found;
}

// Ctrl+C (SIGINT) while makecab makes the inner cabinet: the front end ends
// its programs and takes its work folder and the unfinished
// package along before it ends, and the old package stays as it was.
TEST_F(KilledBuild, AnInterruptedBuildRemovesItsOwnWorkFolderAndKeepsTheOldPackage) {
    build = startBuild();
    ASSERT_TRUE(waitFor([&] { return inCurrent(infaddon::kCabBatchFileName) && processRunsIn(current()); }, 240))
        << "the build never started makecab";
    const std::string folder = current();
    const std::vector<pid_t> consoles = consolesBuildingInto(root);
    ASSERT_EQ(consoles.size(), 1u) << programsIn(folder);
    ::kill(consoles[0], SIGINT);
    EXPECT_EQ(build.exitCode(), 128 + SIGINT) << "the front end did not end by the signal";
    EXPECT_FALSE(platform::folderExists(folder)) << "the work folder stayed";
    EXPECT_FALSE(platform::fileExists(shell::partialPackagePath(target)));
    EXPECT_EQ(platform::readFile(target), "the old package");
    EXPECT_TRUE(waitFor([&] { return !processRunsIn(folder); }, 10)) << "runs on:\n" << programsIn(folder);
}

TEST_F(KilledBuild, LeavesTheOldPackageOrTheWholeNewOneAndNothingBehind) {
    using namespace infaddon;
    build = startBuild();
    killWhen("during the scan", [&] { return !current().empty(); });
    killWhen("during the staging copy", [&] {
        const std::string staging = platform::joinPath(current(), "提取文件");
        return !current().empty() && platform::folderExists(staging) && platform::listFolder(staging).files.size() >= 20;
    });
    killWhen("while makecab makes the inner cabinet",
             [&] { return inCurrent(kCabBatchFileName) && processRunsIn(current()); });
    killWhen("while makecab makes the package",
             [&] { return inCurrent(kPackageBatchFileName) && inCurrent("App.cab") && !inCurrent(kCabBatchFileName); });
    killWhen("at the final write", [&] { return platform::fileExists(shell::partialPackagePath(target)); });

    // And the build left alone makes the package, with nothing left beside it.
    build.exitCode();
    EXPECT_TRUE(shell::isCompleteCabinet(target));
    EXPECT_FALSE(platform::fileExists(shell::partialPackagePath(target)));
    EXPECT_TRUE(workFolder().empty()) << workFolder();
    EXPECT_EQ(platform::listFolder(temp).files, std::vector<std::string>{}) << "a file left in the temporary folder";
    if (std::system("cabextract -v >/dev/null 2>&1") == 0) {
        EXPECT_EQ(std::system(("cabextract -q -t '" + target + "' >/dev/null 2>&1").c_str()), 0);
    }
}

}  // namespace
