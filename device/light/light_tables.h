#pragma once
// Tables shared by every device's software lighting and by the synchronised
// lighting of the main window. All effect arithmetic is on bytes with these
// lookups; nothing here uses floating point.
#include <array>
#include <cstddef>
#include <cstdint>

namespace tarn::light {

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  constexpr bool operator==(const Rgb&) const = default;
};

// Rising and falling ramps from which the colour wheel is built.
inline constexpr std::array<uint8_t, 32> kRampUp = {1,   3,   5,   7,   10,  14,  18,  22,  26,  32,  38,
                                                    44,  50,  57,  65,  73,  81,  89,  99,  109, 119, 129,
                                                    140, 152, 164, 176, 188, 200, 213, 227, 241, 255};
inline constexpr std::array<uint8_t, 32> kRampDown = {248, 234, 220, 206, 194, 182, 170, 158, 146, 134, 124,
                                                      114, 104, 94,  85,  77,  69,  61,  53,  47,  41,  35,
                                                      29,  24,  20,  16,  12,  8,   6,   4,   2,   0};

namespace detail {
constexpr std::array<Rgb, 256> BuildColourWheel() {
  std::array<Rgb, 256> w{};
  for (std::size_t k = 0; k < 32; ++k) {
    const uint8_t u = kRampUp[k];
    const uint8_t d = kRampDown[k];
    w[k] = {255, u, 0};
    w[32 + k] = {d, 255, 0};
    w[64 + k] = {0, 255, u};
    w[96 + k] = {0, d, 255};
    w[128 + k] = {u, 0, 255};
    w[160 + k] = {255, 0, d};
  }
  // Indices 192-255 repeat the start of the circle, so a hue that ran past
  // 191 still reads a colour.
  for (std::size_t k = 0; k < 64; ++k) w[192 + k] = w[k];
  return w;
}
}  // namespace detail

// Colour wheel W: hue 0-191 is one full circle.
inline constexpr std::array<Rgb, 256> kColourWheel = detail::BuildColourWheel();
inline constexpr unsigned kHueCount = 192;

// Four-colour palette F of the four-colour breathing and blink effects.
inline constexpr std::array<Rgb, 4> kFourColours = {Rgb{0, 255, 180}, Rgb{0, 255, 0}, Rgb{255, 255, 255},
                                                   Rgb{255, 0, 0}};

// Brightness scale S, indexed by the brightness setting 0-4.
inline constexpr std::array<uint8_t, 5> kBrightness = {0, 80, 135, 195, 255};

namespace detail {
inline constexpr std::array<uint8_t, 64> kBreathRise = {
    0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  12,  14,  16,  18,  20,  22,  24,  27,  30,  33,  36,
    39,  42,  45,  49,  53,  57,  61,  65,  69,  73,  77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129,
    134, 140, 146, 152, 158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};
constexpr std::array<uint8_t, 128> BuildBreath() {
  std::array<uint8_t, 128> b{};
  for (std::size_t k = 0; k < 64; ++k) {
    b[k] = kBreathRise[k];
    b[64 + k] = kBreathRise[63 - k];
  }
  return b;
}
constexpr std::array<uint8_t, 96> BuildWave() {
  std::array<uint8_t, 96> v{};
  for (std::size_t k = 0; k < 48; ++k) {
    v[k] = kBreathRise[16 + k];
    v[48 + k] = kBreathRise[63 - k];
  }
  return v;
}
inline constexpr std::array<uint8_t, 88> kTwinkleShape = {
    0,   4,   8,   14,  22,  33,  45,  61,  77,  84,  100, 110, 120, 130, 140, 150, 158, 166, 175, 182, 191, 204,
    220, 234, 255, 248, 241, 234, 227, 220, 213, 206, 200, 194, 188, 182, 176, 170, 164, 158, 152, 146, 140, 134,
    129, 124, 119, 114, 109, 104, 99,  94,  89,  85,  81,  77,  73,  69,  65,  61,  57,  53,  49,  45,  42,  39,
    36,  33,  30,  27,  24,  22,  20,  18,  16,  14,  12,  10,  9,   8,   7,   6,   5,   4,   3,   2,   2,   1};
constexpr std::array<uint8_t, 192> BuildTwinkle() {
  std::array<uint8_t, 192> c{};
  for (std::size_t k = 0; k < kTwinkleShape.size(); ++k) c[k] = kTwinkleShape[k];
  return c;  // 88-191 stay dark
}
}  // namespace detail

// Breathing curve B: 0 up to 255 and back down over 128 steps.
inline constexpr std::array<uint8_t, 128> kBreath = detail::BuildBreath();
// Wave V: 22 up to 255 and back to 22 over 96 steps.
inline constexpr std::array<uint8_t, 96> kWave = detail::BuildWave();
// Twinkle curve C: a quick flash and a long tail, then dark.
inline constexpr std::array<uint8_t, 192> kTwinkle = detail::BuildTwinkle();

// Blink periods K in units of 200 ms, indexed by speed 0-4; the same values
// serve as step counts.
inline constexpr std::array<uint8_t, 5> kBlinkPeriod = {28, 23, 18, 13, 7};
inline constexpr uint32_t kBlinkUnitMs = 200;

// Table lookups that keep an out-of-range setting inside the table.
inline uint8_t BrightnessOf(unsigned light) { return kBrightness[light < 5 ? light : 4]; }
inline uint8_t BlinkPeriodOf(unsigned speed) { return kBlinkPeriod[speed < 5 ? speed : 4]; }

}  // namespace tarn::light
