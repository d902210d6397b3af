#include "app/pages/hid_scanner.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "device/hid_node_source.h"
#include "device/hid_path.h"
#include "device/hid_report_descriptor.h"

namespace tarn {
namespace {

bool ReadSmallFile(const std::string& path, std::string& out, size_t limit = 16384) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  out.clear();
  char buffer[4096];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    out.append(buffer, static_cast<size_t>(n));
    if (out.size() >= limit) break;
  }
  ::close(fd);
  return true;
}

std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

CHidScanner::CHidScanner(std::string sysfsRoot, std::string devRoot)
    : m_strSysfs(std::move(sysfsRoot)), m_strDev(std::move(devRoot)) {}

std::string CHidScanner::HidIdOf(const std::string& name) const {
  char target[1024];
  std::string link = m_strSysfs + "/" + name + "/device";
  ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
  if (n <= 0) return {};
  target[n] = 0;
  return BaseName(target);
}

bool CHidScanner::ReadNode(const std::string& name, const std::string& token, CachedNode& out) {
  ++m_nDescriptorReads;
  out.token = token;
  out.entries.clear();
  // "0003:0000320F:00005055" in uevent; the token carries the same ids.
  unsigned bus = 0, vid = 0, pid = 0, seq = 0;
  if (std::sscanf(token.c_str(), "%x:%x:%x.%x", &bus, &vid, &pid, &seq) != 4) return false;
  int interfaceNumber = -1;
  std::string text;
  char target[1024];
  std::string link = m_strSysfs + "/" + name + "/device";
  ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
  if (n > 0) {
    target[n] = 0;
    // .../1-1:1.1/0003:320F:5055.000A: the USB interface is the parent folder.
    std::string parent(target);
    size_t slash = parent.find_last_of('/');
    if (slash != std::string::npos) {
      parent = BaseName(parent.substr(0, slash));
      size_t colon = parent.find(':');
      size_t dot = parent.find_last_of('.');
      if (colon != std::string::npos && dot != std::string::npos && dot > colon)
        interfaceNumber = std::atoi(parent.c_str() + dot + 1);
    }
  }
  std::string descriptorBytes;
  if (!ReadSmallFile(m_strSysfs + "/" + name + "/device/report_descriptor", descriptorBytes)) return false;
  return AppendNodeInterfaces(out.entries, m_strDev + "/" + name, static_cast<uint16_t>(vid),
                              static_cast<uint16_t>(pid), interfaceNumber,
                              reinterpret_cast<const uint8_t*>(descriptorBytes.data()), descriptorBytes.size());
}

bool CHidScanner::Scan(std::vector<HidInterfaceEntry>& entries) {
  entries.clear();
  std::map<std::string, std::string> tokens;
  bool ok = true;
  if (DIR* dir = ::opendir(m_strSysfs.c_str())) {
    std::map<std::string, CachedNode> seen;
    while (dirent* d = ::readdir(dir)) {
      if (std::strncmp(d->d_name, "hidraw", 6) != 0) continue;
      std::string name = d->d_name;
      std::string token = HidIdOf(name);
      if (token.empty()) continue;
      auto cached = m_cache.find(name);
      if (cached != m_cache.end() && cached->second.token == token) {
        seen[name] = std::move(cached->second);
      } else {
        CachedNode node;
        ReadNode(name, token, node);  // an unreadable node is remembered empty until its id changes
        seen[name] = std::move(node);
      }
    }
    ::closedir(dir);
    m_cache = std::move(seen);
    for (auto& [name, node] : m_cache) {
      tokens[m_strDev + "/" + name] = node.token;
      entries.insert(entries.end(), node.entries.begin(), node.entries.end());
    }
  } else if (errno != ENOENT) {
    ok = false;
  }
  // Nodes of other sources: listed fresh (they are few and cheap).
  size_t first = entries.size();
  AppendSourceInterfaces(entries);
  for (size_t i = first; i < entries.size(); ++i) tokens[entries[i].node] = entries[i].node;
  m_tokens = std::move(tokens);
  return ok;
}

std::string CHidScanner::PresenceToken(const std::string& node) const {
  auto it = m_tokens.find(node);
  return it == m_tokens.end() ? std::string() : it->second;
}

std::string CHidScanner::ReadPresenceToken(const std::string& node) const {
  const std::string devPrefix = m_strDev + "/";
  if (node.compare(0, devPrefix.size(), devPrefix) == 0) return HidIdOf(node.substr(devPrefix.size()));
  for (const HidNodeListing& listed : ListSourceNodes())
    if (listed.name == node) return node;
  return {};
}

}  // namespace tarn
