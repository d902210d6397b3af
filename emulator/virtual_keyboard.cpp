#include "emulator/virtual_keyboard.h"

#include "emulator/keyboard_report_descriptor.h"

namespace tarn::emu {
namespace {

size_t Slot(KeyboardLink link) { return link == KeyboardLink::Cable ? 0 : 1; }

}  // namespace

CVirtualKeyboard::CVirtualKeyboard(KeyboardLink made) : m_firmware(made) {}

CVirtualKeyboard::~CVirtualKeyboard() {
  Unplug(KeyboardLink::Cable);
  Unplug(KeyboardLink::Receiver);
}

std::string CVirtualKeyboard::Plug(CVirtualBus& bus, KeyboardLink link, const std::string& name) {
  Unplug(link);
  HidNodeInfo info;
  info.vendorId = kVirtualVendorId;
  info.productId = link == KeyboardLink::Cable ? kVirtualCableProductId : kVirtualReceiverProductId;
  info.versionNumber = 0x0100;
  info.interfaceNumber = 1;
  info.reportDescriptor = KeyboardInterfaceDescriptor();
  auto node = std::make_shared<CVirtualHidDevice>(std::move(info), [this, link](const uint8_t* report, size_t length) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_firmware.HandleOutputReportVia(link, report, length);
  });
  std::string nodeName = bus.Plug(name, node);
  std::lock_guard<std::mutex> lock(m_mutex);
  m_buses[Slot(link)] = &bus;
  m_names[Slot(link)] = name;
  m_nodes[Slot(link)] = std::move(node);
  return nodeName;
}

void CVirtualKeyboard::Unplug(KeyboardLink link) {
  CVirtualBus* bus;
  std::string name;
  std::shared_ptr<CVirtualHidDevice> node;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    bus = m_buses[Slot(link)];
    name = m_names[Slot(link)];
    node = std::move(m_nodes[Slot(link)]);
    m_buses[Slot(link)] = nullptr;
  }
  if (!node) return;
  node->Unplug();
  if (bus) bus->Unplug(name);
}

std::shared_ptr<CVirtualHidDevice> CVirtualKeyboard::Node(KeyboardLink link) const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_nodes[Slot(link)];
}

void CVirtualKeyboard::Notify(KeyboardLink link, uint16_t value) {
  std::shared_ptr<CVirtualHidDevice> node;
  Report report;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    node = m_nodes[Slot(link)];
    report = m_firmware.MakeNotificationReport(value);
  }
  if (node) node->SendInputReport(report);
}

void CVirtualKeyboard::WithFirmware(const std::function<void(CKeyboardFirmware&)>& use) {
  std::lock_guard<std::mutex> lock(m_mutex);
  use(m_firmware);
}

}  // namespace tarn::emu
