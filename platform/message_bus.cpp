#include "platform/message_bus.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/debug_output.h"
#include "platform/paths.h"

namespace tarn {
namespace {

bool MakeAddress(const std::string& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

uint32_t FrameLength(const std::vector<uint8_t>& inbox) {
  return static_cast<uint32_t>(inbox[0]) | static_cast<uint32_t>(inbox[1]) << 8 |
         static_cast<uint32_t>(inbox[2]) << 16 | static_cast<uint32_t>(inbox[3]) << 24;
}

}  // namespace

CMessageBusServer::~CMessageBusServer() { Stop(); }

bool CMessageBusServer::Start(const std::string& path, Handler handler) {
  Stop();
  sockaddr_un address{};
  if (!MakeAddress(path, address)) return false;
  auto slash = path.rfind('/');
  if (slash != std::string::npos) EnsureFolder(path.substr(0, slash + 1));
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  ::unlink(path.c_str());
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 16) != 0) {
    DebugOutputF("message bus: cannot listen on %s: %s", path.c_str(), std::strerror(errno));
    ::close(fd);
    return false;
  }
  ::chmod(path.c_str(), 0600);
  m_path = path;
  m_listenFd = fd;
  m_handler = std::move(handler);
  m_stop.Reset();
  m_thread = std::thread([this] { Run(); });
  return true;
}

void CMessageBusServer::Stop() {
  if (!m_thread.joinable()) return;
  m_stop.Set();
  m_thread.join();
  std::lock_guard<std::mutex> lock(m_peersMutex);
  for (auto& [id, peer] : m_peers) ::close(peer->fd);
  m_peers.clear();
  ::close(m_listenFd);
  m_listenFd = -1;
  ::unlink(m_path.c_str());
}

void CMessageBusServer::Run() {
  std::vector<pollfd> fds;
  std::vector<int> ids;
  for (;;) {
    fds.clear();
    ids.clear();
    fds.push_back({m_stop.Fd(), POLLIN, 0});
    fds.push_back({m_listenFd, POLLIN, 0});
    {
      std::lock_guard<std::mutex> lock(m_peersMutex);
      for (auto& [id, peer] : m_peers) {
        fds.push_back({peer->fd, POLLIN, 0});
        ids.push_back(id);
      }
    }
    if (::poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[0].revents != 0) return;
    if (fds[1].revents & POLLIN) Accept();
    for (size_t i = 0; i < ids.size(); ++i) {
      if (fds[i + 2].revents == 0) continue;
      std::shared_ptr<Peer> peer;
      {
        std::lock_guard<std::mutex> lock(m_peersMutex);
        auto found = m_peers.find(ids[i]);
        if (found != m_peers.end()) peer = found->second;
      }
      if (peer && !ReadFrom(ids[i], *peer)) Drop(ids[i]);
    }
  }
}

void CMessageBusServer::Accept() {
  for (;;) {
    int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) return;
    auto peer = std::make_shared<Peer>();
    peer->fd = fd;
    std::lock_guard<std::mutex> lock(m_peersMutex);
    m_peers[m_nextPeerId++] = peer;
  }
}

bool CMessageBusServer::ReadFrom(int peerId, Peer& peer) {
  uint8_t buffer[4096];
  for (;;) {
    ssize_t got = ::recv(peer.fd, buffer, sizeof buffer, 0);
    if (got == 0) return false;
    if (got < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == EWOULDBLOCK) break;
      return false;
    }
    peer.inbox.insert(peer.inbox.end(), buffer, buffer + got);
    if (static_cast<size_t>(got) < sizeof buffer) break;
  }
  while (peer.inbox.size() >= 4) {
    uint32_t length = FrameLength(peer.inbox);
    if (length > kMaxBusFrame) return false;
    if (peer.inbox.size() < 4u + length) break;
    auto message = DecodeBusFrame(peer.inbox.data() + 4, length);
    peer.inbox.erase(peer.inbox.begin(), peer.inbox.begin() + 4 + length);
    if (!message) return false;
    if (message->name == kBusHelloName) {
      std::lock_guard<std::mutex> lock(m_peersMutex);
      peer.name.assign(message->data.begin(), message->data.end());
      continue;
    }
    if (m_handler) m_handler(peerId, *message);
  }
  return true;
}

