#pragma once
// The keyboard device object: what the keyboard is told and asked over its
// command channel, the host's copy of its memory, and the profile it serves.
// The page side (controls, captions) reaches it through the page host.
#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "device/keyboard/key_identity.h"
#include "device/keyboard/keyboard_memory.h"
#include "device/keyboard/light_engine.h"
#include "device/keyboard/light_profile_host.h"
#include "device/keyboard/light_thread.h"
#include "device/vantor_usb_device.h"
#include "profile/device_name_lists.h"
#include "profile/keyboard_profile.h"

namespace tarn::keyboard {

// Notification that asks for the current profile to be reloaded.
inline constexpr uint16_t kNotifyProfileChanged = 0x0402;

class CVantorKeyboardDevice : public CVantorUSBDevice {
 public:
  // The lighting runs on `clock` and `random` (tests inject their own).
  explicit CVantorKeyboardDevice(IClock& clock = SystemClock(), IRandom& random = SystemRandom());
  ~CVantorKeyboardDevice() override;

  // ---- base operations ----
  void OnDeviceConnected() override;
  void OnDeviceSyncRequest() override;
  void PollDeviceStatus() override;
  bool IsLinkAlive() override;
  int ReloadProfile() override;
  void CheckMacroKeys() override;
  void ResetToDefaultProfile() override;
  int WriteProfileKeyTable(int page) override;
  int WriteSettingsRecord(const uint8_t* block, int firstByte, int flag, int screenWidth,
                          int screenHeight) override;
  void LoadDeviceFiles() override;
  void SetProfilePaths() override;
  std::string GetProfilePath() override;
  void SaveProfile() override;
  void RefreshLights() override;
  void OnNotification(uint16_t code) override;
  // Runs the page's refresher (the page shows the profile's state).
  void RefreshPanels() override;
  int ApplyProfile() override;
  void SetLedColor(int index, uint32_t color) override;
  uint32_t GetLedColor(int index) const override;
  void OnAudioSpectrum(const int* values, int count) override;
  void OnAudioLevels(const int* values, int count) override;
  void StartLightThread() override;
  void StopLightThread() override;
  // The 14 lighting bytes as four little-endian words; kept and saved.
  void SetLightState(uint32_t a, uint32_t b, uint32_t c, uint16_t d) override;

  // ---- the keyboard's own operations ----
  // Information, key table and LED map, then the key maps. 1 on success;
  // the first failing command's result otherwise (the transaction is closed
  // in every case it was opened).
  int ReadKeyLayout();
  // Reads the active settings block and takes it into the lighting state and
  // stages, saved into the profile. Nothing is taken or saved unless both
  // reads succeed. Result: the active block number, or a negative result.
  int ReadSettings();
  // Macro numbers the keys use, in order of first use.
  std::vector<uint8_t> GetMacroNumbers();
  // Writes the key table made from `keys` (indexed by on-screen key). 1 on
  // success, 0 when the device is not open, else the first failing result.
  int WriteKeyTable(int page, const KeyList& keys);
  using CVantorUSBDevice::WriteKeyTable;
  // Sends the macro image of the listed macros. 0 when sent; a positive
  // number when the image exceeds the macro memory (excess / 4 + 1) and
  // nothing is sent; 0 also for an empty list; negative on failure.
  int DownloadMacroNumbers(const std::vector<uint8_t>& macros);
  // The profile download: settings, macros, keys. 0 on success, > 0 the
  // macro excess, < 0 a failure (the key table is then not written).
  int DownloadProfile();
  // Back to the default profile, written to the keyboard.
  int ResetToDefaults();

  // Settings controls: each change is saved into the profile at once; the
  // polling rate and the three flags also go to the keyboard.
  int SetPollingRate(int rate);
  void SetRepeat(int repeat);
  void SetRepeatDelay(int delay);
  int SetWinLockFlag(bool on);
  int SetWFlag(bool on);
  int SetKey6Flag(bool on);

  // ---- state, for the page and for tests ----
  InfoBlock Info() const;
  KeyMaps Maps() const;
  std::array<uint8_t, kSettingsBlockSize> Settings() const;
  uint8_t ActiveBlock() const;
  LightState CurrentLightState() const;
  KeyboardStages Stages() const;
  KeyList Keys() const;
  std::array<uint8_t, kPowerStatusSize> PowerStatus() const;
  const DeviceNameLists& NameLists() const { return m_names; }
  CKeyboardProfiledata& Profile() { return m_profile; }
  // The frame that RefreshLights sends: keyCount * 3 bytes, each LED's colour
  // scaled by its brightness at its slot.
  std::vector<uint8_t> CurrentLightFrame() const;
  CKeyboardLightEngine& LightEngine() { return m_engine; }
  bool IsLightThreadRunning() const override { return m_lightWorker.Running(); }

  // The same with the record itself.
  void SetKeyboardLightState(const LightState& light);
  void SetLightModeCodes(const std::vector<int>& codes);
  void SetStages(uint32_t a, uint32_t b, uint32_t c);
  void SetKeyList(const KeyList& keys);
  // The sound-driven lighting; kept and saved into the profile.
  void SetKeyboardAudioLightState(const AudioLightState& audio);
  AudioLightState CurrentAudioLightState() const;
  // What RefreshPanels runs: the page's own refresh, on the UI thread.
  void SetPanelRefresher(std::function<void()> refresh) { m_refreshPanels = std::move(refresh); }

 private:
  bool IsOpen() const { return m_cmdChannel.IsOpen(); }
  std::string UserFolder() const;
  unsigned MacroCount() const;
  void StoreStagesAndLight();
  int WriteSettings();
  void SendCustomTable(const light::LedSnapshot& leds, bool scaled);
  // What frames and custom tables are laid out by, taken together under the lock.
  struct LightLayout {
    KeyMaps maps;
    unsigned keyCount;
    LightState light;
  };
  LightLayout CurrentLightLayout() const;

  mutable std::mutex m_csState;  // memory copies: the notification thread writes too
  InfoBlock m_info;
  std::vector<uint8_t> m_keyTable;
  std::vector<uint8_t> m_ledMapCache;
  KeyMaps m_maps;
  std::array<uint8_t, kSettingsBlockSize> m_settings{};
  uint8_t m_nActiveBlock = 0;
  std::array<uint8_t, kPowerStatusSize> m_power{};

  CKeyboardProfiledata m_profile;
  LightState m_light;
  AudioLightState m_audio;
  KeyboardStages m_stages;
  KeyList m_keyList;
  DeviceNameLists m_names;
  std::vector<int> m_modeCodes;
  std::function<void()> m_refreshPanels;

  // The lighting: the engine's LED entries stand for the base's, the light
  // thread steps it. Declared last, so the thread stops first.
  CProfileLightHost m_lightHost;
  CKeyboardLightEngine m_engine;
  CKeyboardLightThread m_lightWorker;
};

}  // namespace tarn::keyboard
