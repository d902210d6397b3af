#include "app/pages/device_option_ui.h"

#include "app/pages/device_page_ui.h"
#include "device/vantor_usb_device.h"
#include "ui/basic_controls.h"
#include "ui/window.h"

namespace tarn {
namespace {

constexpr uint32_t kMsgLinkState = 0xD03;
constexpr int kConnectDelayMs = 500;
constexpr int kLinkRetryMs = 3000;
constexpr int kCableLightMs = 5;
constexpr int kReceiverLightMs = 500;
constexpr int kFirstStatusMs = 50;
constexpr int kStatusMs = 5000;
constexpr int kFirstReceiverWatchMs = 2000;
constexpr int kReceiverWatchMs = 3000;

DeviceOptionImages Images(const char* stem, const char* tooltip) {
  std::string base = std::string("common/device_ico/") + stem;
  return {base + "_normal.png", base + "_selected.png", base + "_synchro_normal.png", base + "_synchro_selected.png",
          tooltip};
}

}  // namespace

DeviceOptionImages DeviceOptionImagesFor(int deviceType, int role) {
  switch (deviceType) {
    case 1: return Images("kb_device", "kb_device_name_text");
    case 2: return Images("ms_device", "ms_device_name_text");
    case 3:
      if (role == 1) return Images("soft_mp_device", "soft_mp_device_name_text");
      return Images("hard_mp_device", "hard_mp_device_name_text");
    case 4:
    case 7: return Images("hd_device", "hd_device_name_text");
    case 5: return Images("hub_device", "hub_device_name_text");
    default: return Images("unknow_device", "unknow_device_name_text");
  }
}

CDeviceOptionUI::CDeviceOptionUI() : m_images(DeviceOptionImagesFor(0, 0)) {}

CDeviceOptionUI::~CDeviceOptionUI() { StopAllEntryTimers(); }

COptionUI* CDeviceOptionUI::SelectOption() {
  if (!m_pSelect) m_pSelect = dynamic_cast<COptionUI*>(FindSubControl("device_select"));
  return m_pSelect;
}
COptionUI* CDeviceOptionUI::SynchroOption() {
  if (!m_pSynchro) m_pSynchro = dynamic_cast<COptionUI*>(FindSubControl("synchro_device_select"));
  return m_pSynchro;
}
CLabelUI* CDeviceOptionUI::NameLabel() {
  if (!m_pName) m_pName = dynamic_cast<CLabelUI*>(FindSubControl("device_select_name"));
  return m_pName;
}

void CDeviceOptionUI::SetDeviceType(int type, int role) {
  // A pad of another role than the two known ones keeps what it had.
  if (type == 3 && role != 0 && role != 1) return;
  m_nDeviceType = type;
  m_nRole = role;
  m_images = DeviceOptionImagesFor(type, role);
  ApplyImages(SynchroOption() && SynchroOption()->IsSelected());
  if (COptionUI* option = SelectOption()) option->SetToolTip(m_images.tooltip);
}

void CDeviceOptionUI::ApplyImages(bool synchro) {
  COptionUI* option = SelectOption();
  if (!option) return;
  const std::string& normal = synchro ? m_images.synchroNormal : m_images.normal;
  const std::string& selected = synchro ? m_images.synchroSelected : m_images.selected;
  option->SetAttribute("normalimage", normal);
  option->SetAttribute("selectedimage", selected);
  option->SetAttribute("disabledimage", normal);
}

bool CDeviceOptionUI::IsSelected() {
  COptionUI* option = SelectOption();
  return option && option->IsSelected();
}

void CDeviceOptionUI::Select(bool on) {
  if (COptionUI* option = SelectOption()) option->Selected(on);
}

bool CDeviceOptionUI::IsSynchroSelected() {
  COptionUI* option = SynchroOption();
  return option && option->IsSelected();
}

void CDeviceOptionUI::SetSynchroSelected(bool on) {
  if (COptionUI* option = SynchroOption()) option->Selected(on);
  ApplyImages(on);
}

void CDeviceOptionUI::ShowSynchro(bool on) {
  if (COptionUI* option = SynchroOption()) option->SetVisible(on);
  ApplyImages(IsSynchroSelected());
}

void CDeviceOptionUI::BindPage(const std::string& tabName, int index) {
  m_strBoundTab = tabName;
  m_nBoundPage = index;
}

void CDeviceOptionUI::SetPowerTarget(const std::string& name, int index) {
  m_strPowerTarget = name;
  if (index >= 0) m_nPowerPage = index;
}

void CDeviceOptionUI::SetGroup(const std::string& name) {
  if (COptionUI* option = SelectOption()) option->SetGroup(name);
}

void CDeviceOptionUI::SetDisplayName(const std::string& text) {
  if (CLabelUI* label = NameLabel()) label->SetText(text);
}

void CDeviceOptionUI::SetDevice(CVantorUSBDevice* device, CDevicePageUI* page) {
  m_pDevice = device;
  m_pPage = page;
  if (page) page->SetOption(this);
}

void CDeviceOptionUI::SetVisible(bool visible) {
  m_bShown = visible;
  CHorizontalLayoutUI::SetVisible(visible);
}

void CDeviceOptionUI::StartConnect() { StartEntryTimer(kTimerConnected, kConnectDelayMs); }

void CDeviceOptionUI::StartReceiverWatch(int ms) {
  if (m_pDevice && m_pDevice->m_cmdChannel.IsOpen()) StartEntryTimer(kTimerReceiverLink, ms);
}

void CDeviceOptionUI::StartEntryTimer(int id, int ms) {
  QTimer*& timer = m_entryTimers[id];
  if (!timer) {
    timer = new QTimer(this);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, this, [this, id]() { OnEntryTimer(id); });
  }
  const bool cable = !m_pDevice || !m_pDevice->m_cmdChannel.IsReceiverMode();
  timer->setTimerType(id == kTimerRefreshLights && cable ? Qt::PreciseTimer : Qt::CoarseTimer);
  timer->start(ms);
}

