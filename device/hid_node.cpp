#include "device/hid_node.h"

#include "device/hid_report_descriptor.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <map>

namespace tarn {

// ---- CHidReportQueue ----

CHidReportQueue::CHidReportQueue(std::set<uint8_t> reportIds, bool anyReportId)
    : m_reportIds(std::move(reportIds)),
      m_bAnyReportId(anyReportId),
      m_readyFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CHidReportQueue::~CHidReportQueue() {
  if (m_readyFd >= 0) ::close(m_readyFd);
}

// ---- node table ----

namespace {

std::mutex& TableLock() {
  static std::mutex lock;
  return lock;
}

// Keyed by name and writability: a node opened read-only (for want of
// rights) is not handed to a caller that must write.
std::map<std::string, std::weak_ptr<CHidNode>>& Table() {
  static std::map<std::string, std::weak_ptr<CHidNode>> table;
  return table;
}

bool ReadHidrawInfo(int fd, HidNodeInfo& info) {
  hidraw_devinfo devinfo{};
  if (::ioctl(fd, HIDIOCGRAWINFO, &devinfo) < 0) return false;
  info.vendorId = static_cast<uint16_t>(devinfo.vendor);
  info.productId = static_cast<uint16_t>(devinfo.product);
  int size = 0;
  if (::ioctl(fd, HIDIOCGRDESCSIZE, &size) < 0 || size < 0 || size > HID_MAX_DESCRIPTOR_SIZE) return false;
  hidraw_report_descriptor descriptor{};
  descriptor.size = static_cast<uint32_t>(size);
  if (::ioctl(fd, HIDIOCGRDESC, &descriptor) < 0) return false;
  info.reportDescriptor.assign(descriptor.value, descriptor.value + size);
  return true;
}

}  // namespace

std::shared_ptr<CHidNode> CHidNode::Acquire(const std::string& name, bool needWrite, std::string& error,
                                            bool& permissionDenied) {
  permissionDenied = false;
  std::lock_guard<std::mutex> lock(TableLock());
  auto& table = Table();
  for (const char* suffix : {"|rw", "|ro"}) {
    if (needWrite && std::strcmp(suffix, "|ro") == 0) break;
    auto it = table.find(name + suffix);
    if (it == table.end()) continue;
    if (auto node = it->second.lock(); node && !node->ProbeGone()) return node;
  }

  HidNodeInfo info;
  int fd = OpenSourceNode(name, info);
  bool writable = true;
  bool hidraw = false;
  if (fd == -1) {
    error = "virtual node not available";
    return nullptr;
  }
  if (fd == -2) {
    hidraw = true;
    fd = ::open(name.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && (errno == EACCES || errno == EPERM) && !needWrite) {
      fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
      writable = false;
    }
    if (fd < 0) {
      permissionDenied = errno == EACCES || errno == EPERM;
      error = std::strerror(errno);
      return nullptr;
    }
    if (!ReadHidrawInfo(fd, info)) {
      error = std::string("not a HID node: ") + std::strerror(errno);
      ::close(fd);
      return nullptr;
    }
  } else {
    int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
  }
  std::shared_ptr<CHidNode> node(new CHidNode(name, fd, std::move(info), writable, hidraw));
  table[name + (writable ? "|rw" : "|ro")] = node;
  // Forget entries whose nodes are gone so the table does not grow.
  for (auto it = table.begin(); it != table.end();) it = it->second.expired() ? table.erase(it) : std::next(it);
  return node;
}

CHidNode::CHidNode(std::string name, int fd, HidNodeInfo info, bool writable, bool isHidraw)
    : m_name(std::move(name)), m_fd(fd), m_info(std::move(info)), m_bWritable(writable), m_bHidraw(isHidraw) {
  HidReportDescriptor descriptor;
  if (ParseHidReportDescriptor(m_info.reportDescriptor.data(), m_info.reportDescriptor.size(), descriptor))
    m_bNumbered = descriptor.usesReportIds;
}

CHidNode::~CHidNode() { ::close(m_fd); }

bool CHidNode::IsGone() const { return m_bGone; }

bool CHidNode::ProbeGone() {
  // A node nobody reads learns of an unplug only from its descriptor.
  pollfd p{m_fd, POLLIN, 0};
  if (::poll(&p, 1, 0) == 1 && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) {
    std::lock_guard<std::mutex> lock(m_mutex);
    MarkGoneLocked();
  }
  return IsGone();
}

void CHidNode::Signal(int fd) {
  uint64_t one = 1;
  ssize_t ignored = ::write(fd, &one, sizeof one);
  (void)ignored;
}

void CHidNode::Attach(const std::shared_ptr<CHidReportQueue>& queue) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_queues.push_back(queue);
  if (m_bGone) Signal(queue->m_readyFd);
}

void CHidNode::Detach(const std::shared_ptr<CHidReportQueue>& queue) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_queues.erase(std::remove(m_queues.begin(), m_queues.end(), queue), m_queues.end());
}

void CHidNode::MarkGoneLocked() {
  m_bGone = true;
  for (auto& queue : m_queues) Signal(queue->m_readyFd);
}

void CHidNode::Abort(const std::shared_ptr<CHidReportQueue>& queue) {
  std::lock_guard<std::mutex> lock(m_mutex);
  queue->m_bAborted = true;
  Signal(queue->m_readyFd);
}

