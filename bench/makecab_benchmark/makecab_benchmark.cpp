// makecab over one large generated file (1 GiB unless told otherwise):
// for LZX:21 and MSZIP without a size limit, and for MSZIP under the default
// MaxDiskSize of 1.44 MB (refused as soon as the cabinet outgrows it), the
// time, the speed, the cabinet's size and the peak resident memory of the
// run. Each run is a process of its own (this program started again), so
// each peak is that run's alone. The input is text lines with one piece in
// four pseudo-random, in a temporary folder that is deleted afterwards.
// Target: every peak under 100 MiB, whatever the input's size.
//
//   makecab_benchmark [megabytes]
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "bench/scan_benchmark/peak_memory.h"
#include "platform/error.h"
#include "platform/file_stream.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "tools/makecab/makecab_run.h"

namespace {

const std::size_t kPiece = 1 << 16;

struct Random {
    std::uint64_t state;
    std::uint32_t next() {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<std::uint32_t>(state >> 16);
    }
};

void makeInput(const std::string& path, std::uint64_t bytes) {
    static const char* const words[] = {"cabinet", "folder", "frame",  "window", "setup", "install", "package",
                                        "file",    "data",   "stream", "block",  "header", "system", "driver",
                                        "value",   "key",    "the",    "of",     "and",    "to",     "a"};
    Random rng{0x9E3779B97F4A7C15ull};
    platform::AtomicFileWriter out(path);
    std::string piece;
    for (std::uint64_t index = 0; out.size() < bytes; ++index) {
        piece.clear();
        if (index % 4 == 3) {
            while (piece.size() < kPiece) piece += char(rng.next() & 0xFF);
        } else {
            while (piece.size() < kPiece) {
                piece += words[rng.next() % (sizeof words / sizeof *words)];
                piece += rng.next() % 8 ? " " : "\r\n";
            }
            piece.resize(kPiece);
        }
        const std::uint64_t left = bytes - out.size();
        out.write(piece.data(), left < piece.size() ? static_cast<std::size_t>(left) : piece.size());
    }
    out.commit();
}

struct Case {
    const char* label;
    std::vector<std::string> definitions;  // /D values
};

const Case kCases[] = {
    {"LZX:21", {"CompressionType=LZX", "CompressionMemory=21", "MaxDiskSize=0"}},
    {"MSZIP", {"CompressionType=MSZIP", "MaxDiskSize=0"}},
    {"MSZIP, MaxDiskSize 1.44M", {"CompressionType=MSZIP"}},
};

// The child: one makecab run in this process, its figures written to `figures`.
int runOne(std::size_t caseIndex, const std::string& input, const std::string& cab, const std::string& figures) {
    std::vector<std::string> args;
    for (const std::string& d : kCases[caseIndex].definitions) {
        args.push_back("/D");
        args.push_back(d);
    }
    args.push_back(input);
    args.push_back(cab);
    std::ostringstream out, err;
    const auto start = std::chrono::steady_clock::now();
    const int status = makecab::runMakecab(args, out, err);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const std::uint64_t size = platform::fileExists(cab) ? platform::fileInfo(cab).size : 0;
    std::string message = err.str();
    if (message.size() > 70) message = message.substr(0, 70) + "...";
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
    char line[512];
    std::snprintf(line, sizeof line, "%d %.2f %.1f %llu %s", status, seconds, peakMemoryMiB(),
                  static_cast<unsigned long long>(size), message.c_str());
    platform::writeFileAtomic(figures, line);
    return 0;
}

int runAll(std::uint64_t megabytes) {
    const std::string folder = platform::makeTemporaryFolder("makecab-bench");
    const std::string input = platform::joinPath(folder, "input.bin");
    const std::uint64_t bytes = megabytes << 20;
    std::printf("makecab over one generated file of %llu MiB (text, one piece in four random)\n",
                static_cast<unsigned long long>(megabytes));
    const auto made = std::chrono::steady_clock::now();
    makeInput(input, bytes);
    std::printf("input made in %.1f s; target: peak under 100 MiB for every run\n\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - made).count());
    std::printf("%-26s %8s %8s %9s %14s  %s\n", "run", "seconds", "MiB/s", "peak MiB", "cabinet bytes", "result");
    bool allUnder = true;
    for (std::size_t i = 0; i < sizeof kCases / sizeof *kCases; ++i) {
        const std::string cab = platform::joinPath(folder, "out.cab");
        const std::string figures = platform::joinPath(folder, "figures.txt");
        const std::string command = platform::quoteArgument(platform::executablePath()) + " --run " +
                                    std::to_string(i) + " " + platform::quoteArgument(input) + " " +
                                    platform::quoteArgument(cab) + " " + platform::quoteArgument(figures);
        platform::ChildProcess child = platform::ChildProcess::start(command, platform::kHidden);
        while (child.isAlive()) child.waitBriefly(500);
        int status = -1;
        double seconds = 0, peak = 0;
        unsigned long long size = 0;
        char message[400] = "";
        if (!platform::fileExists(figures) ||
            std::sscanf(platform::readFile(figures).c_str(), "%d %lf %lf %llu %399[^\n]", &status, &seconds, &peak,
                        &size, message) < 4) {
            std::printf("%-26s the run gave no figures (exit code %d)\n", kCases[i].label, child.exitCode());
            allUnder = false;
            continue;
        }
        std::printf("%-26s %8.1f %8.1f %9.1f %14llu  %s\n", kCases[i].label, seconds,
                    seconds > 0 ? double(megabytes) / seconds : 0.0, peak, size,
                    status == 0 ? "written" : message);
        allUnder = allUnder && peak < 100.0;
        if (platform::fileExists(cab)) platform::deleteFile(cab);
        platform::deleteFile(figures);
    }
    platform::removeFolderTree(folder);
    std::printf("\n%s\n", allUnder ? "every peak under 100 MiB" : "SOME PEAK AT OR OVER 100 MiB (or a run failed)");
    return allUnder ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 6 && std::string(argv[1]) == "--run")
            return runOne(std::strtoul(argv[2], nullptr, 10), argv[3], argv[4], argv[5]);
        const std::uint64_t megabytes = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1024;
        return runAll(megabytes ? megabytes : 1024);
    } catch (const platform::Error& e) {
        std::fprintf(stderr, "makecab_benchmark: %s\n", e.what());
        return 1;
    }
}
