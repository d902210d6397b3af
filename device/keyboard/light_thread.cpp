#include "device/keyboard/light_thread.h"

#include <poll.h>

#include <cerrno>
#include <chrono>

#include "device/keyboard/light_engine.h"
#include "device/light/light_clock.h"
#include "platform/debug_output.h"

namespace tarn::keyboard {

namespace {
// Waits on the stop event for at least ms milliseconds (poll rounds up).
bool WaitForStop(const CStopEvent& stop, int ms) {
  pollfd entry{stop.Fd(), POLLIN, 0};
  for (;;) {
    const int ready = ::poll(&entry, 1, ms);
    if (ready > 0) return true;
    if (ready == 0 || errno != EINTR) return false;
  }
}
}  // namespace

CKeyboardLightThread::CKeyboardLightThread(CKeyboardLightEngine& engine, IClock& clock, Flag channelOpen,
                                           Flag syncLight)
    : m_engine(engine), m_clock(clock), m_channelOpen(std::move(channelOpen)), m_syncLight(std::move(syncLight)) {}

CKeyboardLightThread::~CKeyboardLightThread() { Stop(); }

void CKeyboardLightThread::Start() {
  Stop();
  m_stop.Reset();
  m_workPasses = 0;
  m_shared = std::make_shared<Shared>();
  m_thread = std::thread(&CKeyboardLightThread::Loop, this, m_shared);
}

bool CKeyboardLightThread::Running() const { return m_thread.joinable(); }

void CKeyboardLightThread::Stop() {
  if (!m_thread.joinable()) return;
  m_stop.Set();
  bool ended;
  {
    std::unique_lock<std::mutex> lock(m_shared->mutex);
    ended = m_shared->done.wait_for(lock, std::chrono::milliseconds(kStopWaitMs), [&] { return m_shared->ended; });
  }
  if (ended) {
    DebugOutput("线程退出：：对象处于激发状态\n");
  } else {
    // Threads are never killed here: the loop checks the stop event on every
    // pass, so it ends as soon as its current step returns.
    DebugOutput("线程退出：：对象处于非激发状态，超时\n");
  }
  m_thread.join();
  m_shared.reset();
}

void CKeyboardLightThread::Loop(std::shared_ptr<Shared> shared) {
  light::CLightPacer pacer(light::LightClockOf(m_clock.TickCount()));
  for (;;) {
    // The design's 1 ms waits, merged while the light clock cannot move:
    // such passes would find it unchanged and do nothing, and each wake-up
    // costs more than the effect work itself. A stop still wakes at once.
    const int wait = static_cast<int>(light::MsToNextLightTick(m_clock.TickCount()));
    if (WaitForStop(m_stop, wait)) {
      DebugOutput("KB灯光线程设定退出");
      break;
    }
    if (m_channelOpen && !m_channelOpen()) {
      WaitForStop(m_stop, 100);  // paused while the channel is closed; a stop still wakes it
      continue;
    }
    if (m_syncLight && m_syncLight()) continue;
    if (!pacer.OnPass(light::LightClockOf(m_clock.TickCount()))) continue;
    m_engine.Pass(pacer.Ticks());
    m_workPasses.fetch_add(1, std::memory_order_relaxed);
  }
  std::lock_guard<std::mutex> lock(shared->mutex);
  shared->ended = true;
  shared->done.notify_all();
}

}  // namespace tarn::keyboard
