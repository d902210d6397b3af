#include "device/vantor_usb_device.h"

#include "platform/debug_output.h"

namespace tarn {
namespace {

constexpr uint8_t kCmdHostLight = 0x1C;
constexpr int kLightThreadWaitMs = 1000;
constexpr int kNotifyThreadWaitMs = 500;
constexpr const char* kFunctionSwitch = "device_function_switch";
constexpr const char* kKeyFunctionSwitch = "device_key_function_switch";

}  // namespace

CVantorUSBDevice::CVantorUSBDevice() = default;

CVantorUSBDevice::~CVantorUSBDevice() {
  // A derived class stops the threads in its own destructor already, since
  // they call its operations; this is for the base alone.
  StopLightThread();
  CloseNotificationLink(false);
  CloseNotificationLink(true);
  CloseCommandLinks();
}

void CVantorUSBDevice::SetKeyCount(int count) {
  m_nKeyCount = count < 0 ? 0 : count;
  m_keyButtons.assign(static_cast<size_t>(m_nKeyCount), false);
}

void CVantorUSBDevice::SetLedCount(int count) {
  m_nLedCount = count < 0 ? 0 : count;
  m_lightButtons.assign(static_cast<size_t>(m_nLedCount), false);
  m_ledColors = std::make_unique<std::atomic<uint32_t>[]>(static_cast<size_t>(m_nLedCount));
  for (int i = 0; i < m_nLedCount; ++i) m_ledColors[static_cast<size_t>(i)] = 0;
}

// 1
void CVantorUSBDevice::InitDevice() {
  if (!m_pPage) return;
  m_keyButtons.assign(static_cast<size_t>(m_nKeyCount), false);
  m_lightButtons.assign(static_cast<size_t>(m_nLedCount), false);
  for (int index : m_pPage->KeyButtonIndices())
    if (index >= 0 && index < m_nKeyCount) m_keyButtons[static_cast<size_t>(index)] = true;
  for (int index : m_pPage->LightButtonIndices())
    if (index >= 0 && index < m_nLedCount) m_lightButtons[static_cast<size_t>(index)] = true;
  for (int i = 0; i < m_nLedCount; ++i)
    if (m_lightButtons[static_cast<size_t>(i)]) m_pPage->PaintLightButton(i, 0xFFFFFF, 255);
}

int CVantorUSBDevice::ApplyProfile() { return 0; }  // 2

// 3-8: the effect steps need the light tables; the device classes and the
// lighting engine supply them.
void CVantorUSBDevice::StepBreathing() {}
void CVantorUSBDevice::StepBreathingPalette() {}
void CVantorUSBDevice::StepStatic() {}
void CVantorUSBDevice::StepSpectrum() {}
void CVantorUSBDevice::StepBlink() {}
void CVantorUSBDevice::StepBlinkPalette() {}

// 9
void CVantorUSBDevice::StepLightsOff() {
  for (int i = 0; i < m_nLedCount; ++i) m_ledColors[static_cast<size_t>(i)] = 0;
}

// 10
void CVantorUSBDevice::RefreshLights() {
  if (!m_bControlLight || !m_pPage) return;
  for (int i = 0; i < m_nLedCount; ++i) {
    if (!m_lightButtons[static_cast<size_t>(i)] || !m_pPage->IsLightButtonShown(i)) continue;
    uint32_t entry = m_ledColors[static_cast<size_t>(i)];
    m_pPage->PaintLightButton(i, LedEntryRgb(entry), LedEntryBrightness(entry));
  }
}

// 11
void CVantorUSBDevice::SetLedColor(int index, uint32_t color) {
  if (index >= 0 && index < m_nLedCount) m_ledColors[static_cast<size_t>(index)] = color;
}

// 12
uint32_t CVantorUSBDevice::GetLedColor(int index) const {
  if (index < 0 || index >= m_nLedCount) return 0;
  return m_ledColors[static_cast<size_t>(index)];
}

void CVantorUSBDevice::OnDeviceConnected() {}                // 13
void CVantorUSBDevice::OnDeviceSyncRequest() {}              // 14
void CVantorUSBDevice::OnTimer1003() {}                      // 15: no timer starts it
void CVantorUSBDevice::OnTimer1004() {}                      // 16: no timer starts it
void CVantorUSBDevice::PollDeviceStatus() {}                 // 17
bool CVantorUSBDevice::IsLinkAlive() { return true; }        // 18
int CVantorUSBDevice::ReloadProfile() { return 0; }          // 19
void CVantorUSBDevice::RefreshPanels() {}                    // 20
void CVantorUSBDevice::CheckMacroKeys() {}                   // 21
void CVantorUSBDevice::ResetToDefaultProfile() {}            // 22
std::vector<std::string> CVantorUSBDevice::GetMacroList() { return {}; }  // 23
int CVantorUSBDevice::WriteKeyTable(const std::vector<KeyTriple>&) { return 0; }  // 24
int CVantorUSBDevice::WriteProfileKeyTable(int) { return 0; }                     // 25
int CVantorUSBDevice::DownloadMacros(const std::vector<std::string>&) { return 0; }  // 26
int CVantorUSBDevice::WriteSettingsRecord(const uint8_t*, int, int, int, int) { return 0; }  // 27
void CVantorUSBDevice::LoadDeviceFiles() {}                  // 28
void CVantorUSBDevice::SetLedMap(const std::vector<uint8_t>& map) { m_ledMap = map; }  // 29
// 30-33: reactive effect steps belong to the device classes' lighting.
void CVantorUSBDevice::FadeLed(int, int) {}
void CVantorUSBDevice::ApplyReactiveMask() {}
void CVantorUSBDevice::RotateRing(int) {}
void CVantorUSBDevice::ClearReactiveState() {}

// 34
void CVantorUSBDevice::SetFunctionPage(int page) {
  m_nFunctionPage = page;
  if (!m_pPage) return;
  const bool hasFunction = m_pPage->HasSwitch(kFunctionSwitch);
  const bool hasKeyFunction = m_pPage->HasSwitch(kKeyFunctionSwitch);
  auto function = [&](int p) {
    if (hasFunction) m_pPage->SelectSwitchPage(kFunctionSwitch, p);
  };
  auto keyFunction = [&](int p) {
    function(0);
    if (hasKeyFunction) m_pPage->SelectSwitchPage(kKeyFunctionSwitch, p);
  };
  switch (page) {
    case 2:
    case 6: keyFunction(1); break;
    case 3:
    case 8: function(1); break;
    case 4:
      if (m_nCategory == 1 || m_nCategory == 2)
        function(3);
      else
        keyFunction(2);
      break;
    case 7: keyFunction(2); break;
    case 5: function(2); break;
    default: keyFunction(0); break;
  }
}

int CVantorUSBDevice::GetFunctionPage() const { return m_nFunctionPage; }  // 35
void CVantorUSBDevice::SetProfilePaths() {}                                 // 36
std::string CVantorUSBDevice::GetProfilePath() { return {}; }               // 37
void CVantorUSBDevice::SaveProfile() {}                                     // 38
void CVantorUSBDevice::SetDeviceIndex(int index) { m_nDeviceIndex = index; }  // 39
int CVantorUSBDevice::GetDeviceIndex() const { return m_nDeviceIndex; }       // 40

// 41: four 32-bit words, the last one 16 bits.
void CVantorUSBDevice::SetLightState(uint32_t a, uint32_t b, uint32_t c, uint16_t d) {
  uint32_t words[3] = {a, b, c};
  for (int w = 0; w < 3; ++w)
    for (int k = 0; k < 4; ++k) m_lightState[static_cast<size_t>(w * 4 + k)] = static_cast<uint8_t>(words[w] >> (8 * k));
  m_lightState[12] = static_cast<uint8_t>(d);
  m_lightState[13] = static_cast<uint8_t>(d >> 8);
}

// 42
void CVantorUSBDevice::SetAudioLightState(int mode, uint32_t back, uint32_t fore) {
  m_audioLight = AudioLightSetting{mode, back, fore};
  if (m_pPage) m_pPage->ShowAudioLightSetting(m_audioLight);
}

// 43
AudioLightSetting CVantorUSBDevice::GetAudioLightState() {
  if (m_pPage) m_audioLight = m_pPage->ReadAudioLightSetting();
  return m_audioLight;
}

void CVantorUSBDevice::SelectKey(int index) { m_nSelectedKey = index; }  // 44
void CVantorUSBDevice::OnAudioSpectrum(const int*, int) {}               // 45
void CVantorUSBDevice::OnAudioLevels(const int*, int) {}                 // 46

void CVantorUSBDevice::OnNotification(uint16_t) {}
void CVantorUSBDevice::LightThreadStep() {}

void CVantorUSBDevice::SetControlLight(bool on) {
  m_bControlLight = on;
  // Told again on every switch-on: a keyboard that was replugged or woke
  // from suspend has forgotten it.
  if (on && m_nCategory == 1) {
    std::lock_guard<std::recursive_mutex> command(m_cmdChannel.m_csCommand);
    m_cmdChannel.Command(kCmdHostLight, nullptr, 0, 0);
  }
}

// ---- links ----

bool CVantorUSBDevice::OpenCommandLink(bool receiver, const std::string& path) {
  std::lock_guard<std::recursive_mutex> io(m_cmdChannel.m_csIo);
  if (!m_cmdChannel.OpenLink(receiver, path)) return false;
  m_cmdChannel.SetLinkMode(receiver ? 2 : 1);
  m_cmdChannel.m_bOpen = 1;
  return true;
}

void CVantorUSBDevice::CloseCommandLinks() { m_cmdChannel.CloseLinks(); }

bool CVantorUSBDevice::IsNotificationLinkOpen(bool receiver) const {
  return (receiver ? m_notifyChannel.m_bReceiverMode : m_notifyChannel.m_bOpen) != 0;
}

bool CVantorUSBDevice::OpenNotificationLink(bool receiver, const std::string& path) {
  CloseNotificationLink(receiver);
  CHidDevice& link = receiver ? m_notifyChannel.m_hidReceiver : m_notifyChannel.m_hidWired;
  {
    std::lock_guard<std::recursive_mutex> guard(receiver ? m_notifyChannel.m_csNotify : m_notifyChannel.m_csIo);
    if (!link.OpenHidDevice(path, true, true, true, false)) return false;
    (receiver ? m_notifyChannel.m_bReceiverMode : m_notifyChannel.m_bOpen) = 1;
  }
  CWorkerThread& thread = receiver ? m_notifyThreadReceiver : m_notifyThreadCable;
  thread.Start([this, receiver](const CStopEvent& stop) { NotificationLoop(receiver, stop); },
               kNotifyThreadWaitMs);
  return true;
}

void CVantorUSBDevice::CloseNotificationLink(bool receiver) {
  CHidDevice& link = receiver ? m_notifyChannel.m_hidReceiver : m_notifyChannel.m_hidWired;
  {
    std::lock_guard<std::recursive_mutex> guard(receiver ? m_notifyChannel.m_csNotify : m_notifyChannel.m_csIo);
    (receiver ? m_notifyChannel.m_bReceiverMode : m_notifyChannel.m_bOpen) = 0;
    link.CloseHidDevice();  // wakes the thread's read
  }
  (receiver ? m_notifyThreadReceiver : m_notifyThreadCable).Stop(kNotifyThreadWaitMs);
}

void CVantorUSBDevice::NotificationLoop(bool receiver, const CStopEvent& stop) {
  CHidDevice& link = receiver ? m_notifyChannel.m_hidReceiver : m_notifyChannel.m_hidWired;
  std::vector<uint8_t> report;
  while (!stop.Wait(1)) {
    if (!IsNotificationLinkOpen(receiver)) continue;
    report.assign(std::max<size_t>(link.Caps().InputReportByteLength, 1), 0);
    uint32_t got = 0;
    if (!link.ReadReport(report.data(), static_cast<uint32_t>(report.size()), got, INFINITE)) continue;
    if (!link.UnpackInputReport(report.data(), got)) continue;
    const uint16_t code = link.FirstInputUsage();
    DebugOutput("接收到自动添加设备的同步信息要求  TEST");
    if (code == kNotifySyncRequest || code == kNotifySyncRequest2) {
      DebugOutput("接收到自动添加设备的同步信息要求");
      m_nLastSyncCode = code;
      if (m_pPage) m_pPage->StartEntryTimer(kTimerSyncRequest, 50);
    } else if (code > kNotifySyncRequest2) {
      OnNotification(code);
    }
  }
  DebugOutput(m_nCategory == 3 || m_nCategory == 7 ? "MS设备同步线程设定退出" : "MS 设备同步线程设定退出");
}

// ---- light thread ----

void CVantorUSBDevice::StartLightThread() {
  m_lightThread.Start([this](const CStopEvent& stop) { LightLoop(stop); }, kLightThreadWaitMs);
}

void CVantorUSBDevice::StopLightThread() { m_lightThread.Stop(kLightThreadWaitMs); }

void CVantorUSBDevice::LightLoop(const CStopEvent& stop) {
  while (!stop.Wait(1)) {
    if (!m_cmdChannel.IsOpen()) {
      // The pause ends early when the thread is told to stop.
      if (stop.Wait(100)) break;
      continue;
    }
    if (m_cmdChannel.m_bSyncLight) continue;
    LightThreadStep();
  }
  DebugOutput(m_nCategory == 1 ? "KB灯光线程设定退出" : "MS灯光线程设定退出");
}

}  // namespace tarn
