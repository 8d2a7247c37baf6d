// Scan and INF write over generated trees: half the files, then all of them
// (by default 50,000 and 100,000 files, 20 to a folder), so the figures show
// whether the scan stays linear. Prints times, files per second, the lines
// produced and the peak memory; exits 1 when a count comes out wrong.
//
//   scan_benchmark [files]        files: 100000 unless given
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/scan_benchmark/peak_memory.h"
#include "infaddon/inf_writer.h"
#include "infaddon/source_scanner.h"
#include "platform/error.h"
#include "platform/file_system.h"

namespace {

constexpr int kFilesPerFolder = 20;
constexpr int kSubfoldersPerTop = 99;  // 50 top folders x (1 + 99) = 5,000 folders for 100,000 files

// Makes App with folders t00\, t00\s00\ ... holding `files` files; returns
// the number of folders below App.
int makeTree(const std::string& app, int files) {
    platform::createFolders(app);
    int folders = 0, made = 0;
    for (int top = 0; made < files; ++top) {
        const std::string topFolder = platform::joinPath(app, "t" + std::to_string(top));
        platform::createFolder(topFolder);
        ++folders;
        for (int sub = -1; sub < kSubfoldersPerTop && made < files; ++sub) {
            std::string folder = topFolder;
            if (sub >= 0) {
                folder = platform::joinPath(topFolder, "s" + std::to_string(sub));
                platform::createFolder(folder);
                ++folders;
            }
            for (int f = 0; f < kFilesPerFolder && made < files; ++f, ++made)
                platform::writeFileAtomic(platform::joinPath(folder, "file_" + std::to_string(f) + ".dat"), "x");
        }
    }
    return folders;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Figures {
    double scanSeconds = 0, writeSeconds = 0;
    bool countsRight = false;
};

Figures measure(const std::string& root, int files) {
    const std::string app = platform::joinPath(root, "App" + std::to_string(files));
    std::printf("Making %d files ...\n", files);
    const int folders = makeTree(app, files);

    infaddon::AddonProject project;
    project.addSourceFolder(app, "");
    infaddon::BuildState state;
    state.resetAtStart();
    state.PackageName = "App" + std::to_string(files);
    state.PackageVersion = "1.0";
    long progressSteps = 0;

    Figures f;
    auto start = std::chrono::steady_clock::now();
    infaddon::scanSourceFolders(project, state, [&] { ++progressSteps; });
    f.scanSeconds = secondsSince(start);

    platform::setProgramFolder(root);
    start = std::chrono::steady_clock::now();
    infaddon::WriteInfFile(project, state);
    f.writeSeconds = secondsSince(start);
    const auto infBytes = platform::fileInfo(platform::joinPath(root, state.PackageName + ".inf")).size;

    const std::size_t sections = static_cast<std::size_t>(folders) + 1;
    f.countsRight = state.FileCount == files && state.StagedFiles.size() == static_cast<std::size_t>(files) &&
                    state.CopySectionNames.size() == sections && state.RemoveDirLines.size() == sections &&
                    state.CopySectionLines.size() == 2 * sections + static_cast<std::size_t>(files) &&
                    state.RunLog.size() == 1 + static_cast<std::size_t>(folders + files);

    std::printf("%7d files in %5d folders: scan %.3f s (%.0f files/s, %.3f s per 10,000 files), INF write %.3f s\n",
                files, folders, f.scanSeconds, files / f.scanSeconds, f.scanSeconds * 10000.0 / files,
                f.writeSeconds);
    std::printf("        lines: %zu RunLog, %zu copy-section, %zu source-disk, %zu destination; INF %llu bytes;"
                " %ld progress steps; counts %s\n",
                state.RunLog.size(), state.CopySectionLines.size(), state.StagedFiles.size(),
                state.DestinationDirLines.size(), static_cast<unsigned long long>(infBytes), progressSteps,
                f.countsRight ? "right" : "WRONG");
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    const int files = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (files < 2) {
        std::fprintf(stderr, "Usage: scan_benchmark [files]   (at least 2; 100000 unless given)\n");
        return 2;
    }
    std::string root;
    try {
        root = platform::makeTemporaryFolder("tolvane-scan-bench");
        const Figures half = measure(root, files / 2);
        const Figures all = measure(root, files);
        std::printf("Twice the files took %.2f times the scan time. Peak memory %.1f MiB.\n",
                    all.scanSeconds / half.scanSeconds, peakMemoryMiB());
        platform::setProgramFolder({});
        platform::removeFolderTree(root);
        return half.countsRight && all.countsRight ? 0 : 1;
    } catch (const platform::Error& e) {
        std::fprintf(stderr, "scan_benchmark: %s\n", e.what());
        if (!root.empty()) platform::removeFolderTree(root);
        return 1;
    }
}
