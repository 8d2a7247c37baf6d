// The folder's typeCompress field: the method in the low four bits and, for
// LZX, the window's exponent in bits 8 to 12 (window 21 gives 0x1503).
#include "tools/cabinet/frame_compressor.h"

namespace cabinet {

std::uint16_t compressionTypeField(Method method, int lzxWindowBits) {
    switch (method) {
    case Method::None: return 0;
    case Method::Mszip: return 1;
    case Method::Lzx: return static_cast<std::uint16_t>(3 | (lzxWindowBits << 8));
    }
    return 0;
}

}  // namespace cabinet
