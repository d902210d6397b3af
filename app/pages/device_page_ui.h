#pragma once
// A device's page: the container built from the device's layout that hosts
// the headless device object. It answers what the device asks of its page
// (IDevicePageHost): the picture's key and LED buttons, the function
// switches, the selector entry's timers, messages to the main window and
// the power element. Device classes with a page of their own derive from it
// and register a factory (RegisterDevicePageFactory).
#include <QPointer>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "device/device_page_host.h"
#include "device/vantor_usb_device.h"
#include "ui/container.h"

namespace tarn {

class CDeviceOptionUI;
class CMpDevicePowerUI;
class CWindowUI;

class CDevicePageUI : public CHorizontalLayoutUI, public IDevicePageHost {
 public:
  CDevicePageUI();
  ~CDevicePageUI() override;
  std::string GetClass() const override { return "DevicePage"; }

  // The device object the page hosts; the page owns it and becomes its host.
  void SetDevice(std::unique_ptr<CVantorUSBDevice> device);
  CVantorUSBDevice* GetDevice() const { return m_device.get(); }
  template <class T>
  T* GetDeviceAs() const {
    return dynamic_cast<T*>(m_device.get());
  }

  void SetOption(CDeviceOptionUI* option) { m_pOption = option; }
  CDeviceOptionUI* GetOption() const { return m_pOption; }
  void SetPower(CMpDevicePowerUI* power) { m_pPower = power; }
  CMpDevicePowerUI* GetPower() const { return m_pPower; }
  void SetMainWindow(CWindowUI* window) { m_pMainWnd = window; }
  CWindowUI* GetMainWindow() const { return m_pMainWnd; }
  // Where PostToMainWindow goes (run on the UI thread).
  void SetMessageSink(std::function<void(uint32_t, int64_t, int64_t)> sink) { m_messageSink = std::move(sink); }

  // Called once by the page builder after configuring the device:
  // BuildPage(), then the device's InitDevice().
  void InitPage();

  // ---- hooks for derived pages ----
  // Builds the page's own controls (before the device collects its buttons).
  virtual void BuildPage() {}
  // The heartbeat ran the device's OnDeviceConnected (UI thread).
  virtual void OnDeviceConnectedUi() {}
  // The device lost its last link (UI thread).
  virtual void OnDeviceLostUi() {}
  // The page became the shown one ("device_switch" selected it).
  virtual void OnPageShown() {}

  // ---- IDevicePageHost ----
  std::vector<int> KeyButtonIndices() override;
  std::vector<int> LightButtonIndices() override;
  bool IsLightButtonShown(int index) override;
  void PaintLightButton(int index, uint32_t rgb, uint8_t brightness) override;
  bool HasSwitch(const std::string& name) override;
  void SelectSwitchPage(const std::string& name, int page) override;
  void ShowAudioLightSetting(const AudioLightSetting& setting) override;
  AudioLightSetting ReadAudioLightSetting() override;
  void StartEntryTimer(int timerId, int intervalMs) override;
  void PostToMainWindow(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  void ShowPowerStatus(const uint8_t* status, size_t length) override;
  void RunOnUiThread(std::function<void()> work) override;

  // The picture's buttons by index ("key_N", "light_N" under "SelectPanel").
  CControlUI* KeyButton(int index);
  CControlUI* LightButton(int index);
  // The colour a LED button was last painted with (0xRRGGBB) and brightness.
  uint32_t PaintedColor(int index) const;
  uint8_t PaintedBrightness(int index) const;

 protected:
  // Collects the "SelectPanel" children once (cached until the next call).
  void CollectButtons();

  std::unique_ptr<CVantorUSBDevice> m_device;
  CDeviceOptionUI* m_pOption = nullptr;
  CMpDevicePowerUI* m_pPower = nullptr;
  CWindowUI* m_pMainWnd = nullptr;
  CControlUI* m_pSelectPanel = nullptr;
  std::function<void(uint32_t, int64_t, int64_t)> m_messageSink;
  std::map<int, CControlUI*> m_keyButtonMap;
  std::map<int, CControlUI*> m_lightButtonMap;
  std::map<int, std::pair<uint32_t, uint8_t>> m_painted;
  std::map<std::string, CControlUI*> m_switches;  // cached tab switches, by lower-case name
  bool m_bButtonsCollected = false;
  // Guards queued work against the page's destruction.
  std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

// What makes the page of one kind of device: the page control (the root
// element of the device's layout) and its device object.
struct DevicePageFactory {
  std::string className;  // the root element type of the device layout
  std::function<CDevicePageUI*()> createPage;
  std::function<std::unique_ptr<CVantorUSBDevice>()> createDevice;
};

// Per device-page table row (0 mouse, 1 keyboard, 2 mouse pad, 3 headset).
// A later registration replaces an earlier one. The defaults: plain pages;
// the keyboard row makes a CVantorKeyboardDevice.
void RegisterDevicePageFactory(int pageRow, DevicePageFactory factory);
const DevicePageFactory* FindDevicePageFactory(int pageRow);
const DevicePageFactory* FindDevicePageFactoryByClass(const std::string& className);

}  // namespace tarn
