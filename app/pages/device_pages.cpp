#include "app/pages/device_pages.h"

#include <poll.h>
#include <unistd.h>

#include <QMetaObject>
#include <QObject>
#include <QPointer>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <thread>

#include "app/pages/device_discovery.h"
#include "app/pages/device_option_ui.h"
#include "app/pages/device_page_ui.h"
#include "app/pages/device_tables.h"
#include "app/pages/known_device_list.h"
#include "app/pages/mp_device_power_ui.h"
#include "app/pages/register_controls.h"
#include "device/device_frame.h"
#include "device/hid_path.h"
#include "platform/debug_output.h"
#include "ui/basic_controls.h"
#include "ui/container.h"
#include "ui/ui_string.h"

namespace tarn {
namespace {

constexpr uint8_t kCmdBegin = 0x01;
constexpr uint8_t kCmdEnd = 0x02;
constexpr uint8_t kCmdQueryReceiver = 0xAA;
constexpr int kReceiverQueryTries = 26;
constexpr int kReceiverQueryGapMs = 50;
constexpr int kFirstReceiverWatchMs = 2000;

const char* AddLine(uint16_t type) {
  switch (type) {
    case kTypeKeyboardCable:
    case kTypeKeyboardReceiver: return "添加一个键盘设备";
    case kTypeMouseCable:
    case kTypeMouseReceiver: return "添加一个鼠标设备";
    case kTypeMousePad: return "添加一个鼠标垫设备";
    default: return nullptr;
  }
}
const char* LostLine(uint16_t type) {
  switch (type) {
    case kTypeKeyboardCable:
    case kTypeKeyboardReceiver: return "删除一个键盘设备";
    case kTypeMouseCable:
    case kTypeMouseReceiver: return "删除一个鼠标设备";
    case kTypeMousePad: return "删除一个鼠标垫设备";
    default: return nullptr;
  }
}

struct HandOverState {
  std::mutex mutex;
  bool cancelled = false;
  bool deferred = false;
  CStopEvent done;
};

}  // namespace

struct CDevicePages::Impl : public IDiscoveryHost {
  struct PageRecord {
    QPointer<CMpDevicePowerUI> power;
    QPointer<CDeviceOptionUI> entry;
    QPointer<CDevicePageUI> page;
    int pageRow = -1;
  };

  Impl(CDevicePages& owner, CWindowUI& window) : self(owner), wnd(window) {}

  CDevicePages& self;
  CWindowUI& wnd;
  CKnownDeviceList list;
  std::unique_ptr<CDeviceDiscovery> discovery;
  std::vector<PageRecord> records;
  std::unique_ptr<QObject> context = std::make_unique<QObject>();
  std::function<void()> activate;
  std::function<void()> beforeCurrentLost;
  std::function<void(bool)> syncPossible;
  std::atomic<bool> held{false};
  bool permissionHint = false;
  int selectedIndex = -1;
  int selectedType = 0;
  int selectedRole = 0;

  CTabLayoutUI* PowerSwitch() const { return dynamic_cast<CTabLayoutUI*>(wnd.FindControl("device_power_switch")); }
  CTabLayoutUI* DeviceSwitch() const { return dynamic_cast<CTabLayoutUI*>(wnd.FindControl("device_switch")); }
  CContainerUI* SelectLayout() const { return dynamic_cast<CContainerUI*>(wnd.FindControl("device_select_layout")); }

  // ---- discovery host ----
  HandOverResult HandOver(uint32_t message, int row, const CStopEvent& stop) override {
    auto state = std::make_shared<HandOverState>();
    QMetaObject::invokeMethod(
        context.get(),
        [this, state, message, row]() {
          std::lock_guard<std::mutex> lock(state->mutex);
          if (state->cancelled) return;
          if (held)
            state->deferred = true;
          else
            self.HandleMessage(message, row, 0);
          state->done.Set();
        },
        Qt::QueuedConnection);
    pollfd fds[2] = {{state->done.Fd(), POLLIN, 0}, {stop.Fd(), POLLIN, 0}};
    while (!state->done.IsSet() && !stop.IsSet()) {
      if (::poll(fds, 2, -1) < 0 && errno != EINTR) break;
    }
    std::lock_guard<std::mutex> lock(state->mutex);
    if (state->done.IsSet()) return state->deferred ? HandOverResult::Deferred : HandOverResult::Handled;
    state->cancelled = true;
    return HandOverResult::Stopped;
  }

