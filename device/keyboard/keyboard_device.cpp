#include "device/keyboard/keyboard_device.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "device/keyboard/keyboard_commands.h"
#include "device/keyboard/light_frame.h"
#include "keyset/macro_references.h"
#include "macro/macro_event.h"
#include "macro/macro_list.h"
#include "platform/debug_output.h"
#include "profile/data_folders.h"

namespace tarn::keyboard {
namespace {

constexpr unsigned kCategory = kCategoryKeyboard;

// Runs the commands of one configuration transaction and always closes it.
template <typename Body>
int InTransaction(CDeviceChannel& channel, Body body) {
  int result = CmdBegin(channel);
  if (result != kResultOk) {
    CmdEnd(channel);
    return result;
  }
  result = body();
  int end = CmdEnd(channel);
  return result != kResultOk ? result : end;
}

}  // namespace

CVantorKeyboardDevice::CVantorKeyboardDevice(IClock& clock, IRandom& random)
    : m_lightHost(m_profile, CProfileLightHost::Callbacks{
                                 [] { return -1; },  // the light panel reports its group later
                                 [](unsigned) {},
                                 [this](const light::LedSnapshot& leds, bool scaled) { SendCustomTable(leds, scaled); }}),
      m_engine(clock, random, &m_lightHost),
      m_lightWorker(
          m_engine, clock, [this] { return m_cmdChannel.IsOpen(); },
          [this] { return m_cmdChannel.m_bSyncLight != 0; }) {
  m_nCategory = kCategory;
  m_strFolder = DeviceFolderName(kCategory);
  m_strLightConfig = kLightConfigName;
  // The keyboard picture has a button and an LED for every identity row.
  SetKeyCount(kKeyIdentityRows);
  SetLedCount(kKeyIdentityRows);
  m_keyTable.assign(kMaxKeyTableBytes, 0);
  m_ledMapCache.assign(kMaxKeyTableBytes, 0);
  m_maps.keyPos.fill(kNoPosition);
  m_maps.keyLed.fill(kNoPosition);
  m_profile.SetDefaultProfilePath(GetDefaultProfilePath(m_strFolder));
  m_profile.SetDeviceIndex(0);
}

CVantorKeyboardDevice::~CVantorKeyboardDevice() { m_lightWorker.Stop(); }

void CVantorKeyboardDevice::StartLightThread() { m_lightWorker.Start(); }

void CVantorKeyboardDevice::StopLightThread() { m_lightWorker.Stop(); }

int CVantorKeyboardDevice::ApplyProfile() {
  ApplyProfileLighting(m_engine, m_profile);
  return 1;
}

void CVantorKeyboardDevice::SetLedColor(int index, uint32_t color) {
  if (index >= 0) m_engine.Leds().Set(static_cast<unsigned>(index), light::CLedColours::Unpack(color));
}

uint32_t CVantorKeyboardDevice::GetLedColor(int index) const {
  return index < 0 ? 0 : light::CLedColours::Pack(m_engine.Leds().Get(static_cast<unsigned>(index)));
}

void CVantorKeyboardDevice::OnAudioSpectrum(const int* values, int count) { m_engine.OnAudioSpectrum(values, count); }

void CVantorKeyboardDevice::OnAudioLevels(const int* values, int count) { m_engine.OnAudioLevels(values, count); }

void CVantorKeyboardDevice::SendCustomTable(const light::LedSnapshot& leds, bool scaled) {
  LightLayout layout = CurrentLightLayout();
  const uint8_t group = layout.light.customGroup;
  std::vector<uint8_t> table = BuildCustomLightTable(leds, layout.maps.keyLed, layout.keyCount, scaled);
  if (table.empty() || !IsOpen()) return;
  if (CmdWriteLightTable(m_cmdChannel, group, table.data(), table.size()) != kResultOk) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
}

// ---- connection ----

void CVantorKeyboardDevice::OnDeviceConnected() {
  ReadKeyLayout();
  ReloadProfile();
  ReadSettings();
  RefreshPanels();
  StartLightThread();
}

void CVantorKeyboardDevice::OnDeviceSyncRequest() {
  if (LastSyncCode() == kNotifyProfileChanged) ReloadProfile();
  ReadSettings();
  RefreshPanels();
}

int CVantorKeyboardDevice::ReadKeyLayout() {
  if (!IsOpen()) return kResultNoReply;
  std::lock_guard<std::recursive_mutex> command(m_cmdChannel.m_csCommand);
  InfoBlock info;
  bool infoRead = false;
  std::vector<uint8_t> table, leds;
  int result = InTransaction(m_cmdChannel, [&] {
    int r = CmdReadInfo(m_cmdChannel, info);
    if (r != kResultOk) return r;
    infoRead = true;
    // A key count the host cannot hold ends the read before any table.
    if (!info.KeyCountUsable() || !m_cmdChannel.SetDataSize(static_cast<uint16_t>(info.KeyCount() * 3))) {
      DebugOutputF("键盘按键数量无效：%u", info.KeyCount());
      return kResultNoReply;
    }
    size_t size = m_cmdChannel.DataSize();
    table.assign(size, 0);
    r = CmdReadKeyTable(m_cmdChannel, table.data(), size);
    if (r != kResultOk) return r;
    leds.assign(size / 3, 0);
    return CmdReadLedMap(m_cmdChannel, leds.data(), leds.size());
  });
  std::lock_guard<std::mutex> state(m_csState);
  if (infoRead) m_info = info;
  // The maps change only with a complete, consistent set of tables.
  if (result != kResultOk) return result;
  std::copy(table.begin(), table.end(), m_keyTable.begin());
  std::copy(leds.begin(), leds.end(), m_ledMapCache.begin());
  m_maps = BuildKeyMaps(table, leds, info.KeyCount());
  m_ledMap.assign(m_maps.keyLed.begin(), m_maps.keyLed.end());
  return kResultOk;
}

int CVantorKeyboardDevice::ReadSettings() {
  m_cmdChannel.m_bSyncLight = 0;
  if (!IsOpen()) return kResultNoReply;
  uint8_t active = 0;
  std::array<uint8_t, kSettingsBlockSize> block{};
  {
    std::lock_guard<std::recursive_mutex> command(m_cmdChannel.m_csCommand);
    int result = CmdReadData(m_cmdChannel, 0, &active, 1);
    if (result != kResultOk) return result < 0 ? result : -1;
    result = CmdReadData(m_cmdChannel, static_cast<uint16_t>(active * kSettingsBlockSize), block.data(), block.size());
    if (result != kResultOk) return result < 0 ? result : -1;
  }
  {
    std::lock_guard<std::mutex> state(m_csState);
    m_nActiveBlock = active;
    block[16] = 0;
    m_settings = block;
    DecodeSettingsBlock(block, m_modeCodes, m_light, m_stages);
  }
  // The engine resets its effects and runs the entry step when the mode moved.
  m_engine.SetLightState(CurrentLightState());
  StoreStagesAndLight();
  return active;
}

// ---- settings ----

int CVantorKeyboardDevice::WriteSettings() {
  std::array<uint8_t, kSettingsBlockSize> block;
  {
    std::lock_guard<std::mutex> state(m_csState);
    block = EncodeSettingsBlock(m_settings, 0, m_light, m_stages, m_modeCodes);
  }
  std::lock_guard<std::recursive_mutex> command(m_cmdChannel.m_csCommand);
  if (!IsOpen()) return kResultNoReply;
  return InTransaction(m_cmdChannel, [&] { return CmdWriteData(m_cmdChannel, 0, block.data(), block.size()); });
}

int CVantorKeyboardDevice::WriteSettingsRecord(const uint8_t*, int, int, int, int) { return WriteSettings(); }

void CVantorKeyboardDevice::StoreStagesAndLight() {
  LightState light;
  KeyboardStages stages;
  {
    std::lock_guard<std::mutex> state(m_csState);
    light = m_light;
    stages = m_stages;
  }
  m_profile.SetLightInfo(light);
  m_profile.SetKeyboardStages(stages.words[0], stages.words[1], stages.words[2]);
  m_profile.Save();
  m_lightState = light.Bytes();
}

void CVantorKeyboardDevice::SetLightState(uint32_t a, uint32_t b, uint32_t c, uint16_t d) {
  CVantorUSBDevice::SetLightState(a, b, c, d);
  SetKeyboardLightState(LightState::FromBytes(m_lightState.data()));
}

void CVantorKeyboardDevice::SetKeyboardLightState(const LightState& light) {
  {
    std::lock_guard<std::mutex> state(m_csState);
    m_light = light;
  }
  m_engine.SetLightState(light);
  StoreStagesAndLight();
}

void CVantorKeyboardDevice::SetStages(uint32_t a, uint32_t b, uint32_t c) {
  {
    std::lock_guard<std::mutex> state(m_csState);
    m_stages.words[0] = a;
    m_stages.words[1] = b;
    m_stages.words[2] = c;
  }
  m_profile.SetKeyboardStages(a, b, c);
}

int CVantorKeyboardDevice::SetPollingRate(int rate) {
  if (rate < 0 || rate > 3) rate = 0;
  {
    std::lock_guard<std::mutex> state(m_csState);
    m_stages.SetPollingRate(static_cast<uint16_t>(rate));
  }
  StoreStagesAndLight();
  return WriteSettings();
}

void CVantorKeyboardDevice::SetRepeat(int repeat) {
  {
    std::lock_guard<std::mutex> state(m_csState);
    m_stages.SetRepeat(static_cast<uint16_t>(std::clamp(repeat, 0, 0xFFFF)));
  }
  StoreStagesAndLight();
}

void CVantorKeyboardDevice::SetRepeatDelay(int delay) {
  if (delay < 0 || delay > 3) delay = 0;
  {
    std::lock_guard<std::mutex> state(m_csState);
    m_stages.SetRepeatDelay(static_cast<uint16_t>(delay));
  }
  StoreStagesAndLight();
}

int CVantorKeyboardDevice::SetWinLockFlag(bool on) {
  {
    std::lock_guard<std::mutex> state(m_csState);
    m_stages.SetWinFlag(on ? 1 : 0);
  }
  StoreStagesAndLight();
  return WriteSettings();
}

int CVantorKeyboardDevice::SetWFlag(bool on) {
  {
    std::lock_guard<std::mutex> state(m_csState);
    m_stages.SetWFlag(on ? 1 : 0);
  }
  StoreStagesAndLight();
  return WriteSettings();
}

int CVantorKeyboardDevice::SetKey6Flag(bool on) {
  {
    std::lock_guard<std::mutex> state(m_csState);
    m_stages.SetKey6Flag(on ? 1 : 0);
  }
  StoreStagesAndLight();
  return WriteSettings();
}

// ---- keys and macros ----

std::string CVantorKeyboardDevice::UserFolder() const { return GetDeviceUserFolder(m_strFolder); }

unsigned CVantorKeyboardDevice::MacroCount() const {
  CMacroList macros(UserFolder());
  macros.Load();
  return static_cast<unsigned>(macros.Count());
}

std::vector<uint8_t> CVantorKeyboardDevice::GetMacroNumbers() {
  KeyMaps maps;
  std::vector<uint8_t> cache;
  unsigned keyCount;
  {
    std::lock_guard<std::mutex> state(m_csState);
    maps = m_maps;
    cache = m_keyTable;
    keyCount = std::min(m_info.KeyCount(), kMaxKeyCount);
  }
  return BuildKeyTableWrite(cache, keyCount, maps, Keys(), MacroCount()).usedMacros;
}

int CVantorKeyboardDevice::WriteKeyTable(int page, const KeyList& keys) {
  if (!IsOpen()) return kResultNoReply;
  std::lock_guard<std::recursive_mutex> command(m_cmdChannel.m_csCommand);
  InfoBlock info;
  int result = CmdReadInfo(m_cmdChannel, info);
  if (result != kResultOk) return result;
  // The keyboard's answer is checked again: it could have changed.
  if (!info.KeyCountUsable() || info.KeyCount() * 3 > m_cmdChannel.m_nMaxDataSize) return kResultNoReply;
  KeyTableWrite write;
  {
    std::lock_guard<std::mutex> state(m_csState);
    m_info = info;
    write = BuildKeyTableWrite(m_keyTable, info.KeyCount(), m_maps, keys, MacroCount());
  }
  m_cmdChannel.SetDataSize(static_cast<uint16_t>(write.table.size()));
  return InTransaction(m_cmdChannel,
                       [&] { return CmdWriteKeyTable(m_cmdChannel, page, write.table.data(), write.table.size()); });
}

int CVantorKeyboardDevice::WriteProfileKeyTable(int page) { return WriteKeyTable(page, Keys()); }

int CVantorKeyboardDevice::DownloadMacroNumbers(const std::vector<uint8_t>& macros) {
  std::lock_guard<std::recursive_mutex> command(m_cmdChannel.m_csCommand);
  InfoBlock info;
  {
    std::lock_guard<std::mutex> state(m_csState);
    info = m_info;
  }
  if (IsOpen()) {
    int result = CmdReadInfo(m_cmdChannel, info);
    if (result != kResultOk) return result < 0 ? result : -1;
    std::lock_guard<std::mutex> state(m_csState);
    m_info = info;
  }
  if (macros.empty()) return 0;
  CMacroList list(UserFolder());
  list.Load();
  std::vector<std::vector<MacroEventBytes>> images;
  for (uint8_t number : macros) {
    std::vector<MacroEventBytes> events;
    // Only valid events come back: a bad row is left out, never sent as zeros.
    for (const Json::Value& event : list.ReadEvents(number).events) {
      auto bytes = EncodeMacroEvent(event);
      events.push_back({static_cast<uint16_t>(bytes[0] | bytes[1] << 8), static_cast<uint8_t>(bytes[2] & 0x7F),
                        (bytes[2] & 0x80) != 0, bytes[3]});
    }
    images.push_back(std::move(events));
  }
  size_t size = MacroImageSize(images);
  size_t memory = info.MacroMemoryBytes();
  if (size > memory) return static_cast<int>((size - memory) / 4 + 1);
  std::vector<uint8_t> image = BuildMacroImage(images);
  if (image.empty()) return -1;
  if (!IsOpen()) return 0;
  int result = InTransaction(m_cmdChannel, [&] { return CmdWriteMacros(m_cmdChannel, image.data(), image.size()); });
  return result == kResultOk ? 0 : (result < 0 ? result : -1);
}

int CVantorKeyboardDevice::DownloadProfile() {
  ReloadProfile();
  CheckMacroKeys();
  RefreshPanels();
  int result = WriteSettings();
  if (result != kResultOk && IsOpen()) return result < 0 ? result : -1;
  int macros = DownloadMacroNumbers(GetMacroNumbers());
  // Macro numbers in the key table are only valid with the image that went
  // with them: without the image, the keys are not written either.
  if (macros != 0) return macros;
  result = WriteProfileKeyTable(0);
  if (result != kResultOk && IsOpen()) return result < 0 ? result : -1;
  return 0;
}

int CVantorKeyboardDevice::ResetToDefaults() {
  ResetToDefaultProfile();
  int keys = WriteProfileKeyTable(0);
  int settings = WriteSettings();
  return keys != kResultOk ? keys : settings;
}

// ---- profile ----

void CVantorKeyboardDevice::SetProfilePaths() {
  std::string folder = UserFolder();
  m_profile.SetProfilePath(folder + m_strProfileName + ".Json");
  m_profile.SetLightConfigPath(folder + m_strLightConfig + ".config");
}

std::string CVantorKeyboardDevice::GetProfilePath() { return m_profile.GetProfilePath(); }

void CVantorKeyboardDevice::SaveProfile() { m_profile.Save(); }

int CVantorKeyboardDevice::ReloadProfile() {
  SetProfilePaths();
  m_profile.Load();
  KeyList keys = m_profile.GetKeyList();
  LightState light = m_profile.GetLightInfo();
  AudioLightState audio = m_profile.GetAudioLightInfo();
  StageWords words = m_profile.GetKeyboardStages();
  m_profile.LoadLightConfig(m_profile.GetLightConfigPath());
  m_profile.GetLightEffects();
  {
    std::lock_guard<std::mutex> state(m_csState);
    m_keyList = std::move(keys);
    m_light = light;
    m_audio = audio;
    for (int i = 0; i < 3; ++i) m_stages.words[i] = words[i];
  }
  ApplyProfile();
  return 1;
}

void CVantorKeyboardDevice::ResetToDefaultProfile() {
  std::string path = m_profile.GetProfilePath();
  // Read the default document in place of the user's, then store it as the
  // user's profile.
  CKeyboardProfiledata defaults;
  defaults.SetProfilePath(m_profile.GetDefaultProfilePath());
  defaults.SetDefaultProfilePath(m_profile.GetDefaultProfilePath());
  Json::Value section = defaults.Load();
  if (!section.isNull()) {
    m_profile.SaveSection(section, path.empty() ? GetProfilePath() : path);
  }
  ReloadProfile();
  m_profile.Save();
  RefreshPanels();
}

void CVantorKeyboardDevice::SetKeyList(const KeyList& keys) {
  {
    std::lock_guard<std::mutex> state(m_csState);
    m_keyList = keys;
  }
  m_profile.SetKeyList(keys);
  m_profile.Save();
}

void CVantorKeyboardDevice::SetKeyboardAudioLightState(const AudioLightState& audio) {
  {
    std::lock_guard<std::mutex> state(m_csState);
    m_audio = audio;
  }
  m_engine.SetAudioLightState(audio);
  m_profile.SetAudioLightInfo(audio);
  m_profile.Save();
}

AudioLightState CVantorKeyboardDevice::CurrentAudioLightState() const {
  std::lock_guard<std::mutex> state(m_csState);
  return m_audio;
}

void CVantorKeyboardDevice::RefreshPanels() {
  if (m_refreshPanels) m_refreshPanels();
}

void CVantorKeyboardDevice::CheckMacroKeys() {
  LoadDeviceFiles();
  KeyList keys = Keys();
  if (ResetKeysForMissingMacros(keys, m_names.macroNames.size())) SetKeyList(keys);
}

void CVantorKeyboardDevice::LoadDeviceFiles() {
  ::tarn::LoadDeviceFiles(kCategory, m_names);
  SetLightModeCodes(m_names.lightModeCodes);
}

void CVantorKeyboardDevice::SetLightModeCodes(const std::vector<int>& codes) {
  std::lock_guard<std::mutex> state(m_csState);
  m_modeCodes = codes;
}

// ---- status and lights ----

bool CVantorKeyboardDevice::IsLinkAlive() {
  if (!IsOpen() || !m_cmdChannel.IsReceiverMode()) return false;
  return CmdQueryReceiver(m_cmdChannel);
}

void CVantorKeyboardDevice::PollDeviceStatus() {
  if (!IsOpen() || m_bPollPaused) return;
  if (!CmdQueryReceiver(m_cmdChannel)) return;
  std::array<uint8_t, kPowerStatusSize> raw{};
  if (CmdReadPower(m_cmdChannel, raw) != kResultOk) return;
  auto status = HostPowerStatus(raw.data(), m_cmdChannel.IsReceiverMode());
  {
    std::lock_guard<std::mutex> state(m_csState);
    m_power = status;
  }
  if (m_pPage) m_pPage->ShowPowerStatus(status.data(), status.size());
}

CVantorKeyboardDevice::LightLayout CVantorKeyboardDevice::CurrentLightLayout() const {
  std::lock_guard<std::mutex> state(m_csState);
  return LightLayout{m_maps, std::min(m_info.KeyCount(), kMaxKeyCount), m_light};
}

std::vector<uint8_t> CVantorKeyboardDevice::CurrentLightFrame() const {
  LightLayout layout = CurrentLightLayout();
  return BuildLightFrame(m_engine.Leds().Snapshot(), layout.maps.keyLed, layout.keyCount);
}

void CVantorKeyboardDevice::RefreshLights() {
  // One snapshot serves the screen and the frame, so both show one moment.
  light::LedSnapshot leds = m_engine.Leds().Snapshot();
  if (m_bControlLight && m_pPage) {
    for (int i = 0; i < m_nLedCount && i < static_cast<int>(leds.size()); ++i) {
      if (!m_lightButtons[static_cast<size_t>(i)] || !m_pPage->IsLightButtonShown(i)) continue;
      const LightColor& c = leds[static_cast<size_t>(i)];
      m_pPage->PaintLightButton(i, uint32_t{c.red} << 16 | uint32_t{c.green} << 8 | c.blue, c.alpha);
    }
  }
  LightLayout layout = CurrentLightLayout();
  if (!IsOpen() || !SendsLightFrame(layout.light.selectItem, m_cmdChannel.IsReceiverMode())) return;
  std::vector<uint8_t> frame = BuildLightFrame(leds, layout.maps.keyLed, layout.keyCount);
  if (frame.empty()) return;
  if (CmdWriteLightFrame(m_cmdChannel, frame.data(), frame.size()) != kResultOk && !m_cmdChannel.IsBusy()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
}

void CVantorKeyboardDevice::OnNotification(uint16_t code) {
  auto block = DecodeBlockNotification(code);
  if (!block || !IsOpen()) return;
  {
    std::lock_guard<std::mutex> state(m_csState);
    m_nActiveBlock = block->activeBlock;
    if (block->byte17) m_settings[17] = *block->byte17;
  }
  if (m_pPage) m_pPage->RunOnUiThread([this] { RefreshPanels(); });
}

// ---- state ----

InfoBlock CVantorKeyboardDevice::Info() const {
  std::lock_guard<std::mutex> state(m_csState);
  return m_info;
}
KeyMaps CVantorKeyboardDevice::Maps() const {
  std::lock_guard<std::mutex> state(m_csState);
  return m_maps;
}
std::array<uint8_t, kSettingsBlockSize> CVantorKeyboardDevice::Settings() const {
  std::lock_guard<std::mutex> state(m_csState);
  return m_settings;
}
uint8_t CVantorKeyboardDevice::ActiveBlock() const {
  std::lock_guard<std::mutex> state(m_csState);
  return m_nActiveBlock;
}
LightState CVantorKeyboardDevice::CurrentLightState() const {
  std::lock_guard<std::mutex> state(m_csState);
  return m_light;
}
KeyboardStages CVantorKeyboardDevice::Stages() const {
  std::lock_guard<std::mutex> state(m_csState);
  return m_stages;
}
KeyList CVantorKeyboardDevice::Keys() const {
  std::lock_guard<std::mutex> state(m_csState);
  return m_keyList;
}
std::array<uint8_t, kPowerStatusSize> CVantorKeyboardDevice::PowerStatus() const {
  std::lock_guard<std::mutex> state(m_csState);
  return m_power;
}

}  // namespace tarn::keyboard
