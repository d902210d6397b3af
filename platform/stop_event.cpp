#include "platform/stop_event.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>

namespace tarn {

CStopEvent::CStopEvent() : m_fd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (m_fd < 0) std::abort();  // out of descriptors at construction: nothing sensible to do
}

CStopEvent::~CStopEvent() { ::close(m_fd); }

void CStopEvent::Set() {
  // The counter only grows while set; readers never consume it, so the fd
  // stays readable until Reset().
  uint64_t one = 1;
  ssize_t ignored = ::write(m_fd, &one, sizeof one);
  (void)ignored;
}

void CStopEvent::Reset() {
  uint64_t value = 0;
  ssize_t ignored = ::read(m_fd, &value, sizeof value);
  (void)ignored;
}

bool CStopEvent::IsSet() const { return Wait(0); }

bool CStopEvent::Wait(int timeoutMs) const {
  using Clock = std::chrono::steady_clock;
  auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
  for (;;) {
    int wait = -1;
    if (timeoutMs >= 0) {
      // Round up: a wait cut down to whole milliseconds would return at once
      // for short waits, and a 1 ms wait loop would spin.
      auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
      wait = left > 0 ? static_cast<int>(left) : 0;
    }
    pollfd entry{m_fd, POLLIN, 0};
    int ready = ::poll(&entry, 1, wait);
    if (ready > 0) return true;
    if (ready == 0) return false;
    if (errno != EINTR) return false;
  }
}

}  // namespace tarn
