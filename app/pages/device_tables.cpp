#include "app/pages/device_tables.h"

#include "device/device_identity.h"

namespace tarn {
namespace {
constexpr const char* kOption = "XML\\CustomControlXML\\DeviceOption.xml";
constexpr const char* kHeader = "tab_header_device";
constexpr const char* kPower = "device_power_switch";
}  // namespace

const std::array<DevicePageRow, kDevicePageCount>& DevicePageTable() {
  static const std::array<DevicePageRow, kDevicePageCount> table{{
      {kOption, kHeader, kPower, "mouse", 1, 0x320F, 0x0000, 2, 0},
      {kOption, kHeader, kPower, "keyboard", 0, 0x320F, 0x5055, 1, 0},
      {kOption, kHeader, kPower, "MousePad", 2, 0x320F, 0x0000, 3, 0},
      {kOption, kHeader, kPower, "HD", 3, 0x0C76, 0x0000, 7, 0},
  }};
  return table;
}

const std::array<DeviceLayoutRow, kDevicePageCount>& DeviceLayoutTable() {
  static const std::array<DeviceLayoutRow, kDevicePageCount> table{{
      {15, 11, true, "XML\\DeviceXml\\mousedevice.xml", "quvex_light"},
      {170, 170, true, "XML\\DeviceXml\\keyboarddevice.xml", "quvex_light"},
      {15, 0, false, "XML\\DeviceXml\\mousepaddevice.xml", "quvex_light"},
      {13, 0, false, "XML\\DeviceXml\\ro6533device.xml", "quvex_light"},
  }};
  return table;
}

int FindPageRow(uint16_t vendorId, uint16_t productId, uint16_t deviceType, uint16_t role) {
  const auto& table = DevicePageTable();
  for (size_t i = 0; i < table.size(); ++i)
    if (table[i].vendorId == vendorId && table[i].productId == productId && table[i].deviceType == deviceType &&
        table[i].role == role)
      return static_cast<int>(i);
  return -1;
}

int CategoryOfType(uint16_t deviceType) {
  switch (deviceType) {
    case kTypeKeyboardCable:
    case kTypeKeyboardReceiver: return 1;
    case kTypeMouseCable:
    case kTypeMouseReceiver: return 2;
    case kTypeMousePad: return 3;
    case kTypeHeadset: return 7;
    default: return 0;
  }
}

}  // namespace tarn
