#pragma once
// A worker thread stopped through its manual-reset stop event. Stopping
// waits a given time and writes the outcome to the debug output. A thread
// is never killed: the owner first wakes whatever it waits on (closing a
// link wakes a read), so it ends within the wait; should it not, the
// time-out line is written and the stop still waits for the end, since
// killing a thread would leave its locks and memory in an unknown state.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/stop_event.h"

namespace tarn {

class CWorkerThread {
 public:
  CWorkerThread() = default;
  ~CWorkerThread();
  CWorkerThread(const CWorkerThread&) = delete;
  CWorkerThread& operator=(const CWorkerThread&) = delete;

  // Starts `body` with the stop event (stopping a running thread first,
  // waiting waitMsForOld for it).
  void Start(std::function<void(const CStopEvent&)> body, int waitMsForOld = 1000);
  // Sets the stop event and waits up to waitMs, writing the outcome line.
  // True when the thread ended within the wait.
  bool Stop(int waitMs);
  bool IsRunning() const;

  static constexpr const char* kEndedLine = "线程退出：：对象处于激发状态\n";
  static constexpr const char* kTimedOutLine = "线程退出：：对象处于非激发状态，超时\n";

 private:
  CStopEvent m_stop;
  std::thread m_thread;
  mutable std::mutex m_mutex;
  std::condition_variable m_endedCv;
  bool m_bEnded = true;
};

}  // namespace tarn
