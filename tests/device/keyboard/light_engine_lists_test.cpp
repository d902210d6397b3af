// The user effect sequence and the per-key effect list.
#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace tarn::keyboard::testing {
namespace {

using light::kColourWheel;

LightEffectStep Effect(uint8_t type, uint32_t time, uint8_t r = 1, uint8_t g = 2, uint8_t b = 3, uint8_t multi = 0,
                       uint8_t dir = 0, uint8_t speed = 4, uint8_t bright = 4) {
  LightEffectStep e;
  e.regMode = type;
  e.brightness = bright;
  e.speed = speed;
  e.direction = dir;
  e.multiColor = multi;
  e.red = r;
  e.green = g;
  e.blue = b;
  e.time = time;
  return e;
}

LightListEntry Key(uint8_t type, uint8_t speed = 4, uint8_t bright = 4, uint8_t multi = 0, uint8_t present = 1) {
  LightListEntry e;
  e.regMode = type;
  e.speed = speed;
  e.brightness = bright;
  e.multiColor = multi;
  e.red = 9;
  e.green = 8;
  e.blue = 7;
  e.present = present;
  return e;
}

TEST_F(EngineTest, EmptySequenceTurnsEverythingOff) {
  Apply(State(4));
  Step();
  ASSERT_NE(Led(3).alpha, 0);
  for (uint8_t mode : {0, 19, 31, 200}) {
    Apply(State(4));
    Step();
    Apply(State(mode));
    Passes(1);
    for (unsigned led = 0; led < kLedCount; ++led) ASSERT_EQ(Led(led), LightColor{}) << int(mode);
  }
}

TEST_F(EngineTest, SequenceStepsDrawAtTheirPaceAndAdvanceOnTime) {
  Apply(State(0), {}, {}, {Effect(1, 100, 1, 2, 3), Effect(1, 100, 4, 5, 6)});
  Passes(6);
  EXPECT_EQ(Led(0), LightColor{});  // static draws when its count K[4] = 7 is reached
  Passes(1);
  EXPECT_EQ(Led(0), (LightColor{1, 2, 3, 255}));
  clock.Advance(101);
  Passes(1);  // more than Time has passed: the next step begins
  Passes(7);
  EXPECT_EQ(Led(0), (LightColor{4, 5, 6, 255}));
  clock.Advance(101);
  Passes(1);
  Passes(7);
  EXPECT_EQ(Led(0), (LightColor{1, 2, 3, 255}));  // wraps to the first step
}

TEST_F(EngineTest, SequenceStepTypes) {
  // Colour cycle: every pass with speed 4 (P[0][4] = 1).
  Apply(State(0), {}, {}, {Effect(5, 100000, 0, 0, 0, 0, 0, 4, 2)});
  Passes(3);
  EXPECT_EQ(Led(50), At(kColourWheel[3], 135));

  // Wave with the wheel, forwards: q = 1, start 2, LED j at W[2 + 12j].
  Apply(State(19), {}, {}, {Effect(4, 100000, 0, 0, 0, 1, 0)});
  Passes(7);
  EXPECT_EQ(Led(0), At(kColourWheel[2], 255));
  EXPECT_EQ(Led(1), At(kColourWheel[14], 255));
  EXPECT_EQ(Led(16), At(kColourWheel[2], 255));
  // Backwards: start (256 - 1 - 64) = 191.
  Apply(State(0), {}, {}, {Effect(4, 100000, 0, 0, 0, 1, 1)});
  Passes(7);
  EXPECT_EQ(Led(0).red, kColourWheel[(191 + 0) % 192].r);
  EXPECT_EQ(Led(1), At(kColourWheel[11], 255));

  // Breathing with the wheel shows W[0].
  Apply(State(31), {}, {}, {Effect(0, 100000, 0, 0, 0, 1)});
  Passes(7 * 64);
  EXPECT_EQ(Led(0), At(kColourWheel[0], 254));

  // Blink at the keyboard's speed (7 x 200 ms): off until the first toggle.
  Apply(State(0, 4, 4), {}, {}, {Effect(2, 100000, 0, 0, 0, 1)});
  Passes(1);
  EXPECT_EQ(Led(0), LightColor{});
  clock.Advance(1400);
  Passes(1);  // q = 2 here: (2 + 78) >= 64 gives blink hue 16
  EXPECT_EQ(Led(0), At(kColourWheel[16], 255));
}

TEST_F(EngineTest, PerKeyEffectsOverrideTheMode) {
  std::vector<LightListEntry> list(12, Key(9, 4, 4, 0, 0));  // type 9: no per-key effect
  list[5] = Key(1, 4, 2);           // static
  list[6] = Key(4);                 // dark
  list[7] = Key(2, 4, 4, 1);        // blink, own period 1400 ms
  list[8] = Key(3);                 // colour cycle
  list[9] = Key(0);                 // breathing
  list[10] = Key(0, 4, 4, 0, 0);    // breathing but not present: nothing
  Apply(State(6, 3), {}, list);
  Step();
  EXPECT_EQ(Led(5), (LightColor{9, 8, 7, 135}));
  EXPECT_EQ(Led(6), LightColor{});
  EXPECT_EQ(Led(7), LightColor{});
  EXPECT_EQ(Led(9), (LightColor{9, 8, 7, 7}));  // breath 8: B[8] x 255 >> 8
  EXPECT_EQ(Led(10), (LightColor{10, 20, 30, 195}));
  EXPECT_EQ(Led(11), (LightColor{10, 20, 30, 195}));
  Step(6);
  EXPECT_EQ(Led(8), At(kColourWheel[1], 255));  // counter reached K[4] = 7
  Step(9);                                        // breath reaches 128: back to 0
  EXPECT_EQ(Led(9).alpha, 0);
  clock.Advance(1400);
  Step();
  EXPECT_EQ(Led(7), At(kColourWheel[14], 255));
}

TEST_F(EngineTest, PerKeyListReloadRestartsItsState) {
  Apply(State(6), {}, {Key(3)});
  Step(7);
  EXPECT_EQ(Led(0), At(kColourWheel[1], 255));
  Apply(State(6), {}, {Key(3)});
  Step();
  EXPECT_EQ(Led(0), At(kColourWheel[0], 255));
  Apply(State(6), {}, {});
  Step();
  EXPECT_EQ(Led(0), (LightColor{10, 20, 30, 255}));
}

}  // namespace
}  // namespace tarn::keyboard::testing

