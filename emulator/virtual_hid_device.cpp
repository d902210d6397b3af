#include "emulator/virtual_hid_device.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace tarn::emu {
namespace {

// The frame checksum is recomputed here on its own terms (bytes 3..63),
// so a fault in the host's frame code cannot hide behind it.
void Reseal(Report& reply) {
  if (reply.size() < 64) return;
  uint32_t sum = 0;
  for (size_t i = 3; i < 64; ++i) sum += reply[i];
  reply[1] = static_cast<uint8_t>(sum);
  reply[2] = static_cast<uint8_t>(sum >> 8);
}

void SendAll(int fd, const Report& report) {
  if (report.empty()) return;
  ssize_t ignored = ::send(fd, report.data(), report.size(), MSG_NOSIGNAL);
  (void)ignored;  // a host that left is noticed by the poll loop
}

}  // namespace

CVirtualHidDevice::CVirtualHidDevice(HidNodeInfo info, ReportHandler handler)
    : m_info(std::move(info)), m_handler(std::move(handler)) {
  m_wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  m_thread = std::thread([this] { Serve(); });
}

CVirtualHidDevice::~CVirtualHidDevice() {
  m_stop.Set();
  if (m_thread.joinable()) m_thread.join();
  for (int fd : m_connections) ::close(fd);
  ::close(m_wakeFd);
}

int CVirtualHidDevice::Connect() {
  int fds[2];
  std::lock_guard<std::mutex> lock(m_mutex);
  if (!m_bPlugged) return -1;
  if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds) < 0) return -1;
  m_connections.push_back(fds[0]);
  Wake();
  return fds[1];
}

void CVirtualHidDevice::Unplug() {
  // Shut down rather than close: hosts see the end at once, and the serving
  // thread, which may be inside a call on one of them, closes them itself.
  std::lock_guard<std::mutex> lock(m_mutex);
  m_bPlugged = false;
  for (int fd : m_connections) ::shutdown(fd, SHUT_RDWR);
  Wake();
}

bool CVirtualHidDevice::IsPlugged() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_bPlugged;
}

size_t CVirtualHidDevice::ConnectionCount() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_connections.size();
}

void CVirtualHidDevice::SendInputReport(const Report& report) {
  std::lock_guard<std::mutex> lock(m_mutex);
  for (int fd : m_connections) SendAll(fd, report);
}

void CVirtualHidDevice::InjectFault(Fault fault, int times) {
  std::lock_guard<std::mutex> lock(m_mutex);
  for (int i = 0; i < times; ++i) m_faults.push_back(fault);
}

void CVirtualHidDevice::InjectBeforeReply(Report report) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_beforeReply.push_back(std::move(report));
}

void CVirtualHidDevice::Wake() {
  uint64_t one = 1;
  ssize_t ignored = ::write(m_wakeFd, &one, sizeof one);
  (void)ignored;
}

void CVirtualHidDevice::CloseConnection(int fd) {
  std::lock_guard<std::mutex> lock(m_mutex);
  auto it = std::find(m_connections.begin(), m_connections.end(), fd);
  if (it == m_connections.end()) return;
  ::close(fd);
  m_connections.erase(it);
}

void CVirtualHidDevice::Serve() {
  std::vector<uint8_t> buffer(4096);
  std::vector<pollfd> fds;
  for (;;) {
    fds.clear();
    fds.push_back({m_stop.Fd(), POLLIN, 0});
    fds.push_back({m_wakeFd, POLLIN, 0});
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      for (int fd : m_connections) fds.push_back({fd, POLLIN, 0});
    }
    if (::poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[0].revents) return;
    if (fds[1].revents) {
      uint64_t drained;
      ssize_t ignored = ::read(m_wakeFd, &drained, sizeof drained);
      (void)ignored;
    }
    for (size_t i = 2; i < fds.size(); ++i) {
      if (!fds[i].revents) continue;
      const int fd = fds[i].fd;
      {
        // The connection may have been closed by Unplug meanwhile.
        std::lock_guard<std::mutex> lock(m_mutex);
        if (std::find(m_connections.begin(), m_connections.end(), fd) == m_connections.end()) continue;
      }
      ssize_t n = ::recv(fd, buffer.data(), buffer.size(), MSG_DONTWAIT);
      if (n > 0) {
        HandleRequest(fd, buffer.data(), static_cast<size_t>(n));
      } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
        CloseConnection(fd);  // the host closed its end
      }
    }
  }
}

void CVirtualHidDevice::HandleRequest(int fd, const uint8_t* data, size_t length) {
  ++m_nRequests;
  bool haveFault = false;
  Fault fault = Fault::NoReply;
  std::vector<Report> before;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_faults.empty()) {
      fault = m_faults.front();
      m_faults.pop_front();
      haveFault = true;
    }
    if (!m_beforeReply.empty()) {
      before.push_back(std::move(m_beforeReply.front()));
      m_beforeReply.pop_front();
    }
  }
  if (haveFault && fault == Fault::Vanish) {
    Unplug();
    return;
  }
  std::vector<Report> replies = m_handler(data, length);
  if (haveFault) {
    switch (fault) {
      case Fault::NoReply: replies.clear(); break;
      case Fault::WrongCommandOnce:
      case Fault::WrongCommandTwice:
        if (!replies.empty() && replies.front().size() > 3) {
          Report wrong = replies.front();
          wrong[3] = static_cast<uint8_t>(wrong[3] ^ 0x80);
          Reseal(wrong);
          replies.insert(replies.begin(), wrong);
          if (fault == Fault::WrongCommandTwice) replies.insert(replies.begin(), wrong);
        }
        break;
      case Fault::BadChecksum:
        for (Report& r : replies)
          if (r.size() > 2) r[1] = static_cast<uint8_t>(r[1] + 1);
        break;
      case Fault::StatusError:
      case Fault::StatusBusy:
        for (Report& r : replies) {
          if (r.size() < 64) continue;
          r[7] = fault == Fault::StatusError ? 0xFF : 0xFE;
          Reseal(r);
        }
        break;
      case Fault::Vanish: break;
    }
  }
  if (int delay = m_nReplyDelayMs; delay > 0) {
    // A slow device; stopping the device cuts the wait short.
    if (m_stop.Wait(delay)) return;
  }
  std::lock_guard<std::mutex> lock(m_mutex);
  if (std::find(m_connections.begin(), m_connections.end(), fd) == m_connections.end()) return;
  for (const Report& r : before) SendAll(fd, r);
  for (const Report& r : replies) SendAll(fd, r);
}

}  // namespace tarn::emu
