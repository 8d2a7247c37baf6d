// Large tables read at random (the LZX match finder's trees and window)
// spend much of their time translating addresses when small pages back
// them; the system can back them with large pages instead, if asked before
// the memory is first touched.
#pragma once

#include <cstddef>

namespace platform {

// A hint, never an error: [data, data + bytes) is allocated but not yet
// touched, and the whole large pages inside it may be large pages. Does
// nothing where ordinary memory takes no such hint.
void preferLargePages(void* data, std::size_t bytes);

}  // namespace platform
