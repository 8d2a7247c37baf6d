// Cabinet compression over three corpora made from files on this machine:
//   pe     Windows PE files (Wine's DLLs), about 60 MB
//   mixed  an application-like tree: text, fonts, images and PE files, about 30 MB
//   small  a small application, about 2 MB
// For each it prints, per method, the output bytes, the ratio to the input,
// the compression speed and whether the output decodes (cabextract -t for
// cabinets, zlib for the reference stream). References: zlib level 9 over
// the whole concatenation as one raw deflate stream, and wimlib's LZX
// compressor at level 50 with 2 MiB chunks where it is built in.
//
//   cabinet_benchmark [pe-megabytes]
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#ifdef TOLVANE_BENCH_WIMLIB
#include <wimlib.h>
#endif

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "tools/cabinet/cab_writer.h"

namespace {

struct Corpus {
    std::string name;
    std::vector<std::string> paths;
    std::vector<std::string> data;
    std::uint64_t bytes = 0;
};

void listFiles(const std::string& folder, const std::string& suffix, std::vector<std::string>& out) {
    platform::FolderListing l;
    try {
        l = platform::listFolder(folder);
    } catch (const platform::Error&) {
        return;
    }
    for (const std::string& f : l.files)
        if (suffix.empty() || (f.size() > suffix.size() && f.compare(f.size() - suffix.size(), suffix.size(), suffix) == 0))
            out.push_back(folder + "/" + f);
    for (const std::string& d : l.folders) listFiles(folder + "/" + d, suffix, out);
}

// Takes files from the lists in turn until `limit` bytes.
Corpus gather(const std::string& name, const std::vector<std::vector<std::string>>& sources, std::uint64_t limit) {
    Corpus c;
    c.name = name;
    std::vector<std::size_t> next(sources.size(), 0);
    bool progress = true;
    while (c.bytes < limit && progress) {
        progress = false;
        for (std::size_t s = 0; s < sources.size() && c.bytes < limit; ++s) {
            while (next[s] < sources[s].size()) {
                const std::string& p = sources[s][next[s]++];
                const platform::FileInfo info = platform::fileInfo(p);
                if (info.size == 0 || info.size > 16u << 20 || c.bytes + info.size > limit + (1u << 20)) continue;
                c.paths.push_back(p);
                c.data.push_back(platform::readFile(p));
                c.bytes += info.size;
                progress = true;
                break;
            }
        }
    }
    return c;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void printRow(const std::string& method, std::uint64_t in, std::uint64_t out, double seconds, const std::string& check) {
    std::printf("  %-22s %12llu bytes  ratio %6.2f%%  %7.2f MB/s  %s\n", method.c_str(),
                static_cast<unsigned long long>(out), 100.0 * double(out) / double(in),
                double(in) / 1e6 / seconds, check.c_str());
}

std::string checkCabinet(const std::string& bytes) {
    if (platform::findProgram("cabextract", "").empty()) return "(no cabextract to check)";
    const std::string folder = platform::makeTemporaryFolder("cab-bench");
    const std::string path = folder + "/b.cab";
    platform::writeFileAtomic(path, bytes);
    platform::ChildProcess p = platform::ChildProcess::start("sh -c \"cabextract -q -t " + path + " >/dev/null\"", platform::kHidden);
    while (p.isAlive()) p.waitBriefly(200);
    const int status = p.exitCode();
    platform::removeFolderTree(folder);
    return status == 0 ? "decodes (cabextract -t)" : "DOES NOT DECODE";
}

void runCabinet(const Corpus& c, cabinet::Method method, int window, const std::string& label) {
    std::vector<cabinet::CabinetEntry> entries;
    for (std::size_t i = 0; i < c.data.size(); ++i)
        entries.push_back({"f" + std::to_string(i), std::uint32_t(c.data[i].size()), 0x5B88, 0, 0x20});
    const auto start = std::chrono::steady_clock::now();
    const std::string cab = cabinet::buildCabinet(entries, {method, window}, [&](std::size_t i) { return c.data[i]; });
    const double seconds = secondsSince(start);
    printRow(label, c.bytes, cab.size(), seconds, checkCabinet(cab));
}

void runZlib(const Corpus& c) {
    std::string all;
    for (const std::string& d : c.data) all += d;
    z_stream z;
    std::memset(&z, 0, sizeof z);
    deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, uLong(all.size())), '\0');
    const auto start = std::chrono::steady_clock::now();
    z.next_in = reinterpret_cast<Bytef*>(&all[0]);
    z.avail_in = uInt(all.size());
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    const double seconds = secondsSince(start);
    out.resize(out.size() - z.avail_out);
    deflateEnd(&z);
    // Decode to check.
    std::string back(all.size(), '\0');
    std::memset(&z, 0, sizeof z);
    inflateInit2(&z, -15);
    z.next_in = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_in = uInt(out.size());
    z.next_out = reinterpret_cast<Bytef*>(&back[0]);
    z.avail_out = uInt(back.size());
    const bool ok = inflate(&z, Z_FINISH) == Z_STREAM_END && back == all;
    inflateEnd(&z);
    printRow("zlib -9, one stream", c.bytes, out.size(), seconds, ok ? "decodes (zlib)" : "DOES NOT DECODE");
}

