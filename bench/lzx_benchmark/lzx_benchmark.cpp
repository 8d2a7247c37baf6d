// Prints, per input and LZX window: input bytes, cabinet bytes, ratio,
// compression MB/s, and whether cabextract gives the input back; then
// wimlib's LZX (level 50, 2 MiB blocks) on the same input for comparison,
// with LZX:21's size and median CPU-time speed as multiples of wimlib's.
//
// Usage: lzx_benchmark [PE folder] [text folder]
//   defaults: Wine's 64-bit DLLs (first 60 MB) and /usr/share/common-licenses
//   plus /usr/include (first 8 MB).
// TOLVANE_LZX_BENCH_ONLY=pe,app2mb (say) runs only the inputs named;
// TOLVANE_LZX_BENCH_21_ONLY=1 leaves out the smaller windows;
// TOLVANE_LZX_BENCH_RUNS=N (default 3) times each compressor N times and
// prints the median speeds, since one run on a shared machine drifts with
// the load of the moment.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "tools/cabinet/cab_writer.h"

#ifdef TOLVANE_HAVE_WIMLIB
#include <wimlib.h>
#endif

namespace {

struct Input {
    std::string name;
    std::vector<std::string> files;
    std::size_t bytes() const {
        std::size_t n = 0;
        for (const auto& f : files) n += f.size();
        return n;
    }
};

// Files of a folder tree whose names end in one of `suffixes`, in name order,
// until `limit` bytes.
void collect(const std::string& folder, const std::vector<std::string>& suffixes, std::size_t limit, Input& input) {
    if (!platform::folderExists(folder)) return;
    platform::FolderListing listing = platform::listFolder(folder);
    std::vector<std::string> files = listing.files, folders = listing.folders;
    std::sort(files.begin(), files.end());
    std::sort(folders.begin(), folders.end());
    for (const auto& name : files) {
        if (input.bytes() >= limit) return;
        bool wanted = suffixes.empty();
        for (const auto& s : suffixes)
            if (name.size() >= s.size() && name.compare(name.size() - s.size(), s.size(), s) == 0) wanted = true;
        if (!wanted) continue;
        try {
            std::string bytes = platform::readFile(platform::joinPath(folder, name));
            if (input.bytes() + bytes.size() > limit) bytes.resize(limit - input.bytes());
            input.files.push_back(std::move(bytes));
        } catch (const platform::Error&) {
        }
    }
    for (const auto& name : folders) collect(platform::joinPath(folder, name), suffixes, limit, input);
}

int runsWanted() {
    const char* runs = std::getenv("TOLVANE_LZX_BENCH_RUNS");
    const int n = runs ? std::atoi(runs) : 3;
    return n > 0 ? n : 1;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Wall-clock and CPU-time speeds in MB/s, each the median over the runs.
struct Speed {
    double wall = 0;
    double cpu = 0;
};

template <typename Run>
Speed timeRuns(std::size_t bytes, Run run) {
    std::vector<double> wall, cpu;
    for (int i = runsWanted(); i > 0; --i) {
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        run();
        wall.push_back(bytes / 1e6 / std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        // CPU time too: on a shared machine the wall clock also counts waiting.
        cpu.push_back(bytes / 1e6 / (double(std::clock() - cpuStart) / CLOCKS_PER_SEC));
    }
    return {median(wall), median(cpu)};
}

bool cabextractGivesBack(const std::string& cab, const Input& input) {
    if (platform::findProgram("cabextract", "").empty()) return false;
    const std::string previous = platform::currentDirectory();
    const std::string folder = platform::makeTemporaryFolder("lzx-bench");
    platform::setCurrentDirectory(folder);
    platform::writeFileAtomic("b.cab", cab);
    platform::ChildProcess p = platform::ChildProcess::start("cabextract -q -d out b.cab", platform::kHidden);
    while (p.isAlive()) p.waitBriefly(200);
    bool same = p.exitCode() == 0;
    for (std::size_t i = 0; same && i < input.files.size(); ++i) {
        const std::string path = platform::joinPath("out", "f" + std::to_string(i));
        same = platform::fileExists(path) && platform::readFile(path) == input.files[i];
    }
    platform::setCurrentDirectory(previous);
    platform::removeFolderTree(folder);
    return same;
}

// LZX:21's cabinet size and median CPU-time speed, for the comparison with wimlib.
struct Outcome {
    std::size_t bytes = 0;
    double cpuSpeed = 0;
};

Outcome runLzx(const Input& input, int windowBits) {
    std::vector<cabinet::CabinetEntry> entries;
    for (std::size_t i = 0; i < input.files.size(); ++i)
        entries.push_back({"f" + std::to_string(i), std::uint32_t(input.files[i].size()), 0x5B88, 0, 0x20});
    std::string cab;
    const std::size_t in = input.bytes();
    const Speed speed = timeRuns(in, [&] {
        cab = cabinet::buildCabinet(entries, {cabinet::Method::Lzx, windowBits},
                                    [&](std::size_t i) { return input.files[i]; });
    });
    std::printf("%-8s LZX:%-2d %11zu -> %11zu  ratio %.4f  %6.2f MB/s (CPU %6.2f, median of %d)  decodes: %s\n",
                input.name.c_str(), windowBits, in, cab.size(), double(cab.size()) / in, speed.wall, speed.cpu,
                runsWanted(), cabextractGivesBack(cab, input) ? "yes" : "NO");
    std::fflush(stdout);
    return {cab.size(), speed.cpu};
}

// ours: LZX:21 on the same input, for the size ratio and the ratio of the
// median CPU-time speeds (the yardstick on a shared machine, where both
// speeds drift together).
void runWimlib(const Input& input, Outcome ours) {
#ifdef TOLVANE_HAVE_WIMLIB
    std::string all;
    for (const auto& f : input.files) all += f;
    const std::size_t block = std::size_t(2) << 20;
    wimlib_compressor* compressor = nullptr;
    if (wimlib_create_compressor(WIMLIB_COMPRESSION_TYPE_LZX, block, 50, &compressor) != 0) return;
    std::vector<char> out(block);
    std::size_t total = 0;
    const Speed speed = timeRuns(all.size(), [&] {
        total = 0;
        for (std::size_t at = 0; at < all.size(); at += block) {
            const std::size_t n = std::min(block, all.size() - at);
            const std::size_t packed = wimlib_compress(all.data() + at, n, out.data(), n - 1, compressor);
            total += packed ? packed : n;
        }
    });
    wimlib_free_compressor(compressor);
    std::printf("%-8s wimlib50 %11zu -> %11zu  ratio %.4f  %6.2f MB/s (CPU %6.2f, median of %d)\n",
                input.name.c_str(), all.size(), total, double(total) / all.size(), speed.wall, speed.cpu,
                runsWanted());
    std::printf("%-8s LZX:21 / wimlib50: size %.4f, median CPU speed %.2fx\n", input.name.c_str(),
                double(ours.bytes) / total, ours.cpuSpeed / speed.cpu);
#else
    (void)input;
    (void)ours;
#endif
}

}  // namespace

int main(int argc, char** argv) {
    Input pe{"pe", {}}, text{"text", {}}, small{"app2mb", {}}, random{"random", {}};
    collect(argc > 1 ? argv[1] : "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows", {".dll", ".exe"}, 60000000, pe);
    if (argc > 2) {
        collect(argv[2], {}, 8000000, text);
    } else {
        collect("/usr/share/common-licenses", {}, 8000000, text);
        collect("/usr/include", {".h"}, 8000000, text);
    }
    // A small application: a few PE files and text, about 2 MB.
    collect(argc > 1 ? argv[1] : "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows", {"ll.dll", ".exe"}, 1500000, small);
    collect("/usr/share/common-licenses", {}, 2000000, small);
    std::mt19937 rng(1);
    std::string noise(4000000, '\0');
    for (char& c : noise) c = char(rng());
    random.files.push_back(noise);

    const char* only = std::getenv("TOLVANE_LZX_BENCH_ONLY");
    for (const Input* input : {&pe, &text, &small, &random}) {
        if (only && ("," + std::string(only) + ",").find("," + input->name + ",") == std::string::npos) continue;
        if (input->files.empty()) {
            std::printf("%-8s (no input files found)\n", input->name.c_str());
            continue;
        }
        const Outcome ours = runLzx(*input, 21);
        if (input != &pe && !std::getenv("TOLVANE_LZX_BENCH_21_ONLY"))
            for (int windowBits : {15, 18}) runLzx(*input, windowBits);
        runWimlib(*input, ours);
    }
    return 0;
}
