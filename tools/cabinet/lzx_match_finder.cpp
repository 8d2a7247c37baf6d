#include "tools/cabinet/lzx_match_finder.h"

#include <algorithm>

#include "platform/large_pages.h"
#include "tools/cabinet/lzx_constants.h"

namespace cabinet {
namespace lzx {

namespace {

const std::uint32_t kNone = 0xFFFFFFFFu;
const unsigned kHash3Bits = 16;
const unsigned kHash4Bits = 18;

std::uint32_t hash3(const std::uint8_t* p) {
    std::uint32_t v = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16);
    return (v * 0x9E3779B1u) >> (32 - kHash3Bits);
}

std::uint32_t hash4(const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return (v * 0x9E3779B1u) >> (32 - kHash4Bits);
}

std::uint32_t key2(const std::uint8_t* p) { return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8); }

// Link slots for a stream of this length: one per window position, or fewer
// for a shorter stream. Small folders are common, and every slot is a page
// the system has to clear and map.
int linkBitsFor(int windowBits, std::uint64_t streamBytes) {
    int bits = windowBits;
    while (bits > kMinWindowBits && (std::uint64_t(1) << (bits - 1)) >= streamBytes) --bits;
    return bits;
}

}  // namespace

MatchFinder::MatchFinder(int windowBits, unsigned searchDepth, unsigned niceLength, std::uint64_t streamBytes)
    : linkMask_((std::uint32_t(1) << linkBitsFor(windowBits, streamBytes)) - 1),
      maxOffset_(maxMatchOffset(windowBits)),
      searchDepth_(searchDepth),
      niceLength_(std::min(niceLength, kMaxMatch)),
      head2_(std::size_t(1) << 16, kNone),
      head3_(std::size_t(1) << kHash3Bits, kNone),
      head4_(std::size_t(1) << kHash4Bits, kNone) {
    // Two links per slot (16 MiB for the largest window), read
    // at random: with large pages a tree walk misses the address cache far
    // less often (a tenth less time on PE files).
    const std::size_t links = 2 * (std::size_t(linkMask_) + 1);
    children_.reserve(links);
    platform::preferLargePages(children_.data(), links * sizeof(std::uint32_t));
    children_.assign(links, kNone);
}

std::size_t MatchFinder::findMatches(const WindowView& window, std::uint32_t position, std::uint32_t available,
                                     std::vector<Match>& out) {
    return advance<true, true>(window, position, available, &out);
}

std::size_t MatchFinder::lookUp(const WindowView& window, std::uint32_t position, std::uint32_t available,
                                std::vector<Match>& out) {
    return advance<true, false>(window, position, available, &out);
}

void MatchFinder::skip(const WindowView& window, std::uint32_t position, std::uint32_t available) {
    advance<false, true>(window, position, available, nullptr);
}

void MatchFinder::prefetch(const WindowView& window, std::uint32_t position) const {
    const std::uint8_t* p = window.at(position);
    if (shortMatches_) __builtin_prefetch(&head3_[hash3(p)]);
    __builtin_prefetch(&head4_[hash4(p)]);
}

void MatchFinder::prefetchRoot(const WindowView& window, std::uint32_t position) const {
    const std::uint32_t root = head4_[hash4(window.at(position))];
    if (root == kNone) return;
    __builtin_prefetch(&children_[2 * (root & linkMask_)]);
    __builtin_prefetch(window.at(root));
}

template <bool kReport, bool kInsert>
std::size_t MatchFinder::advance(const WindowView& window, std::uint32_t position, std::uint32_t available,
                                 std::vector<Match>* out) {
    if (available < 3) return 0;  // too close to the frame's end to hash; never a match worth a tree node
    const std::uint8_t* current = window.at(position);
    const std::uint32_t maxLength = std::min<std::uint32_t>(available, kMaxMatch);
    std::size_t reported = 0;
    std::uint32_t bestLength = 1;

    // The latest position with the same 2 bytes and with the same 3-byte
    // hash give the nearest short matches. Where the trees are searched
    // too, 3 bytes are enough: a candidate that agrees in 4 has the same
    // 4-byte hash and is the latest in its tree, so the walk meets it.
    const std::uint32_t headLimit = available >= 4 ? 3 : maxLength;
    auto reportHead = [&](std::uint32_t& head) {
        const std::uint32_t candidate = head;
        if (kInsert) head = position;
        if (!kReport || candidate == kNone || position - candidate > maxOffset_) return;
        const std::uint32_t length = extendMatch(current, window.at(candidate), 0, headLimit);
        if (length <= bestLength) return;
        bestLength = length;
        out->push_back({length, position - candidate});
        ++reported;
    };
    if (shortMatches_) {
        reportHead(head2_[key2(current)]);
        reportHead(head3_[hash3(current)]);
    }
    if (available < 4) return reported;

    const std::uint32_t limit = std::min(maxLength, niceLength_);
    std::uint32_t& root = head4_[hash4(current)];
    std::uint32_t candidate = root;
    if (kInsert) root = position;

    // The new position becomes the root; the old tree is split into the
    // positions whose bytes sort below it (left) and above it (right). A
    // look-up walks the same way but writes into scratch links.
    std::uint32_t scratch[2];
    std::uint32_t* left = kInsert ? &children_[2 * (position & linkMask_)] : &scratch[0];
    std::uint32_t* right = left + 1;
    std::uint32_t leftLength = 0, rightLength = 0;
    unsigned depth = searchDepth_;
    for (;;) {
        if (candidate == kNone || position - candidate > maxOffset_ || depth-- == 0) {
            *left = *right = kNone;
            break;
        }
        std::uint32_t* pair = &children_[2 * (candidate & linkMask_)];
        const std::uint8_t* earlier = window.at(candidate);
        std::uint32_t length = std::min(leftLength, rightLength);
        if (earlier[length] == current[length]) {
            length = extendMatch(earlier, current, length + 1, limit);
            if (length > bestLength) {
                bestLength = length;
                if (kReport) {
                    out->push_back({length, position - candidate});
                    ++reported;
                }
            }
            if (length >= limit) {
                // Equal for the whole compared length: the new node takes
                // the candidate's place and its subtrees.
                *left = pair[0];
                *right = pair[1];
                break;
            }
        }
        if (earlier[length] < current[length]) {
            *left = candidate;
            left = kInsert ? pair + 1 : &scratch[0];
            candidate = pair[1];
            leftLength = length;
        } else {
            *right = candidate;
            right = kInsert ? pair : &scratch[1];
            candidate = pair[0];
            rightLength = length;
        }
    }

    // The tree compares only up to niceLength; a match that reached it may
    // run on to the frame's end or the longest match.
    if (kReport && reported > 0 && out->back().length == limit && limit < maxLength) {
        Match& longest = out->back();
        const std::uint8_t* earlier = current - longest.offset;
        longest.length = extendMatch(earlier, current, longest.length, maxLength);
    }
    return reported;
}

}  // namespace lzx
}  // namespace cabinet