#ifdef TOLVANE_BENCH_WIMLIB
void runWimlib(const Corpus& c) {
    std::string all;
    for (const std::string& d : c.data) all += d;
    const std::size_t chunk = 2u << 20;
    wimlib_compressor* compressor = nullptr;
    if (wimlib_create_compressor(WIMLIB_COMPRESSION_TYPE_LZX, chunk, 50, &compressor) != 0) {
        std::printf("  wimlib LZX: could not start\n");
        return;
    }
    std::vector<char> out(chunk + chunk / 8);
    std::uint64_t total = 0;
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t at = 0; at < all.size(); at += chunk) {
        const std::size_t n = std::min(chunk, all.size() - at);
        const std::size_t got = wimlib_compress(all.data() + at, n, out.data(), n - 1, compressor);
        total += got ? got : n;  // 0: stored as it is
    }
    const double seconds = secondsSince(start);
    wimlib_free_compressor(compressor);
    printRow("wimlib LZX 50, 2 MiB", c.bytes, total, seconds, "(not decoded here)");
}
#endif

void runCorpus(const Corpus& c) {
    std::printf("%s: %zu files, %llu bytes\n", c.name.c_str(), c.data.size(), static_cast<unsigned long long>(c.bytes));
    if (c.data.empty()) return;
    runCabinet(c, cabinet::Method::Mszip, 0, "cabinet MSZIP");
    runZlib(c);
    runCabinet(c, cabinet::Method::Lzx, 21, "cabinet LZX:21");
    runCabinet(c, cabinet::Method::Lzx, 15, "cabinet LZX:15");
#ifdef TOLVANE_BENCH_WIMLIB
    runWimlib(c);
#endif
}

}  // namespace

int main(int argc, char** argv) {
    const std::uint64_t peMegabytes = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 60;
    const std::string wine = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows";
    std::vector<std::string> dlls, exes, text, fonts, images;
    listFiles(wine, ".dll", dlls);
    listFiles(wine, ".exe", exes);
    listFiles("/usr/share/doc", "", text);
    listFiles("/usr/share/fonts", "", fonts);
    listFiles("/usr/share/icons", ".png", images);
    listFiles("/usr/share/pixmaps", "", images);
    try {
        runCorpus(gather("pe", {dlls}, peMegabytes << 20));
        runCorpus(gather("mixed", {text, fonts, images, exes, dlls}, 30u << 20));
        runCorpus(gather("small", {exes, text, images}, 2u << 20));
    } catch (const platform::Error& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
