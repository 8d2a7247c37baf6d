#include "tools/cabinet/lzx_e8.h"

namespace cabinet {
namespace lzx {

std::uint32_t e8TranslationSizeFor(std::uint64_t folderBytes) {
    const std::uint64_t translatedBytes = std::uint64_t(1) << 30;
    const std::uint64_t size = folderBytes < translatedBytes ? folderBytes : translatedBytes;
    return size < kE8TranslationSize ? kE8TranslationSize : static_cast<std::uint32_t>(size);
}

void translateE8(std::uint8_t* frame, std::size_t size, std::uint64_t frameStart, std::uint32_t translationSize) {
    // Decoders stop after the 32768th frame of 32 KiB.
    if (frameStart >= (std::uint64_t(1) << 30) || size <= 10) return;
    const std::int64_t fileSize = translationSize;
    for (std::size_t i = 0; i < size - 10; ++i) {
        if (frame[i] != 0xE8) continue;
        std::uint8_t* operand = frame + i + 1;
        std::int64_t relative = std::int32_t(std::uint32_t(operand[0]) | (std::uint32_t(operand[1]) << 8) |
                                             (std::uint32_t(operand[2]) << 16) | (std::uint32_t(operand[3]) << 24));
        std::int64_t current = static_cast<std::int64_t>(frameStart + i);
        if (relative >= -current && relative < fileSize) {
            std::int64_t absolute = relative < fileSize - current ? relative + current : relative - fileSize;
            std::uint32_t value = static_cast<std::uint32_t>(absolute);
            operand[0] = static_cast<std::uint8_t>(value);
            operand[1] = static_cast<std::uint8_t>(value >> 8);
            operand[2] = static_cast<std::uint8_t>(value >> 16);
            operand[3] = static_cast<std::uint8_t>(value >> 24);
        }
        i += 4;
    }
}

}  // namespace lzx
}  // namespace cabinet
