#include "tools/cabinet/lzx_tree_writer.h"

#include <algorithm>

#include "tools/cabinet/lzx_constants.h"
#include "tools/cabinet/lzx_huffman.h"

namespace cabinet {
namespace lzx {

namespace {

std::uint8_t deltaSymbol(std::uint8_t length, std::uint8_t previous) {
    return static_cast<std::uint8_t>((previous + 17 - length) % 17);
}

std::vector<std::uint32_t> pretreeFrequencies(const std::vector<PretreeItem>& items) {
    std::vector<std::uint32_t> frequencies(kPretreeSize, 0);
    for (const PretreeItem& item : items) {
        ++frequencies[item.symbol];
        if (item.symbol == 19) ++frequencies[item.runSymbol];
    }
    return frequencies;
}

}  // namespace

std::vector<PretreeItem> pretreeItems(const std::uint8_t* lengths, const std::uint8_t* previous, std::size_t count) {
    std::vector<PretreeItem> items;
    std::size_t i = 0;
    while (i < count) {
        std::size_t run = 1;
        if (lengths[i] == 0) {
            while (i + run < count && lengths[i + run] == 0) ++run;
            // Symbols 17 and 18 set lengths to zero whatever they were before.
            while (run >= 20) {
                std::size_t take = std::min<std::size_t>(run, 51);
                items.push_back({18, 5, static_cast<std::uint8_t>(take - 20), 0});
                run -= take;
                i += take;
            }
            if (run >= 4) {
                items.push_back({17, 4, static_cast<std::uint8_t>(run - 4), 0});
                i += run;
                run = 0;
            }
        } else {
            // Symbol 19 repeats one length. Decoders differ on whether the
            // delta applies to each element's own previous length or to the
            // first one's, so the run is used only where both agree.
            while (i + run < count && lengths[i + run] == lengths[i] && previous[i + run] == previous[i]) ++run;
            while (run >= 4) {
                std::size_t take = std::min<std::size_t>(run, 5);
                items.push_back({19, 1, static_cast<std::uint8_t>(take - 4), deltaSymbol(lengths[i], previous[i])});
                run -= take;
                i += take;
            }
        }
        for (; run > 0; --run, ++i) items.push_back({deltaSymbol(lengths[i], previous[i]), 0, 0, 0});
    }
    return items;
}

std::size_t treePartBits(const std::uint8_t* lengths, const std::uint8_t* previous, std::size_t count) {
    std::vector<PretreeItem> items = pretreeItems(lengths, previous, count);
    std::vector<std::uint8_t> pretree = buildCodeLengths(pretreeFrequencies(items), kMaxPretreeCodeLength);
    std::size_t bits = 4 * kPretreeSize;
    for (const PretreeItem& item : items) {
        bits += pretree[item.symbol] + item.extraBits;
        if (item.symbol == 19) bits += pretree[item.runSymbol];
    }
    return bits;
}

void writeTreePart(BitWriter& out, const std::uint8_t* lengths, const std::uint8_t* previous, std::size_t count) {
    std::vector<PretreeItem> items = pretreeItems(lengths, previous, count);
    HuffmanCode pretree = buildHuffmanCode(pretreeFrequencies(items), kMaxPretreeCodeLength);
    for (unsigned s = 0; s < kPretreeSize; ++s) out.writeBits(pretree.lengths[s], 4);
    for (const PretreeItem& item : items) {
        out.writeBits(pretree.codes[item.symbol], pretree.lengths[item.symbol]);
        out.writeBits(item.extra, item.extraBits);
        if (item.symbol == 19) out.writeBits(pretree.codes[item.runSymbol], pretree.lengths[item.runSymbol]);
    }
}

}  // namespace lzx
}  // namespace cabinet