void CMessageBusServer::Drop(int peerId) {
  std::lock_guard<std::mutex> lock(m_peersMutex);
  auto found = m_peers.find(peerId);
  if (found == m_peers.end()) return;
  ::close(found->second->fd);
  m_peers.erase(found);
}

bool CMessageBusServer::SendTo(int peerId, const BusMessage& message) {
  std::shared_ptr<Peer> peer;
  {
    std::lock_guard<std::mutex> lock(m_peersMutex);
    auto found = m_peers.find(peerId);
    if (found == m_peers.end()) return false;
    peer = found->second;
  }
  std::lock_guard<std::mutex> write(peer->writeMutex);
  // Peer sockets are non-blocking for the reader; a peer that stops reading
  // loses messages rather than stalling the sender.
  return WriteBusFrame(peer->fd, message);
}

std::vector<std::shared_ptr<CMessageBusServer::Peer>> CMessageBusServer::PeersNamed(const std::string& name) const {
  std::vector<std::shared_ptr<Peer>> result;
  std::lock_guard<std::mutex> lock(m_peersMutex);
  for (const auto& [id, peer] : m_peers) {
    if (peer->name == name) result.push_back(peer);
  }
  return result;
}

bool CMessageBusServer::SendToNamed(const std::string& peerName, const BusMessage& message) {
  bool sent = false;
  for (auto& peer : PeersNamed(peerName)) {
    std::lock_guard<std::mutex> write(peer->writeMutex);
    sent = WriteBusFrame(peer->fd, message) || sent;
  }
  return sent;
}

int CMessageBusServer::Broadcast(const BusMessage& message) {
  std::vector<std::shared_ptr<Peer>> peers;
  {
    std::lock_guard<std::mutex> lock(m_peersMutex);
    for (const auto& [id, peer] : m_peers) peers.push_back(peer);
  }
  int count = 0;
  for (auto& peer : peers) {
    std::lock_guard<std::mutex> write(peer->writeMutex);
    if (WriteBusFrame(peer->fd, message)) ++count;
  }
  return count;
}

int CMessageBusServer::PeerCount() const {
  std::lock_guard<std::mutex> lock(m_peersMutex);
  return static_cast<int>(m_peers.size());
}

CMessageBusClient::~CMessageBusClient() { Close(); }

bool CMessageBusClient::Connect(const std::string& path, const std::string& peerName) {
  Close();
  sockaddr_un address{};
  if (!MakeAddress(path, address)) return false;
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return false;
  }
  m_fd = fd;
  if (!peerName.empty()) {
    BusMessage hello;
    hello.name = kBusHelloName;
    hello.data.assign(peerName.begin(), peerName.end());
    if (!Send(hello)) {
      Close();
      return false;
    }
  }
  return true;
}

void CMessageBusClient::Close() {
  if (m_fd >= 0) {
    ::close(m_fd);
    m_fd = -1;
  }
}

bool CMessageBusClient::Send(const BusMessage& message) { return m_fd >= 0 && WriteBusFrame(m_fd, message); }

bool CMessageBusClient::Receive(BusMessage& message, int timeoutMs) {
  if (m_fd < 0) return false;
  pollfd entry{m_fd, POLLIN, 0};
  int ready;
  do {
    ready = ::poll(&entry, 1, timeoutMs);
  } while (ready < 0 && errno == EINTR);
  if (ready <= 0) return false;
  if (!ReadBusFrame(m_fd, message)) {
    Close();
    return false;
  }
  return true;
}

}  // namespace tarn
