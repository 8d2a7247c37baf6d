// Real builds of a generated ~50 MB tree, killed outright at several
// moments: an INF build during the scan, the staging copy, each makecab run
// and the final write; a T13 build while 7z packs the items, writes the
// package and adds to it. After each kill the package path holds the old
// package or a whole new one; once the next build has started, no program
// the killed build started runs on and its work folder is gone; when the
// last build is done, nothing but the package is left beside it. (Programs
// are found through /proc, so the test runs where there is one.)
#include <gtest/gtest.h>

#include <dirent.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>
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

// The fields of /proc/<id>/stat after the command name ("id (name) state
// parent ..."): [0] the state, [1] the parent, [19] the start time.
std::vector<std::string> statFields(const std::string& id) {
    std::vector<std::string> fields;
    try {
        const std::string stat = platform::readFile("/proc/" + id + "/stat");
        std::istringstream rest(stat.substr(stat.rfind(')') + 1));
        for (std::string field; rest >> field;) fields.push_back(field);
    } catch (const std::exception&) {
    }
    return fields;
}

// Every process descended from `ancestor` now: id -> start time and command
// line (an id that a later process takes over is not the same process).
struct Descendant {
    std::string startTime;
    std::string commandLine;
};
std::map<std::string, Descendant> descendantsOf(unsigned long ancestor) {
    std::map<std::string, std::string> parents, startTimes;
    for (const std::string& id : processIds()) {
        const std::vector<std::string> fields = statFields(id);
        if (fields.size() < 20) continue;
        parents[id] = fields[1];
        startTimes[id] = fields[19];
    }
    const std::string ancestorId = std::to_string(ancestor);
    std::map<std::string, Descendant> found;
    for (const auto& entry : parents) {
        std::string up = entry.second;
        for (int depth = 0; depth < 64 && up != ancestorId && parents.count(up); ++depth) up = parents.at(up);
        if (up != ancestorId) continue;
        std::string line;
        try {
            line = platform::readFile("/proc/" + entry.first + "/cmdline");
        } catch (const std::exception&) {
        }
        for (char& c : line)
            if (c == '\0') c = ' ';
        found[entry.first] = {startTimes.at(entry.first), line};
    }
    return found;
}

