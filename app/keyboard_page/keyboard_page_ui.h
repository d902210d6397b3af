#pragma once
// The keyboard's page: the key picture and its buttons, the profile bar,
// the keyboard settings controls and the profile operations. The protocol
// and profile work is the keyboard device object's; the page shows its state
// and turns the user's actions into its operations.
#include <QTimer>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/pages/device_page_ui.h"
#include "device/keyboard/key_identity.h"
#include "device/keyboard/keyboard_device.h"

namespace tarn {

class CCheckBoxUI;
class CDeviceKeyButtonUI;
class CDeviceProfileUI;
class CEditUI;
class CLabelUI;
class COptionUI;
class CSliderUI;

// What the page needs of the main window: its message box and file dialogs.
struct PageDialogs {
  enum Buttons : int { kOk = 0, kOkCancel = 1 };
  // Shows the message of a language key (text, when not empty, is the
  // message already formatted from it). Returns 1 when the user confirmed.
  std::function<int(const std::string& messageKey, int buttons, const std::string& text)> messageBox;
  // An open (save = false) or save dialog with the filter; "" when cancelled.
  std::function<std::string(bool save, const std::string& filter)> fileDialog;
};

class CKeyboardPageUI : public CDevicePageUI {
 public:
  static constexpr const char* kClassName = "KeyboardDevice";
  static constexpr int kTimerProfileSwitch = 1055;
  static constexpr int kProfileSwitchDelayMs = 400;
  static constexpr int kFnKeyIndex = 110;
  // The on-screen tint of a lit LED on the lighting page.
  static constexpr uint32_t kLightTint = 0xFDDDF9;

  CKeyboardPageUI();
  ~CKeyboardPageUI() override;
  std::string GetClass() const override { return kClassName; }

  keyboard::CVantorKeyboardDevice* Keyboard() const;
  void SetDialogs(PageDialogs dialogs) { m_dialogs = std::move(dialogs); }
  // Screen size passed with the settings write of a profile switch.
  void SetScreenSize(int width, int height) {
    m_nScreenWidth = width;
    m_nScreenHeight = height;
  }

  // Everything the main window routes to the keyboard's page: the settings
  // controls, the profile bar, the settings page buttons and key clicks.
  // True when the notification was the page's.
  bool HandleNotify(TNotifyUI& msg);

  // ---- page operations ----
  void BuildPage() override;
  void LoadDeviceFiles();
  int ReloadProfile();
  void ResetToDefaultProfile();
  void CheckMacroKeys();
  void RefreshPanels();
  void UpdateKeyCaptions();
  void SetKeyCaption(int index, const std::string& caption);
  void SelectKey(int index);
  void SetSelectedEntry(const KeyEntry& entry);
  void SetKeyList(const KeyList& keys);
  void SetLightState(const LightState& state);
  void SetAudioLightState(const AudioLightState& state);
  void SetStages(uint32_t a, uint32_t b, uint32_t c);
  StageWords GetStages() const;
  // Switches the settings page (1 lighting, 2 keys, ...); key button 110
  // can be pressed on the lighting page and not on the keys page.
  void SetFunctionPage(int page);
  // The profile switch of timer 1055: selection, reload, settings, macros,
  // key table. Returns the macro download's result (0 when it went on).
  int RunProfileSwitch();
  // "device_reset_btn" after the user confirmed.
  void ResetStoredProfile();
  // "reset_repeat_btn": repeat rate and delay back to the default profile's.
  void ResetRepeat();

  // ---- settings controls ----
  void SetPollingChoice(int n);
  int GetPollingChoice();
  void SetRepeatDelayChoice(int n);
  int GetRepeatDelayChoice();
  void SetWinLockFlag(bool on);
  bool GetWinLockFlag();
  void SetWFlag(bool on);
  bool GetWFlag();
  void SetKey6Flag(bool on);
  bool GetKey6Flag();
  void SetRepeatRate(int value);
  int GetRepeatRate();

  // ---- state for the main window and tests ----
  CDeviceProfileUI* ProfileBar() const { return m_pProfileBar; }
  CDeviceKeyButtonUI* KeyButtonAt(int index) const;
  CDeviceKeyButtonUI* LightButtonAt(int index) const;
  CControlUI* KeyArea() const { return m_pKeyArea; }
  const std::string& KeyCaption(int index) const;
  // The language text of an id, through the page's "text_test" label.
  std::string Translate(const std::string& id);
  bool IsProfileSwitchPending() const { return m_switchTimer.isActive(); }
  int ProfileSwitchCount() const { return m_nSwitches; }
  // Light buttons repainted, and passes that repainted any.
  int LightRepaintCount() const { return m_nLightRepaints; }
  int LightFlushCount() const { return m_nLightFlushes; }

  // ---- IDevicePageHost ----
  std::vector<int> KeyButtonIndices() override;
  std::vector<int> LightButtonIndices() override;
  bool IsLightButtonShown(int index) override;
  // On the lighting page a shown LED button takes the tint at the LED's
  // brightness; elsewhere colour 0. Changes are gathered and repainted once
  // per display frame.
  void PaintLightButton(int index, uint32_t rgb, uint8_t brightness) override;

 private:
  struct LightPaint {
    uint32_t color;
    uint8_t brightness;
  };

  template <class T>
  T* Cached(const std::string& name);
  void FlushLights();
  void ShowMessage(const std::string& key, const std::string& text = {});
  bool HandleSettings(TNotifyUI& msg, const std::string& name);
  bool HandleProfileBar(TNotifyUI& msg, const std::string& name);
  void StartProfileSwitch();

  std::vector<CDeviceKeyButtonUI*> m_keyButtons;
  std::vector<CDeviceKeyButtonUI*> m_lightButtons;
  std::vector<std::string> m_captions;
  CControlUI* m_pKeyArea = nullptr;
  CDeviceProfileUI* m_pProfileBar = nullptr;
  CLabelUI* m_pTextTest = nullptr;
  std::map<std::string, CControlUI*> m_controls;  // by lower-case name; null when missing
  std::map<int, LightPaint> m_pendingLights;
  QTimer m_lightTimer;
  QTimer m_switchTimer;
  PageDialogs m_dialogs;
  int m_nScreenWidth = 0;
  int m_nScreenHeight = 0;
  int m_nSwitches = 0;
  int m_nLightRepaints = 0;
  int m_nLightFlushes = 0;
};

// Registers the keyboard page class ("KeyboardDevice", the root of
// keyboarddevice.xml), its device object and the profile bar ("DeviceProfile")
// with the toolkit. Start-up calls it before the device pages are built.
void RegisterKeyboardPage();

}  // namespace tarn
