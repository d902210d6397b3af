#include "app/keyboard_page/keyboard_page_ui.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cctype>

#include "app/keyboard_page/device_profile_ui.h"
#include "keyset/function_name.h"
#include "platform/debug_output.h"
#include "profile/data_folders.h"
#include "profile/json_file.h"
#include "profile/keyboard_profile.h"
#include "ui/basic_controls.h"
#include "ui/controls/device_key_button.h"
#include "ui/input_controls.h"
#include "ui/resource_manager.h"
#include "ui/ui_string.h"

namespace tarn {
namespace {

constexpr const char* kProfileFilter = "Profile Files(*.json)";
constexpr int kFramesPerSecondFallback = 60;

// "key_12" -> ("key_", 12); false unless the part after the last '_' is made
// of decimal digits only (and short enough to be an index).
bool SplitButtonName(const std::string& name, std::string& prefix, int& number) {
  size_t at = name.rfind('_');
  if (at == std::string::npos) return false;
  std::string digits = name.substr(at + 1);
  if (digits.empty() || digits.size() > 6) return false;
  for (char c : digits)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  prefix = name.substr(0, at + 1);
  number = std::stoi(digits);
  return true;
}

// A message text with one number: the first "%d" of the language text takes
// it. The text comes from a language file, so it is never used as a printf
// format.
std::string WithNumber(const std::string& text, int number) {
  size_t at = text.find("%d");
  if (at == std::string::npos) return text + " " + std::to_string(number);
  return text.substr(0, at) + std::to_string(number) + text.substr(at + 2);
}

int FrameIntervalMs() {
  QScreen* screen = QGuiApplication::primaryScreen();
  double rate = screen != nullptr ? screen->refreshRate() : 0.0;
  if (rate < 1.0) rate = kFramesPerSecondFallback;
  return std::max(1, static_cast<int>(1000.0 / rate));
}

}  // namespace

CKeyboardPageUI::CKeyboardPageUI() {
  m_lightTimer.setSingleShot(true);
  QObject::connect(&m_lightTimer, &QTimer::timeout, this, [this]() { FlushLights(); });
  m_switchTimer.setSingleShot(true);
  QObject::connect(&m_switchTimer, &QTimer::timeout, this, [this]() { RunProfileSwitch(); });
}

CKeyboardPageUI::~CKeyboardPageUI() {
  m_lightTimer.stop();
  m_switchTimer.stop();
  if (keyboard::CVantorKeyboardDevice* device = Keyboard()) device->SetPanelRefresher(nullptr);
}

keyboard::CVantorKeyboardDevice* CKeyboardPageUI::Keyboard() const {
  return dynamic_cast<keyboard::CVantorKeyboardDevice*>(GetDevice());
}

template <class T>
T* CKeyboardPageUI::Cached(const std::string& name) {
  std::string key = MakeLower(name);
  auto found = m_controls.find(key);
  if (found == m_controls.end()) found = m_controls.emplace(key, FindSubControl(name)).first;
  return dynamic_cast<T*>(found->second);
}

std::string CKeyboardPageUI::Translate(const std::string& id) {
  if (m_pTextTest == nullptr) return CResourceManager::Instance().GetText(id);
  m_pTextTest->SetText(id);
  return m_pTextTest->GetText();
}

// ---- building ----

void CKeyboardPageUI::BuildPage() {
  keyboard::CVantorKeyboardDevice* device = Keyboard();
  m_keyButtons.clear();
  m_lightButtons.clear();
  m_captions.clear();
  m_controls.clear();
  if (device == nullptr || device->m_strLayoutFile.empty()) return;
  m_keyButtons.assign(static_cast<size_t>(device->KeyCount()), nullptr);
  m_lightButtons.assign(static_cast<size_t>(device->LedCount()), nullptr);
  m_captions.assign(static_cast<size_t>(device->KeyCount()), {});
  m_pTextTest = dynamic_cast<CLabelUI*>(FindSubControl("text_test"));
  if (m_pTextTest != nullptr) m_pTextTest->SetResourceText(true);

  auto* panel = dynamic_cast<CContainerUI*>(FindSubControl("keyboard_device_key_light"));
  if (panel != nullptr) {
    for (int i = 0; i < panel->GetCount(); ++i) {
      auto* button = dynamic_cast<CDeviceKeyButtonUI*>(panel->GetItemAt(i));
      if (button == nullptr || button->GetClass() != CDeviceKeyButtonUI::kClassName) continue;
      std::string prefix;
      int number = -1;
      if (!SplitButtonName(button->GetName(), prefix, number)) continue;
      if (EqualsNoCase(prefix, "key_") && number < static_cast<int>(m_keyButtons.size())) {
        m_keyButtons[static_cast<size_t>(number)] = button;
      } else if (EqualsNoCase(prefix, "light_") && number < static_cast<int>(m_lightButtons.size())) {
        m_lightButtons[static_cast<size_t>(number)] = button;
        button->SetLightOverlay(0xFFFFFF, 255, true);
        button->update();
      }
    }
  }
  m_pKeyArea = panel;

  m_pProfileBar = dynamic_cast<CDeviceProfileUI*>(FindSubControl("DeviceProfileItem"));
  if (m_pProfileBar != nullptr) {
    m_pProfileBar->SetDeviceType(device->m_nCategory);
    m_pProfileBar->SetFolders(GetDeviceUserFolder(device->m_strFolder), GetDefaultProfilePath(device->m_strFolder));
    m_pProfileBar->InitProfiles();
    m_pProfileBar->SelectOpTab(1);
    device->m_strProfileName = m_pProfileBar->GetSelectedUUID();
  }
  LoadDeviceFiles();

  // The device asks for a refresh from its notification thread too; the
  // controls change on the UI thread only.
  device->SetPanelRefresher([this]() { RunOnUiThread([this]() { RefreshPanels(); }); });
}

std::vector<int> CKeyboardPageUI::KeyButtonIndices() {
  std::vector<int> out;
  for (size_t i = 0; i < m_keyButtons.size(); ++i)
    if (m_keyButtons[i] != nullptr) out.push_back(static_cast<int>(i));
  return out;
}

std::vector<int> CKeyboardPageUI::LightButtonIndices() {
  std::vector<int> out;
  for (size_t i = 0; i < m_lightButtons.size(); ++i)
    if (m_lightButtons[i] != nullptr) out.push_back(static_cast<int>(i));
  return out;
}

CDeviceKeyButtonUI* CKeyboardPageUI::KeyButtonAt(int index) const {
  if (index < 0 || index >= static_cast<int>(m_keyButtons.size())) return nullptr;
  return m_keyButtons[static_cast<size_t>(index)];
}

CDeviceKeyButtonUI* CKeyboardPageUI::LightButtonAt(int index) const {
  if (index < 0 || index >= static_cast<int>(m_lightButtons.size())) return nullptr;
  return m_lightButtons[static_cast<size_t>(index)];
}

const std::string& CKeyboardPageUI::KeyCaption(int index) const {
  static const std::string kNone;
  if (index < 0 || index >= static_cast<int>(m_captions.size())) return kNone;
  return m_captions[static_cast<size_t>(index)];
}

// ---- on-screen lights ----

bool CKeyboardPageUI::IsLightButtonShown(int index) {
  CDeviceKeyButtonUI* button = LightButtonAt(index);
  return button != nullptr && button->isVisibleTo(this);
}

void CKeyboardPageUI::PaintLightButton(int index, uint32_t rgb, uint8_t brightness) {
  CDeviceKeyButtonUI* button = LightButtonAt(index);
  if (button == nullptr) return;
  keyboard::CVantorKeyboardDevice* device = Keyboard();
  if (device == nullptr || !device->m_bControlLight) {
    // Outside the light refresh (the page being built): the colour as asked.
    button->SetLightOverlay(rgb, brightness, true);
    button->update();
    return;
  }
  LightPaint paint{0, 0};
  if (device->GetFunctionPage() == 1 && IsLightButtonShown(index)) paint = {kLightTint, brightness};
  m_pendingLights[index] = paint;
  if (!m_lightTimer.isActive()) m_lightTimer.start(FrameIntervalMs());
}

void CKeyboardPageUI::FlushLights() {
  bool any = false;
  for (const auto& [index, paint] : m_pendingLights) {
    CDeviceKeyButtonUI* button = LightButtonAt(index);
    if (button == nullptr) continue;
    if (button->IsLightShown() && button->GetLightColor() == paint.color &&
        button->GetLightOpacity() == paint.brightness)
      continue;
    button->SetLightOverlay(paint.color, paint.brightness, true);
    button->update();
    ++m_nLightRepaints;
    any = true;
  }
  m_pendingLights.clear();
  if (any) ++m_nLightFlushes;
}

// ---- profile and captions ----

void CKeyboardPageUI::LoadDeviceFiles() {
  if (keyboard::CVantorKeyboardDevice* device = Keyboard()) device->LoadDeviceFiles();
}

int CKeyboardPageUI::ReloadProfile() {
  keyboard::CVantorKeyboardDevice* device = Keyboard();
  return device != nullptr ? device->ReloadProfile() : 0;
}

void CKeyboardPageUI::ResetToDefaultProfile() {
  // The device saves the default profile as the current one and asks the
  // page to show it (RefreshPanels).
  if (keyboard::CVantorKeyboardDevice* device = Keyboard()) device->ResetToDefaultProfile();
}

void CKeyboardPageUI::CheckMacroKeys() {
  keyboard::CVantorKeyboardDevice* device = Keyboard();
  if (device == nullptr) return;
  KeyList before = device->Keys();
  device->CheckMacroKeys();
  KeyList after = device->Keys();
  bool changed = before.size() != after.size();
  for (size_t i = 0; !changed && i < before.size(); ++i) changed = !(before[i].current == after[i].current);
  if (changed) UpdateKeyCaptions();
}

void CKeyboardPageUI::RefreshPanels() {
  keyboard::CVantorKeyboardDevice* device = Keyboard();
  if (device == nullptr) return;
  // The keyboard asked for its profile again: the list may have changed too.
  if (m_pProfileBar != nullptr && device->LastSyncCode() == keyboard::kNotifyProfileChanged) m_pProfileBar->ReloadList();
  LoadDeviceFiles();
  UpdateKeyCaptions();
  keyboard::KeyboardStages stages = device->Stages();
  SetWinLockFlag(stages.WinFlag() != 0);
  SetWFlag(stages.WFlag() != 0);
  SetKey6Flag(stages.Key6Flag() != 0);
  SetRepeatRate(stages.Repeat());
  SetRepeatDelayChoice(stages.RepeatDelay());
  if (auto* edit = Cached<CEditUI>("repeat_input_richedit")) {
    edit->SetText("");
    edit->setPlaceholderText(QString::fromStdString(Translate("Repeat_input_text")));
  }
  SetPollingChoice(stages.PollingRate());
}

void CKeyboardPageUI::UpdateKeyCaptions() {
  keyboard::CVantorKeyboardDevice* device = Keyboard();
  if (device == nullptr) return;
  TextLookup lookup = [this](std::string_view id) { return Translate(std::string(id)); };
  KeyList keys = device->Keys();
  const std::vector<std::string>& macros = device->NameLists().macroNames;
  for (size_t n = 0; n < keys.size() && n < m_captions.size(); ++n) {
    const KeyAssignment& a = keys[n].current;
    FunctionName name = NameOfFunction(KeyFunction{a.type, a.param1, a.param2}, macros, lookup);
    SetKeyCaption(static_cast<int>(n), CaptionOf(name, lookup, m_captions[n]));
  }
}

void CKeyboardPageUI::SetKeyCaption(int index, const std::string& caption) {
  CDeviceKeyButtonUI* button = KeyButtonAt(index);
  if (button == nullptr) return;
  m_captions[static_cast<size_t>(index)] = caption;
  std::string defaultName;
  if (index < static_cast<int>(keyboard::kKeyIdentityRows)) {
    const keyboard::KeyIdentity& row = keyboard::KeyIdentityTable()[static_cast<size_t>(index)];
    TextLookup lookup = [this](std::string_view id) { return Translate(std::string(id)); };
    keyboard::CVantorKeyboardDevice* device = Keyboard();
    static const std::vector<std::string> kNoMacros;
    FunctionName name = NameOfFunction(KeyFunction{row.type, row.param1, row.param2},
                                       device != nullptr ? device->NameLists().macroNames : kNoMacros, lookup);
    defaultName = CaptionOf(name, lookup, {});
  }
  button->SetDefaultFlag(EqualsNoCase(caption, defaultName) ? 1 : 0);
  // Title, then what the key does now.
  button->setToolTip(QString::fromStdString(defaultName + "\n" + Translate("Key_Set") + caption));
}

void CKeyboardPageUI::SelectKey(int index) {
  if (keyboard::CVantorKeyboardDevice* device = Keyboard()) device->SelectKey(index);
}

void CKeyboardPageUI::SetSelectedEntry(const KeyEntry& entry) {
  keyboard::CVantorKeyboardDevice* device = Keyboard();
  if (device == nullptr) return;
  int selected = device->m_nSelectedKey;
  KeyList keys = device->Keys();
  if (selected < 0 || selected >= static_cast<int>(keys.size())) return;
  keys[static_cast<size_t>(selected)] = entry;
  SetKeyList(keys);
}

void CKeyboardPageUI::SetKeyList(const KeyList& keys) {
  keyboard::CVantorKeyboardDevice* device = Keyboard();
  if (device == nullptr) return;
  device->SetKeyList(keys);
  UpdateKeyCaptions();
}

void CKeyboardPageUI::SetLightState(const LightState& state) {
  if (keyboard::CVantorKeyboardDevice* device = Keyboard()) device->SetKeyboardLightState(state);
}

void CKeyboardPageUI::SetAudioLightState(const AudioLightState& state) {
  if (keyboard::CVantorKeyboardDevice* device = Keyboard()) device->SetKeyboardAudioLightState(state);
}

void CKeyboardPageUI::SetStages(uint32_t a, uint32_t b, uint32_t c) {
  keyboard::CVantorKeyboardDevice* device = Keyboard();
  if (device == nullptr) return;
  device->SetStages(a, b, c);
  device->SaveProfile();
}

StageWords CKeyboardPageUI::GetStages() const {
  keyboard::CVantorKeyboardDevice* device = Keyboard();
  if (device == nullptr) return {};
  keyboard::KeyboardStages stages = device->Stages();
  return {stages.words[0], stages.words[1], stages.words[2]};
}

void CKeyboardPageUI::SetFunctionPage(int page) {
  keyboard::CVantorKeyboardDevice* device = Keyboard();
  if (device == nullptr) return;
  device->SetFunctionPage(page);
  CDeviceKeyButtonUI* fn = KeyButtonAt(kFnKeyIndex);
  if (fn == nullptr) return;
  if (page == 1) fn->SetEnabled(true);
  if (page == 2) fn->SetEnabled(false);
}

// ---- settings controls ----

void CKeyboardPageUI::SetPollingChoice(int n) {
  if (n < 0 || n > 3) n = 0;
  for (int i = 0; i < 4; ++i)
    if (auto* option = Cached<COptionUI>(StringFormat("%s%d", "polling_rate_option_", i))) option->setChecked(i == n);
}

int CKeyboardPageUI::GetPollingChoice() {
  for (int i = 0; i < 4; ++i) {
    auto* option = Cached<COptionUI>(StringFormat("%s%d", "polling_rate_option_", i));
    if (option != nullptr && option->IsSelected()) return i;
  }
  return -1;
}

void CKeyboardPageUI::SetRepeatDelayChoice(int n) {
  if (n < 0 || n > 3) n = 0;
  for (int i = 0; i < 4; ++i)
    if (auto* check = Cached<COptionUI>(StringFormat("%s%d", "repeat_delay_check_", i))) check->setChecked(i == n);
  if (auto* label = Cached<CLabelUI>("repeat_delay_time_label1")) {
    label->SetResourceText(false);
    label->SetText(Translate("Repeat_Delay_Time") + std::to_string(n * 250 + 250) + "ms");
  }
}

int CKeyboardPageUI::GetRepeatDelayChoice() {
  for (int i = 0; i < 4; ++i) {
    auto* check = Cached<COptionUI>(StringFormat("%s%d", "repeat_delay_check_", i));
    if (check != nullptr && check->IsSelected()) return i;
  }
  return -1;
}

void CKeyboardPageUI::SetWinLockFlag(bool on) {
  if (auto* option = Cached<COptionUI>("winlockflag_option")) option->setChecked(on);
}
bool CKeyboardPageUI::GetWinLockFlag() {
  auto* option = Cached<COptionUI>("winlockflag_option");
  return option != nullptr && option->IsSelected();
}
void CKeyboardPageUI::SetWFlag(bool on) {
  if (auto* option = Cached<COptionUI>("wflag_option")) option->setChecked(on);
}
bool CKeyboardPageUI::GetWFlag() {
  auto* option = Cached<COptionUI>("wflag_option");
  return option != nullptr && option->IsSelected();
}
void CKeyboardPageUI::SetKey6Flag(bool on) {
  if (auto* option = Cached<COptionUI>("6flag_option")) option->setChecked(on);
}
bool CKeyboardPageUI::GetKey6Flag() {
  auto* option = Cached<COptionUI>("6flag_option");
  return option != nullptr && option->IsSelected();
}
void CKeyboardPageUI::SetRepeatRate(int value) {
  if (auto* slider = Cached<CSliderUI>("repeat_rate_slider")) slider->SetValue(value);
}
int CKeyboardPageUI::GetRepeatRate() {
  auto* slider = Cached<CSliderUI>("repeat_rate_slider");
  return slider != nullptr ? slider->GetValue() : 0;
}

void CKeyboardPageUI::ResetRepeat() {
  keyboard::CVantorKeyboardDevice* device = Keyboard();
  if (device == nullptr) return;
  CKeyboardProfiledata defaults;
  defaults.SetProfilePath(device->Profile().GetDefaultProfilePath());
  defaults.SetDefaultProfilePath(device->Profile().GetDefaultProfilePath());
  defaults.SetDeviceIndex(device->Profile().GetDeviceIndex());
  defaults.Load();
  StageWords words = defaults.GetKeyboardStages();
  int repeat = StageLow(words[0]);
  int delay = StageHigh(words[0]);
  device->SetRepeat(repeat);
  device->SetRepeatDelay(delay);
  SetRepeatRate(repeat);
  SetRepeatDelayChoice(delay);
}

// ---- notifications ----

bool CKeyboardPageUI::HandleNotify(TNotifyUI& msg) {
  if (msg.pSender == nullptr || Keyboard() == nullptr) return false;
  const std::string& name = msg.pSender->GetName();
  if (HandleSettings(msg, name) || HandleProfileBar(msg, name)) return true;
  if (msg.sType == "selectchanged" && msg.wParam != 0) {
    int page = CDeviceProfileUI::OpTabPage(name);
    if (page != 0) {
      SetFunctionPage(page);
      if (m_pProfileBar != nullptr) m_pProfileBar->SelectOpTab(page);
      return true;
    }
  }
  std::string prefix;
  int number = -1;
  if (msg.sType == "click" && SplitButtonName(name, prefix, number) && EqualsNoCase(prefix, "key_") &&
      KeyButtonAt(number) == msg.pSender) {
    SelectKey(number);
    return true;
  }
  return false;
}

bool CKeyboardPageUI::HandleSettings(TNotifyUI& msg, const std::string& name) {
  keyboard::CVantorKeyboardDevice* device = Keyboard();
  std::string prefix;
  int number = -1;
  const bool numbered = SplitButtonName(name, prefix, number);
  if (msg.sType == "selectchanged") {
    if (numbered && EqualsNoCase(prefix, "polling_rate_option_") && number <= 3) {
      SetPollingChoice(number);
      device->SetPollingRate(number);
      return true;
    }
    if (numbered && EqualsNoCase(prefix, "repeat_delay_check_") && number <= 3) {
      SetRepeatDelayChoice(number);
      device->SetRepeatDelay(number);
      return true;
    }
    if (EqualsNoCase(name, "winlockflag_option")) {
      device->SetWinLockFlag(GetWinLockFlag());
      return true;
    }
    if (EqualsNoCase(name, "wflag_option")) {
      device->SetWFlag(GetWFlag());
      return true;
    }
    if (EqualsNoCase(name, "6flag_option")) {
      device->SetKey6Flag(GetKey6Flag());
      return true;
    }
  }
  if (msg.sType == "valuechanged" && EqualsNoCase(name, "repeat_rate_slider")) {
    device->SetRepeat(GetRepeatRate());
    return true;
  }
  if (msg.sType == "click" && EqualsNoCase(name, "reset_repeat_btn")) {
    ResetRepeat();
    return true;
  }
  return false;
}

void CKeyboardPageUI::ShowMessage(const std::string& key, const std::string& text) {
  DebugOutputF("message %s", key.c_str());
  if (m_dialogs.messageBox) m_dialogs.messageBox(key, PageDialogs::kOk, text);
}

void CKeyboardPageUI::StartProfileSwitch() { m_switchTimer.start(kProfileSwitchDelayMs); }

bool CKeyboardPageUI::HandleProfileBar(TNotifyUI& msg, const std::string& name) {
  CDeviceProfileUI* bar = m_pProfileBar;
  if (bar == nullptr) return false;
  if (msg.sType == "itemselect" && EqualsNoCase(name, "device_profile_combo")) {
    StartProfileSwitch();
    return true;
  }
  if (msg.sType != "click") return false;
  if (EqualsNoCase(name, "device_add_btn")) {
    bar->AddProfile();
  } else if (EqualsNoCase(name, "device_sub_btn")) {
    bar->DeleteProfile();
  } else if (EqualsNoCase(name, "device_copy_btn")) {
    bar->CopyProfile();
  } else if (EqualsNoCase(name, "device_import_btn")) {
    if (bar->GetSelectedIndex() < 0 || !m_dialogs.fileDialog) return true;
    std::string path = m_dialogs.fileDialog(false, kProfileFilter);
    if (path.empty()) return true;
    Json::Value document = ReadJsonFile(path);
    if (document.isObject() && JsonHas(document, "profilename") && JsonHas(document, "profileUUID"))
      bar->ImportProfile(path);
  } else if (EqualsNoCase(name, "device_export_btn")) {
    if (bar->GetSelectedIndex() < 0 || !m_dialogs.fileDialog) return true;
    std::string path = m_dialogs.fileDialog(true, kProfileFilter);
    if (!path.empty()) bar->ExportProfile(path);
  } else if (EqualsNoCase(name, "device_reset_btn")) {
    if (m_dialogs.messageBox && m_dialogs.messageBox("message_text_22", PageDialogs::kOkCancel, {}) == 1)
      ResetStoredProfile();
  } else if (EqualsNoCase(name, "device_profile_edit_save_btn")) {
    std::string edited = bar->GetEditedName();
    if (edited.empty()) return true;
    int result = bar->RenameProfile(edited);
    if (result == kRenameTaken) ShowMessage("message_text_5");
    if (result == kRenameBlank) ShowMessage("message_text_25");
  } else if (EqualsNoCase(name, "profile_fun_spread_btn")) {
    bar->ShowProfileMenu(!bar->IsProfileMenuVisible());
  } else {
    return false;
  }
  return true;
}

// ---- profile switch ----

int CKeyboardPageUI::RunProfileSwitch() {
  m_switchTimer.stop();
  keyboard::CVantorKeyboardDevice* device = Keyboard();
  if (device == nullptr || m_pProfileBar == nullptr) return 0;
  ++m_nSwitches;
  int index = m_pProfileBar->GetSelectedIndex();
  m_pProfileBar->SelectProfile(index, false);
  device->m_strProfileName = m_pProfileBar->GetSelectedUUID();
  ReloadProfile();
  CheckMacroKeys();
  RefreshPanels();
  device->WriteSettingsRecord(nullptr, 0, 1, m_nScreenWidth, m_nScreenHeight);
  int macros = device->DownloadMacroNumbers(device->GetMacroNumbers());
  if (macros > 0) {
    ShowMessage("message_text_16", WithNumber(Translate("message_text_16"), macros));
    return macros;
  }
  if (macros < 0) {
    // Macro numbers in a key table are only valid with the image sent with
    // them: without the image the keys stay as the keyboard has them.
    ShowMessage("message_text_7");
    return macros;
  }
  device->WriteProfileKeyTable(0);
  return 0;
}

void CKeyboardPageUI::ResetStoredProfile() {
  keyboard::CVantorKeyboardDevice* device = Keyboard();
  if (device == nullptr || m_pProfileBar == nullptr || !m_pProfileBar->ResetSelectedProfile()) return;
  ReloadProfile();
  RefreshPanels();
  device->WriteSettingsRecord(nullptr, 0, 1, m_nScreenWidth, m_nScreenHeight);
  int macros = device->DownloadMacroNumbers(device->GetMacroNumbers());
  if (macros > 0) {
    ShowMessage("message_text_16", WithNumber(Translate("message_text_16"), macros));
    return;
  }
  if (macros < 0) {
    ShowMessage("message_text_7");
    return;
  }
  device->WriteProfileKeyTable(0);
}

}  // namespace tarn
