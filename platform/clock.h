#pragma once
// Injectable time and randomness, so that effects and time-outs are
// reproducible in tests.
#include <atomic>
#include <cstdint>

namespace tarn {

class IClock {
 public:
  virtual ~IClock() = default;
  // Milliseconds since some fixed start; wraps like a 32-bit tick count.
  virtual uint32_t TickCount() const = 0;
};

class CSystemClock : public IClock {
 public:
  uint32_t TickCount() const override;
};

// A clock that moves only when told to.
class CManualClock : public IClock {
 public:
  explicit CManualClock(uint32_t start = 0) : m_now(start) {}
  uint32_t TickCount() const override { return m_now.load(); }
  void Advance(uint32_t ms) { m_now += ms; }
  void Set(uint32_t now) { m_now = now; }

 private:
  std::atomic<uint32_t> m_now;
};

class IRandom {
 public:
  virtual ~IRandom() = default;
  // A value from 0 to 32767, like the C run time's rand().
  virtual int Next() = 0;
};

// The classic linear congruential sequence (x = x * 214013 + 2531011,
// result bits 16..30): the same seed gives the same numbers everywhere.
class CSeededRandom : public IRandom {
 public:
  explicit CSeededRandom(uint32_t seed = 1) : m_state(seed) {}
  int Next() override;
  void Seed(uint32_t seed) { m_state = seed; }

 private:
  uint32_t m_state;
};

// The process-wide sources used where nothing was injected.
IClock& SystemClock();
IRandom& SystemRandom();

}  // namespace tarn
