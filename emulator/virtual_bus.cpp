#include "emulator/virtual_bus.h"

#include <dirent.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

#include "emulator/virtual_socket_protocol.h"

namespace tarn::emu {
namespace {

std::string MakePrefix() {
  static std::atomic<int> next{1};
  return "virtual/bus" + std::to_string(next++) + "/";
}

constexpr int kHelloTimeoutMs = 500;

bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

}  // namespace

CVirtualBus::CVirtualBus(std::string virtualDir) : m_prefix(MakePrefix()), m_strVirtualDir(std::move(virtualDir)) {
  RegisterHidNodeSource(this);
}

CVirtualBus::~CVirtualBus() {
  UnregisterHidNodeSource(this);
  std::lock_guard<std::mutex> lock(m_mutex);
  for (auto& [name, device] : m_devices) device->Unplug();
  m_devices.clear();
}

std::string CVirtualBus::NodeName(const std::string& name) const { return m_prefix + name; }

std::string CVirtualBus::Plug(const std::string& name, std::shared_ptr<CVirtualHidDevice> device) {
  std::string node = NodeName(name);
  std::lock_guard<std::mutex> lock(m_mutex);
  auto& slot = m_devices[node];
  if (slot) slot->Unplug();
  slot = std::move(device);
  return node;
}

void CVirtualBus::Unplug(const std::string& name) {
  std::shared_ptr<CVirtualHidDevice> device;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_devices.find(NodeName(name));
    if (it == m_devices.end()) return;
    device = std::move(it->second);
    m_devices.erase(it);
  }
  device->Unplug();
}

std::vector<HidNodeListing> CVirtualBus::ListNodes() {
  std::vector<HidNodeListing> nodes;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto& [name, device] : m_devices)
      if (device->IsPlugged()) nodes.push_back({name, device->Info()});
  }
  if (m_strVirtualDir.empty()) return nodes;
  DIR* dir = ::opendir(m_strVirtualDir.c_str());
  if (!dir) return nodes;
  std::vector<std::string> sockets;
  while (dirent* entry = ::readdir(dir))
    if (EndsWith(entry->d_name, ".sock")) sockets.push_back(m_strVirtualDir + "/" + entry->d_name);
  ::closedir(dir);
  std::sort(sockets.begin(), sockets.end());
  for (const std::string& path : sockets) {
    HidNodeInfo info;
    int fd = ConnectSocket(path, info);
    if (fd < 0) continue;  // a stale socket file or a server that does not greet
    ::close(fd);
    nodes.push_back({path, std::move(info)});
  }
  return nodes;
}

bool CVirtualBus::ServesNode(std::string_view name) const {
  if (name.substr(0, m_prefix.size()) == m_prefix) return true;
  if (m_strVirtualDir.empty()) return false;
  return name.size() > m_strVirtualDir.size() + 1 && name.substr(0, m_strVirtualDir.size()) == m_strVirtualDir &&
         name[m_strVirtualDir.size()] == '/' && name.find('/', m_strVirtualDir.size() + 1) == std::string_view::npos;
}

int CVirtualBus::OpenNode(std::string_view name, HidNodeInfo& info) {
  if (name.substr(0, m_prefix.size()) != m_prefix) return ConnectSocket(std::string(name), info);
  std::shared_ptr<CVirtualHidDevice> device;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_devices.find(std::string(name));
    if (it == m_devices.end()) return -1;
    device = it->second;
  }
  info = device->Info();
  return device->Connect();
}

int CVirtualBus::ConnectSocket(const std::string& path, HidNodeInfo& info) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return -1;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) < 0) {
    ::close(fd);
    return -1;
  }
  pollfd p{fd, POLLIN, 0};
  std::vector<uint8_t> hello(8192);
  ssize_t n = ::poll(&p, 1, kHelloTimeoutMs) == 1 ? ::recv(fd, hello.data(), hello.size(), 0) : -1;
  if (n <= 0 || !DecodeVirtualHello(hello.data(), static_cast<size_t>(n), info)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace tarn::emu
