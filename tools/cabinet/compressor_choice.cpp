#include "tools/cabinet/compressor_choice.h"

namespace cabinet {

std::unique_ptr<FrameCompressor> makeFrameCompressor(Method method, int lzxWindowBits, std::uint64_t folderBytes) {
    switch (method) {
    case Method::None: return makeStoreCompressor();
    case Method::Mszip: return makeMszipCompressor();
    case Method::Lzx: return makeLzxCompressor(lzxWindowBits, folderBytes);
    }
    return makeStoreCompressor();
}

}  // namespace cabinet
