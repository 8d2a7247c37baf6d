#include "platform/large_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace platform {

void preferLargePages(void* data, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
    // Transparent huge pages of 2 MiB; only the ones wholly inside count.
    const std::uintptr_t kHugePage = std::uintptr_t(1) << 21;
    const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(data) + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kHugePage - 1);
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

}  // namespace platform