  void PostActivation() override {
    QMetaObject::invokeMethod(
        context.get(),
        [this]() {
          UpdateNoDevice();
          if (activate) activate();
        },
        Qt::QueuedConnection);
  }

  // ---- lookups ----
  int EntryIndexOf(const PageRecord& record) const {
    CContainerUI* layout = SelectLayout();
    return layout && record.entry ? layout->GetItemIndex(record.entry) : -1;
  }
  PageRecord* RecordOfDevice(const DeviceIdentity& identity) {
    for (PageRecord& r : records)
      if (r.page && r.page->GetDevice() && r.page->GetDevice()->m_identity == identity) return &r;
    return nullptr;
  }
  PageRecord* RecordOfPageRow(int pageRow) {
    for (PageRecord& r : records)
      if (r.pageRow == pageRow) return &r;
    return nullptr;
  }
  std::vector<DeviceIdentity> PageIdentities() const {
    std::vector<DeviceIdentity> out;
    for (const PageRecord& r : records)
      if (r.entry && r.page && r.page->GetDevice()) out.push_back(r.page->GetDevice()->m_identity);
    return out;
  }

  void UpdateNoDevice() {
    int index = -1, count = 0;
    const bool any = self.FirstVisibleEntry(index, count);
    if (CControlUI* none = wnd.FindControl("No_device_Link")) none->SetVisible(!any);
    CControlUI* hint = wnd.FindControl("device_permission_hint");
    if (!hint && permissionHint) {
      if (auto* area = dynamic_cast<CContainerUI*>(wnd.FindControl("No_device_Link"))) {
        auto* text = new CTextUI();
        text->SetName("device_permission_hint");
        text->SetText("device_permission_hint");
        area->Add(text);
        hint = text;
      }
    }
    if (hint) hint->SetVisible(permissionHint && !any);
  }

  // ---- page building ----
  PageRecord* BuildPage(int knownRow) {
    if (!list.IsValidRow(knownRow)) return nullptr;
    const DeviceIdentity& k = list.Row(static_cast<size_t>(knownRow));
    const int p = FindPageRow(k.VendorId, k.ProductId, k.DeviceType, kRoleCommand);
    if (p < 0) return nullptr;
    if (PageRecord* existing = RecordOfPageRow(p)) return existing;
    CTabLayoutUI* powerSwitch = PowerSwitch();
    CTabLayoutUI* deviceSwitch = DeviceSwitch();
    CContainerUI* selectLayout = SelectLayout();
    if (!powerSwitch || !deviceSwitch || !selectLayout) return nullptr;
    const DevicePageRow& pageRow = DevicePageTable()[static_cast<size_t>(p)];
    const DeviceLayoutRow& layoutRow = DeviceLayoutTable()[static_cast<size_t>(p)];
    const DevicePageFactory* factory = FindDevicePageFactory(p);
    if (!factory) return nullptr;

    CControlUI* powerControl = CDialogBuilder().Create(kPowerLayout, &self, &wnd);
    CControlUI* pageControl = CDialogBuilder().Create(layoutRow.deviceLayout, &self, &wnd);
    CControlUI* entryControl = CDialogBuilder().Create(pageRow.selectorLayout, &self, &wnd);
    auto* power = dynamic_cast<CMpDevicePowerUI*>(powerControl);
    auto* page = dynamic_cast<CDevicePageUI*>(pageControl);
    auto* entry = dynamic_cast<CDeviceOptionUI*>(entryControl);
    if (!power || !page || !entry) {
      DebugOutputF("设备页面创建失败: %s", layoutRow.deviceLayout);
      for (CControlUI* c : {powerControl, pageControl, entryControl})
        if (c) delete c->GetWidget();
      return nullptr;
    }
    powerSwitch->Add(power);
    power->SetKind(pageRow.deviceType, pageRow.role);

    page->SetDevice(factory->createDevice ? factory->createDevice() : std::make_unique<CVantorUSBDevice>());
    CVantorUSBDevice* device = page->GetDevice();
    page->SetMainWindow(&wnd);
    page->SetMessageSink([this](uint32_t m, int64_t w, int64_t l) { self.HandleMessage(m, w, l); });
    device->m_strLayoutFile = layoutRow.deviceLayout;
    device->SetKeyCount(layoutRow.keyCount);
    device->SetLedCount(layoutRow.ledCount);
    device->m_nKind = p;
    device->m_bSyncEnabled = layoutRow.syncEnabled;
    device->m_strProfileName.clear();
    device->m_strFolder = pageRow.folderName;
    device->m_nCategory = CategoryOfType(pageRow.deviceType);
    page->SetPower(power);
    device->m_identity = k;
    device->m_identity.Connected = 0;
    device->m_identity.Path.clear();
    device->SetDeviceIndex(pageRow.deviceIndex);
    device->m_strLightConfig = layoutRow.lightConfig;
    deviceSwitch->Add(page);
    page->InitPage();

    selectLayout->Add(entry);
    entry->SetVisible(false);
    entry->BindPage("device_switch", deviceSwitch->GetItemIndex(page));
    entry->SetPowerTarget(pageRow.powerSwitch, powerSwitch->GetItemIndex(power));
    entry->SetGroup(pageRow.tabHeader);
    entry->SetDeviceType(pageRow.deviceType, pageRow.role);
    entry->SetDisplayName(pageRow.folderName);
    entry->SetDevice(device, page);
    records.push_back({power, entry, page, p});
    return &records.back();
  }

