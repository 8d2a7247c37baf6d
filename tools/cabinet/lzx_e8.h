// Intel E8 call translation: before compression, the 32-bit operand of each
// 0xE8 byte (x86 CALL) is turned from a relative into an absolute target, so
// calls to one function repeat the same bytes. Decoders undo it per frame.
#pragma once

#include <cstddef>
#include <cstdint>

namespace cabinet {
namespace lzx {

// The translation size the stream header announces.
const std::uint32_t kE8TranslationSize = 12000000;

// Translates one frame in place. frameStart is the frame's offset in the
// folder's stream. Only frames in the first 2^30 bytes and longer than 10
// bytes are translated, and no call starts in a frame's last 10 bytes.
void TranslateE8(std::uint8_t* frame, std::size_t size, std::uint64_t frameStart, std::uint32_t translationSize);

}  // namespace lzx
}  // namespace cabinet
