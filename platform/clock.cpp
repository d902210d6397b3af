#include "platform/clock.h"

#include <chrono>
#include <mutex>
#include <random>

namespace tarn {

uint32_t CSystemClock::TickCount() const {
  auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

int CSeededRandom::Next() {
  m_state = m_state * 214013u + 2531011u;
  return static_cast<int>((m_state >> 16) & 0x7FFF);
}

namespace {
// Seeded once from the system, then shared under a lock by every thread.
class CLockedRandom : public IRandom {
 public:
  CLockedRandom() : m_random(std::random_device{}()) {}
  int Next() override {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_random.Next();
  }

 private:
  std::mutex m_mutex;
  CSeededRandom m_random;
};
}  // namespace

IClock& SystemClock() {
  static CSystemClock clock;
  return clock;
}

IRandom& SystemRandom() {
  static CLockedRandom random;
  return random;
}

}  // namespace tarn