  // ---- found and lost ----
  void NotePermission(const std::string& path) {
    const std::string node = NodeFromHidPath(path);
    if (node.rfind("/dev/", 0) != 0) return;
    if (::access(node.c_str(), R_OK | W_OK) != 0 && (errno == EACCES || errno == EPERM)) permissionHint = true;
  }

  void Found(int row) {
    if (!list.IsValidRow(row)) return;
    const DeviceIdentity r = list.Row(static_cast<size_t>(row));
    if (const char* line = AddLine(r.DeviceType)) DebugOutput(line);
    if (!list.HasDevicePage(row, PageIdentities()))
      BuildPage(list.FindKnownRow(r.VendorId, r.ProductId, r.DeviceType, kRoleCommand));
    bool bringToFront = true;
    if (r.Role == kRoleCommand) {
      if (!list.IsPartnerConnected(row)) {
        const int idRow = CKnownDeviceList::IsReceiverType(r.DeviceType) && r.HasPartner ? r.Partner : row;
        PageRecord* record = RecordOfDevice(list.Row(static_cast<size_t>(idRow)));
        CVantorUSBDevice* device = record ? record->page->GetDevice() : nullptr;
        if (device && !device->m_cmdChannel.IsOpen()) {
          const bool receiver = CKnownDeviceList::IsReceiverType(r.DeviceType);
          if (device->OpenCommandLink(receiver, r.Path)) {
            DeviceIdentity identity = list.Row(static_cast<size_t>(idRow));
            identity.Connected = 0;
            identity.Path.clear();
            device->m_identity = identity;
            permissionHint = false;
            if (discovery) discovery->NoteOpened(r.Path);
            if (!receiver) {
              int index = -1, count = 0;
              self.ShowEntry(EntryIndexOf(*record), true, !self.FirstVisibleEntry(index, count));
            }
            if (record->entry) record->entry->StartConnect();
          } else {
            // Freed, so discovery tries it again a little later.
            DebugOutputF("设备打开失败: %s", r.Path.c_str());
            NotePermission(r.Path);
            if (discovery) {
              bringToFront = !discovery->IsRetry(r.Path);
              discovery->NoteOpenFailed(r.Path);
            }
            list.FreeRow(row);
          }
        }
      } else if (CKnownDeviceList::IsCableType(r.DeviceType)) {
        SwitchLink(row);
      }
    } else {
      const bool receiver = CKnownDeviceList::IsReceiverType(r.DeviceType);
      const DeviceIdentity& compare =
          receiver && r.HasPartner ? list.Row(static_cast<size_t>(r.Partner)) : r;
      for (PageRecord& record : records) {
        CVantorUSBDevice* device = record.page ? record.page->GetDevice() : nullptr;
        if (!device || device->IsNotificationLinkOpen(receiver)) continue;
        const DeviceIdentity& id = device->m_identity;
        if (id.VendorId == compare.VendorId && id.ProductId == compare.ProductId &&
            id.DeviceType == compare.DeviceType)
          device->OpenNotificationLink(receiver, r.Path);
      }
    }
    UpdateNoDevice();
    if (bringToFront && activate) activate();
  }

