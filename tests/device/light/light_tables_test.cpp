#include "device/light/light_tables.h"

#include <gtest/gtest.h>

namespace tarn::light {
namespace {

TEST(LightTables, ColourWheelSegmentsFollowTheRamps) {
  // One sample per segment plus the seams between segments.
  struct Case {
    unsigned hue;
    Rgb colour;
  } cases[] = {
      {0, {255, 1, 0}},     {31, {255, 255, 0}},  {32, {248, 255, 0}},  {63, {0, 255, 0}},
      {64, {0, 255, 1}},    {70, {0, 255, 18}},   {95, {0, 255, 255}},  {96, {0, 248, 255}},
      {127, {0, 0, 255}},   {128, {1, 0, 255}},   {159, {255, 0, 255}}, {160, {255, 0, 248}},
      {191, {255, 0, 0}},   {192, {255, 1, 0}},   {255, {0, 255, 0}},   {174, {255, 0, 85}},
  };
  for (const auto& c : cases) EXPECT_EQ(kColourWheel[c.hue], c.colour) << "hue " << c.hue;
  for (unsigned k = 0; k < 64; ++k) EXPECT_EQ(kColourWheel[192 + k], kColourWheel[k]);
}

TEST(LightTables, CurvesHaveTheirShape) {
  EXPECT_EQ(kBrightness, (std::array<uint8_t, 5>{0, 80, 135, 195, 255}));
  EXPECT_EQ(kBlinkPeriod, (std::array<uint8_t, 5>{28, 23, 18, 13, 7}));
  // Breathing: up over 64 steps, the mirror back down.
  EXPECT_EQ(kBreath[0], 0);
  EXPECT_EQ(kBreath[10], 10);
  EXPECT_EQ(kBreath[11], 12);
  EXPECT_EQ(kBreath[63], 255);
  for (unsigned k = 0; k < 64; ++k) EXPECT_EQ(kBreath[64 + k], kBreath[63 - k]);
  for (unsigned k = 1; k < 64; ++k) EXPECT_GT(kBreath[k], kBreath[k - 1]);
  // Wave: 22 up to 255 and back to 22.
  EXPECT_EQ(kWave[0], 22);
  EXPECT_EQ(kWave[47], 255);
  EXPECT_EQ(kWave[48], 255);
  EXPECT_EQ(kWave[95], 22);
  // Twinkle: flash at 24, tail to 1 at 87, dark after.
  EXPECT_EQ(kTwinkle[0], 0);
  EXPECT_EQ(kTwinkle[24], 255);
  EXPECT_EQ(kTwinkle[25], 248);
  EXPECT_EQ(kTwinkle[86], 2);
  EXPECT_EQ(kTwinkle[87], 1);
  for (unsigned k = 88; k < 192; ++k) EXPECT_EQ(kTwinkle[k], 0);
  EXPECT_EQ(kFourColours[0], (Rgb{0, 255, 180}));
  EXPECT_EQ(kFourColours[3], (Rgb{255, 0, 0}));
}

TEST(LightTables, LookupsStayInsideTheTables) {
  EXPECT_EQ(BrightnessOf(0), 0);
  EXPECT_EQ(BrightnessOf(4), 255);
  EXPECT_EQ(BrightnessOf(200), 255);
  EXPECT_EQ(BlinkPeriodOf(2), 18);
  EXPECT_EQ(BlinkPeriodOf(99), 7);
}

}  // namespace
}  // namespace tarn::light
