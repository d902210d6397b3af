// Mode steps, entry steps and custom colours of the keyboard lighting engine.
#include <gtest/gtest.h>

#include "device/light/light_steps.h"
#include "engine_fixture.h"

namespace tarn::keyboard::testing {
namespace {

using light::kColourWheel;
using light::Rgb;

TEST_F(EngineTest, LightZeroDarkensEveryMode) {
  const int32_t loud[25] = {2000, 1500, 900, 2000, 2000, 100, 2000, 2000, 2000, 2000, 2000, 2000, 2000,
                            2000, 2000, 2000, 2000, 2000, 2000, 2000, 2000, 2000, 2000, 2000, 2000};
  const int32_t colour[6] = {255, 200, 100, 0, 0, 0};
  for (uint8_t mode = 1; mode <= 30; ++mode) {
    if (mode == 19) continue;  // the user sequence has its own brightness
    for (uint8_t multi : {0, 1}) {
      for (uint8_t audioMode = 0; audioMode <= (mode == 29 ? 6 : 0); ++audioMode) {
        AudioLightState audio;
        audio.audioMode = audioMode;
        audio.bkColorR = 90;
        audio.fgColorG = 200;
        Apply(State(20));
        Apply(State(mode, 0, 4, 1, multi), audio);
        engine.SeedRipple(51, 1);
        engine.SetKeyMark(40, 1);
        for (int i = 0; i < 6; ++i) {
          engine.OnAudioSpectrum(loud, 25);
          engine.OnAudioLevels(colour, 6);
          clock.Advance(3000);
          Step();
        }
        for (unsigned led = 0; led < kLedCount; ++led)
          ASSERT_EQ(Led(led).alpha, 0) << "mode " << int(mode) << " multi " << int(multi) << " audio "
                                       << int(audioMode) << " led " << led;
      }
    }
  }
}

TEST_F(EngineTest, FixedColourFollowsTheChipMode) {
  struct Case {
    uint8_t zzcc;
    Rgb colour;
  } cases[] = {{1, kColourWheel[25]}, {2, {0, 255, 18}}, {3, kColourWheel[95]}, {0, kColourWheel[174]}};
  for (const auto& c : cases) {
    LightState s = State(17, 2);
    s.zzccLedMode = c.zzcc;
    Apply(s);
    Step();
    for (unsigned led = 0; led < kLedCount; ++led) ASSERT_EQ(Led(led), At(c.colour, 135)) << int(c.zzcc);
  }
}

TEST_F(EngineTest, WavesMoveAcrossColumnsAndPaths) {
  // Column wave, multicolour, forwards: p = 1, column c at W[2 + 7c].
  Apply(State(1, 4, 4, 1, 1));
  Step();
  EXPECT_EQ(Led(120), At(kColourWheel[2], 255));  // column 0
  EXPECT_EQ(Led(105), At(kColourWheel[9], 255));  // column 1
  EXPECT_EQ(Led(131), At(kColourWheel[156], 255));  // column 22
  Step();
  EXPECT_EQ(Led(120), At(kColourWheel[3], 255));

  // Single colour, backwards: p wraps to 95, k = 0 for column 0, 7 for column 1.
  Apply(State(1, 4, 4, 0, 0, 100, 50, 25));
  Step();
  EXPECT_EQ(Led(124), At({100, 50, 25}, 21));  // V[0] = 22
  EXPECT_EQ(Led(21), At({100, 50, 25}, 41));   // V[7] = 42

  // Path wave in one colour moves too: O[0] = LED 15 brightens step by step.
  Apply(State(3, 4, 4, 1, 0));
  Step();
  EXPECT_EQ(Led(15).alpha, 23);  // V[1] = 24
  Step();
  EXPECT_EQ(Led(15).alpha, 26);  // V[2] = 27
}

TEST_F(EngineTest, WholeKeyboardEffects) {
  // Breathing reaches the top of the curve after 64 steps.
  Apply(State(5, 4, 4, 1, 1));
  Step(64);
  EXPECT_EQ(Led(1), At(kColourWheel[21], 254));  // column 3
  EXPECT_EQ(Led(120), At(kColourWheel[0], 254));

  // Four-colour breathing moves to the next colour when the phase wraps.
  Apply(State(26, 4, 4, 1));
  Step();
  EXPECT_EQ(Led(0), At({0, 255, 180}, 0));  // B[1] = 1
  Step(127);
  EXPECT_EQ(Led(0), At({0, 255, 0}, 0));

  // Colour cycle: every LED W[p].
  Apply(State(4, 3, 4, 1));
  Step(3);
  for (unsigned led = 0; led < kLedCount; ++led) ASSERT_EQ(Led(led), At(kColourWheel[3], 195));
}

TEST_F(EngineTest, BlinkTogglesOnTheClock) {
  Apply(State(23, 4, 4, 1, 1));  // period 7 x 200 ms
  Step();
  EXPECT_EQ(Led(10), LightColor{});  // 1000 ms since the start: still off
  clock.Advance(400);
  Step();
  EXPECT_EQ(Led(10), At(kColourWheel[16], 255));
  clock.Advance(1399);
  Step();
  EXPECT_EQ(Led(10), At(kColourWheel[16], 255));
  clock.Advance(1);
  Step();
  EXPECT_EQ(Led(10), LightColor{});

  Apply(State(27, 4, 4, 1));
  clock.Advance(1400);
  Step();
  EXPECT_EQ(Led(10), At({0, 255, 0}, 255));  // F[1]
}

TEST_F(EngineTest, EntryStepsPrepareTheirModes) {
  // Hue spread for most modes: 33 (i + 1) modulo 192.
  Apply(State(4));
  EXPECT_EQ(engine.LedHue(0), 33);
  EXPECT_EQ(engine.LedHue(5), 6);
  // Fast twinkle: start levels by column and row, hue 7c.
  Apply(State(15));
  EXPECT_EQ(engine.LedLevel(105), 72);   // column 0, row 6: L[6]
  EXPECT_EQ(engine.LedLevel(0), 100);    // column 2, row 1: L[13]
  EXPECT_EQ(engine.LedHue(0), 14);
  Step();
  EXPECT_EQ(engine.LedLevel(105), 74);
  EXPECT_EQ(Led(105).alpha, light::Scale8(255, light::kTwinkle[74]));
  // Twinkle: counters from the column's start value; LED 30 starts at 7.
  Apply(State(22, 4, 4, 1, 1));
  Step();
  EXPECT_EQ(Led(30), At(kColourWheel[70], 76));  // C[8] = 77, hue 7 x 10
  // Ripple modes start with their seed.
  Apply(State(16));
  EXPECT_TRUE(engine.RipplePlanes().CellSet(1, 0));
  Apply(State(13));
  EXPECT_TRUE(engine.RipplePlanes().ColumnBits(9) & 64);
}

TEST_F(EngineTest, SameModeKeepsEffectStateButModeChangeResets) {
  Apply(State(8));
  engine.SeedRipple(51, 1);
  Step();
  EXPECT_EQ(engine.LedLevel(51), 215);
  Apply(State(8, 2));  // same mode: levels stay
  EXPECT_EQ(engine.LedLevel(51), 215);
  Apply(State(9));
  EXPECT_EQ(engine.LedLevel(51), 0);
  EXPECT_EQ(engine.RipplePlanes().ColumnBits(10), 0);
}

TEST_F(EngineTest, RippleSpreadsFromItsSeed) {
  Apply(State(8));
  engine.SeedRipple(51, 1);
  Step();
  EXPECT_EQ(engine.LedLevel(51), 215);
  EXPECT_EQ(Led(51), At({10, 20, 30}, 214));
  EXPECT_EQ(engine.LedHue(51), 187);  // spread hue 180, + 7
  Step();
  EXPECT_EQ(engine.LedLevel(51), 175);
  for (unsigned led : {50u, 30u, 52u, 72u}) EXPECT_EQ(engine.LedLevel(led), 215) << led;
  EXPECT_EQ(engine.LedLevel(29), 0);
}

TEST_F(EngineTest, SparklesFromTheSeededSequence) {
  // rand() from seed 1: 41, 18467, 6334, 26500, 19169 ... The first pick is
  // Z[41] = 21, O[21] = LED 106 with hue 18467 % 192 = 35; the second lands
  // on a gap of O; the third is Z[84] = 59, O[59] = LED 85 with hue 161.
  Apply(State(10, 4, 4, 1, 1));
  Step();
  EXPECT_EQ(engine.LedLevel(106), 215);
  EXPECT_EQ(engine.LedHue(106), 35);
  EXPECT_EQ(engine.LedLevel(85), 215);
  EXPECT_EQ(Led(85), At(kColourWheel[161], 214));
}

TEST_F(EngineTest, SnakeRestartsAndTurns) {
  Apply(State(21, 4, 4, 1));
  Step();
  EXPECT_EQ(engine.LedLevel(0), 214);  // 254 then one fade
  Step(171);                           // p passes 169 on step 171 and restarts
  EXPECT_EQ(engine.LedLevel(1), 0);
  EXPECT_EQ(engine.Phase(), 1);
  Step();
  EXPECT_EQ(engine.LedLevel(1), 214);
  EXPECT_EQ(engine.Phase(), 2);

  // Backwards from the start the snake continues at the path's last entry.
  Apply(State(20));
  Apply(State(21, 4, 4, 0));
  Step();
  EXPECT_EQ(engine.Phase(), 169);
  Step();
  EXPECT_EQ(engine.Phase(), 168);
}

TEST_F(EngineTest, RainSweepsItsRows) {
  Apply(State(24, 4, 4, 1));
  Step();
  for (unsigned led : {51u, 0u, 1u}) {
    EXPECT_EQ(engine.LedLevel(led), 250) << led;
    EXPECT_EQ(engine.LedHue(led), 3) << led;
    EXPECT_EQ(Led(led), At({10, 20, 30}, 249)) << led;
  }
  EXPECT_EQ(Led(27).alpha, 0);
  Step(51);  // phase 52 wraps to row 0
  EXPECT_EQ(engine.LedLevel(25), 250);
}

TEST_F(EngineTest, KeyGlowFollowsTheMarks) {
  Apply(State(7));
  engine.SetKeyMark(40, 1);
  Step(3);
  EXPECT_EQ(engine.LedLevel(40), 45);
  EXPECT_EQ(Led(40).alpha, 44);
  engine.SetKeyMark(40, 2);
  Step();
  EXPECT_EQ(engine.LedLevel(40), 40);
  Step(10);
  EXPECT_EQ(engine.LedLevel(40), 0);
}

TEST_F(EngineTest, ScriptedShowRunsItsStagesAndStartsAgain) {
  Apply(State(14));
  Step();
  EXPECT_EQ(engine.LedLevel(120), 215);  // script row 0: column 0
  EXPECT_EQ(engine.LedLevel(21), 0);
  Step();
  EXPECT_EQ(engine.LedLevel(131), 215);  // script row 1: column 22
  // The stages follow one another and the show starts again at stage 0.
  std::vector<int> stages{engine.RippleStage()};
  for (int i = 0; i < 1000 && stages.size() < 6; ++i) {
    Step();
    if (engine.RippleStage() != stages.back()) stages.push_back(engine.RippleStage());
  }
  EXPECT_EQ(stages, (std::vector<int>{0, 1, 2, 3, 4, 0}));
  Step();
  EXPECT_EQ(engine.LedLevel(120), 215);
}

TEST_F(EngineTest, CustomColoursComeFromTheProfileGroup) {
  LightState s = State(28, 2);
  s.customGroup = 2;
  Apply(s);
  ASSERT_EQ(host.requestedGroups, std::vector<unsigned>{2});
  EXPECT_EQ(Led(9), (LightColor{9, 2, 7, 255}));
  ASSERT_EQ(host.tables.size(), 1u);
  EXPECT_TRUE(host.tablesScaled[0]);
  Step();
  EXPECT_EQ(Led(9), (LightColor{9, 2, 7, 135}));
  Apply(s);  // re-selecting mode 28 reloads
  EXPECT_EQ(host.requestedGroups.size(), 2u);

  host.panelGroup = 1;
  engine.FillCustomColours(true);
  EXPECT_EQ(Led(9), (LightColor{10, 20, 30, 255}));
  EXPECT_EQ(host.storedGroup, 1);
  ASSERT_EQ(host.stored.size(), kLedCount);
  EXPECT_EQ(host.stored[9], (LightColor{10, 20, 30, 255}));
  engine.FillCustomColours(false);
  EXPECT_EQ(Led(9), (LightColor{0, 0, 0, 255}));

  engine.SetKeyColour(9);
  EXPECT_EQ(Led(9), (LightColor{10, 20, 30, 255}));
  EXPECT_FALSE(host.tablesScaled.back());

  engine.SetCustomGroup(3);
  EXPECT_EQ(host.shownGroup, 3);
  EXPECT_EQ(host.storedCustomGroup, 3);
  EXPECT_EQ(engine.GetLightState().customGroup, 3);
  host.profileGroup = 4;
  engine.LoadProfileCustomColours();
  EXPECT_EQ(host.shownGroup, 4);
  EXPECT_EQ(Led(9), (LightColor{9, 4, 7, 255}));
}

TEST_F(EngineTest, KeyColourOnlyInCustomMode) {
  Apply(State(4));
  const std::size_t sent = host.tables.size();
  engine.SetKeyColour(9);
  engine.FillCustomColours(true);
  EXPECT_EQ(host.tables.size(), sent);  // no custom table outside mode 28
  Apply(State(28));
  engine.SetKeyColour(kLedCount);  // not an LED: ignored
  EXPECT_EQ(host.tables.size(), sent + 1);
}

}  // namespace
}  // namespace tarn::keyboard::testing