  void Lost(int row) {
    if (!list.IsValidRow(row)) return;
    const DeviceIdentity r = list.Row(static_cast<size_t>(row));
    if (const char* line = LostLine(r.DeviceType)) DebugOutput(line);
    if (r.Role == kRoleCommand) {
      if (!list.IsPartnerConnected(row)) {
        if (r.DeviceType == kTypeKeyboardCable || r.DeviceType == kTypeKeyboardReceiver) DebugOutput("键盘设备丢失");
        if (r.DeviceType == kTypeMouseCable || r.DeviceType == kTypeMouseReceiver) DebugOutput("鼠标设备丢失");
        const int idRow = CKnownDeviceList::IsReceiverType(r.DeviceType) && r.HasPartner ? r.Partner : row;
        PageRecord* record = RecordOfDevice(list.Row(static_cast<size_t>(idRow)));
        if (record && record->page) {
          CVantorUSBDevice* device = record->page->GetDevice();
          device->CloseCommandLinks();
          if (record->entry) record->entry->StopAllEntryTimers();
          self.HideLostEntry(EntryIndexOf(*record));
          record->page->OnDeviceLostUi();
        }
      } else if (CKnownDeviceList::IsCableType(r.DeviceType)) {
        SwitchLink(row);
      }
    } else {
      const bool receiver = CKnownDeviceList::IsReceiverType(r.DeviceType);
      const DeviceIdentity& compare =
          receiver && r.HasPartner ? list.Row(static_cast<size_t>(r.Partner)) : r;
      for (PageRecord& record : records) {
        CVantorUSBDevice* device = record.page ? record.page->GetDevice() : nullptr;
        if (!device || !device->IsNotificationLinkOpen(receiver)) continue;
        const DeviceIdentity& id = device->m_identity;
        if (id.VendorId == compare.VendorId && id.ProductId == compare.ProductId &&
            id.DeviceType == compare.DeviceType) {
          device->CloseNotificationLink(receiver);
          break;
        }
      }
    }
    UpdateNoDevice();
  }

