// The effect step of each hardware light mode, run on the light thread under
// the state lock. p below is m_nPhase.
#include <algorithm>

#include "device/keyboard/light_engine.h"
#include "device/light/base_light_steps.h"
#include "device/light/light_steps.h"

namespace tarn::keyboard {

using light::AddWrap;
using light::kColourWheel;
using light::Rgb;
using light::Scale8;
using light::StepPhase;

void CKeyboardLightEngine::StepModeLocked(unsigned mode) {
  switch (mode) {
    case 1: StepColumnWave(); break;
    case 2: StepColumnWaveFine(); break;
    case 3: StepPathWave(); break;
    case 4: StepColourCycle(); break;
    case 5: StepBreathing(); break;
    case 6: StepStatic(); break;
    case 7:
    case 25: StepKeyGlow(); break;
    case 8: StepDriftingRipple(); break;
    case 9: StepHorizontalRipple(); break;
    case 10: StepSparkles(); break;
    case 11: StepHueCycle(); break;
    case 12: StepRowWave(); break;
    case 13: StepCentreRipple(); break;
    case 14: StepScriptedShow(); break;
    case 15: StepFastTwinkle(); break;
    case 16: StepBouncingRipple(); break;
    case 17: StepFixedColour(); break;
    case 18: StepMovingRings(); break;
    case 20: StepOff(); break;
    case 21: StepSnake(); break;
    case 22: StepTwinkle(); break;
    case 23: StepBlink(false); break;
    case 24: StepRain(); break;
    case 26: StepFourColourBreathing(); break;
    case 27: StepBlink(true); break;
    case 28: StepCustom(); break;
    case 30: StepAudioColour(); break;
    default: break;
  }
}

// Every LED of column c.
template <typename F>
static void ForColumn(unsigned c, F&& f) {
  for (uint8_t led : kColumnMatrix[c])
    if (led < kLedCount) f(led);
}

void CKeyboardLightEngine::StepColumnWave() {
  const uint8_t s = Bright();
  if (m_lightState.multiColor != 0) {
    m_nPhase = StepPhase(m_lightState.fx, 192, m_nPhase, 1);
    uint8_t h = AddWrap(m_nPhase, 1, 192);
    for (unsigned c = 0; c < kColumns; ++c) {
      ForColumn(c, [&](unsigned led) { Put(led, kColourWheel[h], s); });
      h = AddWrap(h, 7, 192);
    }
  } else {
    m_nPhase = StepPhase(m_lightState.fx, 96, m_nPhase, 1);
    uint8_t k = AddWrap(m_nPhase, 1, 96);
    for (unsigned c = 0; c < kColumns; ++c) {
      ForColumn(c, [&](unsigned led) { Put(led, Colour(0), Scale8(s, light::kWave[k])); });
      k = AddWrap(k, 7, 96);
    }
  }
}

void CKeyboardLightEngine::StepColumnWaveFine() {
  const uint8_t s = Bright();
  if (m_lightState.multiColor != 0) {
    m_nPhase = StepPhase(m_lightState.fx, 192, m_nPhase, 1);
    uint8_t h = m_nPhase;
    for (unsigned c = 0; c < kColumns; ++c) {
      ForColumn(c, [&](unsigned led) { Put(led, kColourWheel[h], s); });
      h = AddWrap(h, 2, 192);
    }
  } else {
    m_nPhase = StepPhase(m_lightState.fx, 128, m_nPhase, 1);
    uint8_t k = m_nPhase;
    for (unsigned c = 0; c < kColumns; ++c) {
      ForColumn(c, [&](unsigned led) { Put(led, Colour(0), Scale8(s, light::kTwinkle[k])); });
      k = AddWrap(k, 7, 128);
    }
  }
}

void CKeyboardLightEngine::StepPathWave() {
  const uint8_t s = Bright();
  if (m_lightState.multiColor != 0) {
    uint8_t h = StepPhase(m_lightState.fx, 192, m_nPhase, 1);
    m_nPhase = h;
    for (uint8_t led : kLedOrder) {
      Put(led, kColourWheel[h], s);
      h = AddWrap(h, 5, 192);
    }
  } else {
    // The phase moves here too, or the single-colour wave would stand still.
    uint8_t k = StepPhase(m_lightState.fx, 96, m_nPhase, 1);
    m_nPhase = k;
    for (uint8_t led : kLedOrder) {
      Put(led, Colour(0), Scale8(s, light::kWave[k]));
      k = AddWrap(k, 5, 96);
    }
  }
}

void CKeyboardLightEngine::StepColourCycle() { light::StepColourCycle(m_leds, kLedCount, m_lightState, m_nPhase); }

void CKeyboardLightEngine::StepBreathing() {
  m_nPhase = static_cast<uint8_t>(m_nPhase + 1);
  if (m_nPhase >= 128) m_nPhase = 0;
  const uint8_t a = Scale8(Bright(), light::kBreath[m_nPhase]);
  for (unsigned c = 0; c < kColumns; ++c) {
    const Rgb colour = m_lightState.multiColor != 0 ? kColourWheel[7 * c] : Colour(0);
    ForColumn(c, [&](unsigned led) { Put(led, colour, a); });
  }
}

void CKeyboardLightEngine::StepStatic() {
  const uint8_t s = Bright();
  if (m_lightState.multiColor != 0) {
    for (unsigned k = 0; k < kRingCount; ++k)
      for (uint8_t led : kRingMatrix[k])
        if (led < kLedCount && IsInOrder(led) != kNoLed) Put(led, kColourWheel[138 - 12 * k], s);
  } else {
    light::StepStaticColour(m_leds, kLedCount, m_lightState);
  }
}

void CKeyboardLightEngine::StepKeyGlow() {
  const uint8_t s = Bright();
  for (unsigned i = 0; i < kLedCount; ++i) {
    if (m_keyMark[i] == 1) m_ledLevel[i] = static_cast<uint8_t>(std::min(m_ledLevel[i] + 15, 255));
    if (m_keyMark[i] == 2) m_ledLevel[i] = static_cast<uint8_t>(std::max(m_ledLevel[i] - 5, 0));
    Put(i, Colour(m_ledHue[i]), Scale8(s, m_ledLevel[i]));
  }
}

void CKeyboardLightEngine::StepDriftingRipple() {
  LightRippleCellsLocked();
  m_ripple.SpreadRipple();
  const uint8_t s = Bright();
  for (unsigned i = 0; i < kLedCount; ++i) {
    m_ledLevel[i] = light::FadeLevel(m_ledLevel[i], 8);
    m_ledHue[i] = StepPhase(1, 192, m_ledHue[i], 7);
    Put(i, Colour(m_ledHue[i]), Scale8(s, m_ledLevel[i]));
  }
}

void CKeyboardLightEngine::StepHorizontalRipple() {
  LightRippleCellsLocked();
  m_ripple.MergeRipple();
  for (unsigned i = 0; i < kLedCount; ++i) FadeLitLocked(i, 9);
}

void CKeyboardLightEngine::StepSparkles() {
  for (int n = 0; n < 6; ++n) {
    const unsigned r = static_cast<unsigned>(m_random.Next()) % kSparkle.size();
    const uint8_t led = kLedOrder[kSparkle[r]];
    if (led >= kLedCount) continue;
    m_ledHue[led] = RandomHue();
    m_ledLevel[led] = 255;
  }
  for (unsigned i = 0; i < kLedCount; ++i) FadeLitLocked(i, 10);
}

void CKeyboardLightEngine::StepHueCycle() {
  const uint8_t s = Bright();
  for (unsigned i = 0; i < kLedCount; ++i) {
    m_ledHue[i] = m_ledHue[i] >= 191 ? 0 : static_cast<uint8_t>(m_ledHue[i] + 1);
    Put(i, kColourWheel[m_ledHue[i]], s);
  }
}

void CKeyboardLightEngine::StepRowWave() {
  m_nPhase = StepPhase(m_lightState.fx, 192, m_nPhase, 1);
  uint8_t h = AddWrap(m_nPhase, 1, 192);
  const uint8_t s = Bright();
  for (unsigned r = 0; r < kRows; ++r) {
    for (unsigned c = 0; c < kColumns; ++c) Put(kColumnMatrix[c][r], kColourWheel[h], s);
    h = AddWrap(h, 24, 192);
  }
}

void CKeyboardLightEngine::StepCentreRipple() {
  const uint8_t bits = m_ripple.ColumnBits(9);
  if (bits == 1) m_ripple.SetCell(9, 0);
  if (bits == 64) m_ripple.SetCell(9, 6);
  if (m_nRippleStage > 1) {
    m_nRippleStage = 0;
    LightRippleCellsLocked();
    m_ripple.SpreadRipple();
  }
  m_nRippleStage = static_cast<uint8_t>(m_nRippleStage + 1);
  for (unsigned i = 0; i < kLedCount; ++i) FadeLitLocked(i, 13);
}

void CKeyboardLightEngine::StepScriptedShow() {
  auto lightUp = [this](uint8_t led) {
    if (led >= kLedCount) return;
    m_ledLevel[led] = 255;
    if (m_lightState.multiColor != 0) m_ledHue[led] = RandomHue();
  };
  switch (m_nRippleStage) {
    case 0:
      if (m_nPhase < kScriptRowCount) {
        for (uint8_t led : kScriptRows[m_nPhase]) lightUp(led);
        ++m_nPhase;
      }
      if (m_nPhase >= kScriptRowCount) {
        m_nPhase = 0;
        m_nRippleStage = 1;
      }
      break;
    case 1:
      if (m_nPhase <= 30) {
        for (uint8_t led : kScriptPairs[m_nPhase & 15]) lightUp(led);
        ++m_nPhase;
      } else if (m_ledLevel[72] == 0) {
        m_nRippleStage = 2;
      }
      break;
    case 2:
      m_ripple.SeedRipple(52, 1);
      m_nRippleStage = 3;
      break;
    case 3:
      LightRippleCellsLocked();
      m_ripple.SpreadRipple();
      if (m_ledLevel[124] != 0) m_nRippleStage = 4;
      break;
    default:
      if (m_ledLevel[124] == 0) {
        m_ripple.Clear();
        m_nPhase = 0;
        m_nRippleStage = 0;
      }
      break;
  }
  for (unsigned i = 0; i < kLedCount; ++i) FadeLitLocked(i, 14);
}

void CKeyboardLightEngine::StepFastTwinkle() {
  const uint8_t s = Bright();
  for (uint8_t led : kOrderLeds) {
    unsigned level = m_ledLevel[led] + 2u;
    if (level >= 192) {
      level = 0;
      m_ledHue[led] = RandomHue();
    }
    m_ledLevel[led] = static_cast<uint8_t>(level);
    Put(led, Colour(m_ledHue[led]), Scale8(s, light::kTwinkle[level]));
  }
}

void CKeyboardLightEngine::StepBouncingRipple() {
  if (m_ripple.ColumnBits(1) == 1) m_ripple.SetCell(1, 0);
  if (m_ripple.ColumnBits(22) == 64) m_ripple.SetCell(22, 6);
  LightRippleCellsLocked();
  m_ripple.SpreadRipple();
  for (uint8_t led : kOrderLeds) FadeLitLocked(led, 16);
}

void CKeyboardLightEngine::StepFixedColour() {
  m_nPhase = 0;
  uint8_t h = 174;
  switch (m_lightState.zzccLedMode) {
    case 1: h = 25; break;
    case 2: h = 70; break;
    case 3: h = 95; break;
    default: break;
  }
  PutAll(kColourWheel[h], Bright());
}

void CKeyboardLightEngine::StepMovingRings() {
  m_nPhase = StepPhase(m_lightState.fx, 192, m_nPhase, 1);
  uint8_t a = m_nPhase;
  const uint8_t s = Bright();
  for (unsigned k = 0; k < kRingCount; ++k) {
    a = AddWrap(a, 7, 192);
    for (uint8_t led : kRingMatrix[k])
      if (led < kLedCount && IsInOrder(led) != kNoLed) Put(led, kColourWheel[a], s);
  }
}

void CKeyboardLightEngine::StepOff() { light::StepLightsOff(m_leds, kLedCount); }

void CKeyboardLightEngine::StepSnake() {
  auto head = [this](unsigned p) {
    const uint8_t led = kSnakePath[p];
    if (led < kLedCount) m_ledLevel[led] = 254;
  };
  if (m_lightState.fx != 0) {
    if (m_nPhase > 169) {
      m_nPhase = 0;
    } else {
      head(m_nPhase);
      ++m_nPhase;
    }
  } else if (m_nPhase != 0) {
    // A phase left beyond the path by the other direction starts at its end.
    m_nPhase = std::min<uint8_t>(m_nPhase, 169);
    head(m_nPhase);
    --m_nPhase;
  } else {
    m_nPhase = 169;  // the last position of the path, not one past it
  }
  for (uint8_t led : kOrderLeds) FadeLitLocked(led, 21);
}

void CKeyboardLightEngine::StepTwinkle() {
  const uint8_t s = Bright();
  for (uint8_t led : kOrderLeds) {
    unsigned counter = m_ledCounter[led] + 1u;
    if (counter >= 192) {
      counter = 0;
      m_ledHue[led] = RandomHue();
    }
    m_ledCounter[led] = static_cast<uint8_t>(counter);
    Put(led, Colour(m_ledHue[led]), Scale8(s, light::kTwinkle[counter]));
  }
}

void CKeyboardLightEngine::StepBlink(bool fourColours) {
  light::StepBlink(m_leds, kLedCount, m_lightState, m_nPhase, m_bBlinkOn, m_nLastToggle, m_clock.TickCount(),
                   fourColours);
}

void CKeyboardLightEngine::StepRain() {
  m_nPhase = StepPhase(m_lightState.fx, kRainRowCount, m_nPhase, 1);
  for (uint8_t led : kRainRows[m_nPhase]) {
    if (led >= kLedCount) continue;
    m_ledLevel[led] = 255;
    m_ledHue[led] = 0;
  }
  const uint8_t s = Bright();
  for (unsigned i = 0; i < kLedCount; ++i) {
    m_ledLevel[i] = static_cast<uint8_t>(m_ledLevel[i] > 5 ? m_ledLevel[i] - 5 : 0);
    if (m_ledHue[i] != 255) m_ledHue[i] = static_cast<uint8_t>(std::min(m_ledHue[i] + 3, 255));
    if (m_lightState.multiColor != 0)
      Put(i, kColourWheel[m_ledHue[i]], s);
    else
      Put(i, Colour(0), Scale8(s, m_ledLevel[i]));
  }
}

void CKeyboardLightEngine::StepFourColourBreathing() {
  light::StepFourColourBreathing(m_leds, kLedCount, m_lightState, m_nPhase, m_nPhase2);
}

void CKeyboardLightEngine::StepCustom() {
  const uint8_t s = Bright();
  for (unsigned i = 0; i < kLedCount; ++i) {
    LightColor c = m_leds.Get(i);
    c.alpha = s;
    m_leds.Set(i, c);
  }
}

void CKeyboardLightEngine::StepAudioColour() {
  auto level = [this](unsigned i) { return static_cast<uint8_t>(std::clamp<int32_t>(m_audioColour[i], 0, 255)); };
  PutAll({level(0), level(1), level(2)}, Bright());
}

}  // namespace tarn::keyboard
