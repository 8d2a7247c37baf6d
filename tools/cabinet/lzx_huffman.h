// Length-limited canonical Huffman codes as LZX decoders build them: every
// code is complete (Kraft sum exactly 1), so a tree with fewer than two used
// symbols gets dummy symbols.
#pragma once

#include <cstdint>
#include <vector>

namespace cabinet {
namespace lzx {

struct HuffmanCode {
    std::vector<std::uint8_t> lengths;  // 0 for an unused symbol
    std::vector<std::uint16_t> codes;   // sent high bit first, lengths[s] bits
};

// Code lengths of at most maxLength bits for the given symbol frequencies.
std::vector<std::uint8_t> buildCodeLengths(const std::vector<std::uint32_t>& frequencies, unsigned maxLength);

// Canonical codewords for code lengths: shorter codes first, then by symbol.
std::vector<std::uint16_t> canonicalCodes(const std::vector<std::uint8_t>& lengths);

inline HuffmanCode buildHuffmanCode(const std::vector<std::uint32_t>& frequencies, unsigned maxLength) {
    HuffmanCode code;
    code.lengths = buildCodeLengths(frequencies, maxLength);
    code.codes = canonicalCodes(code.lengths);
    return code;
}

}  // namespace lzx
}  // namespace cabinet
