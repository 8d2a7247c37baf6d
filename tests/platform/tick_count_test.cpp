#include <gtest/gtest.h>

#include "platform/tick_count.h"

using platform::extendTickCount;

TEST(TickCount, CountsOnAcrossTheWrapOfTheThirtyTwoBitCounter) {
    EXPECT_EQ(extendTickCount(0, 5), 5u);
    EXPECT_EQ(extendTickCount(5, 5), 5u);
    EXPECT_EQ(extendTickCount(0xFFFFFFF0u, 0xFFFFFFFFu), 0xFFFFFFFFu);
    // 0xFFFFFFF0 then 0x10: 32 ms later, past the wrap.
    EXPECT_EQ(extendTickCount(0xFFFFFFF0u, 0x10), 0x100000010u);
    EXPECT_EQ(extendTickCount(0x100000010u, 0x20), 0x100000020u);
    // A second wrap steps the high half on again.
    EXPECT_EQ(extendTickCount(0x1FFFFFFFEu, 1), 0x200000001u);
}
