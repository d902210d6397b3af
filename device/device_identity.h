#pragma once
// One HID interface of a known device, and the table of known interfaces.
#include <array>
#include <cstdint>
#include <string>

namespace tarn {

// Device types.
constexpr uint16_t kTypeKeyboardCable = 1;
constexpr uint16_t kTypeMouseCable = 2;
constexpr uint16_t kTypeMousePad = 3;
constexpr uint16_t kTypeMouseReceiver = 6;
constexpr uint16_t kTypeHeadset = 7;
constexpr uint16_t kTypeKeyboardReceiver = 9;

// Roles.
constexpr uint16_t kRoleCommand = 0;
constexpr uint16_t kRoleNotification = 255;

constexpr uint16_t kVantorVendorId = 0x320F;
constexpr uint16_t kKeyboardCableProductId = 0x5055;
constexpr uint16_t kKeyboardReceiverProductId = 0x5088;

struct DeviceIdentity {
  uint16_t VendorId = 0;
  uint16_t ProductId = 0;
  uint16_t Interface = 0;
  uint16_t Collection = 0;
  uint16_t DeviceType = 0;
  uint16_t Role = 0;
  uint16_t Connected = 0;
  uint16_t UsagePage = 0;
  uint16_t Usage = 0;
  uint16_t HasPartner = 0;
  uint16_t Partner = 0;
  std::string Path;

  // Connected, HasPartner, Partner and Path take no part.
  bool operator==(const DeviceIdentity& other) const {
    return VendorId == other.VendorId && ProductId == other.ProductId && Interface == other.Interface &&
           Collection == other.Collection && DeviceType == other.DeviceType && Role == other.Role &&
           UsagePage == other.UsagePage && Usage == other.Usage;
  }
  bool operator!=(const DeviceIdentity& other) const { return !(*this == other); }
};

constexpr size_t kKnownDeviceCount = 11;
// Rows 0..3 are the keyboard (cable, receiver); the mouse, mouse-pad and
// headset rows carry product id 0 and match nothing present.
const std::array<DeviceIdentity, kKnownDeviceCount>& KnownDeviceTable();

}  // namespace tarn
