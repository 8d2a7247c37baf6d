// A 64-bit millisecond count kept from a 32-bit one that wraps to 0 every
// 49.7 days (GetTickCount): a reading below the low half of the last count
// means the counter wrapped since, so the high half steps on. A wrap goes
// unseen only when nothing reads the count for 49.7 days.
#pragma once

#include <cstdint>

namespace platform {

constexpr std::uint64_t extendTickCount(std::uint64_t last, std::uint32_t now) {
    const std::uint64_t high = (last & ~std::uint64_t(0xFFFFFFFFu)) +
                               (now < std::uint32_t(last) ? std::uint64_t(1) << 32 : 0);
    return high | now;
}

}  // namespace platform
