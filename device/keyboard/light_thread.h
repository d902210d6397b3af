#pragma once
// The keyboard's light thread: whenever the light clock (the millisecond
// clock at the system timer's granularity) has moved, it counts ticks and
// lets the engine run the current mode's step at the pace of its speed
// table, then the per-key effects.
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/clock.h"
#include "platform/stop_event.h"

namespace tarn::keyboard {

class CKeyboardLightEngine;

// The tick counter of the loop: a tick is counted when the clock has moved
// on by more than 1 ms since the last counted tick. Fed with the light clock,
// that is one tick per 1/64 s.
class CLightPacer {
 public:
  explicit CLightPacer(uint32_t start = 0) : m_lastTick(start), m_lastSeen(start) {}
  // False when the clock has not moved since the previous pass: no work.
  bool OnPass(uint32_t now);
  uint32_t& Ticks() { return m_ticks; }

 private:
  uint32_t m_lastTick;
  uint32_t m_lastSeen;
  uint32_t m_ticks = 0;
};

class CKeyboardLightThread {
 public:
  using Flag = std::function<bool()>;
  // channelOpen: the command channel is open; syncLight: the main window's
  // synchronised lighting drives the LEDs meanwhile.
  CKeyboardLightThread(CKeyboardLightEngine& engine, IClock& clock, Flag channelOpen, Flag syncLight);
  ~CKeyboardLightThread();
  CKeyboardLightThread(const CKeyboardLightThread&) = delete;
  CKeyboardLightThread& operator=(const CKeyboardLightThread&) = delete;

  // Stops a running thread first, then starts a new one.
  void Start();
  // Signals the stop event and waits up to 1000 ms for the thread.
  void Stop();
  bool Running() const;

  // Passes of the current run that did effect work, for tests and benchmarks.
  uint64_t WorkPasses() const { return m_workPasses.load(); }

  static constexpr int kStopWaitMs = 1000;

 private:
  struct Shared {
    std::mutex mutex;
    std::condition_variable done;
    bool ended = false;
  };
  void Loop(std::shared_ptr<Shared> shared);

  CKeyboardLightEngine& m_engine;
  IClock& m_clock;
  Flag m_channelOpen;
  Flag m_syncLight;
  CStopEvent m_stop;
  std::thread m_thread;
  std::shared_ptr<Shared> m_shared;
  std::atomic<uint64_t> m_workPasses{0};
};

}  // namespace tarn::keyboard
