#include "app/pages/device_page_ui.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <mutex>

#include "app/pages/device_option_ui.h"
#include "app/pages/mp_device_power_ui.h"
#include "ui/dialog_builder.h"
#include "ui/ui_string.h"
#include "ui/window.h"

namespace tarn {
namespace {

bool OnUiThread() {
  QCoreApplication* app = QCoreApplication::instance();
  return !app || QThread::currentThread() == app->thread();
}

void CollectDescendants(CControlUI* control, std::vector<CControlUI*>& out) {
  auto* container = dynamic_cast<CContainerUI*>(control);
  if (!container) return;
  for (int i = 0; i < container->GetCount(); ++i) {
    CControlUI* child = container->GetItemAt(i);
    out.push_back(child);
    CollectDescendants(child, out);
  }
}

}  // namespace

CDevicePageUI::CDevicePageUI() = default;

CDevicePageUI::~CDevicePageUI() {
  *m_alive = false;
  // The device's threads may still ask their host; they end before it goes.
  if (m_device) {
    m_device->StopLightThread();
    m_device->CloseNotificationLink(false);
    m_device->CloseNotificationLink(true);
    m_device->CloseCommandLinks();
    m_device->SetPageHost(nullptr);
  }
}

void CDevicePageUI::SetDevice(std::unique_ptr<CVantorUSBDevice> device) {
  m_device = std::move(device);
  if (m_device) m_device->SetPageHost(this);
}

void CDevicePageUI::InitPage() {
  BuildPage();
  m_bButtonsCollected = false;
  if (m_device) m_device->InitDevice();
}

void CDevicePageUI::CollectButtons() {
  if (m_bButtonsCollected) return;
  m_bButtonsCollected = true;
  m_keyButtonMap.clear();
  m_lightButtonMap.clear();
  // The picture's panel: a control of the select panel class, else one named so.
  std::vector<CControlUI*> all;
  CollectDescendants(this, all);
  m_pSelectPanel = nullptr;
  for (CControlUI* control : all)
    if (control->GetClass() == "SelectPanel") {
      m_pSelectPanel = control;
      break;
    }
  if (!m_pSelectPanel) m_pSelectPanel = FindSubControl("SelectPanel");
  if (!m_pSelectPanel) return;
  std::vector<CControlUI*> children;
  CollectDescendants(m_pSelectPanel, children);
  // Key buttons are of the key button class; a picture without any (a plain
  // layout) names ordinary buttons instead.
  bool anyKeyButton = false;
  for (CControlUI* child : children) anyKeyButton = anyKeyButton || child->GetClass() == "DeviceKeyButton";
  for (CControlUI* child : children) {
    if (anyKeyButton && child->GetClass() != "DeviceKeyButton") continue;
    std::string prefix;
    int number = 0;
    if (!SplitNameNumber(child->GetName(), prefix, number)) continue;
    prefix = MakeLower(prefix);
    if (prefix == "key_")
      m_keyButtonMap.emplace(number, child);
    else if (prefix == "light_")
      m_lightButtonMap.emplace(number, child);
  }
}

std::vector<int> CDevicePageUI::KeyButtonIndices() {
  CollectButtons();
  std::vector<int> out;
  for (auto& [index, button] : m_keyButtonMap) out.push_back(index);
  return out;
}

std::vector<int> CDevicePageUI::LightButtonIndices() {
  CollectButtons();
  std::vector<int> out;
  for (auto& [index, button] : m_lightButtonMap) out.push_back(index);
  return out;
}

CControlUI* CDevicePageUI::KeyButton(int index) {
  CollectButtons();
  auto it = m_keyButtonMap.find(index);
  return it == m_keyButtonMap.end() ? nullptr : it->second;
}

CControlUI* CDevicePageUI::LightButton(int index) {
  CollectButtons();
  auto it = m_lightButtonMap.find(index);
  return it == m_lightButtonMap.end() ? nullptr : it->second;
}

bool CDevicePageUI::IsLightButtonShown(int index) {
  CControlUI* button = LightButton(index);
  return button && !button->GetWidget()->isHidden();
}

void CDevicePageUI::PaintLightButton(int index, uint32_t rgb, uint8_t brightness) {
  CControlUI* button = LightButton(index);
  if (!button) return;
  auto& painted = m_painted[index];
  if (painted.first == (rgb & 0xFFFFFF) && painted.second == brightness && button->GetBkColor() != 0) return;
  painted = {rgb & 0xFFFFFF, brightness};
  // The brightness shows as the colour's opacity; 0 keeps a faint outline visible.
  button->SetBkColor(uint32_t{brightness == 0 ? uint8_t{1} : brightness} << 24 | (rgb & 0xFFFFFF));
}

uint32_t CDevicePageUI::PaintedColor(int index) const {
  auto it = m_painted.find(index);
  return it == m_painted.end() ? 0 : it->second.first;
}

uint8_t CDevicePageUI::PaintedBrightness(int index) const {
  auto it = m_painted.find(index);
  return it == m_painted.end() ? 0 : it->second.second;
}

bool CDevicePageUI::HasSwitch(const std::string& name) {
  std::string key = MakeLower(name);
  auto it = m_switches.find(key);
  if (it == m_switches.end())
    it = m_switches.emplace(key, dynamic_cast<CTabLayoutUI*>(FindSubControl(name))).first;
  return it->second != nullptr;
}

void CDevicePageUI::SelectSwitchPage(const std::string& name, int page) {
  if (!HasSwitch(name)) return;
  if (auto* tab = dynamic_cast<CTabLayoutUI*>(m_switches[MakeLower(name)])) tab->SelectItem(page);
}

void CDevicePageUI::ShowAudioLightSetting(const AudioLightSetting&) {}

AudioLightSetting CDevicePageUI::ReadAudioLightSetting() {
  return m_device ? m_device->m_audioLight : AudioLightSetting{};
}

void CDevicePageUI::StartEntryTimer(int timerId, int intervalMs) {
  if (OnUiThread()) {
    if (m_pOption) m_pOption->StartEntryTimer(timerId, intervalMs);
    return;
  }
  QMetaObject::invokeMethod(
      this,
      [this, timerId, intervalMs]() {
        if (m_pOption) m_pOption->StartEntryTimer(timerId, intervalMs);
      },
      Qt::QueuedConnection);
}

void CDevicePageUI::PostToMainWindow(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  QMetaObject::invokeMethod(
      this,
      [this, message, wParam, lParam]() {
        if (m_messageSink) m_messageSink(message, static_cast<int64_t>(wParam), static_cast<int64_t>(lParam));
      },
      Qt::QueuedConnection);
}

void CDevicePageUI::ShowPowerStatus(const uint8_t* status, size_t length) {
  std::vector<uint8_t> copy(status, status + length);
  RunOnUiThread([this, copy]() {
    if (m_pPower) m_pPower->SetPowerStatus(copy.data(), copy.size());
  });
}

void CDevicePageUI::RunOnUiThread(std::function<void()> work) {
  if (OnUiThread()) {
    work();
    return;
  }
  QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
}

// ---- factories ----

namespace {
std::mutex& FactoryMutex() {
  static std::mutex mutex;
  return mutex;
}
std::map<int, DevicePageFactory>& Factories() {
  static std::map<int, DevicePageFactory> factories;
  return factories;
}
}  // namespace

void RegisterDevicePageFactory(int pageRow, DevicePageFactory factory) {
  std::lock_guard<std::mutex> lock(FactoryMutex());
  Factories()[pageRow] = std::move(factory);
}

const DevicePageFactory* FindDevicePageFactory(int pageRow) {
  std::lock_guard<std::mutex> lock(FactoryMutex());
  auto it = Factories().find(pageRow);
  return it == Factories().end() ? nullptr : &it->second;
}

const DevicePageFactory* FindDevicePageFactoryByClass(const std::string& className) {
  std::lock_guard<std::mutex> lock(FactoryMutex());
  for (auto& [row, factory] : Factories())
    if (EqualsNoCase(factory.className, className)) return &factory;
  return nullptr;
}

}  // namespace tarn
