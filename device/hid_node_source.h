#pragma once
// Sources of HID nodes besides the kernel's hidraw devices. A source lists
// its nodes with the identity and report descriptor of each and opens a
// fresh connection to one of them: a descriptor that carries one report per
// read and per write, byte 0 being the report id, as a hidraw node does
// (a SOCK_SEQPACKET socket fits). Enumeration lists the nodes of every
// registered source beside the hidraw nodes, and opening a path whose node a
// source serves goes to that source.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

struct HidNodeInfo {
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  uint16_t versionNumber = 0;
  int interfaceNumber = -1;  // -1: not a USB interface
  std::vector<uint8_t> reportDescriptor;
};

struct HidNodeListing {
  std::string name;  // the node part of the interface paths
  HidNodeInfo info;
};

class IHidNodeSource {
 public:
  virtual ~IHidNodeSource() = default;
  virtual std::vector<HidNodeListing> ListNodes() = 0;
  virtual bool ServesNode(std::string_view name) const = 0;
  // A new connection to the node (close it with close()); -1 when it is gone.
  virtual int OpenNode(std::string_view name, HidNodeInfo& info) = 0;
};

// A registered source must stay alive until it is unregistered; unregistering
// waits for calls into it that are under way.
void RegisterHidNodeSource(IHidNodeSource* source);
void UnregisterHidNodeSource(IHidNodeSource* source);

// Calls into every registered source, under the registry lock.
std::vector<HidNodeListing> ListSourceNodes();
// -2 when no source serves the node, -1 when its source could not open it.
int OpenSourceNode(std::string_view name, HidNodeInfo& info);

}  // namespace tarn
