// Chooses the literals and matches of one frame: the cheapest path through
// the frame under a model of symbol costs (a shortest-path search over the
// matches found at every position, tracking the repeated offsets along the
// path), repeated with costs from the previous pass's result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/cabinet/lzx_match_finder.h"
#include "tools/cabinet/lzx_symbols.h"

namespace cabinet {
namespace lzx {

// Bits per main-tree and length-tree symbol, and per aligned-tree symbol
// when the block is to be an aligned-offset one (empty otherwise: offset
// bits are then sent as they are).
struct CostModel {
    std::vector<std::uint32_t> main;
    std::vector<std::uint32_t> length;
    std::vector<std::uint32_t> aligned;
};

// A guess for the first frame, when no code exists yet.
CostModel initialCostModel(unsigned mainTreeSize);
CostModel costModelFromLengths(const std::vector<std::uint8_t>& mainLengths, const std::vector<std::uint8_t>& lengthLengths,
                               const std::vector<std::uint8_t>& alignedLengths = {});

struct ParserSettings {
    unsigned searchDepth;
    unsigned niceLength;
    unsigned passes;  // shortest-path searches per frame, each with the costs the last one found
};

// Symbol counts of the frames already in the block a frame is to join:
// later passes price symbols by codes over them and the frame.
struct BlockSoFar {
    const std::vector<std::uint32_t>* main = nullptr;
    const std::vector<std::uint32_t>* length = nullptr;
    const std::vector<std::uint32_t>* aligned = nullptr;
};

// The matches found at each position of one frame, nearest of each length,
// lengths increasing: those of position i are matches[start[i]] up to
// matches[start[i + 1]].
struct FrameMatches {
    std::vector<std::uint32_t> start;
    std::vector<Match> matches;
};

// Parsing is two steps: finding each position's matches, which depends on
// nothing but the bytes, and choosing among them, which depends on the
// costs and repeated offsets the frames before left. The first step of one
// frame may run on another thread while the second step works on the frame
// before it: they share no state.
class FrameParser {
public:
    // streamBytes: the length of the whole stream (see MatchFinder).
    FrameParser(int windowBits, const ParserSettings& settings, std::uint64_t streamBytes);

    // The first step: the matches of the frame [start, start + size) of the
    // stream. Frames go through it in stream order, each once; `window` must
    // hold the frame before as well. shortMatches: off where the data
    // lately did not compress (see MatchFinder).
    void findMatches(const WindowView& window, std::uint32_t start, std::uint32_t size, bool shortMatches,
                     FrameMatches& found);
    // The second step: the items of a frame whose matches `found` holds;
    // `queue` goes from the queue at the frame's start to the one at its
    // end.
    void choose(const WindowView& window, std::uint32_t start, std::uint32_t size, const FrameMatches& found,
                const CostModel& model, RepeatQueue& queue, std::vector<Item>& items,
                const BlockSoFar& block = BlockSoFar());

private:
    // Eight bytes, so that a frame's nodes stay in the second-level cache.
    struct Node {
        std::uint32_t cost;
        // The cheapest edge that ends here: its length in the low 10 bits,
        // above them 0 for a literal, 1..3 for R0..R2, else offset + 3; the
        // top bit marks an edge of three items (a match, one literal and a
        // match at R0, the same offset), whose first match's length is in
        // gapLengths_.
        std::uint32_t arrival;
    };
    // The queues of the latest nodes, by position modulo the ring's size:
    // an edge reaches back at most two matches and a literal.
    static const std::uint32_t kQueueRing = 1024;

    void cheapestPath(const WindowView& window, std::uint32_t start, std::uint32_t size, const FrameMatches& found,
                      const CostModel& model, const RepeatQueue& queue);
    // The cost of each match symbol with its length-tree symbol, by slot and
    // length, for the model of the pass.
    void fillMatchCosts(const CostModel& model);
    void collectItems(const WindowView& window, std::uint32_t start, std::uint32_t size, std::vector<Item>& items);

    ParserSettings settings_;
    unsigned mainTreeSize_;
    // The first step's state.
    MatchFinder finder_;
    std::uint32_t nextToInsert_ = 0;  // positions before it are in the match finder
    // The second step's.
    std::vector<Node> nodes_;
    std::vector<std::uint16_t> gapLengths_;
    static const std::uint32_t kMatchCostRow = kMaxMatch + 1;
    std::vector<std::uint32_t> matchCosts_;
    std::vector<RepeatQueue> queues_;
};

}  // namespace lzx
}  // namespace cabinet
