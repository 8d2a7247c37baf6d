#include "tools/cabinet/lzx_huffman.h"

#include <algorithm>
#include <numeric>

namespace cabinet {
namespace lzx {

namespace {

// Depth of each leaf in an unrestricted Huffman tree; leaves are given in
// ascending frequency order (two-queue construction).
std::vector<unsigned> huffmanDepths(const std::vector<std::uint32_t>& sortedFrequencies) {
    const std::size_t leaves = sortedFrequencies.size();
    std::vector<std::uint64_t> weight(2 * leaves - 1);
    std::vector<std::size_t> parent(2 * leaves - 1, 0);
    for (std::size_t i = 0; i < leaves; ++i) weight[i] = sortedFrequencies[i];
    std::size_t nextLeaf = 0, nextInner = leaves, made = leaves;
    auto takeSmallest = [&]() {
        if (nextLeaf < leaves && (nextInner >= made || weight[nextLeaf] <= weight[nextInner])) return nextLeaf++;
        return nextInner++;
    };
    while (made < 2 * leaves - 1) {
        std::size_t a = takeSmallest();
        std::size_t b = takeSmallest();
        weight[made] = weight[a] + weight[b];
        parent[a] = parent[b] = made;
        ++made;
    }
    // Parents always come after their children, so walk downwards from the root.
    std::vector<unsigned> depth(2 * leaves - 1, 0);
    for (std::size_t node = 2 * leaves - 2; node-- > 0;) depth[node] = depth[parent[node]] + 1;
    depth.resize(leaves);
    return depth;
}

}  // namespace

std::vector<std::uint8_t> buildCodeLengths(const std::vector<std::uint32_t>& frequencies, unsigned maxLength) {
    std::vector<std::uint8_t> lengths(frequencies.size(), 0);
    std::vector<unsigned> used;
    for (unsigned s = 0; s < frequencies.size(); ++s)
        if (frequencies[s] != 0) used.push_back(s);
    // Decoders refuse a code that is not complete: one used symbol still
    // needs a partner.
    for (unsigned s = 0; used.size() < 2 && s < frequencies.size(); ++s)
        if (std::find(used.begin(), used.end(), s) == used.end()) used.push_back(s);
    if (used.size() < 2) return lengths;

    std::stable_sort(used.begin(), used.end(),
                     [&](unsigned a, unsigned b) { return frequencies[a] < frequencies[b]; });
    std::vector<std::uint32_t> sorted;
    for (unsigned s : used) sorted.push_back(frequencies[s]);
    std::vector<unsigned> depth = huffmanDepths(sorted);

    // Count codes per length with overlong ones clamped, then restore
    // Kraft's sum to exactly 2^maxLength units.
    std::vector<std::uint64_t> count(maxLength + 1, 0);
    for (unsigned d : depth) ++count[std::min(d, maxLength)];
    const std::uint64_t target = std::uint64_t(1) << maxLength;
    std::uint64_t kraft = 0;
    for (unsigned l = 1; l <= maxLength; ++l) kraft += count[l] << (maxLength - l);
    while (kraft > target) {
        unsigned l = maxLength - 1;
        while (count[l] == 0) --l;
        --count[l];
        ++count[l + 1];
        kraft -= std::uint64_t(1) << (maxLength - l - 1);
    }
    while (kraft < target) {
        std::uint64_t deficit = target - kraft;
        unsigned l = maxLength;
        while (count[l] == 0 || (std::uint64_t(1) << (maxLength - l)) > deficit) --l;
        --count[l];
        ++count[l - 1];
        kraft += std::uint64_t(1) << (maxLength - l);
    }
    // The rarest symbols take the longest codes.
    std::size_t next = 0;
    for (unsigned l = maxLength; l >= 1; --l)
        for (std::uint64_t i = 0; i < count[l]; ++i) lengths[used[next++]] = static_cast<std::uint8_t>(l);
    return lengths;
}

std::vector<std::uint16_t> canonicalCodes(const std::vector<std::uint8_t>& lengths) {
    unsigned maxLength = 0;
    for (std::uint8_t l : lengths) maxLength = std::max<unsigned>(maxLength, l);
    std::vector<unsigned> count(maxLength + 2, 0);
    for (std::uint8_t l : lengths)
        if (l) ++count[l];
    std::vector<std::uint32_t> next(maxLength + 2, 0);
    std::uint32_t code = 0;
    for (unsigned l = 1; l <= maxLength; ++l) {
        code = (code + count[l - 1]) << 1;
        next[l] = code;
    }
    std::vector<std::uint16_t> codes(lengths.size(), 0);
    for (std::size_t s = 0; s < lengths.size(); ++s)
        if (lengths[s]) codes[s] = static_cast<std::uint16_t>(next[lengths[s]]++);
    return codes;
}

}  // namespace lzx
}  // namespace cabinet