bool CHidNode::Pump(CHidReportQueue* reader, bool drain, std::vector<uint8_t>* direct, bool* delivered) {
  // Unnumbered reports get a 0 in front, so byte 0 is the report id for all.
  uint8_t storage[16385];
  storage[0] = 0;
  uint8_t* buffer = m_bNumbered ? storage : storage + 1;
  for (;;) {
    ssize_t n = ::read(m_fd, buffer, sizeof storage - 1);
    if (n > 0) {
      size_t total = static_cast<size_t>(n) + (m_bNumbered ? 0 : 1);
      std::lock_guard<std::mutex> lock(m_mutex);
      for (auto& queue : m_queues) {
        if (!queue->Accepts(storage[0])) continue;
        if (queue.get() == reader && direct && !*delivered && queue->m_reports.empty() && !queue->m_bAborted) {
          // The reader's own report goes straight to it, not through the queue.
          direct->assign(storage, storage + total);
          *delivered = true;
          continue;
        }
        if (queue->m_reports.size() >= CHidReportQueue::kCapacity) queue->m_reports.pop_front();
        queue->m_reports.emplace_back(storage, storage + total);
        // The reading caller looks at its own queue next anyway.
        if (queue.get() != reader) Signal(queue->m_readyFd);
      }
      if (!drain) return true;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
    // End of the connection, or the device was unplugged.
    std::lock_guard<std::mutex> lock(m_mutex);
    MarkGoneLocked();
    return false;
  }
}

bool CHidNode::Read(const std::shared_ptr<CHidReportQueue>& queue, std::vector<uint8_t>& report,
                    int64_t timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
  for (;;) {
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      if (queue->m_bAborted) return false;
      if (!queue->m_reports.empty()) {
        report = std::move(queue->m_reports.front());
        queue->m_reports.pop_front();
        return true;
      }
      if (m_bGone) return false;
    }
    int wait = -1;
    if (timeoutMs >= 0) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left < 0) return false;
      wait = static_cast<int>(std::min<int64_t>(left, 1 << 30));
    }
    // An abort signals the queue too, so two descriptors cover every wake-up.
    pollfd fds[2] = {{m_fd, POLLIN, 0}, {queue->m_readyFd, POLLIN, 0}};
    int ready = ::poll(fds, 2, wait);
    if (ready < 0 && errno != EINTR) return false;
    if (ready == 0 && wait >= 0 && Clock::now() >= deadline) {
      // One last look: a report may have been queued at the very end.
      std::lock_guard<std::mutex> lock(m_mutex);
      if (queue->m_reports.empty() || queue->m_bAborted) return false;
      continue;
    }
    if (fds[1].revents) {
      uint64_t drained;
      ssize_t ignored = ::read(queue->m_readyFd, &drained, sizeof drained);
      (void)ignored;
    }
    if (fds[0].revents) {
      // Whoever holds the read lock routes the report; a caller that finds
      // it taken waits for its queue to be signalled instead.
      std::unique_lock<std::mutex> reading(m_readMutex, std::try_to_lock);
      if (reading.owns_lock()) {
        bool delivered = false;
        Pump(queue.get(), false, &report, &delivered);
        if (delivered) return true;
      } else {
        pollfd mine{queue->m_readyFd, POLLIN, 0};
        ::poll(&mine, 1, 1);
      }
    }
  }
}

void CHidNode::Flush(const std::shared_ptr<CHidReportQueue>& queue) {
  {
    std::lock_guard<std::mutex> reading(m_readMutex);
    Pump(queue.get(), true, nullptr, nullptr);
  }
  std::lock_guard<std::mutex> lock(m_mutex);
  queue->m_reports.clear();
}

bool CHidNode::Write(const uint8_t* data, size_t length, int64_t timeoutMs, int abortFd) {
  if (!m_bWritable || length == 0 || IsGone()) return false;
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
  for (;;) {
    // A socket must not raise SIGPIPE when its device has gone.
    ssize_t n = m_bHidraw ? ::write(m_fd, data, length) : ::send(m_fd, data, length, MSG_NOSIGNAL);
    if (n < 0 && errno == ENOTSOCK) n = ::write(m_fd, data, length);  // a source's non-socket descriptor
    if (n == static_cast<ssize_t>(length)) return true;
    if (n >= 0) return false;  // a short write cannot be a whole report
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) {
      if (errno == EPIPE || errno == ENODEV || errno == ECONNRESET) {
        std::lock_guard<std::mutex> lock(m_mutex);
        MarkGoneLocked();
      }
      return false;
    }
    int wait = -1;
    if (timeoutMs >= 0) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) return false;
      wait = static_cast<int>(std::min<int64_t>(left, 1 << 30));
    }
    pollfd fds[2] = {{m_fd, POLLOUT, 0}, {abortFd, POLLIN, 0}};
    int ready = ::poll(fds, abortFd >= 0 ? 2 : 1, wait);
    if (ready == 0) return false;
    if (ready < 0 && errno != EINTR) return false;
    if (abortFd >= 0 && fds[1].revents) return false;
  }
}

bool CHidNode::SetOutputReport(const uint8_t* data, size_t length) {
  if (!m_bWritable || length == 0 || IsGone()) return false;
#ifdef HIDIOCSOUTPUT
  if (m_bHidraw) {
    std::vector<uint8_t> copy(data, data + length);
    if (::ioctl(m_fd, HIDIOCSOUTPUT(copy.size()), copy.data()) >= 0) return true;
    if (errno != EINVAL && errno != ENOTTY) return false;
  }
#endif
  return Write(data, length, 1000, -1);
}

}  // namespace tarn
