#include "platform/large_pages.h"

namespace platform {

// Windows gives large pages only to VirtualAlloc(MEM_LARGE_PAGES) under the
// "Lock pages in memory" privilege, which a packaging tool's user does not
// have; ordinary memory takes no hint.
void preferLargePages(void*, std::size_t) {}

}  // namespace platform
