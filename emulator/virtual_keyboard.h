#pragma once
// The Tarn keyboard on the virtual bus: one firmware model, reachable by
// cable (product 0x5055) and through its receiver (0x5088), each an
// interface-1 node with the command and notification collections. The
// keyboard must not outlive a bus it is plugged into.
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "emulator/keyboard_firmware.h"
#include "emulator/virtual_bus.h"
#include "emulator/virtual_hid_device.h"

namespace tarn::emu {

constexpr uint16_t kVirtualVendorId = 0x320F;
constexpr uint16_t kVirtualCableProductId = 0x5055;
constexpr uint16_t kVirtualReceiverProductId = 0x5088;

class CVirtualKeyboard {
 public:
  // `made` is the link the firmware is made for (what HandleOutputReport
  // assumes); either node may be plugged in regardless.
  explicit CVirtualKeyboard(KeyboardLink made = KeyboardLink::Cable);
  ~CVirtualKeyboard();

  // Plugs the cable or the receiver into `bus` under `name`; gives the node.
  std::string Plug(CVirtualBus& bus, KeyboardLink link, const std::string& name);
  void Unplug(KeyboardLink link);

  // The node device of a link (for fault injection), null when not plugged.
  std::shared_ptr<CVirtualHidDevice> Node(KeyboardLink link) const;

  // Sends a notification (0x0401, 0x0402, 0x10nn, 0x11nn) on a link.
  void Notify(KeyboardLink link, uint16_t value);

  // Runs `use` on the firmware with the device thread held off.
  void WithFirmware(const std::function<void(CKeyboardFirmware&)>& use);

 private:
  mutable std::mutex m_mutex;
  CKeyboardFirmware m_firmware;
  CVirtualBus* m_buses[2] = {nullptr, nullptr};
  std::string m_names[2];
  std::shared_ptr<CVirtualHidDevice> m_nodes[2];
};

}  // namespace tarn::emu
