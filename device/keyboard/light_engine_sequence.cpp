// The user effect sequence (modes 0, 19 and above 30) and the per-key
// effects that overwrite single LEDs after every mode step.
#include <algorithm>

#include "device/keyboard/light_engine.h"
#include "device/light/light_steps.h"

namespace tarn::keyboard {

using light::kColourWheel;
using light::Rgb;
using light::Scale8;

void CKeyboardLightEngine::RunSequence() {
  std::lock_guard<std::mutex> lock(m_csSequence);
  if (m_effects.empty()) {
    PutAll({0, 0, 0}, 0);
    return;
  }
  if (m_nStepIndex >= m_effects.size()) m_nStepIndex = 0;
  const LightEffectStep& step = m_effects[m_nStepIndex];
  const uint8_t bright = light::BrightnessOf(step.brightness);
  const uint8_t count = light::BlinkPeriodOf(step.speed);
  const Rgb own{step.red, step.green, step.blue};
  const uint32_t now = m_clock.TickCount();
  m_nSeqPass = static_cast<uint8_t>(m_nSeqPass + 1);

  switch (step.regMode) {
    case 0:  // breathing
      if (m_nSeqPass >= count) {
        m_nSeqPhase = static_cast<uint8_t>(m_nSeqPhase + 1 >= 128 ? 0 : m_nSeqPhase + 1);
        m_nSeqPass = 0;
        PutAll(step.multiColor != 0 ? kColourWheel[0] : own, Scale8(bright, light::kBreath[m_nSeqPhase]));
      }
      break;
    case 1:  // static
      if (m_nSeqPass >= count) {
        m_nSeqPhase = static_cast<uint8_t>(m_nSeqPhase >= 8 ? 0 : m_nSeqPhase + 1);
        m_nSeqPass = 0;
        PutAll(own, bright);
      }
      break;
    case 2: {  // blink at the keyboard's own speed
      m_nSeqPhase = static_cast<uint8_t>(m_nSeqPhase + 1 >= 128 ? 0 : m_nSeqPhase + 1);
      if (m_nSeqPass >= count) m_nSeqPass = 0;
      if (now - m_nSeqLastToggle >= light::BlinkPeriodOf(m_lightState.speed) * light::kBlinkUnitMs) {
        m_bSeqBlinkOn = m_bSeqBlinkOn != 0 ? 0 : 1;
        m_nSeqLastToggle = now;
        m_nSeqBlinkHue = static_cast<uint8_t>(m_nSeqPhase + 78) >= 64 ? static_cast<uint8_t>(m_nSeqPhase + 14) : 0;
      }
      if (m_bSeqBlinkOn != 0)
        PutAll(step.multiColor != 0 ? kColourWheel[m_nSeqBlinkHue] : own, bright);
      else
        PutAll({0, 0, 0}, 0);
      break;
    }
    case 4:  // wave along the LED indices
      if (m_nSeqPass >= count) {
        m_nSeqPhase = static_cast<uint8_t>(m_nSeqPhase + 1 >= 192 ? 0 : m_nSeqPhase + 1);
        m_nSeqPass = 0;
        unsigned start;
        if (step.direction != 0) {
          start = (256u - m_nSeqPhase - 64u) % 256u;
          if (start >= 192) start = 191;
        } else {
          start = m_nSeqPhase + 1u;
          if (start >= 192) start = 0;
        }
        for (unsigned j = 0; j < kLedCount; ++j) {
          if (step.multiColor != 0)
            Put(j, kColourWheel[(start + 12 * j) % 192], bright);
          else
            Put(j, own, Scale8(bright, light::kWave[(start + 12 * (j + 1)) % 96]));
        }
      }
      break;
    case 5:  // colour cycle
      if (m_nSeqPass >= StepPeriodOf(0, step.speed)) {
        m_nSeqPhase = static_cast<uint8_t>(m_nSeqPhase + 1 >= 192 ? 0 : m_nSeqPhase + 1);
        m_nSeqPass = 0;
        PutAll(kColourWheel[m_nSeqPhase], bright);
      }
      break;
    default:
      break;
  }
  if (m_nSeqPass >= 255) m_nSeqPass = 0;
  if (now - m_nStepStart > step.time) {
    m_nStepIndex = m_nStepIndex + 1 >= m_effects.size() ? 0 : m_nStepIndex + 1;
    m_nStepStart = now;
  }
}

void CKeyboardLightEngine::ResetPerKeyLocked() {
  m_perKey.assign(m_lightList.size(), PerKeyState{});
  const uint32_t now = m_clock.TickCount();
  for (std::size_t i = 0; i < m_lightList.size(); ++i) {
    m_perKey[i].blinkPeriodMs = light::BlinkPeriodOf(m_lightList[i].speed) * light::kBlinkUnitMs;
    m_perKey[i].lastToggle = now;
  }
}

void CKeyboardLightEngine::RunPerKeyEffects() {
  if (m_lightList.empty()) return;
  const uint32_t now = m_clock.TickCount();
  for (std::size_t i = 0; i < m_lightList.size() && i < kLedCount; ++i) {
    const LightListEntry& e = m_lightList[i];
    PerKeyState& k = m_perKey[i];
    const unsigned led = static_cast<unsigned>(i);
    const uint8_t bright = light::BrightnessOf(e.brightness);
    const Rgb own{e.red, e.green, e.blue};
    switch (e.regMode) {
      case 0:  // breathing
        if (e.present == 0) break;
        {
          unsigned level = k.breath + std::min<unsigned>(e.speed, 4) + 4u;
          if (level >= 128) {
            level = 0;
            const unsigned hue = k.hue + 1u;
            k.hue = static_cast<uint8_t>(hue > 192 ? 191 : hue);
          }
          k.breath = static_cast<uint8_t>(level);
          Put(led, e.multiColor != 0 ? kColourWheel[k.hue] : own, Scale8(light::kBreath[k.breath], bright));
        }
        break;
      case 1:  // static
        Put(led, own, bright);
        break;
      case 2:  // blink with the entry's own period
        if (now - k.lastToggle >= k.blinkPeriodMs) {
          k.blinkOn = k.blinkOn != 0 ? 0 : 1;
          k.lastToggle = now;
          const unsigned hue = k.hue + 14u;
          k.hue = static_cast<uint8_t>(hue > 191 ? 0 : hue);
        }
        if (k.blinkOn != 0)
          Put(led, e.multiColor != 0 ? kColourWheel[k.hue] : own, bright);
        else
          Put(led, {0, 0, 0}, 0);
        break;
      case 3:  // colour cycle
        if (e.present == 0) break;
        k.counter = static_cast<uint8_t>(k.counter + 1);
        if (k.counter >= light::BlinkPeriodOf(e.speed)) {
          k.counter = 0;
          k.hue = static_cast<uint8_t>(k.hue >= 191 ? 0 : k.hue + 1);
        }
        Put(led, kColourWheel[k.hue], bright);
        break;
      case 4:
        Put(led, {0, 0, 0}, 0);
        break;
      default:
        break;
    }
  }
}

}  // namespace tarn::keyboard
