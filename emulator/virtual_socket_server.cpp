#include "emulator/virtual_socket_server.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "emulator/virtual_socket_protocol.h"

namespace tarn::emu {

CVirtualSocketServer::CVirtualSocketServer(std::string socketPath, std::shared_ptr<CVirtualHidDevice> device)
    : m_strPath(std::move(socketPath)), m_device(std::move(device)) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (m_strPath.size() >= sizeof address.sun_path) return;
  std::memcpy(address.sun_path, m_strPath.c_str(), m_strPath.size() + 1);
  ::unlink(m_strPath.c_str());
  int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
  if (fd < 0) return;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) < 0 || ::listen(fd, 8) < 0) {
    ::close(fd);
    return;
  }
  m_listenFd = fd;
  m_thread = std::thread([this] { Serve(); });
}

CVirtualSocketServer::~CVirtualSocketServer() {
  m_stop.Set();
  if (m_thread.joinable()) m_thread.join();
  if (m_listenFd >= 0) {
    ::close(m_listenFd);
    ::unlink(m_strPath.c_str());
  }
}

void CVirtualSocketServer::Serve() {
  // Each pair: the client's socket and this server's connection to the device.
  std::vector<std::pair<int, int>> pairs;
  std::vector<uint8_t> buffer(8192);
  auto closePair = [&](size_t i) {
    ::close(pairs[i].first);
    ::close(pairs[i].second);
    pairs.erase(pairs.begin() + static_cast<std::ptrdiff_t>(i));
  };
  for (;;) {
    std::vector<pollfd> fds = {{m_stop.Fd(), POLLIN, 0}, {m_listenFd, POLLIN, 0}};
    for (auto& [client, device] : pairs) {
      fds.push_back({client, POLLIN, 0});
      fds.push_back({device, POLLIN, 0});
    }
    if (::poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds[0].revents) break;
    const size_t polled = pairs.size();  // a pair accepted below was not polled yet
    if (fds[1].revents & POLLIN) {
      int client = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
      if (client >= 0) {
        int device = m_device->Connect();
        std::vector<uint8_t> hello = EncodeVirtualHello(m_device->Info());
        if (device < 0 || ::send(client, hello.data(), hello.size(), MSG_NOSIGNAL) < 0) {
          ::close(client);  // an unplugged device refuses new hosts
          if (device >= 0) ::close(device);
        } else {
          pairs.emplace_back(client, device);
        }
      }
    }
    // Walk backwards so closing a pair keeps the remaining indices valid.
    for (size_t p = polled; p-- > 0;) {
      bool closed = false;
      for (int side = 0; side < 2 && !closed; ++side) {
        const pollfd& f = fds[2 + 2 * p + static_cast<size_t>(side)];
        if (!f.revents) continue;
        int from = side == 0 ? pairs[p].first : pairs[p].second;
        int to = side == 0 ? pairs[p].second : pairs[p].first;
        ssize_t n = ::recv(from, buffer.data(), buffer.size(), MSG_DONTWAIT);
        if (n > 0) {
          if (::send(to, buffer.data(), static_cast<size_t>(n), MSG_NOSIGNAL) < 0 && errno != EAGAIN) closed = true;
        } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
          closed = true;
        }
      }
      if (closed) closePair(p);
    }
  }
  for (auto& [client, device] : pairs) {
    ::close(client);
    ::close(device);
  }
}

}  // namespace tarn::emu
