// Picks the frame compressor for a folder. LZX is there only in builds that
// carry the LZX encoder (TOLVANE_HAVE_LZX); elsewhere asking for it is an
// error that says so.
#pragma once

#include <cstdint>
#include <memory>

#include "tools/cabinet/frame_compressor.h"

namespace cabinet {

bool lzxAvailable();
// Throws platform::Error(BadInput) when the method is not built in.
std::unique_ptr<FrameCompressor> makeFrameCompressor(Method method, int lzxWindowBits, std::uint64_t folderBytes);

}  // namespace cabinet
