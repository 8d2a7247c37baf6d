// Finds earlier occurrences of the bytes at a position: binary trees over
// 4-byte hashes (one tree per hash value, the most recent position at the
// root), plus the latest position of each 2-byte value and of each 3-byte
// hash. Reports the nearest match of each length, lengths increasing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace cabinet {
namespace lzx {

// How many bytes from `length` on agree, up to `limit`; eight at a time
// where all eight lie within the limit.
inline std::uint32_t extendMatch(const std::uint8_t* a, const std::uint8_t* b, std::uint32_t length,
                                 std::uint32_t limit) {
    while (length + 8 <= limit) {
        std::uint64_t x, y;
        std::memcpy(&x, a + length, 8);
        std::memcpy(&y, b + length, 8);
        if (x != y) return length + (__builtin_ctzll(x ^ y) >> 3);  // little-endian machines only
        length += 8;
    }
    while (length < limit && a[length] == b[length]) ++length;
    return length;
}

struct Match {
    std::uint32_t length;
    std::uint32_t offset;
};

// The bytes of the stream around the position being compressed:
// bytes[p - base] is the byte at stream position p.
struct WindowView {
    const std::uint8_t* bytes;
    std::uint32_t base;
    const std::uint8_t* at(std::uint32_t position) const { return bytes + (position - base); }
};

class MatchFinder {
public:
    // searchDepth bounds the tree nodes visited; a match of niceLength ends
    // the search. streamBytes, the length of the whole stream, sizes the
    // links: a stream shorter than the window needs links for its own
    // positions only.
    MatchFinder(int windowBits, unsigned searchDepth, unsigned niceLength, std::uint64_t streamBytes);

    // Matches at `position`, no longer than `available` bytes (the frame's
    // end), appended to `out`; returns the number appended. Inserts the
    // position.
    std::size_t findMatches(const WindowView& window, std::uint32_t position, std::uint32_t available,
                            std::vector<Match>& out);

    // Matches as findMatches finds them, leaving the trees as they are: for
    // positions whose bytes after the frame's end are not known yet, since
    // a node inserted with a shortened comparison would break the order of
    // its tree.
    std::size_t lookUp(const WindowView& window, std::uint32_t position, std::uint32_t available,
                       std::vector<Match>& out);

    // Inserts the position without reporting matches.
    void skip(const WindowView& window, std::uint32_t position, std::uint32_t available);

    // Asks the memory system early for the table slots `position` will read
    // (the tables are far larger than the caches).
    void prefetch(const WindowView& window, std::uint32_t position) const;
    // The same for the first tree node `position` will visit: its links and
    // bytes, the two misses that most walks begin with. Its root slot should
    // have been asked for with prefetch() a few positions before.
    void prefetchRoot(const WindowView& window, std::uint32_t position) const;

    unsigned niceLength() const { return niceLength_; }

    // Matches of 2 and 3 bytes cost two table look-ups per position and
    // rarely pay in data that did not compress; off, only the trees (4 bytes
    // and more) are searched and the short tables are left as they are.
    void findShortMatches(bool on) { shortMatches_ = on; }

private:
    template <bool kReport, bool kInsert>
    std::size_t advance(const WindowView& window, std::uint32_t position, std::uint32_t available,
                        std::vector<Match>* out);

    // Positions this far apart share a link slot: the window, or for a
    // stream shorter than the window more than its length, so no two
    // positions within reach of each other do. A walk trusts the bytes its
    // tree has already compared, so a stream longer than announced would
    // give wrong matches: the compressor refuses one.
    std::uint32_t linkMask_;
    std::uint32_t maxOffset_;
    unsigned searchDepth_;
    unsigned niceLength_;
    bool shortMatches_ = true;
    std::vector<std::uint32_t> head2_;
    std::vector<std::uint32_t> head3_;
    std::vector<std::uint32_t> head4_;      // tree roots
    std::vector<std::uint32_t> children_;  // two per position, cyclic over the window
};

}  // namespace lzx
}  // namespace cabinet
