#include "device/worker_thread.h"

#include <chrono>

#include "platform/debug_output.h"

namespace tarn {

CWorkerThread::~CWorkerThread() {
  if (m_thread.joinable()) Stop(1000);
}

void CWorkerThread::Start(std::function<void(const CStopEvent&)> body, int waitMsForOld) {
  if (m_thread.joinable()) Stop(waitMsForOld);
  m_stop.Reset();
  // The handle is stored under the lock, and the thread takes the lock
  // before its body runs: a body that asks to stop itself finds its handle.
  std::lock_guard<std::mutex> lock(m_mutex);
  m_bEnded = false;
  m_thread = std::thread([this, body = std::move(body)] {
    { std::lock_guard<std::mutex> stored(m_mutex); }
    body(m_stop);
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_bEnded = true;
    }
    m_endedCv.notify_all();
  });
}

bool CWorkerThread::Stop(int waitMs) {
  if (!m_thread.joinable()) return true;
  m_stop.Set();
  // The thread asking to stop itself cannot wait for its own end; it ends
  // at its next look at the event and the owner joins it later.
  if (std::this_thread::get_id() == m_thread.get_id()) return false;
  bool ended;
  {
    std::unique_lock<std::mutex> lock(m_mutex);
    ended = m_endedCv.wait_for(lock, std::chrono::milliseconds(waitMs), [this] { return m_bEnded; });
  }
  DebugOutput(ended ? kEndedLine : kTimedOutLine);
  m_thread.join();
  return ended;
}

bool CWorkerThread::IsRunning() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_thread.joinable() && !m_bEnded;
}

}  // namespace tarn
