#include "device/keyboard/light_frame.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine_fixture.h"

namespace tarn::keyboard {
namespace {

KeyLedMap EmptyMap() {
  KeyLedMap map;
  map.fill(kNoSlot);
  return map;
}

TEST(LightFrame, ScalesEachLedIntoItsSlot) {
  light::LedSnapshot leds{};
  leds[0] = {255, 128, 10, 128};
  leds[5] = {100, 100, 100, 255};
  leds[7] = {255, 255, 255, 255};
  leds[9] = {50, 60, 70, 0};
  KeyLedMap map = EmptyMap();
  map[0] = 2;
  map[5] = 0;
  map[7] = 200;  // beyond the key count: left out
  map[9] = 1;
  const std::vector<uint8_t> frame = BuildLightFrame(leds, map, 104);
  ASSERT_EQ(frame.size(), 312u);
  const std::vector<uint8_t> head(frame.begin(), frame.begin() + 9);
  EXPECT_EQ(head, (std::vector<uint8_t>{99, 99, 99, 0, 0, 0, 127, 64, 5}));
  EXPECT_TRUE(std::all_of(frame.begin() + 9, frame.end(), [](uint8_t b) { return b == 0; }));

  const std::vector<uint8_t> table = BuildCustomLightTable(leds, map, 104, false);
  const std::vector<uint8_t> raw(table.begin(), table.begin() + 9);
  EXPECT_EQ(raw, (std::vector<uint8_t>{100, 100, 100, 50, 60, 70, 255, 128, 10}));

  EXPECT_EQ(BuildLightFrame(leds, map, 300).size(), 510u);  // at most 170 slots
  EXPECT_TRUE(BuildLightFrame(leds, map, 0).empty());
}

TEST(LightFrame, ButtonTintStaysOnScreen) {
  EXPECT_EQ(PaintLightButton({1, 2, 3, 77}, true), (LightButtonPaint{253u + 249u * 256u + 221u * 65536u, 77}));
  EXPECT_EQ(PaintLightButton({1, 2, 3, 77}, false), LightButtonPaint{});

  // Painting the buttons leaves the engine's colours, and so the frame, alone.
  CManualClock clock;
  CSeededRandom random;
  CKeyboardLightEngine engine(clock, random);
  LightState s;
  s.selectItem = 6;
  s.light = 4;
  s.red = 40;
  s.green = 80;
  s.blue = 120;
  engine.ApplyProfile(s, {}, {}, {});
  uint32_t ticks = 100;
  engine.Pass(ticks);
  for (unsigned i = 0; i < kLedCount; ++i) PaintLightButton(engine.Leds().Get(i), true);
  KeyLedMap map = EmptyMap();
  map[3] = 0;
  const std::vector<uint8_t> frame = BuildLightFrame(engine.Leds().Snapshot(), map, 1);
  EXPECT_EQ(frame, (std::vector<uint8_t>{39, 79, 119}));
}

TEST(LightFrame, OnlyHostModesOnACableSendFrames) {
  struct Case {
    uint8_t mode;
    bool receiver;
    bool sends;
  } cases[] = {{29, false, true}, {30, false, true}, {29, true, false}, {30, true, false},
               {28, false, false}, {0, false, false}, {4, false, false}};
  for (const auto& c : cases) EXPECT_EQ(SendsLightFrame(c.mode, c.receiver), c.sends) << int(c.mode) << c.receiver;
  // Behind the receiver the screen refreshes every 500 ms and no frame goes out.
  EXPECT_EQ(LightRefreshIntervalMs(true), 500);
  EXPECT_EQ(LightRefreshIntervalMs(false), 5);
}

}  // namespace
}  // namespace tarn::keyboard
