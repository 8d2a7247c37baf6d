#include "tools/cabinet/lzx_parser.h"

#include <algorithm>

#include "tools/cabinet/lzx_huffman.h"

namespace cabinet {
namespace lzx {

namespace {

const std::uint32_t kInfiniteCost = 0xFFFFFFFFu;
// A symbol the current code lacks is not forbidden, only dear.
const std::uint32_t kUnusedMainCost = 13;
const std::uint32_t kUnusedLengthCost = 11;
const std::uint32_t kLiteralEdge = 0;
const std::uint32_t kExplicitEdgeBase = kNumRepeatedOffsets;
const std::uint32_t kInsertedAtMatchEnds = 32;

std::uint32_t lengthHeader(std::uint32_t length) {
    return std::min<std::uint32_t>(length - kMinMatch, kNumLengthHeaders - 1);
}

std::uint32_t matchCost(const CostModel& model, unsigned slot, std::uint32_t length) {
    std::uint32_t cost = model.main[kNumChars + slot * kNumLengthHeaders + lengthHeader(length)];
    if (length >= kLengthTreeBase) cost += model.length[length - kLengthTreeBase];
    return cost;
}

// The offset bits of an explicit offset: in an aligned-offset block the low
// three go through the aligned tree.
std::uint32_t offsetCost(const CostModel& model, std::uint32_t offset, unsigned slot) {
    const unsigned extra = extraBitsFor(slot);
    if (extra < kAlignedBits || model.aligned.empty()) return extra;
    return extra - kAlignedBits + model.aligned[(offset + kNumRepeatedOffsets - 1) & 7];
}

// The aligned tree's lengths when an aligned-offset block would be the
// cheaper for these counts, else none.
std::vector<std::uint8_t> alignedLengthsIfCheaper(const std::vector<std::uint32_t>& frequencies) {
    const std::vector<std::uint8_t> lengths = buildCodeLengths(frequencies, kMaxAlignedCodeLength);
    std::uint64_t alignedBits = kAlignedTreeSize * 3, verbatimBits = 0;
    for (std::size_t s = 0; s < kAlignedTreeSize; ++s) {
        alignedBits += std::uint64_t(frequencies[s]) * lengths[s];
        verbatimBits += std::uint64_t(frequencies[s]) * kAlignedBits;
    }
    return alignedBits < verbatimBits ? lengths : std::vector<std::uint8_t>();
}

const unsigned kArrivalLengthBits = 10;
const std::uint32_t kArrivalLengthMask = (1u << kArrivalLengthBits) - 1;
const std::uint32_t kGapArrival = 0x80000000u;

std::uint32_t arrivalLength(std::uint32_t arrival) { return arrival & kArrivalLengthMask; }
std::uint32_t arrivalEdge(std::uint32_t arrival) { return (arrival & ~kGapArrival) >> kArrivalLengthBits; }

RepeatQueue queueAfter(RepeatQueue queue, std::uint32_t edge) {
    if (edge >= kExplicitEdgeBase + 1)
        queue.useOffset(edge - kExplicitEdgeBase);
    else if (edge != kLiteralEdge)
        queue.useRepeat(edge - 1);
    return queue;
}

}  // namespace

CostModel initialCostModel(unsigned mainTreeSize) {
    CostModel model;
    model.main.assign(mainTreeSize, 0);
    for (unsigned s = 0; s < kNumChars; ++s) model.main[s] = 8;
    for (unsigned s = kNumChars; s < mainTreeSize; ++s) {
        unsigned slot = (s - kNumChars) / kNumLengthHeaders;
        model.main[s] = 7 + slot / 6 + (s - kNumChars) % kNumLengthHeaders / 2;
    }
    model.length.assign(kLengthTreeSize, 7);
    return model;
}

CostModel costModelFromLengths(const std::vector<std::uint8_t>& mainLengths, const std::vector<std::uint8_t>& lengthLengths,
                               const std::vector<std::uint8_t>& alignedLengths) {
    CostModel model;
    for (std::uint8_t l : mainLengths) model.main.push_back(l ? l : kUnusedMainCost);
    for (std::uint8_t l : lengthLengths) model.length.push_back(l ? l : kUnusedLengthCost);
    for (std::uint8_t l : alignedLengths) model.aligned.push_back(l ? l : kMaxAlignedCodeLength);
    return model;
}

FrameParser::FrameParser(int windowBits, const ParserSettings& settings, std::uint64_t streamBytes)
    : settings_(settings),
      mainTreeSize_(mainTreeSizeFor(windowBits)),
      finder_(windowBits, settings.searchDepth, settings.niceLength, streamBytes),
      queues_(kQueueRing) {}

void FrameParser::choose(const WindowView& window, std::uint32_t start, std::uint32_t size, const FrameMatches& found,
                         const CostModel& model, RepeatQueue& queue, std::vector<Item>& items, const BlockSoFar& block) {
    CostModel passModel = model;
    for (unsigned pass = 0;; ++pass) {
        cheapestPath(window, start, size, found, passModel, queue);
        items.clear();
        collectItems(window, start, size, items);
        // The first frame starts from a guessed model and gets one more pass.
        if (pass + 1 >= settings_.passes + (start == 0 ? 1 : 0)) break;
        std::vector<std::uint32_t> mainFrequencies(mainTreeSize_, 0), lengthFrequencies(kLengthTreeSize, 0),
            alignedFrequencies(kAlignedTreeSize, 0);
        if (block.main) mainFrequencies = *block.main;
        if (block.length) lengthFrequencies = *block.length;
        if (block.aligned) alignedFrequencies = *block.aligned;
        for (const Item& item : items) {
            ++mainFrequencies[item.mainSymbol];
            if (item.lengthSymbol != kNoLengthSymbol) ++lengthFrequencies[item.lengthSymbol];
            if (item.mainSymbol >= kNumChars && extraBitsFor(item.slot) >= kAlignedBits) ++alignedFrequencies[item.offsetBits & 7];
        }
        passModel = costModelFromLengths(buildCodeLengths(mainFrequencies, kMaxMainCodeLength),
                                         buildCodeLengths(lengthFrequencies, kMaxLengthCodeLength),
                                         alignedLengthsIfCheaper(alignedFrequencies));
    }
    const std::uint32_t last = nodes_[size].arrival;
    queue = queueAfter(queues_[(size - arrivalLength(last)) % kQueueRing], arrivalEdge(last));
}

void FrameParser::findMatches(const WindowView& window, std::uint32_t start, std::uint32_t size, bool shortMatches,
                              FrameMatches& found) {
    finder_.findShortMatches(shortMatches);
    // The previous frame's last positions go into the trees now that the
    // bytes after them are known.
    const std::uint32_t end = start + size;
    for (; nextToInsert_ < start; ++nextToInsert_) finder_.skip(window, nextToInsert_, end - nextToInsert_);

    std::vector<std::uint32_t>& matchStart = found.start;
    std::vector<Match>& matches = found.matches;
    matchStart.assign(size + 1, 0);
    matches.clear();
    const std::uint32_t nice = finder_.niceLength();
    std::uint32_t skipping = 0, skipped = 0;
    for (std::uint32_t i = 0; i < size; ++i) {
        matchStart[i] = static_cast<std::uint32_t>(matches.size());
        const std::uint32_t available = size - i;
        if (available > 8) {
            finder_.prefetch(window, start + i + 4);
            finder_.prefetchRoot(window, start + i + 2);
        }
        const bool insert = available >= nice;
        if (insert) nextToInsert_ = start + i + 1;
        if (skipping > 0) {
            // Inside a long match only the positions near its ends go into
            // the match finder: a later copy of the middle is found through
            // the match's source as well, and each insertion is a tree walk
            // (on PE files this saves most of the time insertions took, for
            // about 0.1% of size).
            --skipping;
            ++skipped;
            if (insert && (skipping < kInsertedAtMatchEnds || skipped <= kInsertedAtMatchEnds))
                finder_.skip(window, start + i, available);
            continue;
        }
        std::size_t count = insert ? finder_.findMatches(window, start + i, available, matches)
                                   : finder_.lookUp(window, start + i, available, matches);
        if (count > 0 && matches.back().length >= nice) {
            skipping = matches.back().length - 1;
            skipped = 0;
        }
    }
    matchStart[size] = static_cast<std::uint32_t>(matches.size());
}

void FrameParser::cheapestPath(const WindowView& window, std::uint32_t start, std::uint32_t size,
                               const FrameMatches& found, const CostModel& model, const RepeatQueue& queue) {
    fillMatchCosts(model);
    nodes_.assign(size + 1, Node{kInfiniteCost, 0});
    gapLengths_.resize(size + 1);
    nodes_[0].cost = 0;
    // A node's queue follows from its predecessor's and its edge; it is
    // worked out once the node's cheapest edge is final.
    auto relax = [this](std::uint32_t target, std::uint32_t cost, std::uint32_t edge, std::uint32_t length) {
        Node& node = nodes_[target];
        if (cost >= node.cost) return;
        node.cost = cost;
        node.arrival = (edge << kArrivalLengthBits) | length;
    };
    // Every length of one match from `shortest` on: the match symbol with
    // its length header and, from 9 on, the length-tree symbol.
    auto relaxLengths = [&](std::uint32_t from, std::uint32_t shortest, std::uint32_t longest, std::uint32_t cost,
                            unsigned slot, std::uint32_t edge) {
        const std::uint32_t* lengthCosts = matchCosts_.data() + slot * kMatchCostRow;
        for (std::uint32_t length = shortest; length <= longest; ++length)
            relax(from + length, cost + lengthCosts[length], edge, length);
    };
    const unsigned nice = settings_.niceLength;
    std::uint32_t i = 0;
    while (i < size) {
        const Node& node = nodes_[i];
        // Kept in registers, not read back from the ring: reading what was
        // just stored in pieces waits for the stores to drain.
        const RepeatQueue here =
            i == 0 ? queue
                   : queueAfter(queues_[(i - arrivalLength(node.arrival)) % kQueueRing], arrivalEdge(node.arrival));
        queues_[i % kQueueRing] = here;
        const std::uint32_t cost = node.cost;
        const std::uint32_t position = start + i;
        const std::uint8_t* current = window.at(position);
        relax(i + 1, cost + model.main[current[0]], kLiteralEdge, 1);
        const std::uint32_t available = std::min<std::uint32_t>(size - i, kMaxMatch);
        if (available < kMinMatch) {
            ++i;
            continue;
        }

        const Match* first = found.matches.data() + found.start[i];
        const Match* last = found.matches.data() + found.start[i + 1];
        // Repeated offsets; a later one equal to an earlier one adds nothing.
        std::uint32_t repeatLength[kNumRepeatedOffsets] = {0, 0, 0};
        unsigned longestRepeat = 0;
        for (unsigned k = 0; k < kNumRepeatedOffsets; ++k) {
            std::uint32_t offset = here.r[k];
            if (offset > position || (k > 0 && offset == here.r[0]) || (k == 2 && offset == here.r[1])) continue;
            const std::uint8_t* source = current - offset;
            if (current[0] != source[0] || current[1] != source[1]) continue;
            repeatLength[k] = extendMatch(current, source, kMinMatch, available);
            if (repeatLength[k] > repeatLength[longestRepeat]) longestRepeat = k;
        }
        const std::uint32_t longestExplicit = first == last ? 0 : last[-1].length;

        // A long match is taken as it is: the cost of the positions it
        // covers would hardly change the choice, and skipping them is fast.
        if (repeatLength[longestRepeat] >= nice || longestExplicit >= nice) {
            if (repeatLength[longestRepeat] >= longestExplicit) {
                std::uint32_t length = repeatLength[longestRepeat];
                relax(i + length, cost + matchCost(model, longestRepeat, length), 1 + longestRepeat, length);
                i += length;
            } else {
                std::uint32_t offset = last[-1].offset;
                unsigned slot = positionSlotOf(offset);
                relax(i + longestExplicit, cost + offsetCost(model, offset, slot) + matchCost(model, slot, longestExplicit),
                      offset + kExplicitEdgeBase, longestExplicit);
                i += longestExplicit;
            }
            continue;
        }

        // Each length is tried with the first offset that reaches it, in the
        // order R0, R1, R2, then the explicit matches (nearest first): a
        // repeated offset costs no offset bits, and a nearer offset fewer.
        std::uint32_t covered = kMinMatch - 1;
        for (unsigned k = 0; k < kNumRepeatedOffsets; ++k) {
            if (repeatLength[k] <= covered) continue;
            relaxLengths(i, covered + 1, repeatLength[k], cost, k, 1 + k);
            covered = repeatLength[k];
        }
        for (const Match* match = first; match != last; ++match) {
            if (match->length <= covered) continue;
            const std::uint32_t offset = match->offset;
            const unsigned slot = positionSlotOf(offset);
            relaxLengths(i, covered + 1, match->length, cost + offsetCost(model, offset, slot), slot,
                         offset + kExplicitEdgeBase);
            covered = match->length;
        }
        // The longest match, one byte that differs, and the same offset
        // again (at R0 by then): a common pattern in tables and code, which
        // a path that looks one edge ahead would miss.
        if (first != last) {
            const std::uint32_t length = last[-1].length, offset = last[-1].offset;
            const std::uint32_t after = length + 1;
            if (offset != here.r[0] && offset != here.r[1] && offset != here.r[2] && after + kMinMatch <= size - i) {
                const std::uint8_t* next = current + after;
                const std::uint8_t* source = next - offset;
                if (next[0] == source[0] && next[1] == source[1]) {
                    const std::uint32_t repeatLength =
                        extendMatch(next, source, 2, std::min<std::uint32_t>(size - i - after, kMaxMatch));
                    const unsigned slot = positionSlotOf(offset);
                    const std::uint32_t gapCost = cost + offsetCost(model, offset, slot) + matchCost(model, slot, length) +
                                                  model.main[current[length]] + matchCost(model, 0, repeatLength);
                    Node& target = nodes_[i + after + repeatLength];
                    if (gapCost < target.cost) {
                        target.cost = gapCost;
                        target.arrival =
                            kGapArrival | ((offset + kExplicitEdgeBase) << kArrivalLengthBits) | (after + repeatLength);
                        gapLengths_[i + after + repeatLength] = static_cast<std::uint16_t>(length);
                    }
                }
            }
        }
        ++i;
    }
}

void FrameParser::fillMatchCosts(const CostModel& model) {
    const unsigned slots = (mainTreeSize_ - kNumChars) / kNumLengthHeaders;
    matchCosts_.assign(slots * kMatchCostRow, 0);
    for (unsigned slot = 0; slot < slots; ++slot)
        for (std::uint32_t length = kMinMatch; length <= kMaxMatch; ++length)
            matchCosts_[slot * kMatchCostRow + length] = matchCost(model, slot, length);
}

void FrameParser::collectItems(const WindowView& window, std::uint32_t start, std::uint32_t size,
                               std::vector<Item>& items) {
    std::uint32_t i = size;
    while (i > 0) {
        const std::uint32_t arrival = nodes_[i].arrival;
        const std::uint32_t length = arrivalLength(arrival), edge = arrivalEdge(arrival);
        const std::uint32_t gap = arrival & kGapArrival ? gapLengths_[i] : 0;
        i -= length;
        if (gap != 0) {
            const std::uint32_t offset = edge - kExplicitEdgeBase;
            const unsigned slot = positionSlotOf(offset);
            items.push_back(matchItem(length - gap - 1, 0, 0));
            items.push_back(literalItem(*window.at(start + i + gap)));
            items.push_back(matchItem(gap, slot, offset + kNumRepeatedOffsets - 1 - positionBase(slot)));
        } else if (edge == kLiteralEdge) {
            items.push_back(literalItem(*window.at(start + i)));
        } else if (edge < kExplicitEdgeBase + 1) {
            items.push_back(matchItem(length, edge - 1, 0));
        } else {
            std::uint32_t offset = edge - kExplicitEdgeBase;
            unsigned slot = positionSlotOf(offset);
            items.push_back(matchItem(length, slot, offset + kNumRepeatedOffsets - 1 - positionBase(slot)));
        }
    }
    std::reverse(items.begin(), items.end());
}

}  // namespace lzx
}  // namespace cabinet