void CDeviceOptionUI::StopEntryTimer(int id) {
  auto it = m_entryTimers.find(id);
  if (it != m_entryTimers.end()) it->second->stop();
}

void CDeviceOptionUI::StopAllEntryTimers() {
  for (auto& [id, timer] : m_entryTimers) timer->stop();
}

bool CDeviceOptionUI::IsEntryTimerActive(int id) const {
  auto it = m_entryTimers.find(id);
  return it != m_entryTimers.end() && it->second->isActive();
}

void CDeviceOptionUI::OnEntryTimer(int id) {
  StopEntryTimer(id);
  CVantorUSBDevice* device = m_pDevice;
  if (!device) return;
  CDeviceChannel& channel = device->m_cmdChannel;
  auto report = [&](bool alive) {
    if (m_pPage) m_pPage->PostToMainWindow(kMsgLinkState, static_cast<uintptr_t>(device->m_nKind), alive ? 1 : 0);
  };
  switch (id) {
    case kTimerConnected: {
      if (channel.IsReceiverMode() && channel.IsOpen()) {
        if (!device->IsLinkAlive()) {
          if (m_bShown) report(false);
          StartEntryTimer(kTimerConnected, kLinkRetryMs);
          return;
        }
        report(true);
      }
      device->OnDeviceConnected();
      if (m_pPage) m_pPage->OnDeviceConnectedUi();
      StartEntryTimer(kTimerRefreshLights, kCableLightMs);
      if (device->m_bSyncEnabled && channel.IsOpen()) StartEntryTimer(kTimerPollStatus, kFirstStatusMs);
      if (channel.IsReceiverMode() && channel.IsOpen()) StartEntryTimer(kTimerReceiverLink, kFirstReceiverWatchMs);
      break;
    }
    case kTimerRefreshLights: {
      device->RefreshLights();
      CWindowUI* window = GetWindow();
      if (m_pPage && IsSelected() && window && window->isActiveWindow()) m_pPage->update();
      if (channel.IsOpen())
        StartEntryTimer(kTimerRefreshLights, channel.IsReceiverMode() ? kReceiverLightMs : kCableLightMs);
      break;
    }
    case kTimerSyncRequest: device->OnDeviceSyncRequest(); break;
    case kTimerPollStatus:
      device->PollDeviceStatus();
      if (device->m_bSyncEnabled) StartEntryTimer(kTimerPollStatus, kStatusMs);
      break;
    case kTimerReceiverLink: {
      if (!channel.IsReceiverMode() || !channel.IsOpen()) break;
      const bool alive = device->IsLinkAlive();
      if (alive && !m_bShown) {
        report(true);
        if (device->m_bSyncEnabled) device->PollDeviceStatus();
      } else if (!alive && m_bShown) {
        report(false);
      }
      if (channel.IsReceiverMode() && channel.IsOpen()) StartEntryTimer(kTimerReceiverLink, kReceiverWatchMs);
      break;
    }
    default: break;
  }
}

}  // namespace tarn
