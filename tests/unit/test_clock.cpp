// The fixed-step clock: frame x step, and a wrap past 2^32 ms like the real count.
#include "platform/clock.h"

#include <gtest/gtest.h>

namespace test_clock {

TEST(FixedStepClock, ReadsFrameTimesStepAndWrapsPastThirtyTwoBits)
{
    clockUseFixedStep(20.0f);
    clockSetFrame(3);
    EXPECT_EQ(clockMilliseconds(), 60u);
    // 71,600 frames of the longest step pass 2^32 ms: the count wraps instead of overflowing.
    clockUseFixedStep(60000.0f);
    clockSetFrame(71600);
    EXPECT_EQ(clockMilliseconds(), (uint32_t)(71600ull * 60000ull));
    clockUseFixedStep(0.0f);
    clockSetFrame(0);
}

}  // namespace test_clock