// Those of `processes` that still run (a zombie has ended).
std::string stillRunning(const std::map<std::string, Descendant>& processes) {
    std::string running;
    for (const auto& entry : processes) {
        const std::vector<std::string> fields = statFields(entry.first);
        if (fields.size() >= 20 && fields[19] == entry.second.startTime && fields[0] != "Z")
            running += entry.first + ": " + entry.second.commandLine + "\n";
    }
    return running;
}

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
        // A stand-in self-extractor module for the T13 builds, outside the tree they pack.
        platform::createFolder(root + "/module");
        platform::writeFileAtomic(root + "/module/7zs.sfx", "MZ stand-in self-extractor module");
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

    // From now on the builds are T13 builds (store only, so that 7z is quick) of the same tree.
    void buildT13Packages() {
        kind = "t13";
        platform::deleteFile(target);
        target = root + "/App_1_Addon.7z";
        platform::writeFileAtomic(target, "the old package");
    }
    platform::ChildProcess startBuild() {
        const std::string program = platform::joinPath(TOLVANE_BIN_DIR, "tolvane-console");
        const std::string input = kind == "inf" ? " --source " + platform::quoteArgument(root + "/tree/App")
                                                : " --item " + platform::quoteArgument(root + "/tree/App") +
                                                      " --sfx " + platform::quoteArgument(root + "/module/7zs.sfx") +
                                                      " --compression store";
        return platform::ChildProcess::start(platform::quoteArgument(program) + " " + kind +
                                                 " --name App --version 1" + input + " --output " +
                                                 platform::quoteArgument(target) + " --overwrite yes",
                                             platform::kHidden);
    }
    // The running build's work folder, empty while there is none (other than `besides`).
    std::string workFolder(const std::string& besides = "") const {
        for (const std::string& name : platform::listFolder(temp).folders)
            if (name.rfind("tolvane-" + kind + "-", 0) == 0 && temp + "/" + name != besides) return temp + "/" + name;
        return {};
    }

    // The path holds the old package or a whole new one, never neither or a part.
    void expectOldOrWholePackage(const std::string& moment) {
        ASSERT_TRUE(platform::fileExists(target)) << "no package at the path after a kill " << moment;
        const std::string head = platform::readFileHead(target, 64);
        if (head == "the old package") return;
        EXPECT_TRUE(kind == "inf" ? shell::isCompleteCabinet(target) : shell::isComplete7zArchive(target))
            << "a partial package after a kill " << moment;
    }

    // Once the last build is done: the package, whole, and nothing beside it
    // or in the temporary folder (no work folder, no part of a package).
    void expectOnlyTheWholePackageLeft() {
        EXPECT_EQ(build.exitCode(), 0);
        EXPECT_TRUE(kind == "inf" ? shell::isCompleteCabinet(target) : shell::isComplete7zArchive(target));
        EXPECT_EQ(platform::listFolder(root).files, std::vector<std::string>{platform::baseName(target)})
            << "a file left beside the package";
        EXPECT_TRUE(workFolder().empty()) << workFolder();
        EXPECT_EQ(platform::listFolder(temp).files, std::vector<std::string>{}) << "a file left in the temporary folder";
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
        const std::map<std::string, Descendant> started = descendantsOf(build.processId());
        build.terminate();
        build.exitCode();
        if (!met || killedFolder.empty()) ADD_FAILURE() << "the build never reached " << description;
        expectOldOrWholePackage(description);
        build = startBuild();
        expectNothingLeftOf(killedFolder, started, description);
        previousKilled = killedFolder;
    }

    void expectNothingLeftOf(const std::string& killedFolder, const std::map<std::string, Descendant>& started,
                             const std::string& description) {
        EXPECT_TRUE(waitFor([&] { return stillRunning(started).empty(); }, 10))
            << "a program the build killed " << description << " started runs on:\n" << stillRunning(started);
        if (killedFolder.empty()) return;
        EXPECT_TRUE(waitFor([&] { return !platform::folderExists(killedFolder); }, 30))
            << "the work folder of the build killed " << description << " is still there";
        EXPECT_TRUE(waitFor([&] { return !processRunsIn(killedFolder); }, 10))
            << "a program of the build killed " << description << " runs on:\n" << programsIn(killedFolder);
    }

    // A tool writes the unfinished package: its copy lies beside the path
    // ("<part>.tmp-..." from makecab, "<part>.tmp" from 7z adding to it).
    bool packageBeingWritten() const {
        const std::string copy = platform::baseName(shell::partialPackagePath(target)) + ".tmp";
        for (const std::string& name : platform::listFolder(root).files)
            if (name.rfind(copy, 0) == 0) return true;
        return false;
    }

    // The running build's work folder, empty while it has none yet.
    std::string current() const { return workFolder(previousKilled); }
    bool inCurrent(const std::string& name) const {
        const std::string w = current();
        return !w.empty() && platform::fileExists(platform::joinPath(w, name));
    }

    platform::ChildProcess build = platform::ChildProcess::start("true", platform::kHidden);
    std::string kind = "inf";  // the console command the builds run
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
    killWhen("while makecab writes the package", [&] {
        return inCurrent(kPackageBatchFileName) && inCurrent("App.cab") && !inCurrent(kCabBatchFileName) &&
               packageBeingWritten();
    });
    killWhen("at the final write", [&] { return platform::fileExists(shell::partialPackagePath(target)); });

    // And the build left alone makes the package, with nothing left beside it.
    expectOnlyTheWholePackageLeft();
    if (std::system("cabextract -v >/dev/null 2>&1") == 0) {
        EXPECT_EQ(std::system(("cabextract -q -t '" + target + "' >/dev/null 2>&1").c_str()), 0);
    }
}

TEST_F(KilledBuild, AT13BuildLeavesTheOldPackageOrTheWholeNewOneAndNothingBehind) {
    if (platform::findProgram("7z", {}).empty()) GTEST_SKIP() << "no 7z is installed (p7zip-full)";
    buildT13Packages();
    const std::string partial = shell::partialPackagePath(target);
    build = startBuild();
    killWhen("while 7z packs the items", [&] { return inCurrent("temp.7z") && processRunsIn(current()); });
    killWhen("while 7z writes the package", [&] {
        return platform::fileExists(partial) && !packageBeingWritten() && processRunsIn(current());
    });
    // 7z adds the entries file to a copy of the archive beside it, then renames the copy.
    killWhen("while 7z adds to the package", [&] { return packageBeingWritten(); });

    expectOnlyTheWholePackageLeft();
    EXPECT_EQ(std::system(("7z t '" + target + "' >/dev/null 2>&1").c_str()), 0);
}

}  // namespace