namespace tarn::keyboard::testing {
namespace {

// Settings come from profile files and the keyboard: any byte may arrive in
// any field. Every combination must stay inside the tables (checked by the
// sanitizer build) and keep brightness within the scale.
TEST_F(EngineTest, AnySettingBytesStayInsideTheTables) {
  CSeededRandom bytes(99);
  auto byte = [&] { return static_cast<uint8_t>(bytes.Next() & 0xFF); };
  for (int round = 0; round < 400; ++round) {
    LightState s = State(static_cast<uint8_t>(round % 3 == 0 ? byte() : round % 33), byte(), byte(), byte(), byte(),
                         byte(), byte(), byte());
    s.zzccLedMode = byte();
    s.customGroup = byte();
    AudioLightState audio;
    audio.audioMode = static_cast<uint8_t>(byte() % 9);
    audio.sevenColorFlags = byte();
    std::vector<LightListEntry> list(static_cast<std::size_t>(byte() % 200));
    for (LightListEntry& e : list) {
      e.regMode = byte() % 6;
      e.brightness = byte();
      e.speed = byte();
      e.multiColor = byte();
      e.present = byte() % 2;
    }
    std::vector<LightEffectStep> effects(static_cast<std::size_t>(byte() % 4));
    for (LightEffectStep& e : effects) {
      e.regMode = byte() % 7;
      e.brightness = byte();
      e.speed = byte();
      e.direction = byte();
      e.multiColor = byte();
      e.time = byte();
    }
    if (round % 2) {
      Apply(s, audio, list, effects);
    } else {
      engine.SetLightState(s);
      engine.SetAudioLightState(audio);
    }
    engine.SeedRipple(byte(), 1);
    engine.SetKeyMark(byte(), byte());
    for (int i = 0; i < 20; ++i) {
      clock.Advance(byte() * 10u);
      uint32_t ticks = byte();
      engine.Pass(ticks);
    }
  }
  // And the engine still draws correctly afterwards.
  Apply(State(17, 2));
  Step();
  for (unsigned led = 0; led < kLedCount; ++led) ASSERT_EQ(Led(led), At(kColourWheel[174], 135)) << led;
}

}  // namespace
}  // namespace tarn::keyboard::testing
