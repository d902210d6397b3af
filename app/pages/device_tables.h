#pragma once
// The device-page table (one row per kind of device page) and the
// device-layout table indexed by it, as data.
#include <array>
#include <cstdint>
#include <string>

namespace tarn {

struct DevicePageRow {
  const char* selectorLayout;
  const char* tabHeader;
  const char* powerSwitch;
  const char* folderName;
  int deviceIndex;
  uint16_t vendorId;
  uint16_t productId;
  uint16_t deviceType;
  uint16_t role;
};

struct DeviceLayoutRow {
  int ledCount;
  int keyCount;
  bool syncEnabled;
  const char* deviceLayout;
  const char* lightConfig;
};

constexpr size_t kDevicePageCount = 4;
const std::array<DevicePageRow, kDevicePageCount>& DevicePageTable();
const std::array<DeviceLayoutRow, kDevicePageCount>& DeviceLayoutTable();

constexpr const char* kPowerLayout = "XML\\CustomControlXML\\MpDevicePower.xml";

// First page row with all four values equal; -1 when none.
int FindPageRow(uint16_t vendorId, uint16_t productId, uint16_t deviceType, uint16_t role);
// Device category of a page row's device type (1 keyboard, 2 mouse, 3 pad, 7 headset).
int CategoryOfType(uint16_t deviceType);

}  // namespace tarn
