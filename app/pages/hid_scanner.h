#pragma once
// Lists the HID interfaces present, cheaply enough to run ten times a
// second: a hidraw node's identity and report descriptor are read from
// sysfs only the first time its HID id ("0003:320F:5055.000A") is seen; the
// nodes of registered node sources (virtual buses) are listed beside them.
// The HID id of each node is its presence token: a node that vanished and
// came back (another id) is a different device.
#include <map>
#include <string>
#include <vector>

#include "device/hid_enumeration.h"

namespace tarn {

class CHidScanner {
 public:
  // sysfsRoot: the folder holding the "hidrawN" entries (tests use a fake one).
  explicit CHidScanner(std::string sysfsRoot = "/sys/class/hidraw", std::string devRoot = "/dev");

  // False only when the system list could not be read at all (a missing
  // hidraw class is an empty list).
  bool Scan(std::vector<HidInterfaceEntry>& entries);
  // The presence token of a node as the last scan saw it; empty when absent.
  std::string PresenceToken(const std::string& node) const;
  // Reads the token of one node now (the presence check between scans).
  std::string ReadPresenceToken(const std::string& node) const;
  // Nodes whose descriptor was read (cache misses), for tests and benchmarks.
  uint64_t DescriptorReads() const { return m_nDescriptorReads; }

 private:
  struct CachedNode {
    std::string token;
    std::vector<HidInterfaceEntry> entries;
  };
  bool ReadNode(const std::string& name, const std::string& token, CachedNode& out);
  std::string HidIdOf(const std::string& name) const;

  std::string m_strSysfs;
  std::string m_strDev;
  std::map<std::string, CachedNode> m_cache;          // by hidraw name
  std::map<std::string, std::string> m_tokens;        // node -> token of the last scan
  uint64_t m_nDescriptorReads = 0;
};

}  // namespace tarn
