#pragma once
// The keyboard's software lighting: a copy of the keyboard's own effects that
// the screen shows and that the host-driven modes send to the keyboard. The
// light thread calls Pass; everything else is called from the UI thread.
//
// Wiring in the keyboard device: ApplyProfile from the profile's LightInfo,
// AudioLightInfo, LightList and light effects; SetLightState after the
// settings are read back; OnAudioSpectrum / OnAudioLevels from the main
// window; the light thread (CKeyboardLightThread) with the command channel's
// open and m_bSyncLight flags; SetLedColor / GetLedColor on Leds(); and the
// refresh building its frame from Leds().Snapshot() (light_frame.h).
//
// Locks: m_csState guards the light settings and all effect state (phases,
// levels, hues, planes, audio); the engine lock guards the per-key effect
// list and the sequence lock the user effect sequence. Order: state, then
// sequence; the engine lock is taken alone. The LED entries need no lock.
#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

#include "device/keyboard/led_tables.h"
#include "device/keyboard/light_engine_host.h"
#include "device/keyboard/ripple_planes.h"
#include "device/light/led_colours.h"
#include "device/light/light_tables.h"
#include "platform/clock.h"
#include "profile/profile_records.h"

namespace tarn::keyboard {

inline constexpr unsigned kAudioBands = 25;
inline constexpr unsigned kAudioColours = 6;
inline constexpr int kAudioSpectrumMax = 500;

class CKeyboardLightEngine {
 public:
  CKeyboardLightEngine(IClock& clock, IRandom& random, ILightEngineHost* host = nullptr);
  CKeyboardLightEngine(const CKeyboardLightEngine&) = delete;
  CKeyboardLightEngine& operator=(const CKeyboardLightEngine&) = delete;

  // --- UI thread ---
  // Takes a profile's lighting: resets the effects and runs the entry step
  // when the mode changed (always for mode 28), reloads the per-key list and
  // the user sequence.
  void ApplyProfile(const LightState& state, const AudioLightState& audio, const std::vector<LightListEntry>& list,
                    const std::vector<LightEffectStep>& effects);
  // A new light state read back from the keyboard: the same reset rule.
  void SetLightState(const LightState& state);
  void SetAudioLightState(const AudioLightState& audio);
  LightState GetLightState() const;
  AudioLightState GetAudioLightState() const;

  void ResetEffects();
  void ClearAudio();
  void OnAudioSpectrum(const int32_t* values, int count);
  void OnAudioLevels(const int32_t* values, int count);
  // Key marks drive the key glow modes: 1 brightens the LED, 2 dims it.
  void SetKeyMark(unsigned led, uint8_t mark);
  void SeedRipple(unsigned led, int kind);

  void SetCustomGroup(unsigned group);
  // Mode 28's colours of the group CustomGroup become the LED entries.
  void LoadCustomColours();
  // The same for the group stored in the profile, which the panel then shows.
  void LoadProfileCustomColours();
  void FillCustomColours(bool on);
  // Mode 28 only: the LED takes the current colour; the unscaled table goes out.
  void SetKeyColour(unsigned led);

  // --- light thread ---
  // One pass of the light loop with the tick count so far: runs the mode's
  // step when its period is due (resetting ticks), then the per-key effects.
  void Pass(uint32_t& ticks);

  // --- any thread ---
  const light::CLedColours& Leds() const { return m_leds; }
  light::CLedColours& Leds() { return m_leds; }

  // Effect state, for tests and the on-screen preview.
  uint8_t LedLevel(unsigned led) const;
  uint8_t LedHue(unsigned led) const;
  uint8_t Phase() const;
  uint8_t RippleStage() const;
  CRipplePlanes RipplePlanes() const;

 private:
  struct PerKeyState {
    uint8_t breath = 0;
    uint8_t hue = 0;
    uint8_t blinkOn = 0;
    uint8_t counter = 0;
    uint32_t blinkPeriodMs = 0;
    uint32_t lastToggle = 0;
  };

