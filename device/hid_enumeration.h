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

// False when the system list could not be read at all.
bool EnumerateHidInterfaces(std::vector<HidInterfaceEntry>& entries);

}  // namespace tarn
