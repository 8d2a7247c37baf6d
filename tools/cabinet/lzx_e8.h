// Intel E8 call translation: before compression, the 32-bit operand of each
// 0xE8 byte (x86 CALL) is turned from a relative into an absolute target, so
// calls to one function repeat the same bytes. Decoders undo it per frame.
#pragma once

#include <cstddef>
#include <cstdint>

namespace cabinet {
namespace lzx {

// The smallest translation size the stream header announces: the value
// Microsoft's encoders use for WIM, and enough for one large executable.
const std::uint32_t kE8TranslationSize = 12000000;

// The translation size for a folder: calls are made absolute only while
// position + relative target stays below it, so it must cover the whole
// folder (decoders take it as signed 32 bits; they stop translating at 1 GiB).
std::uint32_t e8TranslationSizeFor(std::uint64_t folderBytes);

// Translates one frame in place. frameStart is the frame's offset in the
// folder's stream. Only frames in the first 2^30 bytes and longer than 10
// bytes are translated, and no call starts in a frame's last 10 bytes.
void translateE8(std::uint8_t* frame, std::size_t size, std::uint64_t frameStart, std::uint32_t translationSize);

}  // namespace lzx
}  // namespace cabinet
