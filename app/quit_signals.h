#pragma once
// Turns SIGINT and SIGTERM into the end of the message loop, so that an
// interrupted program still shuts down in order (lock, bus socket, fonts).
#include <memory>

class QSocketNotifier;

namespace tarn {

class CQuitSignals {
 public:
  CQuitSignals();
  ~CQuitSignals();
  CQuitSignals(const CQuitSignals&) = delete;
  CQuitSignals& operator=(const CQuitSignals&) = delete;

 private:
  std::unique_ptr<QSocketNotifier> m_pNotifier;
};

}  // namespace tarn