  // All of these run under m_csState.
  void ChangeStateLocked(const LightState& state, const std::vector<LightColor>& custom, bool& ranEntry);
  void ResetEffectsLocked();
  void EntryStepLocked(const std::vector<LightColor>& custom);
  void SpreadHuesLocked();
  void ApplyCustomColoursLocked(const std::vector<LightColor>& custom);
  void StepModeLocked(unsigned mode);
  void StepAudioLocked();
  void LightRippleCellsLocked();
  void FadeLitLocked(unsigned led, int style);

  void StepColumnWave();
  void StepColumnWaveFine();
  void StepPathWave();
  void StepColourCycle();
  void StepBreathing();
  void StepStatic();
  void StepKeyGlow();
  void StepDriftingRipple();
  void StepHorizontalRipple();
  void StepSparkles();
  void StepHueCycle();
  void StepRowWave();
  void StepCentreRipple();
  void StepScriptedShow();
  void StepFastTwinkle();
  void StepBouncingRipple();
  void StepFixedColour();
  void StepMovingRings();
  void StepOff();
  void StepSnake();
  void StepTwinkle();
  void StepBlink(bool fourColours);
  void StepRain();
  void StepFourColourBreathing();
  void StepCustom();
  void StepAudioColour();

  void AudioBars();
  void AudioMirrorBars();
  void AudioRipples();
  void AudioRings();
  void AudioPeakDrops();
  void AudioRowBars();
  void AudioSplitRows();

  void RunSequence();
  void RunPerKeyEffects();
  void ResetPerKeyLocked();

  light::Rgb Colour(uint8_t hue) const;
  light::Rgb Foreground(uint8_t hue) const;
  light::Rgb Background() const;
  uint8_t Bright() const;
  void Put(unsigned led, light::Rgb c, uint8_t a);
  void PutAll(light::Rgb c, uint8_t a);
  void DrawInside(unsigned led, uint8_t hue);
  void DrawOutside(unsigned led, uint8_t hue, bool fade);
  uint8_t RandomHue();
  void SendCustomTable(bool scaled);
  std::vector<LightColor> LedColourList() const;

  IClock& m_clock;
  IRandom& m_random;
  ILightEngineHost* m_host;
  light::CLedColours m_leds;

  mutable std::mutex m_csState;
  LightState m_lightState;
  AudioLightState m_audioLight;
  uint8_t m_nPhase = 0;
  uint8_t m_nPhase2 = 0;
  uint8_t m_nSubCount = 0;
  uint8_t m_bBlinkOn = 0;
  uint32_t m_nLastToggle = 0;
  std::array<uint8_t, kLedCount> m_ledLevel{};
  std::array<uint8_t, kLedCount> m_ledHue{};
  std::array<uint8_t, kLedCount> m_ledCounter{};
  std::array<uint8_t, kLedCount> m_keyMark{};
  CRipplePlanes m_ripple;
  uint8_t m_nRippleStage = 0;
  std::array<int32_t, kAudioBands> m_audioSpectrum{};
  std::array<int32_t, kAudioColours> m_audioColour{};
  int64_t m_nAudioTotal = 0;
  std::array<uint8_t, kColumns> m_columnArmed{};

  std::mutex m_csEngine;
  std::vector<LightListEntry> m_lightList;
  std::vector<PerKeyState> m_perKey;

  std::mutex m_csSequence;
  std::vector<LightEffectStep> m_effects;
  std::size_t m_nStepIndex = 0;
  uint32_t m_nStepStart = 0;
  uint8_t m_nSeqPass = 0;
  uint8_t m_nSeqPhase = 0;
  uint8_t m_bSeqBlinkOn = 0;
  uint8_t m_nSeqBlinkHue = 0;
  uint32_t m_nSeqLastToggle = 0;
};

}  // namespace tarn::keyboard
