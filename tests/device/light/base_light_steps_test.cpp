#include "device/light/base_light_steps.h"

#include <gtest/gtest.h>

#include "device/light/light_tables.h"

namespace tarn::light {
namespace {

LightState State(uint8_t light, uint8_t speed, uint8_t fx, uint8_t multi) {
  LightState s;
  s.light = light;
  s.speed = speed;
  s.fx = fx;
  s.multiColor = multi;
  s.red = 1;
  s.green = 2;
  s.blue = 3;
  return s;
}

LightColor At(Rgb c, uint8_t a) { return LightColor{c.r, c.g, c.b, a}; }

TEST(BaseLightSteps, WriteOnlyTheDevicesLeds) {
  // A device with 15 LEDs: entries beyond them keep what they had.
  CLedColours leds;
  leds.Set(15, {9, 9, 9, 9});
  uint8_t phase = 0;
  StepColourCycle(leds, 15, State(4, 0, 0, 1), phase);  // backwards from 0: 191
  EXPECT_EQ(phase, 191);
  EXPECT_EQ(leds.Get(14), At(kColourWheel[191], 255));
  EXPECT_EQ(leds.Get(15), (LightColor{9, 9, 9, 9}));
  StepStaticColour(leds, 15, State(1, 0, 0, 0));
  EXPECT_EQ(leds.Get(0), (LightColor{1, 2, 3, 80}));
  StepLightsOff(leds, 500);  // a count above the table is cut
  EXPECT_EQ(leds.Get(15), LightColor{});
}

TEST(BaseLightSteps, FourColourBlinkWalksThePalette) {
  CLedColours leds;
  uint8_t phase = 0, on = 0;
  uint32_t last = 0;
  const LightState s = State(4, 0, 1, 0);  // K[0] = 28: 5600 ms
  std::vector<Rgb> seen;
  for (uint32_t now = 5600; now <= 5600 * 8; now += 5600) {
    StepBlink(leds, 3, s, phase, on, last, now, true);
    if (on) {
      seen.push_back({leds.Get(2).red, leds.Get(2).green, leds.Get(2).blue});
    } else {
      EXPECT_EQ(leds.Get(2), LightColor{});
    }
  }
  EXPECT_EQ(seen, (std::vector<Rgb>{kFourColours[1], kFourColours[3], kFourColours[1], kFourColours[3]}));
}

TEST(BaseLightSteps, FourColourBreathingChangesColourAtTheBottom) {
  CLedColours leds;
  uint8_t phase = 127, colour = 3;
  StepFourColourBreathing(leds, 1, State(4, 0, 1, 0), phase, colour);
  EXPECT_EQ(phase, 0);
  EXPECT_EQ(colour, 0);
  EXPECT_EQ(leds.Get(0), At(kFourColours[0], 0));
  for (int i = 0; i < 63; ++i) StepFourColourBreathing(leds, 1, State(4, 0, 1, 0), phase, colour);
  EXPECT_EQ(leds.Get(0), At(kFourColours[0], 254));  // B[63] = 255
}

}  // namespace
}  // namespace tarn::light
