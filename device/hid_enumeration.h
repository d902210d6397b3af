#pragma once
// The HID interfaces present: one entry per top-level collection, from the
// kernel's hidraw nodes and from every registered node source.
#include <cstdint>
#include <string>
#include <vector>

namespace tarn {

struct HidInterfaceEntry {
  std::string path;  // interface path with the identity markers
  std::string node;
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  int interfaceNumber = -1;
  int collection = 0;  // 1-based; 0 when the node has a single collection
  uint16_t usagePage = 0;
  uint16_t usage = 0;
};

// Appends one entry per top-level collection of a node's report descriptor,
// numbered per node, with its interface path. False when the descriptor does
// not parse (nothing is appended).
bool AppendNodeInterfaces(std::vector<HidInterfaceEntry>& entries, const std::string& node, uint16_t vendorId,
                          uint16_t productId, int interfaceNumber, const uint8_t* descriptor, size_t size);
// Appends the interfaces of every registered node source.
void AppendSourceInterfaces(std::vector<HidInterfaceEntry>& entries);

// False when the system list could not be read at all.
bool EnumerateHidInterfaces(std::vector<HidInterfaceEntry>& entries);

}  // namespace tarn
