#include "device/light/light_clock.h"

#include <gtest/gtest.h>

namespace tarn::light {
namespace {

TEST(LightClock, MovesSixtyFourTimesASecond) {
  struct Case {
    uint32_t ms, clock, toNext;
  } cases[] = {
      {0, 0, 16},    {1, 0, 15},     {15, 0, 1},       {16, 15, 16},  // 1/64 s = 15.625 ms
      {31, 15, 1},   {32, 31, 15},   {1000, 1000, 16}, {999, 984, 1},
      {0xFFFFFFFFu, 4294967281u, 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LightClockOf(c.ms), c.clock) << c.ms;
    EXPECT_EQ(MsToNextLightTick(c.ms), c.toNext) << c.ms;
    if (c.ms < 0xFFFF0000u) {
      EXPECT_EQ(LightClockOf(c.ms + c.toNext - 1), c.clock) << c.ms;
      EXPECT_GT(LightClockOf(c.ms + c.toNext), c.clock) << c.ms;
    }
  }
  // One second of milliseconds moves the clock 64 times.
  int moves = 0;
  for (uint32_t ms = 1; ms <= 1000; ++ms) moves += LightClockOf(ms) != LightClockOf(ms - 1);
  EXPECT_EQ(moves, 64);
}

TEST(LightPacer, CountsTicksOnlyWhenTheClockMovesOnByMoreThanOneMs) {
  struct Case {
    uint32_t now;
    bool work;
    uint32_t ticks;
  } cases[] = {
      {100, false, 0},  // unchanged: no work
      {101, true, 0},   // moved by 1: work, no tick
      {101, false, 0},  {102, true, 1},  // 2 since the last tick
      {103, true, 1},   {120, true, 2},  // a long gap is still one tick
      {120, false, 2},  {122, true, 3},
  };
  CLightPacer pacer(100);
  for (const auto& c : cases) {
    EXPECT_EQ(pacer.OnPass(c.now), c.work) << c.now;
    EXPECT_EQ(pacer.Ticks(), c.ticks) << c.now;
  }
}

}  // namespace
}  // namespace tarn::light
