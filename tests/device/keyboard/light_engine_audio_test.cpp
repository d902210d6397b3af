// Sound-driven modes: the audio inputs, their arithmetic and the visualisers.
#include <gtest/gtest.h>

#include <climits>

#include "engine_fixture.h"

namespace tarn::keyboard::testing {
namespace {

using light::kColourWheel;

class AudioTest : public EngineTest {
 protected:
  void Audio(uint8_t audioMode, uint8_t seven = 0) {
    AudioLightState a;
    a.audioMode = audioMode;
    a.bkColorR = 1;
    a.bkColorG = 2;
    a.bkColorB = 3;
    a.fgColorR = 200;
    a.fgColorG = 100;
    a.fgColorB = 50;
    a.sevenColorFlags = seven;
    Apply(State(20));
    Apply(State(29, 4, 4, 1), a);
  }
  void Spectrum(int32_t v) {
    std::array<int32_t, 500> values{};
    values.fill(v);
    engine.OnAudioSpectrum(values.data(), 500);
  }
  static LightColor Fg(uint8_t a) { return LightColor{200, 100, 50, a}; }
  static constexpr LightColor kBg{1, 2, 3, 255};
};

TEST_F(AudioTest, SilenceDrawsNoBars) {
  // v = 0 gives x = 600: bars of height 7 in mode 0, bars ending before
  // column 0 in mode 5; every LED shows the background.
  for (uint8_t mode : {0, 5}) {
    Audio(mode);
    Spectrum(0);
    Step();
    for (const auto& column : kColumnMatrix)
      for (uint8_t led : column)
        if (led != kNoLed) {
          ASSERT_EQ(Led(led), kBg) << int(mode) << " " << int(led);
        }
  }
}

TEST_F(AudioTest, LoudBarsRiseAndAreDrawnOnce) {
  Audio(0, 1);
  Spectrum(2000);  // x = 0: height 1, rows 1-5 inside
  Step();
  EXPECT_EQ(Led(0), kBg);                                      // column 2, row 0
  EXPECT_EQ(Led(22), At(kColourWheel[21], 254));               // column 2, row 1: hue p + 20
  EXPECT_EQ(engine.LedLevel(22), 255);
  Step();  // the same values are not drawn twice: the bar fades
  EXPECT_EQ(engine.LedLevel(22), 210);
  EXPECT_EQ(Led(22).alpha, 209);

  Audio(1);
  Spectrum(2000);  // h = 2 for both bars of every row
  Step();
  EXPECT_EQ(Led(120), kBg);      // column 0 lies left of the left bar
  EXPECT_EQ(Led(22), Fg(254));   // column 2 inside
  EXPECT_EQ(Led(38), Fg(254));   // column 19 inside
  EXPECT_EQ(Led(39), kBg);       // column 20 beyond the right bar

  Audio(6);
  // Bands of 2, 2, 3, 4, 5 and 5 levels; each band's sum / 3 = 2000 gives
  // x = 0 and e = 0: every row fully inside. (Louder is capped to x = 500.)
  std::array<int32_t, 25> bands{};
  const unsigned widths[6] = {2, 2, 3, 4, 5, 5};
  for (unsigned b = 0, at = 0; b < 6; ++b)
    for (unsigned k = 0; k < widths[b]; ++k) bands[at++] = 6000 / static_cast<int32_t>(widths[b]);
  engine.OnAudioSpectrum(bands.data(), 25);
  Step();
  for (const auto& column : kColumnMatrix)
    for (uint8_t led : column)
      if (led != kNoLed) {
        ASSERT_EQ(Led(led), Fg(254)) << int(led);
      }

  Audio(4);
  Spectrum(2000);  // the drop lands in row 1 of each column
  Step();
  EXPECT_EQ(engine.LedLevel(22), 255);
  EXPECT_EQ(engine.LedLevel(43), 0);
}

TEST_F(AudioTest, RingsFollowTheLoudness) {
  Audio(3);
  Spectrum(0);  // m = 600, limit 20: no ring inside, the phase moves 20
  Step();
  EXPECT_EQ(engine.Phase(), 20);
  EXPECT_EQ(engine.LedLevel(51), 0);
  Audio(3);
  Spectrum(2000);  // m = 0, limit 0: every ring inside
  Step();
  EXPECT_EQ(Led(51), At(kColourWheel[9], 254));
  EXPECT_EQ(Led(118), At(kColourWheel[108], 254));
}

TEST_F(AudioTest, RipplesAreSeededByTheRunningTotal) {
  Audio(2);
  Spectrum(2000);  // each loud set adds 25
  Spectrum(2000);
  EXPECT_EQ(engine.RipplePlanes().ColumnBits(10), 0);
  Spectrum(2000);  // 75 >= 71: a ripple starts at LED 51
  EXPECT_TRUE(engine.RipplePlanes().CellSet(10, 2));
  Step();
  EXPECT_EQ(engine.LedLevel(51), 210);
  EXPECT_EQ(Led(51).red, 200);

  Audio(2);
  for (int i = 0; i < 20; ++i) Spectrum(0);  // silence adds nothing
  EXPECT_EQ(engine.RipplePlanes().ColumnBits(10), 0);

  Audio(0);  // outside audio mode 2 no ripple is seeded
  for (int i = 0; i < 5; ++i) Spectrum(2000);
  EXPECT_EQ(engine.RipplePlanes().ColumnBits(10), 0);
}

TEST_F(AudioTest, HostileInputStaysInBounds) {
  // Counts and values from another program: huge, negative, missing. Every
  // visualiser must draw without reading outside a table or overflowing.
  const int32_t extremes[] = {INT32_MAX, INT32_MIN, -1, 0, 2000, 6000, INT32_MAX};
  std::array<int32_t, 500> values{};
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = extremes[i % 7];
  for (uint8_t mode = 0; mode <= 7; ++mode) {
    Audio(mode, mode % 2);
    for (int round = 0; round < 30; ++round) {
      engine.OnAudioSpectrum(values.data(), round % 2 ? INT_MAX : -5);
      engine.OnAudioSpectrum(values.data(), 500);
      engine.OnAudioSpectrum(nullptr, 25);
      engine.OnAudioSpectrum(values.data(), 3);
      Step();
    }
  }
  engine.OnAudioLevels(values.data(), INT_MAX);
  engine.OnAudioLevels(nullptr, 6);
  SUCCEED();
}

TEST_F(AudioTest, AudioColourIsClampedToAByte) {
  Apply(State(30, 2));
  const int32_t levels[6] = {300, -5, 128, 9, 9, 9};
  engine.OnAudioLevels(levels, 99);
  Step();
  EXPECT_EQ(Led(77), (LightColor{255, 0, 128, 135}));
}

}  // namespace
}  // namespace tarn::keyboard::testing
