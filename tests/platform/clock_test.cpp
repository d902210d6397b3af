#include "platform/clock.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(SeededRandom, FollowsTheClassicSequence) {
  CSeededRandom random(1);
  // The first values of the C run time's rand() after srand(1).
  EXPECT_EQ(random.Next(), 41);
  EXPECT_EQ(random.Next(), 18467);
  EXPECT_EQ(random.Next(), 6334);
  random.Seed(1);
  EXPECT_EQ(random.Next(), 41);
}

TEST(ManualClock, MovesOnlyWhenTold) {
  CManualClock clock(0xFFFFFFF0u);
  EXPECT_EQ(clock.TickCount(), 0xFFFFFFF0u);
  clock.Advance(0x20);
  EXPECT_EQ(clock.TickCount(), 0x10u);  // wraps like a tick count
}

}  // namespace
}  // namespace tarn
