#pragma once
// The clock that paces software light effects. The effects' speed tables
// count ticks of the system timer, whose default period is 1/64 s; a clock
// with finer steps would run every effect many times too fast. So the
// millisecond clock is read at that granularity: it moves by 15 or 16 ms at
// a time, 64 times a second.
#include <cstdint>

namespace tarn::light {

inline constexpr uint32_t kLightTicksPerSecond = 64;

// The start, in milliseconds, of the light tick that ms falls in.
inline uint32_t LightClockOf(uint32_t ms) {
  const uint64_t tick = static_cast<uint64_t>(ms) * kLightTicksPerSecond / 1000;
  return static_cast<uint32_t>(tick * 1000 / kLightTicksPerSecond);
}

// Milliseconds from ms until the light clock next moves (1 to 16).
inline uint32_t MsToNextLightTick(uint32_t ms) {
  const uint64_t next = static_cast<uint64_t>(ms) * kLightTicksPerSecond / 1000 + 1;
  const uint64_t nextMs = (next * 1000 + kLightTicksPerSecond - 1) / kLightTicksPerSecond;
  const uint64_t wait = nextMs - ms;
  return static_cast<uint32_t>(wait < 1 ? 1 : wait);
}

}  // namespace tarn::light
