#include "tools/cabinet/compressor_choice.h"

#include "platform/error.h"

namespace cabinet {

bool lzxAvailable() {
#ifdef TOLVANE_HAVE_LZX
    return true;
#else
    return false;
#endif
}

std::unique_ptr<FrameCompressor> makeFrameCompressor(Method method, int lzxWindowBits, std::uint64_t folderBytes) {
    switch (method) {
    case Method::None: return MakeStoreCompressor();
    case Method::Mszip: return MakeMszipCompressor();
    case Method::Lzx:
#ifdef TOLVANE_HAVE_LZX
        return MakeLzxCompressor(lzxWindowBits, folderBytes);
#else
        (void)lzxWindowBits;
        (void)folderBytes;
        throw platform::Error(platform::ErrorKind::BadInput,
                              "This build of makecab has no LZX compressor; use CompressionType=MSZIP.");
#endif
    }
    return MakeStoreCompressor();
}

}  // namespace cabinet
