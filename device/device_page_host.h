#pragma once
// What a device object asks of its page and of the main window. The device
// layer stays free of the UI toolkit; the application implements this over
// the device's page, its selector entry and the main window.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarn {

struct AudioLightSetting {
  int mode = 0;
  uint32_t backColor = 0;
  uint32_t foreColor = 0;
};

class IDevicePageHost {
 public:
  virtual ~IDevicePageHost() = default;

  // Indices N of the picture's "DeviceKeyButton" children "key_N" and
  // "light_N" inside "SelectPanel".
  virtual std::vector<int> KeyButtonIndices() = 0;
  virtual std::vector<int> LightButtonIndices() = 0;
  virtual bool IsLightButtonShown(int index) = 0;
  virtual void PaintLightButton(int index, uint32_t rgb, uint8_t brightness) = 0;

  // Whether the page has a tab switch of that name, and showing one of its pages.
  virtual bool HasSwitch(const std::string& name) = 0;
  virtual void SelectSwitchPage(const std::string& name, int page) = 0;

  // The light panel's sound-light controls.
  virtual void ShowAudioLightSetting(const AudioLightSetting& setting) = 0;
  virtual AudioLightSetting ReadAudioLightSetting() = 0;

  // Starts (or restarts) a timer of the device's selector entry. May be
  // called from any thread; the timer runs on the UI thread.
  virtual void StartEntryTimer(int timerId, int intervalMs) = 0;
  // Posts a message to the main window; may be called from any thread.
  virtual void PostToMainWindow(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;

  // The device's power element shows the power status bytes.
  virtual void ShowPowerStatus(const uint8_t* status, size_t length) {}
  // Runs work that changes page controls on the UI thread; may be called
  // from any thread. A host without a UI thread runs it at once.
  virtual void RunOnUiThread(std::function<void()> work) { work(); }
};

}  // namespace tarn
