#pragma once
// The virtual bus: devices that tests (or a run option) plug in and unplug,
// plus the devices other processes serve as Unix sockets in a folder (the
// "virtual dir", one SOCK_SEQPACKET socket per node, ending in ".sock").
// While it exists the bus is a registered node source, so enumeration lists
// its nodes beside the hidraw nodes and opening their paths reaches them.
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "device/hid_node_source.h"
#include "emulator/virtual_hid_device.h"

namespace tarn::emu {

class CVirtualBus : public IHidNodeSource {
 public:
  // virtualDir: folder of device sockets to list; empty for none.
  explicit CVirtualBus(std::string virtualDir = {});
  ~CVirtualBus() override;
  CVirtualBus(const CVirtualBus&) = delete;
  CVirtualBus& operator=(const CVirtualBus&) = delete;

  // Plugs a device in under `name`; gives its node name (the part after the
  // markers in its interface paths). A device of the same name is unplugged.
  std::string Plug(const std::string& name, std::shared_ptr<CVirtualHidDevice> device);
  // The device vanishes: its connections close.
  void Unplug(const std::string& name);
  std::string NodeName(const std::string& name) const;

  std::vector<HidNodeListing> ListNodes() override;
  bool ServesNode(std::string_view name) const override;
  int OpenNode(std::string_view name, HidNodeInfo& info) override;

 private:
  static int ConnectSocket(const std::string& path, HidNodeInfo& info);

  const std::string m_prefix;  // node names of plugged devices start with it
  const std::string m_strVirtualDir;
  mutable std::mutex m_mutex;
  std::map<std::string, std::shared_ptr<CVirtualHidDevice>> m_devices;  // by node name
};

}  // namespace tarn::emu
