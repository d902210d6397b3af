#pragma once
// A manual-reset event: once set it stays set until reset, and every waiter
// wakes. Backed by an eventfd so that a thread blocked in poll() on other
// descriptors can wait on it too.
namespace tarn {

class CStopEvent {
 public:
  CStopEvent();
  ~CStopEvent();
  CStopEvent(const CStopEvent&) = delete;
  CStopEvent& operator=(const CStopEvent&) = delete;

  void Set();
  void Reset();
  bool IsSet() const;
  // Waits up to timeoutMs (negative: without limit). True when set.
  bool Wait(int timeoutMs) const;
  // Readable while set; for poll().
  int Fd() const { return m_fd; }

 private:
  int m_fd;
};

}  // namespace tarn
