#pragma once
// The main window's device side: the known-device list, the discovery
// thread and its hand-over to the UI thread, the device pages (one device
// object with its selector entry and power element per kind), the links
// opened and closed on found and lost interfaces, and the selector's rules.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/vantor_usb_device.h"
#include "ui/control.h"
#include "ui/dialog_builder.h"
#include "ui/window.h"

namespace tarn {

class CDevicePageUI;
class CDeviceOptionUI;
class CMpDevicePowerUI;
class CDeviceDiscovery;
class CKnownDeviceList;
class CTabLayoutUI;
class CContainerUI;

// Main window messages of the device side.
constexpr uint32_t kMsgDeviceFound = 0xC12;
constexpr uint32_t kMsgDeviceLost = 0xC13;
constexpr uint32_t kMsgLinkState = 0xD03;

class CDevicePages : public IDialogBuilderCallback {
 public:
  // mainWnd holds the containers "device_power_switch", "device_switch",
  // "device_select_layout" and the element "No_device_Link".
  explicit CDevicePages(CWindowUI& mainWnd);
  // Stops discovery without deadlock, stops the device threads, closes links.
  ~CDevicePages() override;
  CDevicePages(const CDevicePages&) = delete;
  CDevicePages& operator=(const CDevicePages&) = delete;

  // At window initialisation: the mouse and keyboard pages.
  void BuildInitialPages();
  void StartDiscovery();
  void StopDiscovery();
  // While held (suspend) no found or lost interface is handled; discovery waits.
  void HoldDiscovery(bool hold);
  // Runs on the UI thread after discovery's first pass and on each found
  // device ("bring to front").
  void SetActivationCallback(std::function<void()> activate);

  // The device of the first shown and selected entry; null if none.
  CVantorUSBDevice* CurrentDevice() const;
  std::vector<CVantorUSBDevice*> Devices() const;
  bool HasVisibleDevice() const;

  // The selector's and pages' own notifications ("device_select",
  // "device_select_prev", "device_select_next"); true when handled.
  bool HandleNotify(TNotifyUI& msg);
  // 0xC12, 0xC13, 0xD03; true when handled.
  bool HandleMessage(uint32_t message, int64_t wParam, int64_t lParam);

  void SetWindowActive(bool on);
  // The main window is hidden to the tray: status polling pauses.
  void SetPollPaused(bool paused);
  void SetControlLight(bool on);  // every device

  // ---- selector operations ----
  void ShowEntry(int index, bool visible, bool select);
  void HideLostEntry(int index);
  bool FirstVisibleEntry(int& index, int& count) const;
  void OnDeviceSelected();
  void SelectPrevious();
  void SelectNext();

  // ---- for the main window and tests ----
  // Before a shown and selected entry is hidden: close child windows,
  // remove hooks, end recording (the main window's business).
  void SetBeforeCurrentLostCallback(std::function<void()> callback);
  // The light panels learn whether synchronised lighting is possible.
  void SetSyncPossibleCallback(std::function<void(bool)> callback);
  const CKnownDeviceList& KnownDevices() const;
  int PageCount() const;
  CDevicePageUI* Page(int index) const;            // in build order
  CDeviceOptionUI* Entry(int index) const;          // index in "device_select_layout"
  CDevicePageUI* PageForRow(int pageRow) const;     // by device-page table row
  // Interfaces that discovery saw denied (hidraw permissions).
  bool PermissionHintShown() const;
  // Discovery passes done (for tests and benchmarks).
  uint64_t DiscoveryPasses() const;

  // Builder callback: the device page classes, then the main window's own.
  CControlUI* CreateControl(const std::string& type) override;

 private:
  struct Impl;
  std::unique_ptr<Impl> m;
};

}  // namespace tarn
