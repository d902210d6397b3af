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

// The tick counter of a light loop: a tick is counted when the clock has
// moved on by more than 1 ms since the last counted tick. Fed with the light
// clock, that is one tick per 1/64 s.
class CLightPacer {
 public:
  explicit CLightPacer(uint32_t start = 0) : m_lastTick(start), m_lastSeen(start) {}
  // False when the clock has not moved since the previous pass: no work.
  bool OnPass(uint32_t now) {
    if (now == m_lastSeen) return false;
    m_lastSeen = now;
    if (now - m_lastTick > 1) {
      ++m_ticks;
      m_lastTick = now;
    }
    return true;
  }
  uint32_t& Ticks() { return m_ticks; }

 private:
  uint32_t m_lastTick;
  uint32_t m_lastSeen;
  uint32_t m_ticks = 0;
};

}  // namespace tarn::light
