// Picks the frame compressor for a folder: store, MSZIP or LZX.
#pragma once

#include <cstdint>
#include <memory>

#include "tools/cabinet/frame_compressor.h"

namespace cabinet {

std::unique_ptr<FrameCompressor> makeFrameCompressor(Method method, int lzxWindowBits, std::uint64_t folderBytes);

}  // namespace cabinet
