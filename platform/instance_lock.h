#pragma once
// The single-instance lock: an advisory lock on a file in the runtime folder.
// The kernel drops it when the process ends, however it ends.
#include <string>

namespace tarn {

class CInstanceLock {
 public:
  CInstanceLock() = default;
  ~CInstanceLock();
  CInstanceLock(const CInstanceLock&) = delete;
  CInstanceLock& operator=(const CInstanceLock&) = delete;

  // Takes the lock named `name` in the runtime folder. False when another
  // process holds it (or the file cannot be made).
  bool TryAcquire(const std::string& name);
  void Release();
  bool Held() const { return m_fd >= 0; }

 private:
  int m_fd = -1;
};

}  // namespace tarn
