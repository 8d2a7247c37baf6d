// Prints, per input and LZX window: input bytes, cabinet bytes, ratio,
// compression MB/s, and whether cabextract gives the input back; then
// wimlib's LZX (level 50, 2 MiB blocks) on the same input for comparison,
// with LZX:21's size and median speeds as multiples of wimlib's: by the wall
// clock, what a user waits (ours finds matches on a second core where there
// is one, wimlib uses one), and by CPU time, the work done on all cores.
//
// Usage: lzx_benchmark [PE folder] [text folder]
//   defaults: Wine's 64-bit DLLs (first 60 MB) and /usr/share/common-licenses
//   plus /usr/include (first 8 MB).
// TOLVANE_LZX_BENCH_ONLY=pe,app2mb (say) runs only the inputs named;
// TOLVANE_LZX_BENCH_21_ONLY=1 leaves out the smaller windows;
// TOLVANE_LZX_BENCH_RUNS=N (default 3) times each compressor N times, ours
// and wimlib's in turn, and prints the median speeds, since one run on a
// shared machine drifts with the load of the moment.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
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

// Wall-clock and CPU-time speeds in MB/s of each run.
struct Samples {
    std::vector<double> wall;
    std::vector<double> cpu;
};

template <typename Run>
void timeOnce(std::size_t bytes, Run run, Samples& samples) {
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    run();
    samples.wall.push_back(bytes / 1e6 /
                           std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    // CPU time too: on a shared machine the wall clock also counts waiting.
    samples.cpu.push_back(bytes / 1e6 / (double(std::clock() - cpuStart) / CLOCKS_PER_SEC));
}

// wimlib's LZX (level 50) over the same bytes in 2 MiB chunks; not ready()
// without libwim.
class WimlibLzx {
public:
    explicit WimlibLzx(const Input& input) {
#ifdef TOLVANE_HAVE_WIMLIB
        for (const auto& f : input.files) all_ += f;
        if (wimlib_create_compressor(WIMLIB_COMPRESSION_TYPE_LZX, kBlock, 50, &compressor_) != 0) compressor_ = nullptr;
        out_.resize(kBlock);
#else
        (void)input;
#endif
    }
    ~WimlibLzx() {
#ifdef TOLVANE_HAVE_WIMLIB
        if (compressor_) wimlib_free_compressor(compressor_);
#endif
    }
    WimlibLzx(const WimlibLzx&) = delete;
    WimlibLzx& operator=(const WimlibLzx&) = delete;

    bool ready() const { return compressor_ != nullptr; }
    std::size_t bytes() const { return all_.size(); }

    // The compressed size; a chunk that does not shrink counts as stored.
    std::size_t compress() {
        std::size_t total = 0;
#ifdef TOLVANE_HAVE_WIMLIB
        for (std::size_t at = 0; at < all_.size(); at += kBlock) {
            const std::size_t n = std::min(kBlock, all_.size() - at);
            const std::size_t packed = wimlib_compress(all_.data() + at, n, out_.data(), n - 1, compressor_);
            total += packed ? packed : n;
        }
#endif
        return total;
    }

private:
    static constexpr std::size_t kBlock = std::size_t(2) << 20;
    std::string all_;
    std::vector<char> out_;
#ifdef TOLVANE_HAVE_WIMLIB
    wimlib_compressor* compressor_ = nullptr;
#else
    void* compressor_ = nullptr;
#endif
};

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

// With compare, wimlib runs in turn with ours, run for run, so that both
// meet the same load; the speed ratio is given as the ratio of the medians
// and as the median of the turns' ratios.
void runLzx(const Input& input, int windowBits, bool compare) {
    std::vector<cabinet::CabinetEntry> entries;
    for (std::size_t i = 0; i < input.files.size(); ++i)
        entries.push_back({"f" + std::to_string(i), std::uint32_t(input.files[i].size()), 0x5B88, 0, 0x20});
    std::unique_ptr<WimlibLzx> wimlib;
    if (compare) wimlib = std::make_unique<WimlibLzx>(input);
    if (wimlib && !wimlib->ready()) wimlib.reset();
    std::string cab;
    std::size_t wimlibBytes = 0;
    const std::size_t in = input.bytes();
    Samples ours, theirs;
    std::vector<double> cpuTurnRatios, wallTurnRatios;
    for (int run = runsWanted(); run > 0; --run) {
        timeOnce(in, [&] {
            cab = cabinet::buildCabinet(entries, {cabinet::Method::Lzx, windowBits},
                                        [&](std::size_t i) { return input.files[i]; });
        }, ours);
        if (!wimlib) continue;
        timeOnce(wimlib->bytes(), [&] { wimlibBytes = wimlib->compress(); }, theirs);
        cpuTurnRatios.push_back(ours.cpu.back() / theirs.cpu.back());
        wallTurnRatios.push_back(ours.wall.back() / theirs.wall.back());
    }
    std::printf("%-8s LZX:%-2d %11zu -> %11zu  ratio %.4f  %6.2f MB/s (CPU %6.2f, median of %d)  decodes: %s\n",
                input.name.c_str(), windowBits, in, cab.size(), double(cab.size()) / in, median(ours.wall),
                median(ours.cpu), runsWanted(), cabextractGivesBack(cab, input) ? "yes" : "NO");
    if (wimlib) {
        std::printf("%-8s wimlib50 %11zu -> %11zu  ratio %.4f  %6.2f MB/s (CPU %6.2f, median of %d)\n",
                    input.name.c_str(), wimlib->bytes(), wimlibBytes, double(wimlibBytes) / wimlib->bytes(),
                    median(theirs.wall), median(theirs.cpu), runsWanted());
        std::printf("%-8s LZX:%d / wimlib50: size %.4f, wall speed %.2fx (ratio of medians), %.2fx (median of turns)\n",
                    input.name.c_str(), windowBits, double(cab.size()) / wimlibBytes,
                    median(ours.wall) / median(theirs.wall), median(wallTurnRatios));
        std::printf("%-8s LZX:%d / wimlib50:              CPU speed %.2fx (ratio of medians), %.2fx (median of turns)\n",
                    input.name.c_str(), windowBits, median(ours.cpu) / median(theirs.cpu), median(cpuTurnRatios));
    }
    std::fflush(stdout);
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
        runLzx(*input, 21, true);
        if (input != &pe && !std::getenv("TOLVANE_LZX_BENCH_21_ONLY"))
            for (int windowBits : {15, 18}) runLzx(*input, windowBits, false);
    }
    return 0;
}
