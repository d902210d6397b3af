#pragma once
// Byte helpers shared by every device's software lighting.
#include <cstdint>

namespace tarn::light {

// Moves a phase p by n within [0, period): forward when dir is non-zero
// (wrapping to 0), backward otherwise (wrapping to period - n). Byte
// arithmetic, as the effects expect.
uint8_t StepPhase(uint8_t dir, uint8_t period, uint8_t p, uint8_t n);

// One step of a fade of the level c by the rule of the given style (the
// effect's mode number selects the rule): returns the new level.
uint8_t FadeLevel(uint8_t c, int style);

// FadeLevel on levels[led]; an index outside the array is ignored.
void FadeLed(uint8_t* levels, unsigned count, unsigned led, int style);

// a + n, less period when the sum leaves 0..period-1 (byte arithmetic).
inline uint8_t AddWrap(uint8_t a, unsigned n, uint8_t period) {
  uint8_t s = static_cast<uint8_t>(a + n);
  if (s >= period) s = static_cast<uint8_t>(s - period);
  return s;
}

// value * scale >> 8, the brightness product of every effect.
inline uint8_t Scale8(unsigned value, unsigned scale) { return static_cast<uint8_t>(((value & 0xFF) * (scale & 0xFF)) >> 8); }

}  // namespace tarn::light
