#include "device/light/light_steps.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarn::light {
namespace {

TEST(StepPhase, MovesAndWraps) {
  struct Case {
    uint8_t dir, period, p, n, expected;
  } cases[] = {
      {0, 192, 0, 1, 191},  // backwards below 0 wraps to period - n
      {1, 96, 95, 1, 0},    // forwards at the period wraps to 0
      {1, 192, 10, 1, 11},  {0, 192, 10, 1, 9},   {1, 25, 24, 1, 0},  {0, 25, 0, 1, 24},
      {0, 192, 5, 9, 183},  // a wider step backwards
      {1, 192, 190, 9, 0},  {7, 128, 3, 1, 4},    // any non-zero direction goes forwards
  };
  for (const auto& c : cases)
    EXPECT_EQ(StepPhase(c.dir, c.period, c.p, c.n), c.expected)
        << int(c.dir) << " " << int(c.period) << " " << int(c.p) << " " << int(c.n);
}

std::vector<int> FadeRun(int style, uint8_t start, int steps) {
  std::vector<int> out;
  uint8_t c = start;
  for (int i = 0; i < steps; ++i) {
    c = FadeLevel(c, style);
    out.push_back(c);
  }
  return out;
}

TEST(FadeLed, StyleZeroFromFull) {
  EXPECT_EQ(FadeRun(0, 255, 12), (std::vector<int>{215, 175, 135, 95, 65, 35, 20, 12, 11, 10, 9, 8}));
  uint8_t c = 12;
  for (int i = 0; i < 12; ++i) c = FadeLevel(c, 0);
  EXPECT_EQ(c, 0);
  EXPECT_EQ(FadeLevel(0, 0), 0);
}

TEST(FadeLed, StylesDiffer) {
  // Style 29 has finer bands; the other styles drop 10 in the 0x20 band.
  EXPECT_EQ(FadeRun(29, 255, 10), (std::vector<int>{210, 165, 120, 85, 60, 50, 40, 30, 25, 20}));
  EXPECT_EQ(FadeRun(8, 255, 9), (std::vector<int>{215, 175, 135, 95, 65, 35, 25, 17, 9}));
  EXPECT_EQ(FadeLevel(17, 29), 12);
  EXPECT_EQ(FadeLevel(16, 29), 15);
  for (int style : {0, 8, 9, 29}) {
    // Every style reaches 0 from any level and never wraps below it.
    for (int start = 0; start < 256; ++start) {
      uint8_t c = static_cast<uint8_t>(start);
      for (int i = 0; i < 300 && c != 0; ++i) {
        const uint8_t next = FadeLevel(c, style);
        ASSERT_LT(next, c) << style << " " << start;
        c = next;
      }
      EXPECT_EQ(c, 0);
    }
  }
}

TEST(FadeLed, OnlyTouchesValidIndex) {
  uint8_t levels[3] = {255, 255, 255};
  FadeLed(levels, 3, 1, 0);
  FadeLed(levels, 3, 3, 0);
  FadeLed(nullptr, 3, 0, 0);
  EXPECT_EQ(levels[0], 255);
  EXPECT_EQ(levels[1], 215);
  EXPECT_EQ(levels[2], 255);
}

TEST(LightSteps, ByteHelpers) {
  EXPECT_EQ(AddWrap(190, 7, 192), 5);
  EXPECT_EQ(AddWrap(90, 7, 96), 1);
  EXPECT_EQ(AddWrap(10, 7, 96), 17);
  EXPECT_EQ(Scale8(255, 255), 254);
  EXPECT_EQ(Scale8(135, 100), 52);
}

}  // namespace
}  // namespace tarn::light
