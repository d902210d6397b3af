#pragma once
// The base of every device object: the device's endpoint on the HID bus
// (its command and notification channels, its identity, its worker
// threads) and the operations the rest of the system calls, which each
// device class fills in. The page side goes through IDevicePageHost.
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/device_channel.h"
#include "device/device_identity.h"
#include "device/device_page_host.h"
#include "device/worker_thread.h"

namespace tarn {

// One key's function: type, param1, param2.
using KeyTriple = std::array<uint8_t, 3>;

// A 4-byte LED entry: red, green, blue, brightness (byte 0 = red).
constexpr uint32_t MakeLedEntry(uint8_t r, uint8_t g, uint8_t b, uint8_t brightness) {
  return uint32_t{r} | uint32_t{g} << 8 | uint32_t{b} << 16 | uint32_t{brightness} << 24;
}
constexpr uint32_t LedEntryRgb(uint32_t entry) {
  return (entry & 0xFF) << 16 | (entry & 0xFF00) | (entry >> 16 & 0xFF);  // 0xRRGGBB
}
constexpr uint8_t LedEntryBrightness(uint32_t entry) { return static_cast<uint8_t>(entry >> 24); }

// Notification codes of the consumer collection.
constexpr uint16_t kNotifySyncRequest = 0x0401;
constexpr uint16_t kNotifySyncRequest2 = 0x0402;

// Selector entry timers.
constexpr int kTimerRefreshLights = 1000;
constexpr int kTimerConnected = 1001;
constexpr int kTimerSyncRequest = 1002;
constexpr int kTimerPollStatus = 1005;
constexpr int kTimerReceiverLink = 1007;

class CVantorUSBDevice {
 public:
  CVantorUSBDevice();
  virtual ~CVantorUSBDevice();
  CVantorUSBDevice(const CVantorUSBDevice&) = delete;
  CVantorUSBDevice& operator=(const CVantorUSBDevice&) = delete;

  // ---- the operations, in their fixed order ----
  virtual void InitDevice();                                   // 1
  virtual int ApplyProfile();                                  // 2
  virtual void StepBreathing();                                // 3
  virtual void StepBreathingPalette();                         // 4
  virtual void StepStatic();                                   // 5
  virtual void StepSpectrum();                                 // 6
  virtual void StepBlink();                                    // 7
  virtual void StepBlinkPalette();                             // 8
  virtual void StepLightsOff();                                // 9
  virtual void RefreshLights();                                // 10
  virtual void SetLedColor(int index, uint32_t color);         // 11
  virtual uint32_t GetLedColor(int index) const;               // 12
  virtual void OnDeviceConnected();                            // 13
  virtual void OnDeviceSyncRequest();                          // 14
  virtual void OnTimer1003();                                  // 15
  virtual void OnTimer1004();                                  // 16
  virtual void PollDeviceStatus();                             // 17
  virtual bool IsLinkAlive();                                  // 18
  virtual int ReloadProfile();                                 // 19
  virtual void RefreshPanels();                                // 20
  virtual void CheckMacroKeys();                               // 21
  virtual void ResetToDefaultProfile();                        // 22
  virtual std::vector<std::string> GetMacroList();             // 23
  virtual int WriteKeyTable(const std::vector<KeyTriple>& keys);  // 24
  virtual int WriteProfileKeyTable(int which);                 // 25
  virtual int DownloadMacros(const std::vector<std::string>& list);  // 26
  virtual int WriteSettingsRecord(const uint8_t* block, int firstByte, int flag, int screenWidth,
                                  int screenHeight);           // 27
  virtual void LoadDeviceFiles();                              // 28
  virtual void SetLedMap(const std::vector<uint8_t>& map);     // 29
  virtual void FadeLed(int index, int mode);                   // 30
  virtual void ApplyReactiveMask();                            // 31
  virtual void RotateRing(int direction);                      // 32
  virtual void ClearReactiveState();                           // 33
  virtual void SetFunctionPage(int page);                      // 34
  virtual int GetFunctionPage() const;                         // 35
  virtual void SetProfilePaths();                              // 36
  virtual std::string GetProfilePath();                        // 37
  virtual void SaveProfile();                                  // 38
  virtual void SetDeviceIndex(int index);                      // 39
  virtual int GetDeviceIndex() const;                          // 40
  virtual void SetLightState(uint32_t a, uint32_t b, uint32_t c, uint16_t d);  // 41
  virtual void SetAudioLightState(int mode, uint32_t back, uint32_t fore);    // 42
  virtual AudioLightSetting GetAudioLightState();              // 43
  virtual void SelectKey(int index);                           // 44
  virtual void OnAudioSpectrum(const int* values, int count);  // 45
  virtual void OnAudioLevels(const int* values, int count);    // 46