  // Moves a device between its cable and its receiver (triggered by row r).
  void SwitchLink(int row) {
    const DeviceIdentity& r = list.Row(static_cast<size_t>(row));
    PageRecord* record = RecordOfDevice(r);
    if (!record && r.HasPartner) record = RecordOfDevice(list.Row(r.Partner));
    if (!record || !record->page) return;
    CVantorUSBDevice* device = record->page->GetDevice();
    CDeviceChannel& channel = device->m_cmdChannel;
    const bool wasReceiver = channel.IsReceiverMode();
    const std::string path = wasReceiver ? r.Path : (r.HasPartner ? list.Row(r.Partner).Path : std::string());
    bool opened = false;
    {
      std::lock_guard<std::recursive_mutex> io(channel.m_csIo);
      channel.m_bOpen = 0;
      CHidDevice& link = wasReceiver ? channel.m_hidWired : channel.m_hidReceiver;
      link.CloseHidDevice();
      opened = !path.empty() && link.OpenHidDevice(path, true, true, true, false);
      if (opened) {
        channel.m_bOpen = 1;
        channel.SetLinkMode(wasReceiver ? 1 : 2);
        // The cable is gone: its link holds nothing but a dead node.
        if (!wasReceiver) channel.m_hidWired.CloseHidDevice();
      }
    }
    CDeviceOptionUI* entry = record->entry;
    if (!opened) {
      // The other link is not usable: the device is as good as lost.
      channel.CloseLinks();
      if (entry) entry->StopAllEntryTimers();
      self.HideLostEntry(EntryIndexOf(*record));
      return;
    }
    if (!wasReceiver) {
      // A receiver that does not answer at all would only make each further
      // request wait out its 5 s: after its silence nothing more is sent,
      // and the entry's receiver watch finds it once it answers.
      bool silent = false;
      if (device->m_bSyncEnabled) {
        std::lock_guard<std::recursive_mutex> command(channel.m_csCommand);
        for (int attempt = 0; attempt < kReceiverQueryTries; ++attempt) {
          Frame reply{};
          const int result = channel.Command(kCmdQueryReceiver, nullptr, 0, 0, reply.data());
          if (result == 1 && reply[kFrameHeaderLength] == 0xFF) break;
          DebugOutput("获取2.4G模式失败");
          if (result == 0 || result == -1) {
            silent = true;
            break;
          }
          std::this_thread::sleep_for(std::chrono::milliseconds(kReceiverQueryGapMs));
        }
        DebugOutput("获取2");
        if (!silent) device->PollDeviceStatus();
      }
      if (entry) {
        {
          std::lock_guard<std::recursive_mutex> command(channel.m_csCommand);
          if (!silent && channel.Command(kCmdBegin, nullptr, 0, 0) == 1) channel.Command(kCmdEnd, nullptr, 0, 0);
        }
        entry->StopEntryTimer(kTimerRefreshLights);
        entry->StartEntryTimer(kTimerRefreshLights, 500);
        entry->StartReceiverWatch(kFirstReceiverWatchMs);
      }
    } else {
      if (entry) {
        entry->StopEntryTimer(kTimerReceiverLink);
        entry->StartConnect();
        self.HandleMessage(kMsgLinkState, device->m_nKind, 1);
      }
      if (device->m_bSyncEnabled) device->PollDeviceStatus();
    }
  }
};

CDevicePages::CDevicePages(CWindowUI& mainWnd) : m(std::make_unique<Impl>(*this, mainWnd)) {
  RegisterDevicePageControls();
}

CDevicePages::~CDevicePages() {
  StopDiscovery();
  for (Impl::PageRecord& record : m->records) {
    if (record.entry) record.entry->StopAllEntryTimers();
    if (record.page) {
      record.page->SetMessageSink(nullptr);
      if (CVantorUSBDevice* device = record.page->GetDevice()) {
        device->StopLightThread();
        device->CloseNotificationLink(false);
        device->CloseNotificationLink(true);
        device->CloseCommandLinks();
      }
    }
  }
}

void CDevicePages::BuildInitialPages() {
  for (int p = 0; p < 2; ++p) {
    const DevicePageRow& row = DevicePageTable()[static_cast<size_t>(p)];
    m->BuildPage(m->list.FindKnownRow(row.vendorId, row.productId, row.deviceType, row.role));
  }
  m->UpdateNoDevice();
}

void CDevicePages::StartDiscovery() {
  if (!m->discovery) m->discovery = std::make_unique<CDeviceDiscovery>(m->list, *m);
  if (!m->discovery->IsRunning()) m->discovery->Start();
}

void CDevicePages::StopDiscovery() {
  if (m->discovery) m->discovery->Stop();
}

void CDevicePages::HoldDiscovery(bool hold) {
  m->held = hold;
  if (m->discovery) m->discovery->Hold(hold);
}

void CDevicePages::SetActivationCallback(std::function<void()> activate) { m->activate = std::move(activate); }
void CDevicePages::SetBeforeCurrentLostCallback(std::function<void()> callback) {
  m->beforeCurrentLost = std::move(callback);
}
void CDevicePages::SetSyncPossibleCallback(std::function<void(bool)> callback) {
  m->syncPossible = std::move(callback);
}

CVantorUSBDevice* CDevicePages::CurrentDevice() const {
  CContainerUI* layout = m->SelectLayout();
  if (!layout) return nullptr;
  for (int i = 0; i < layout->GetCount(); ++i) {
    auto* entry = dynamic_cast<CDeviceOptionUI*>(layout->GetItemAt(i));
    if (entry && entry->IsShown() && entry->IsSelected()) return entry->GetDevice();
  }
  return nullptr;
}

std::vector<CVantorUSBDevice*> CDevicePages::Devices() const {
  std::vector<CVantorUSBDevice*> out;
  for (const Impl::PageRecord& r : m->records)
    if (r.page && r.page->GetDevice()) out.push_back(r.page->GetDevice());
  return out;
}

bool CDevicePages::HasVisibleDevice() const {
  int index = -1, count = 0;
  return FirstVisibleEntry(index, count);
}

CDeviceOptionUI* CDevicePages::Entry(int index) const {
  CContainerUI* layout = m->SelectLayout();
  return layout ? dynamic_cast<CDeviceOptionUI*>(layout->GetItemAt(index)) : nullptr;
}

void CDevicePages::ShowEntry(int index, bool visible, bool select) {
  CDeviceOptionUI* entry = Entry(index);
  if (!entry) return;
  entry->SetVisible(visible);
  if (select) {
    if (CTabLayoutUI* pages = m->DeviceSwitch()) pages->SelectItem(entry->GetBoundPageIndex());
    if (CTabLayoutUI* power = m->PowerSwitch()) {
      power->SetVisible(entry->GetPowerPage() >= 0);
      if (entry->GetPowerPage() >= 0) power->SelectItem(entry->GetPowerPage());
    }
  }
  entry->Select(select);
  if (select) OnDeviceSelected();
  CContainerUI* layout = m->SelectLayout();
  int shown = 0, synchro = 0;
  for (int i = 0; layout && i < layout->GetCount(); ++i) {
    auto* e = dynamic_cast<CDeviceOptionUI*>(layout->GetItemAt(i));
    if (!e || !e->IsShown()) continue;
    ++shown;
    if (e->IsSynchroSelected()) ++synchro;
  }
  if (shown == 0) {
    if (CTabLayoutUI* power = m->PowerSwitch()) power->SelectItem(0);
    if (CTabLayoutUI* pages = m->DeviceSwitch()) pages->SelectItem(0);
  }
  m->UpdateNoDevice();
  if (m->syncPossible) m->syncPossible(shown > 1);
  if (shown <= 1)
    for (CVantorUSBDevice* device : Devices()) device->m_cmdChannel.m_bSyncLight = 0;
  if (synchro < 2)
    for (int i = 0; layout && i < layout->GetCount(); ++i)
      if (auto* e = dynamic_cast<CDeviceOptionUI*>(layout->GetItemAt(i))) e->SetSynchroSelected(false);
}

void CDevicePages::HideLostEntry(int index) {
  CDeviceOptionUI* entry = Entry(index);
  if (!entry) return;
  int other = -1;
  if (entry->IsShown() && entry->IsSelected()) {
    if (m->beforeCurrentLost) m->beforeCurrentLost();
    CContainerUI* layout = m->SelectLayout();
    for (int i = 0; layout && i < layout->GetCount(); ++i) {
      auto* e = dynamic_cast<CDeviceOptionUI*>(layout->GetItemAt(i));
      if (i != index && e && e->IsShown()) {
        other = i;
        break;
      }
    }
  }
  ShowEntry(index, false, false);
  if (other >= 0) ShowEntry(other, true, true);
}

bool CDevicePages::FirstVisibleEntry(int& index, int& count) const {
  index = -1;
  count = 0;
  CContainerUI* layout = m->SelectLayout();
  for (int i = 0; layout && i < layout->GetCount(); ++i) {
    auto* e = dynamic_cast<CDeviceOptionUI*>(layout->GetItemAt(i));
    if (!e || !e->IsShown()) continue;
    if (index < 0) index = i;
    ++count;
  }
  return count > 0;
}

void CDevicePages::OnDeviceSelected() {
  CContainerUI* layout = m->SelectLayout();
  for (int i = 0; layout && i < layout->GetCount(); ++i) {
    auto* e = dynamic_cast<CDeviceOptionUI*>(layout->GetItemAt(i));
    if (!e || !e->IsSelected()) continue;
    m->selectedIndex = i;
    m->selectedType = e->GetDeviceType();
    m->selectedRole = e->GetRole();
    if (CTabLayoutUI* pages = m->DeviceSwitch(); pages && e->GetBoundPageIndex() >= 0)
      pages->SelectItem(e->GetBoundPageIndex());
    if (CTabLayoutUI* power = m->PowerSwitch()) {
      power->SetVisible(e->GetPowerPage() >= 0);
      if (e->GetPowerPage() >= 0) power->SelectItem(e->GetPowerPage());
    }
    if (e->GetPage()) e->GetPage()->OnPageShown();
    return;
  }
}

namespace {
int SelectedShownEntry(CContainerUI* layout) {
  for (int i = 0; layout && i < layout->GetCount(); ++i) {
    auto* e = dynamic_cast<CDeviceOptionUI*>(layout->GetItemAt(i));
    if (e && e->IsShown() && e->IsSelected()) return i;
  }
  return -1;
}
}  // namespace

void CDevicePages::SelectPrevious() {
  CContainerUI* layout = m->SelectLayout();
  const int current = SelectedShownEntry(layout);
  if (current < 0) return;
  for (int i = current - 1; i >= 0; --i)
    if (auto* e = Entry(i); e && e->IsShown()) {
      e->Select(true);
      OnDeviceSelected();
      return;
    }
}

void CDevicePages::SelectNext() {
  CContainerUI* layout = m->SelectLayout();
  const int current = SelectedShownEntry(layout);
  if (current < 0 || !layout) return;
  for (int i = current + 1; i < layout->GetCount(); ++i)
    if (auto* e = Entry(i); e && e->IsShown()) {
      e->Select(true);
      OnDeviceSelected();
      return;
    }
}

bool CDevicePages::HandleNotify(TNotifyUI& msg) {
  if (!msg.pSender) return false;
  const std::string& name = msg.pSender->GetName();
  if (msg.sType == "click" && EqualsNoCase(name, "device_select_prev")) {
    SelectPrevious();
    return true;
  }
  if (msg.sType == "click" && EqualsNoCase(name, "device_select_next")) {
    SelectNext();
    return true;
  }
  if (msg.sType == "selectchanged" && EqualsNoCase(name, "device_select")) {
    OnDeviceSelected();
    return true;
  }
  if (msg.sType == "selectchanged" && EqualsNoCase(name, "synchro_device_select")) {
    // The images follow the check; the main window decides what synchronised lighting does.
    for (CContainerUI* p = msg.pSender->GetParent(); p; p = p->GetParent())
      if (auto* entry = dynamic_cast<CDeviceOptionUI*>(p)) {
        entry->SetSynchroSelected(msg.wParam != 0);
        break;
      }
    return false;
  }
  return false;
}

bool CDevicePages::HandleMessage(uint32_t message, int64_t wParam, int64_t lParam) {
  switch (message) {
    case kMsgDeviceFound: m->Found(static_cast<int>(wParam)); return true;
    case kMsgDeviceLost: m->Lost(static_cast<int>(wParam)); return true;
    case kMsgLinkState: {
      Impl::PageRecord* record = m->RecordOfPageRow(static_cast<int>(wParam));
      if (!record) return true;
      const int index = m->EntryIndexOf(*record);
      if (lParam == 0) {
        HideLostEntry(index);
        DebugOutput("2.4gcesvdfherhue 1");
      } else if (record->entry && !record->entry->IsShown()) {
        int first = -1, count = 0;
        ShowEntry(index, true, !FirstVisibleEntry(first, count));
      }
      return true;
    }
    default: return false;
  }
}

void CDevicePages::SetWindowActive(bool on) {
  for (CVantorUSBDevice* d : Devices()) d->SetWindowActive(on);
}
void CDevicePages::SetPollPaused(bool paused) {
  for (CVantorUSBDevice* d : Devices()) d->m_bPollPaused = paused;
}
void CDevicePages::SetControlLight(bool on) {
  for (CVantorUSBDevice* d : Devices()) d->SetControlLight(on);
}

const CKnownDeviceList& CDevicePages::KnownDevices() const { return m->list; }
int CDevicePages::PageCount() const { return static_cast<int>(m->records.size()); }
CDevicePageUI* CDevicePages::Page(int index) const {
  return index >= 0 && index < PageCount() ? m->records[static_cast<size_t>(index)].page.data() : nullptr;
}
CDevicePageUI* CDevicePages::PageForRow(int pageRow) const {
  Impl::PageRecord* r = m->RecordOfPageRow(pageRow);
  return r ? r->page.data() : nullptr;
}
bool CDevicePages::PermissionHintShown() const { return m->permissionHint; }
uint64_t CDevicePages::DiscoveryPasses() const { return m->discovery ? m->discovery->Passes() : 0; }

CControlUI* CDevicePages::CreateControl(const std::string& type) {
  if (const DevicePageFactory* factory = FindDevicePageFactoryByClass(type))
    if (factory->createPage) return factory->createPage();
  if (EqualsNoCase(type, "DeviceOption")) return new CDeviceOptionUI();
  if (EqualsNoCase(type, "MpDevicePower")) return new CMpDevicePowerUI();
  return m->wnd.CreateControl(type);
}

}  // namespace tarn
