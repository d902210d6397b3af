// Sound-driven lighting (mode 29): one visualiser per audio mode, each
// drawing the latest spectrum once. Spectrum values are never negative (the
// input clamps them) and every product is formed in 64 bits.
#include <algorithm>

#include "device/keyboard/light_engine.h"
#include "device/light/light_steps.h"

namespace tarn::keyboard {

using light::AddWrap;
using light::Scale8;
using light::StepPhase;

namespace {

// x = 600 - v * 600 / 2000: 600 for silence, lower for louder sound.
int64_t Quietness(int64_t v) { return 600 - v * 600 / 2000; }
// The capped form: 500 where the sound would drive x below 0.
int64_t QuietnessCapped(int64_t v) {
  const int64_t x = Quietness(v);
  return x < 0 ? 500 : x;
}

// Six band values from consecutive levels: the sum of each band ÷ 3.
template <std::size_t N>
std::array<int64_t, 6> Bands(const std::array<int32_t, kAudioBands>& levels, const std::array<unsigned, N>& widths) {
  std::array<int64_t, 6> bands{};
  unsigned next = 0;
  for (unsigned b = 0; b < 6 && b < N; ++b) {
    int64_t sum = 0;
    for (unsigned k = 0; k < widths[b] && next < kAudioBands; ++k) sum += levels[next++];
    bands[b] = sum / 3;
  }
  return bands;
}

bool Dark(const std::array<uint8_t, kLedCount>& levels, uint8_t led, unsigned below) {
  return led >= kLedCount || levels[led] < below;
}

}  // namespace

void CKeyboardLightEngine::DrawInside(unsigned led, uint8_t hue) {
  if (led >= kLedCount) return;
  m_ledLevel[led] = 255;
  Put(led, Foreground(hue), Scale8(Bright(), 255));
}

void CKeyboardLightEngine::DrawOutside(unsigned led, uint8_t hue, bool fade) {
  if (led >= kLedCount) return;
  if (fade) m_ledLevel[led] = light::FadeLevel(m_ledLevel[led], 29);
  if (m_ledLevel[led] > 9)
    Put(led, Foreground(hue), Scale8(Bright(), m_ledLevel[led]));
  else
    Put(led, Background(), Bright());
}

void CKeyboardLightEngine::StepAudioLocked() {
  switch (m_audioLight.audioMode) {
    case 0: AudioBars(); break;
    case 1: AudioMirrorBars(); break;
    case 2: AudioRipples(); break;
    case 3: AudioRings(); break;
    case 4: AudioPeakDrops(); break;
    case 5: AudioRowBars(); break;
    case 6: AudioSplitRows(); break;
    default: break;
  }
  m_audioSpectrum.fill(0);  // each set of values is drawn once
}

// Vertical bars, one per column, rising from the bottom.
void CKeyboardLightEngine::AudioBars() {
  m_nPhase = StepPhase(m_lightState.fx, 192, m_nPhase, 1);
  uint8_t hue = m_nPhase;
  for (unsigned c = 0; c < kColumns; ++c) {
    const int64_t h = (Quietness(m_audioSpectrum[c]) + 100) * 6 / 600;
    for (unsigned r = 0; r < kRows; ++r) {
      const uint8_t led = kColumnMatrix[c][r];
      if (static_cast<int64_t>(r) >= h)
        DrawInside(led, hue);
      else
        DrawOutside(led, hue, r == 0 || Dark(m_ledLevel, kColumnMatrix[c][r - 1], 10));
    }
    hue = AddWrap(hue, 10, 192);
  }
}

// Two bars per row growing outwards from the middle.
void CKeyboardLightEngine::AudioMirrorBars() {
  m_nPhase2 = StepPhase(m_lightState.fx, 25, m_nPhase2, 1);
  m_nPhase = StepPhase(m_lightState.fx, 192, m_nPhase, 1);
  for (unsigned r = 0; r < kRows; ++r) {
    const int64_t left = (QuietnessCapped(m_audioSpectrum[(m_nPhase2 + 3 * (r + 1)) % kAudioBands]) + 100) * 12 / 600;
    const int64_t right = (QuietnessCapped(m_audioSpectrum[2 * r + 1]) + 100) * 12 / 600;
    uint8_t hue = m_nPhase;
    for (unsigned c = 0; c < kColumns; ++c) {
      const int64_t ci = c;
      const bool inside = c <= 8 ? ci >= left : ci - 9 <= 12 - right;
      if (inside)
        DrawInside(kColumnMatrix[c][r], hue);
      else
        DrawOutside(kColumnMatrix[c][r], hue, true);
      hue = AddWrap(hue, 7, 192);
    }
  }
}

// Ripples from LED 51, seeded by the sound's running total.
void CKeyboardLightEngine::AudioRipples() {
  LightRippleCellsLocked();
  m_ripple.SpreadRipple();
  for (unsigned i = 0; i < kLedCount; ++i) {
    m_ledHue[i] = StepPhase(1, 192, m_ledHue[i], 9);
    DrawOutside(i, m_ledHue[i], true);
  }
}

// Rings around LED 51: louder sound lights more rings and turns faster.
void CKeyboardLightEngine::AudioRings() {
  int64_t sum = 0;
  for (int32_t v : m_audioSpectrum) sum += QuietnessCapped(v);
  const int64_t m = sum / static_cast<int64_t>(kAudioBands);
  const int64_t limit = std::clamp<int64_t>(m * 20 / 600, 0, 20);
  m_nPhase = StepPhase(m_lightState.fx, 192, m_nPhase, static_cast<uint8_t>(limit));
  const uint8_t s = Bright();
  for (unsigned k = 0; k < kRingCount; ++k) {
    const uint8_t hue = static_cast<uint8_t>((m_nPhase + 9 * (k + 1)) % 192);
    const bool inside = static_cast<int64_t>(k) < 20 - limit;
    for (uint8_t led : kRingMatrix[k]) {
      if (led >= kLedCount) continue;
      if (inside) {
        m_ledLevel[led] = 255;
        Put(led, light::kColourWheel[hue], Scale8(s, 255));
      } else {
        m_ledLevel[led] = light::FadeLevel(m_ledLevel[led], 0);
        LightColor c = m_leds.Get(led);
        c.alpha = Scale8(s, m_ledLevel[led]);
        m_leds.Set(led, c);
      }
    }
  }
}

// One drop per column at the sound's height; a column fires again once its
// bottom LED has gone dark.
void CKeyboardLightEngine::AudioPeakDrops() {
  for (unsigned c = 0; c < kColumns; ++c) {
    const int64_t h = (Quietness(m_audioSpectrum[(m_nPhase2 + 1 + c) % kAudioBands]) + 100) * 6 / 600;
    int lit = -1;
    if (m_columnArmed[c] != 0 && h < static_cast<int64_t>(kRows)) {
      for (unsigned r = static_cast<unsigned>(std::max<int64_t>(h, 0)); r < kRows; ++r) {
        if (kColumnMatrix[c][r] < kLedCount) {
          lit = static_cast<int>(r);
          break;
        }
      }
    }
    for (unsigned r = 0; r < kRows; ++r) {
      const uint8_t led = kColumnMatrix[c][r];
      if (led >= kLedCount) continue;
      if (static_cast<int>(r) == lit) {
        DrawInside(led, m_ledHue[led]);
        m_columnArmed[c] = 0;
      } else {
        DrawOutside(led, m_ledHue[led], r == 0 || Dark(m_ledLevel, kColumnMatrix[c][r - 1], 5));
      }
    }
    if (Dark(m_ledLevel, kColumnMatrix[c][kRows - 1], 10)) m_columnArmed[c] = 1;
  }
}

// Horizontal bars, one per row, from six bands.
void CKeyboardLightEngine::AudioRowBars() {
  static constexpr std::array<unsigned, 6> kWidths = {2, 3, 3, 4, 5, 7};
  const auto bands = Bands(m_audioSpectrum, kWidths);
  m_nPhase = StepPhase(m_lightState.fx, 192, m_nPhase, 1);
  for (unsigned r = 0; r < kRows; ++r) {
    const int64_t x = QuietnessCapped(bands[5 - r]);
    const int64_t end = 23 - (x * 23 + 2300) / 600;
    // Right to left, so each LED sees its right neighbour's new level.
    for (int c = static_cast<int>(kColumns) - 1; c >= 0; --c) {
      const uint8_t hue = static_cast<uint8_t>((m_nPhase + 3 * c) % 192);
      const uint8_t led = kColumnMatrix[static_cast<unsigned>(c)][r];
      if (c <= end) {
        DrawInside(led, hue);
      } else {
        const bool gate = c > 20 || Dark(m_ledLevel, kColumnMatrix[static_cast<unsigned>(c) + 1][r], 10);
        DrawOutside(led, hue, gate);
      }
    }
  }
}

// Rows from six bands: odd rows grow from the left, even rows from the right.
void CKeyboardLightEngine::AudioSplitRows() {
  static constexpr std::array<unsigned, 6> kWidths = {2, 2, 3, 4, 5, 5};
  const auto bands = Bands(m_audioSpectrum, kWidths);
  m_nPhase = StepPhase(m_lightState.fx, 192, m_nPhase, 1);
  for (unsigned r = 0; r < kRows; ++r) {
    const int64_t e = QuietnessCapped(bands[5 - r]) * 23 / 600;
    const bool odd = (r % 2) != 0;
    for (unsigned n = 0; n < kColumns; ++n) {
      // Odd rows walk right to left and look right; even rows the reverse.
      const unsigned c = odd ? kColumns - 1 - n : n;
      const uint8_t hue = static_cast<uint8_t>((m_nPhase + 3 * c) % 192);
      const uint8_t led = kColumnMatrix[c][r];
      const int64_t ci = c;
      const bool inside = odd ? ci <= 23 - e : ci >= e;
      if (inside) {
        DrawInside(led, hue);
      } else {
        const bool hasNeighbour = odd ? c + 1 < kColumns : c > 0;
        const uint8_t neighbour = hasNeighbour ? kColumnMatrix[odd ? c + 1 : c - 1][r] : kNoLed;
        DrawOutside(led, hue, Dark(m_ledLevel, neighbour, 10));
      }
    }
  }
}

}  // namespace tarn::keyboard
