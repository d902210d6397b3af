#include "device/device_identity.h"

namespace tarn {
namespace {

DeviceIdentity Row(uint16_t vid, uint16_t pid, uint16_t iface, uint16_t collection, uint16_t type, uint16_t role,
                   uint16_t usagePage, uint16_t usage, uint16_t hasPartner, uint16_t partner) {
  DeviceIdentity row;
  row.VendorId = vid;
  row.ProductId = pid;
  row.Interface = iface;
  row.Collection = collection;
  row.DeviceType = type;
  row.Role = role;
  row.UsagePage = usagePage;
  row.Usage = usage;
  row.HasPartner = hasPartner;
  row.Partner = partner;
  return row;
}

}  // namespace

const std::array<DeviceIdentity, kKnownDeviceCount>& KnownDeviceTable() {
  static const std::array<DeviceIdentity, kKnownDeviceCount> table = {
      Row(0x320F, 0x5055, 1, 4, 1, 0, 0xFF1C, 0x92, 1, 2),
      Row(0x320F, 0x5055, 1, 3, 1, 255, 0x0C, 0x01, 1, 3),
      Row(0x320F, 0x5088, 1, 4, 9, 0, 0xFF1C, 0x92, 1, 0),
      Row(0x320F, 0x5088, 1, 3, 9, 255, 0x0C, 0x01, 1, 1),
      Row(0x320F, 0x0000, 1, 4, 2, 0, 0xFF1C, 0x92, 1, 6),
      Row(0x320F, 0x0000, 1, 3, 2, 255, 0x0C, 0x01, 1, 7),
      Row(0x320F, 0x0000, 1, 4, 6, 0, 0xFF1C, 0x92, 1, 4),
      Row(0x320F, 0x0000, 1, 3, 6, 255, 0x0C, 0x01, 1, 5),
      Row(0x320F, 0x0000, 1, 4, 3, 0, 0xFF1C, 0x92, 0, 0),
      Row(0x320F, 0x0000, 1, 3, 3, 255, 0x0C, 0x01, 0, 0),
      Row(0x0C76, 0x0000, 3, 0, 7, 0, 0x0C, 0x01, 0, 0),
  };
  return table;
}

}  // namespace tarn
