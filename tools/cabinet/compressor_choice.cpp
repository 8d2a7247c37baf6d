#include "tools/cabinet/compressor_choice.h"

namespace cabinet {

std::unique_ptr<FrameCompressor> makeFrameCompressor(Method method, int lzxWindowBits, std::uint64_t folderBytes) {
    switch (method) {
    case Method::None: return MakeStoreCompressor();
    case Method::Mszip: return MakeMszipCompressor();
    case Method::Lzx: return MakeLzxCompressor(lzxWindowBits, folderBytes);
    }
    return MakeStoreCompressor();
}

}  // namespace cabinet
