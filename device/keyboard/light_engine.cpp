#include "device/keyboard/light_engine.h"

#include <algorithm>

#include "device/light/light_steps.h"

namespace tarn::keyboard {

using light::Rgb;

CKeyboardLightEngine::CKeyboardLightEngine(IClock& clock, IRandom& random, ILightEngineHost* host)
    : m_clock(clock), m_random(random), m_host(host) {
  m_columnArmed.fill(1);
}

// ---------------------------------------------------------------- settings

void CKeyboardLightEngine::ChangeStateLocked(const LightState& state, const std::vector<LightColor>& custom,
                                             bool& ranEntry) {
  const uint8_t previous = m_lightState.selectItem;
  m_lightState = state;
  ranEntry = state.selectItem != previous || state.selectItem == 28;
  if (ranEntry) {
    ResetEffectsLocked();
    EntryStepLocked(custom);
  }
}

void CKeyboardLightEngine::ApplyProfile(const LightState& state, const AudioLightState& audio,
                                        const std::vector<LightListEntry>& list,
                                        const std::vector<LightEffectStep>& effects) {
  // The profile's colours are fetched before the state lock: the host may
  // read files, and the light thread must not wait for that.
  std::vector<LightColor> custom;
  if (state.selectItem == 28 && m_host != nullptr) custom = m_host->GetCustomColours(state.customGroup, kLedCount);
  bool ranEntry = false;
  {
    std::lock_guard<std::mutex> lock(m_csState);
    m_audioLight = audio;
    ChangeStateLocked(state, custom, ranEntry);
    if (state.selectItem == 24) m_ledHue.fill(0);
    m_nPhase = 0;
  }
  {
    std::lock_guard<std::mutex> lock(m_csEngine);
    m_lightList = list;
    if (m_lightList.size() > kLedCount) m_lightList.resize(kLedCount);
    ResetPerKeyLocked();
  }
  {
    std::lock_guard<std::mutex> lock(m_csSequence);
    // A newly loaded sequence starts from its beginning.
    m_effects = effects;
    m_nStepIndex = 0;
    m_nStepStart = m_clock.TickCount();
    m_nSeqPass = 0;
    m_nSeqPhase = 0;
    m_bSeqBlinkOn = 0;
    m_nSeqBlinkHue = 0;
    m_nSeqLastToggle = m_nStepStart;
  }
  if (ranEntry && state.selectItem == 28) SendCustomTable(true);
}

void CKeyboardLightEngine::SetLightState(const LightState& state) {
  std::vector<LightColor> custom;
  if (state.selectItem == 28 && m_host != nullptr) custom = m_host->GetCustomColours(state.customGroup, kLedCount);
  bool ranEntry = false;
  {
    std::lock_guard<std::mutex> lock(m_csState);
    ChangeStateLocked(state, custom, ranEntry);
  }
  if (ranEntry && state.selectItem == 28) SendCustomTable(true);
}

void CKeyboardLightEngine::SetAudioLightState(const AudioLightState& audio) {
  std::lock_guard<std::mutex> lock(m_csState);
  m_audioLight = audio;
}

LightState CKeyboardLightEngine::GetLightState() const {
  std::lock_guard<std::mutex> lock(m_csState);
  return m_lightState;
}

AudioLightState CKeyboardLightEngine::GetAudioLightState() const {
  std::lock_guard<std::mutex> lock(m_csState);
  return m_audioLight;
}

// ------------------------------------------------------------------ resets

void CKeyboardLightEngine::ResetEffects() {
  std::lock_guard<std::mutex> lock(m_csState);
  ResetEffectsLocked();
}

void CKeyboardLightEngine::ResetEffectsLocked() {
  m_nPhase = 0;
  m_nRippleStage = 0;
  m_ledHue.fill(0);
  m_keyMark.fill(0);
  m_ledLevel.fill(0);
  m_ripple.Clear();
  m_audioSpectrum.fill(0);
  m_audioColour.fill(0);
}

void CKeyboardLightEngine::ClearAudio() {
  std::lock_guard<std::mutex> lock(m_csState);
  m_audioSpectrum.fill(0);
  m_audioColour.fill(0);
}

void CKeyboardLightEngine::SpreadHuesLocked() {
  for (unsigned i = 0; i < kLedCount; ++i) m_ledHue[i] = static_cast<uint8_t>(33 * (i + 1) % 192);
}

void CKeyboardLightEngine::EntryStepLocked(const std::vector<LightColor>& custom) {
  switch (m_lightState.selectItem) {
    case 13:
      m_ripple.SetCell(9, 6);
      break;
    case 15:
      for (unsigned c = 0; c < kColumns; ++c)
        for (unsigned r = 0; r < 7; ++r) {
          const uint8_t led = kStartColumns[c][r];
          if (led >= kLedCount) continue;
          m_ledLevel[led] = kStartLevels[6 * c + r];
          m_ledHue[led] = static_cast<uint8_t>(7 * c);
        }
      break;
    case 16:
      m_ripple.SetCell(1, 0);
      break;
    case 22:
      for (unsigned c = 0; c < kColumns; ++c) {
        uint8_t b = static_cast<uint8_t>(192 - 8 * c);
        for (unsigned r = 0; r < 7; ++r) {
          const uint8_t next = static_cast<uint8_t>(b - 35);
          b = next <= 191 ? next : static_cast<uint8_t>(b - 98);
          const uint8_t led = kStartColumns[c][r];
          if (led >= kLedCount) continue;
          m_ledCounter[led] = b;
          m_ledHue[led] = static_cast<uint8_t>(7 * c);
        }
      }
      break;
    case 28:
      ApplyCustomColoursLocked(custom);
      SpreadHuesLocked();
      break;
    default:
      SpreadHuesLocked();
      break;
  }
}

// ----------------------------------------------------------------- inputs

void CKeyboardLightEngine::OnAudioSpectrum(const int32_t* values, int count) {
  // The values come from another program: the count is bounded and every
  // product is formed in 64 bits from values no lower than 0.
  count = std::clamp(count, 0, kAudioSpectrumMax);
  if (values == nullptr) count = 0;
  std::lock_guard<std::mutex> lock(m_csState);
  for (unsigned i = 0; i < kAudioBands; ++i)
    m_audioSpectrum[i] = static_cast<int>(i) < count ? std::max<int32_t>(values[i], 0) : 0;
  if (m_lightState.selectItem != 29 || m_audioLight.audioMode != 2) return;
  int64_t sum = 0;
  for (int32_t v : m_audioSpectrum) {
    const int64_t drop = static_cast<int64_t>(v) * 600 / 2000;
    sum += drop > 600 ? 500 : 600 - drop;
  }
  const int64_t m = sum / static_cast<int64_t>(kAudioBands);
  m_nAudioTotal += 25 - m * 25 / 600;
  if (m_nAudioTotal >= 71) {
    m_nAudioTotal = 0;
    m_ripple.SeedRipple(51, 1);
  }
}

void CKeyboardLightEngine::OnAudioLevels(const int32_t* values, int count) {
  count = std::clamp(count, 0, static_cast<int>(kAudioColours));
  if (values == nullptr) count = 0;
  std::lock_guard<std::mutex> lock(m_csState);
  for (int i = 0; i < count; ++i) m_audioColour[static_cast<unsigned>(i)] = values[i];
}

void CKeyboardLightEngine::SetKeyMark(unsigned led, uint8_t mark) {
  if (led >= kLedCount) return;
  std::lock_guard<std::mutex> lock(m_csState);
  m_keyMark[led] = mark;
}

void CKeyboardLightEngine::SeedRipple(unsigned led, int kind) {
  std::lock_guard<std::mutex> lock(m_csState);
  m_ripple.SeedRipple(led, kind);
}

// --------------------------------------------------------- custom colours

void CKeyboardLightEngine::ApplyCustomColoursLocked(const std::vector<LightColor>& custom) {
  for (unsigned i = 0; i < kLedCount; ++i) m_leds.Set(i, i < custom.size() ? custom[i] : LightColor{});
}

void CKeyboardLightEngine::SetCustomGroup(unsigned group) {
  const uint8_t g = static_cast<uint8_t>(std::min(group, 255u));
  if (m_host != nullptr) {
    m_host->ShowCustomGroup(g);
    m_host->StoreCustomGroup(g);
  }
  std::lock_guard<std::mutex> lock(m_csState);
  m_lightState.customGroup = g;
}

void CKeyboardLightEngine::LoadCustomColours() {
  const unsigned group = GetLightState().customGroup;
  std::vector<LightColor> custom;
  if (m_host != nullptr) custom = m_host->GetCustomColours(group, kLedCount);
  {
    std::lock_guard<std::mutex> lock(m_csState);
    ApplyCustomColoursLocked(custom);
  }
  SendCustomTable(true);
}

void CKeyboardLightEngine::LoadProfileCustomColours() {
  if (m_host != nullptr) {
    const uint8_t group = static_cast<uint8_t>(std::min(m_host->GetProfileCustomGroup(), 255u));
    m_host->ShowCustomGroup(group);
    std::lock_guard<std::mutex> lock(m_csState);
    m_lightState.customGroup = group;
  }
  LoadCustomColours();
}

void CKeyboardLightEngine::FillCustomColours(bool on) {
  {
    std::lock_guard<std::mutex> lock(m_csState);
    for (unsigned i = 0; i < kLedCount; ++i) {
      LightColor c = m_leds.Get(i);
      c.red = on ? m_lightState.red : 0;
      c.green = on ? m_lightState.green : 0;
      c.blue = on ? m_lightState.blue : 0;
      m_leds.Set(i, c);
    }
  }
  SendCustomTable(true);
  if (m_host != nullptr) {
    const int group = m_host->PanelCustomGroup();
    if (group >= 0) m_host->StoreCustomColours(static_cast<unsigned>(group), LedColourList());
  }
}

void CKeyboardLightEngine::SetKeyColour(unsigned led) {
  {
    std::lock_guard<std::mutex> lock(m_csState);
    if (m_lightState.selectItem != 28 || led >= kLedCount) return;
    LightColor c = m_leds.Get(led);
    c.red = m_lightState.red;
    c.green = m_lightState.green;
    c.blue = m_lightState.blue;
    m_leds.Set(led, c);
  }
  if (m_host == nullptr) return;
  const int group = m_host->PanelCustomGroup();
  if (group >= 0) m_host->StoreCustomColours(static_cast<unsigned>(group), LedColourList());
  m_host->SendCustomTable(m_leds.Snapshot(), false);
}

void CKeyboardLightEngine::SendCustomTable(bool scaled) {
  if (m_host == nullptr || GetLightState().selectItem != 28) return;
  m_host->SendCustomTable(m_leds.Snapshot(), scaled);
}

std::vector<LightColor> CKeyboardLightEngine::LedColourList() const {
  std::vector<LightColor> list(kLedCount);
  for (unsigned i = 0; i < kLedCount; ++i) list[i] = m_leds.Get(i);
  return list;
}

// ------------------------------------------------------------ light thread

void CKeyboardLightEngine::Pass(uint32_t& ticks) {
  {
    std::lock_guard<std::mutex> lock(m_csState);
    const unsigned mode = m_lightState.selectItem;
    if (mode == 0 || mode == 19 || mode > 30) {
      RunSequence();
    } else if (mode == 29) {
      if (ticks >= 2) {
        StepAudioLocked();
        ticks = 0;
      }
    } else {
      // The four-colour modes pace like the effects they vary.
      const unsigned row = mode == 26 ? 5 : mode == 27 ? 23 : mode;
      if (ticks >= StepPeriodOf(row, m_lightState.speed)) {
        StepModeLocked(mode);
        ticks = 0;
      }
    }
  }
  std::lock_guard<std::mutex> lock(m_csEngine);
  RunPerKeyEffects();
}

// -------------------------------------------------------------- inspection

uint8_t CKeyboardLightEngine::LedLevel(unsigned led) const {
  std::lock_guard<std::mutex> lock(m_csState);
  return led < kLedCount ? m_ledLevel[led] : 0;
}

uint8_t CKeyboardLightEngine::LedHue(unsigned led) const {
  std::lock_guard<std::mutex> lock(m_csState);
  return led < kLedCount ? m_ledHue[led] : 0;
}

uint8_t CKeyboardLightEngine::Phase() const {
  std::lock_guard<std::mutex> lock(m_csState);
  return m_nPhase;
}

uint8_t CKeyboardLightEngine::RippleStage() const {
  std::lock_guard<std::mutex> lock(m_csState);
  return m_nRippleStage;
}

CRipplePlanes CKeyboardLightEngine::RipplePlanes() const {
  std::lock_guard<std::mutex> lock(m_csState);
  return m_ripple;
}

// ---------------------------------------------------------------- drawing

Rgb CKeyboardLightEngine::Colour(uint8_t hue) const {
  if (m_lightState.multiColor != 0) return light::kColourWheel[hue];
  return {m_lightState.red, m_lightState.green, m_lightState.blue};
}

Rgb CKeyboardLightEngine::Foreground(uint8_t hue) const {
  if (m_audioLight.sevenColorFlags != 0) return light::kColourWheel[hue];
  return {m_audioLight.fgColorR, m_audioLight.fgColorG, m_audioLight.fgColorB};
}

Rgb CKeyboardLightEngine::Background() const {
  return {m_audioLight.bkColorR, m_audioLight.bkColorG, m_audioLight.bkColorB};
}

uint8_t CKeyboardLightEngine::Bright() const { return light::BrightnessOf(m_lightState.light); }

void CKeyboardLightEngine::Put(unsigned led, Rgb c, uint8_t a) {
  if (led < kLedCount) m_leds.Set(led, LightColor{c.r, c.g, c.b, a});
}

void CKeyboardLightEngine::PutAll(Rgb c, uint8_t a) {
  for (unsigned i = 0; i < kLedCount; ++i) Put(i, c, a);
}

void CKeyboardLightEngine::FadeLitLocked(unsigned led, int style) {
  if (led >= kLedCount) return;
  m_ledLevel[led] = light::FadeLevel(m_ledLevel[led], style);
  Put(led, Colour(m_ledHue[led]), light::Scale8(Bright(), m_ledLevel[led]));
}

void CKeyboardLightEngine::LightRippleCellsLocked() {
  for (unsigned c = 0; c < kColumns; ++c) {
    const uint8_t bits = m_ripple.ColumnBits(c);
    if (bits == 0) continue;
    for (unsigned r = 0; r < kRows; ++r) {
      if (((bits >> r) & 1u) == 0) continue;
      const uint8_t led = kColumnMatrix[c][r];
      if (led >= kLedCount) continue;
      m_ledLevel[led] = 255;
      if (m_lightState.multiColor != 0) m_ledHue[led] = RandomHue();
    }
  }
}

uint8_t CKeyboardLightEngine::RandomHue() { return static_cast<uint8_t>(m_random.Next() % 192); }

}  // namespace tarn::keyboard