  // Hooks of the worker threads (not part of the numbered set).
  // A notification code above 0x402, on the notification thread.
  virtual void OnNotification(uint16_t code);
  // One pass of the light thread's effect work, while the command channel
  // is open and the device does not follow synchronised lighting.
  virtual void LightThreadStep();

  // ---- non-virtual ----
  // Stores the flag; switching it on for a keyboard tells the keyboard that
  // the host drives its lights (command 0x1C).
  void SetControlLight(bool on);
  void SetWindowActive(bool on) { m_bWindowActive = on; }

  // Configuration by the page builder.
  void SetPageHost(IDevicePageHost* host) { m_pPage = host; }
  void SetKeyCount(int count);
  void SetLedCount(int count);
  int KeyCount() const { return m_nKeyCount; }
  int LedCount() const { return m_nLedCount; }

  // Links. Opening a notification link stops its thread, opens the link and
  // starts the thread again; closing wakes the thread's read, then stops it.
  bool OpenCommandLink(bool receiver, const std::string& path);
  void CloseCommandLinks();
  bool OpenNotificationLink(bool receiver, const std::string& path);
  void CloseNotificationLink(bool receiver);
  bool IsNotificationLinkOpen(bool receiver) const;

  // A device class with a light thread of its own replaces these.
  virtual void StartLightThread();
  virtual void StopLightThread();
  virtual bool IsLightThreadRunning() const { return m_lightThread.IsRunning(); }

  // The code stored by the last sync request, for OnDeviceSyncRequest.
  uint16_t LastSyncCode() const { return m_nLastSyncCode; }

  CDeviceChannel m_cmdChannel;
  CDeviceChannel m_notifyChannel;
  std::string m_strLayoutFile;
  std::string m_strProfileName;
  std::string m_strLightConfig;
  std::string m_strFolder;
  int m_nCategory = 0;
  int m_nKind = 0;
  std::atomic<int> m_nSelectedKey{-1};
  std::vector<bool> m_keyButtons;    // by key index: the picture has a "key_N"
  std::vector<bool> m_lightButtons;  // by LED index: the picture has a "light_N"
  std::array<uint8_t, 14> m_lightState{};
  std::atomic<bool> m_bControlLight{false};
  std::atomic<bool> m_bWindowActive{false};
  bool m_bSyncEnabled = false;
  std::atomic<bool> m_bPollPaused{false};
  DeviceIdentity m_identity;
  AudioLightSetting m_audioLight;
  std::vector<uint8_t> m_ledMap;
  // The two list locks of the lighting lists the light thread reads.
  std::recursive_mutex m_csEffectList;
  std::recursive_mutex m_csSequence;

 protected:
  void NotificationLoop(bool receiver, const CStopEvent& stop);
  void LightLoop(const CStopEvent& stop);

  IDevicePageHost* m_pPage = nullptr;
  int m_nKeyCount = 0;
  int m_nLedCount = 0;
  int m_nFunctionPage = 1;
  int m_nDeviceIndex = 0;
  std::unique_ptr<std::atomic<uint32_t>[]> m_ledColors;
  std::atomic<uint16_t> m_nLastSyncCode{0};
  CWorkerThread m_lightThread;
  CWorkerThread m_notifyThreadCable;
  CWorkerThread m_notifyThreadReceiver;
};

}  // namespace tarn
