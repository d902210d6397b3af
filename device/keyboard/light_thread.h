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

#include "device/light/light_clock.h"
#include "platform/clock.h"
#include "platform/stop_event.h"

namespace tarn::keyboard {

class CKeyboardLightEngine;

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
