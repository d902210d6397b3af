#include "app/main_wnd.h"

#include <QCursor>
#include <QDBusConnection>
#include <QEnterEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include <unistd.h>

#include "app/about_wnd.h"
#include "app/app_messages.h"
#include "app/combo_edit_element.h"
#include "app/desktop_settings.h"
#include "app/file_dialogs.h"
#include "app/keyboard_page/keyboard_page_ui.h"
#include "app/language.h"
#include "app/message_box.h"
#include "app/pages/device_page_ui.h"
#include "app/pages/device_pages.h"
#include "app/skin_frame.h"
#include "app/sleep_watcher.h"
#include "app/window_fit.h"
#include "app/work_tool_block.h"
#include "device/keyboard/keyboard_device.h"
#include "platform/debug_output.h"
#include "platform/paths.h"
#include "ui/container.h"
#include "ui/dialog_builder.h"
#include "ui/render_engine.h"
#include "ui/ui_string.h"

namespace tarn {
namespace {

const char* const kTitleButtons[] = {"closebtn", "maxbtn",       "restorebtn", "minbtn", "skinbtn",
                                     "gamemodebtn", "cloudbtn", "smarteyesbtn", "setbtn"};

// Classes the window makes itself, by lower-case class name: a control of
// its own, or the sub-tree of a nested layout file.
struct CreateRow {
  std::function<CControlUI*()> make;
  const char* layout;
};
const std::map<std::string, CreateRow>& WindowControlTable() {
  static const std::map<std::string, CreateRow> table = {
      {"comboeditcontainerelement", {[]() -> CControlUI* { return new CComboEditContainerElementUI(); }, nullptr}},
      {"deviceprofileui", {nullptr, "XML\\CustomControlXML\\DeviceProfile.xml"}},
      {"lightsetcontrolui", {nullptr, "XML\\CustomControlXML\\LightControl.xml"}},
      {"voice6533setcontrolui", {nullptr, "XML\\CustomControlXML\\Voice6533Control.xml"}},
      {"magicsetcontrolui", {nullptr, "XML\\CustomControlXML\\MagicControl.xml"}},
      {"keysetcontrolui", {nullptr, "XML\\CustomControlXML\\KeySetControl.xml"}},
      {"macrosetcontrolui", {nullptr, "XML\\CustomControlXML\\MacroControl.xml"}},
      {"shootkeysetcontrolui", {nullptr, "XML\\CustomControlXML\\ShootControl.xml"}},
      {"virtualsetcontrolui", {nullptr, "XML\\CustomControlXML\\VirtualSet.xml"}},
  };
  return table;
}

// Notification types that go through the routing tables; the others listed
// have no action.
const char* const kRoutedTypes[] = {"colorchanged", "click",        "selectchanged", "valuechanged",
                                    "movevaluechanged", "itemselect", "killfocus",     "click_select_end"};

// The keyboard page's own controls: settings, profile bar, key buttons and
// the function page switches. Rows by full name (type, name, case-sensitive).
struct PageRow {
  const char* type;
  const char* name;
  bool matchCase;
};
const PageRow kPageNameRows[] = {
    {"click", "reset_repeat_btn", false},
    {"click", "device_add_btn", false},
    {"click", "device_sub_btn", false},
    {"click", "device_copy_btn", false},
    {"click", "device_export_btn", false},
    {"click", "device_import_btn", false},
    {"click", "device_reset_btn", false},
    {"click", "device_profile_edit_save_btn", false},
    {"click", "profile_fun_spread_btn", true},
    {"selectchanged", "winlockflag_option", false},
    {"selectchanged", "wflag_option", false},
    {"selectchanged", "6flag_option", false},
    {"selectchanged", "deng_Op_tab", false},
    {"selectchanged", "key_Op_tab", false},
    {"selectchanged", "macro_Op_tab", false},
    {"selectchanged", "system_Op_tab", false},
    {"selectchanged", "cursor_Op_tab", false},
    {"selectchanged", "6533_voice_Op_tab", false},
    {"selectchanged", "magic_Op_tab", false},
    {"selectchanged", "Virtual7.1_Op_tab", false},
    {"valuechanged", "repeat_rate_slider", false},
    {"itemselect", "device_profile_combo", false},
};

// Numbered controls of the page: type, prefix, the numbers it takes.
struct PagePrefixRow {
  const char* type;
  const char* prefix;
  int first;
  int last;
};
const PagePrefixRow kPagePrefixRows[] = {
    {"click", "key_", 0, 255},
    {"selectchanged", "polling_rate_option_", 0, 3},
    {"selectchanged", "repeat_delay_check_", 0, 3},
};

// A selection in one of these key panel combos applies the key assignment
// at once, as "key_butt_keysave" does.
const char* const kKeyPanelApplyCombos[] = {
    "keyset_function_combo", "keyset_mousekey_combo", "keyset_mouseswing_combo", "keyset_mousewheel_combo",
    "keyset_mousedpi_combo", "keyset_media_combo",    "keyset_system_combo",     "keyset_macro_combo",
    "keyset_macro_over_combo", "keyset_gunkey_combo", "keyset_combokey_combo"};

// Recording items of the macro action menu: hook mode and time mode (0: the
// record-time rule, real delays unless the editor asks for fixed ones).
struct RecordItem {
  const char* name;
  int hookMode;
  int timeMode;
};
const RecordItem kRecordItems[] = {
    {"redio_previous_record_time", 8, 0},  {"redio_previous_constant_time", 8, 2},
    {"redio_previous_ignore_time", 8, 3},  {"redio_later_record_time", 16, 0},
    {"redio_later_constant_time", 16, 2},  {"redio_later_ignore_time", 16, 3},
    {"macro_action_edit", 32, 3},
};

QIcon AppIcon() {
  std::string file = CResourceManager::Instance().ResolvePath("ICON_APP");
  if (FileExists(file)) {
    QPixmap image = CResourceManager::Instance().GetImage("ICON_APP");
    if (!image.isNull()) return QIcon(image);
  }
  QPixmap drawn(64, 64);
  drawn.fill(Qt::transparent);
  QPainter painter(&drawn);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setBrush(QColor(0x1E, 0x8C, 0xE6));
  painter.setPen(Qt::NoPen);
  painter.drawRoundedRect(QRect(2, 2, 60, 60), 12, 12);
  QFont font;
  font.setPixelSize(40);
  font.setBold(true);
  CRenderEngine::DrawText(painter, QRect(0, 0, 64, 64), "T", 0xFFFFFFFF, font);
  return QIcon(drawn);
}

CMainWnd* g_mainWnd = nullptr;

}  // namespace

CMainWnd* CMainWnd::Instance() { return g_mainWnd; }

CMainWnd::CMainWnd() {
  // Sound data and the answers to tool message 18 travel under this name.
  CMessageRegistry::Instance().RegisterMessage(kCopyDataMessageName);
  BuildRoutes();
  BuildMessages();
}

CMainWnd::~CMainWnd() {
  StopThreads();
  SkinChangeObserver().RemoveReceiver(this);
  if (g_mainWnd == this) g_mainWnd = nullptr;
  if (m_pMenu != nullptr) delete m_pMenu;
  CResourceManager::Instance().SetTextQueryInterface(nullptr);
}

// ---------------------------------------------------------------- routing

void CMainWnd::BuildRoutes() {
  m_typeHandlers["windowinit"] = [this](TNotifyUI&) { OnWindowInit(); };
  m_typeHandlers["windowsize"] = [this](TNotifyUI& msg) {
    // Only a display change refits; the window's own resizing does not.
    if (msg.pSender == GetRoot() && m_bDisplayChanged) {
      m_bDisplayChanged = false;
      FitToMonitor();
    }
  };
  for (const char* type : kRoutedTypes) m_typeHandlers[type] = [this](TNotifyUI& msg) { m_router.Route(msg); };

  auto page = [this](TNotifyUI& msg) { RouteToCurrentPage(msg); };
  auto pages = [this](TNotifyUI& msg) { RouteToPages(msg); };

  m_router.OnName("click", "closebtn", [this](TNotifyUI&) {
    CloseChildWindows();
    HideToTray();
  });
  m_router.OnName("click", "nodevice_ok_btn", [this](TNotifyUI&) { hide(); });
  m_router.OnName("click", "minbtn", [this](TNotifyUI&) { showMinimized(); });
  m_router.OnName("click", "maxbtn", [this](TNotifyUI&) { showMaximized(); });
  m_router.OnName("click", "restorebtn", [this](TNotifyUI&) { showNormal(); });
  m_router.OnName("click", "skinbtn", [](TNotifyUI& msg) { CSkinFrame::Open(msg.pSender); });
  for (const char* idle : {"gamemodebtn", "cloudbtn", "smarteyesbtn"}) m_router.OnName("click", idle, [](TNotifyUI&) {});
  m_router.OnName("click", "default_btn", [this](TNotifyUI&) { ResetToDefaults(); });
  m_router.OnName("click", "device_select_prev", pages);
  m_router.OnName("click", "device_select_next", pages);
  m_router.OnName("selectchanged", "device_select", pages);
  m_router.OnName("selectchanged", "synchro_device_select", pages);
  for (const PageRow& row : kPageNameRows) m_router.OnName(row.type, row.name, page, row.matchCase);
  for (const PagePrefixRow& row : kPagePrefixRows) {
    int first = row.first;
    int last = row.last;
    m_router.OnPrefix(row.type, row.prefix, [this, first, last](TNotifyUI& msg, int n) {
      if (n >= first && n <= last) RouteToCurrentPage(msg);
    });
  }
  m_router.OnPrefix("click", "windowdeviceset_", [](TNotifyUI&, int n) {
    if (n != 0 && n != 1) return;
    if (!OpenDesktopSettings(n)) DebugOutputF("no desktop settings program for page %d", n);
  });
  for (const char* combo : kKeyPanelApplyCombos) {
    m_router.OnName("itemselect", combo, [this](TNotifyUI& msg) {
      // The key panel lives on the page; its apply is its "key_butt_keysave".
      RouteToCurrentPage(msg);
      if (CKeyboardPageUI* keyboard = CurrentKeyboardPage()) {
        if (CControlUI* save = keyboard->FindSubControl("key_butt_keysave")) {
          TNotifyUI apply;
          apply.sType = "click";
          apply.pSender = save;
          keyboard->HandleNotify(apply);
        }
      }
    });
  }

  m_menuCommands["exit"] = [this] {
    CloseChildWindows();
    Destroy();
  };
  m_menuCommands["about_menu"] = [this] { ShowAbout(this); };
  for (const RecordItem& item : kRecordItems) {
    int hookMode = item.hookMode;
    int timeMode = item.timeMode;
    m_menuCommands[item.name] = [this, hookMode, timeMode] {
      m_nRecordHookMode = hookMode;
      m_nRecordTimeMode = timeMode != 0 ? timeMode : 1;
    };
  }
}

void CMainWnd::Notify(TNotifyUI& msg) {
  if (msg.sType != "timer") {
    DebugOutputF("Notify %s %s", msg.sType.c_str(), msg.pSender != nullptr ? msg.pSender->GetName().c_str() : "");
  }
  auto handler = m_typeHandlers.find(msg.sType);
  if (handler != m_typeHandlers.end()) handler->second(msg);
  CWindowUI::Notify(msg);
}

void CMainWnd::RouteToCurrentPage(TNotifyUI& msg) {
  if (CKeyboardPageUI* keyboard = CurrentKeyboardPage()) keyboard->HandleNotify(msg);
}

void CMainWnd::RouteToPages(TNotifyUI& msg) {
  if (m_pPages != nullptr) m_pPages->HandleNotify(msg);
}

CVantorUSBDevice* CMainWnd::CurrentDevice() const {
  return m_pPages != nullptr ? m_pPages->CurrentDevice() : nullptr;
}

CKeyboardPageUI* CMainWnd::CurrentKeyboardPage() const {
  CVantorUSBDevice* device = CurrentDevice();
  if (device == nullptr) return nullptr;
  for (int i = 0; i < m_pPages->PageCount(); ++i) {
    CDevicePageUI* page = m_pPages->Page(i);
    if (page != nullptr && page->GetDevice() == device) return dynamic_cast<CKeyboardPageUI*>(page);
  }
  return nullptr;
}

void CMainWnd::ResetToDefaults() {
  CVantorUSBDevice* device = CurrentDevice();
  if (device == nullptr) return;
  if (ShowMessage(this, {}, "message_text_22", m_nDpi, true, kMsgConfirmCancel) != 1) return;
  device->ResetToDefaultProfile();
  device->WriteProfileKeyTable(0);
  device->WriteSettingsRecord(nullptr, 0, 1, m_nScreenWidth, m_nScreenHeight);
}

void CMainWnd::OnMenuCommand(const std::string& item) {
  if (!m_bServing) return;
  DebugOutputF("menu %s", item.c_str());
  auto command = m_menuCommands.find(item);
  if (command != m_menuCommands.end()) command->second();
}

CControlUI* CMainWnd::CreateControl(const std::string& type) {
  auto row = WindowControlTable().find(MakeLower(type));
  if (row == WindowControlTable().end()) return nullptr;  // the toolkit's and registered classes apply
  if (row->second.make) return row->second.make();
  CDialogBuilder builder;
  CControlUI* control = builder.Create(row->second.layout, this, this, nullptr);
  if (control == nullptr) DebugOutputF("%s: %s", type.c_str(), builder.LastError().c_str());
  return control;
}

std::string CMainWnd::QueryControlText(const std::string&, const std::string&) {
  // Texts come only from the language file.
  return {};
}

// ---------------------------------------------------------------- start

void CMainWnd::InitWindow() {
  DebugOutput("InitWindow");
  CResourceManager::Instance().SetTextQueryInterface(this);
  CResourceManager::Instance().LoadLanguage("lan_cn.xml");
  CResourceManager::Instance().ReloadText();
  SkinChangeObserver().AddReceiver(this);
  for (const char* name : kTitleButtons) m_titleButtons[name] = FindControl(name);
  g_mainWnd = this;
  QIcon icon = AppIcon();
  setWindowIcon(icon);
  m_tray.CreateTrayIcon(icon, "Tarn", [this](CTrayIcon::Event event) { OnTrayEvent(event); });
  // Screens come and go, and change size: the display-change path.
  auto watchScreen = [this](QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, this, [this] { OnDisplayChanged(); });
    connect(screen, &QScreen::logicalDotsPerInchChanged, this, [this] {
      if (!m_bServing) return;
      DebugOutput("界面 DPI 发生变化");
      ResetDPIAssets();
      CenterWindow();
    });
  };
  for (QScreen* screen : QGuiApplication::screens()) watchScreen(screen);
  connect(qApp, &QGuiApplication::screenAdded, this, [this, watchScreen](QScreen* screen) {
    watchScreen(screen);
    OnDisplayChanged();
  });
  connect(qApp, &QGuiApplication::screenRemoved, this, [this](QScreen*) { OnDisplayChanged(); });
}

void CMainWnd::OnWindowInit() {
  if (m_bInitialised) return;
  m_bInitialised = true;
  // Announce that this program drives the lighting.
  if (m_pBus != nullptr && AppMessages().tool16 != 0) {
    BusMessage announce;
    announce.name = kToolMessage16Name;
    announce.wParam = 1;
    announce.lParam = 1;
    m_pBus->Broadcast(announce);
  }
  SwitchLanguage(GetStoredLanguageIndex());
  // The pages pass the screen size with every settings write.
  if (QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen()) {
    m_nScreenWidth = screen->geometry().width();
    m_nScreenHeight = screen->geometry().height();
  }
  if (FindControl("device_switch") != nullptr && FindControl("device_select_layout") != nullptr) {
    m_pPages = std::make_unique<CDevicePages>(*this);
    m_pPages->SetActivationCallback([this] { ActivateFromOutside(); });
    m_pPages->BuildInitialPages();
    m_pPages->SetControlLight(m_bControlLight);
    WirePages();
  }
  if (m_pPages != nullptr) {
    // Shown again when the first device scan has finished.
    hide();
    m_pPages->StartDiscovery();
  }
  SetTimer(kTimerFitWindow, 100);
}

void CMainWnd::WirePages() {
  PageDialogs dialogs;
  dialogs.messageBox = [this](const std::string& key, int buttons, const std::string& text) {
    return text.empty() ? ShowMessage(this, {}, key, m_nDpi, true, buttons)
                        : ShowMessage(this, {}, text, m_nDpi, false, buttons);
  };
  dialogs.fileDialog = [this](bool save, const std::string& filter) {
    const FileFilter& chosen = filter.find(".mac") != std::string::npos     ? kMacroFilter
                               : filter.find(".shoot") != std::string::npos ? kShootFilter
                                                                              : kProfileFilter;
    std::string path;
    if (save) {
      AskSaveFile(chosen, this, path);
    } else {
      AskOpenFile(chosen, this, path);
    }
    return path;
  };
  for (int i = 0; i < m_pPages->PageCount(); ++i) {
    if (auto* keyboard = dynamic_cast<CKeyboardPageUI*>(m_pPages->Page(i))) {
      keyboard->SetDialogs(dialogs);
      keyboard->SetScreenSize(m_nScreenWidth, m_nScreenHeight);
    }
  }
  m_pPages->SetBeforeCurrentLostCallback([this] { CloseChildWindows(); });
}

bool CMainWnd::HasVisibleDevice() const { return m_pPages != nullptr && m_pPages->HasVisibleDevice(); }

// ---------------------------------------------------------------- messages

void CMainWnd::BuildMessages() {
  // Rows for the fixed numbers; registered ones are looked up by id below.
  m_messages[kMsgDeviceFound] = {[this](int64_t w, int64_t l) {
                                   if (m_pPages) m_pPages->HandleMessage(kMsgDeviceFound, w, l);
                                 },
                                 true};
  m_messages[kMsgDeviceLost] = {[this](int64_t w, int64_t l) {
                                  if (m_pPages) m_pPages->HandleMessage(kMsgDeviceLost, w, l);
                                },
                                true};
  m_messages[kMsgLinkState] = {[this](int64_t w, int64_t l) {
                                 if (m_pPages) m_pPages->HandleMessage(kMsgLinkState, w, l);
                               },
                               true};
  m_messages[kMsgShowProgress] = {[this](int64_t, int64_t) {
                                    if (CControlUI* progress = FindControl("setting_progress")) progress->SetVisible(true);
                                  },
                                  true};
  m_messages[kMsgLanguageChanged] = {[this](int64_t w, int64_t) {
                                       if (w < 0 || w > 0x7FFFFFFF) return;
                                       SwitchLanguage(static_cast<int>(w));
                                       if (m_pPages == nullptr) return;
                                       for (int i = 0; i < m_pPages->PageCount(); ++i)
                                         if (auto* keyboard = dynamic_cast<CKeyboardPageUI*>(m_pPages->Page(i)))
                                           keyboard->UpdateKeyCaptions();
                                     },
                                     true};
  m_messages[kMsgClearSetImage] = {[this](int64_t, int64_t) {
                                     if (CControlUI* set = FindControl("setbtn")) set->SetAttribute("foreimage", "");
                                   },
                                   true};
}

bool CMainWnd::HandleMessage(uint32_t message, int64_t wParam, int64_t lParam) {
  const AppMessageIds& ids = AppMessages();
  if (message == ids.activation && message != 0) {
    DebugOutputF("软件标示 %u，%llxd%llxd", message, static_cast<unsigned long long>(wParam),
                 static_cast<unsigned long long>(lParam));
    ActivateFromOutside();
    return true;
  }
  if (message == ids.tool17 && message != 0) {
    if (wParam == 1) SetControlLight(lParam != 0);
    return true;
  }
  if (message == ids.tool18 && message != 0) {
    ReplyToWorkTool();
    return true;
  }
  auto row = m_messages.find(message);
  if (row == m_messages.end()) return false;
  if (row->second.whileServingOnly && !m_bServing) return true;
  row->second.handler(wParam, lParam);
  return true;
}

void CMainWnd::OnBusMessage(uint32_t message, const BusMessage& bus, int) {
  if (EqualsNoCase(bus.name, kCopyDataMessageName)) {
    if (m_bServing) OnSoundData(bus.lParam, bus.data);
    return;
  }
  HandleMessage(message, bus.wParam, bus.lParam);
}

void CMainWnd::OnSoundData(int64_t kind, const std::vector<uint8_t>& bytes) {
  // dwData 1 carries the spectrum, 2 the levels; the lighting takes them.
  if (kind == 1) m_spectrum = bytes;
  if (kind == 2) m_levels = bytes;
}

void CMainWnd::ReplyToWorkTool() {
  if (m_pBus == nullptr) return;
  BusMessage reply;
  reply.name = kCopyDataMessageName;
  reply.wParam = static_cast<int64_t>(getpid());  // stands for the window handle
  reply.lParam = kWorkToolDataId;
  reply.data = BuildWorkToolBlock(DevicePageKinds());
  m_pBus->SendToNamed(kWorkToolPeer, reply);
}

void CMainWnd::SetControlLight(bool on) {
  m_bControlLight = on;
  if (m_pPages != nullptr) m_pPages->SetControlLight(on);
}

void CMainWnd::SetWindowActive(bool on) {
  m_bActive = on;
  if (m_pPages != nullptr) m_pPages->SetWindowActive(on);
}

void CMainWnd::changeEvent(QEvent* event) {
  CWindowUI::changeEvent(event);
  if (event->type() == QEvent::ActivationChange) SetWindowActive(isActiveWindow());
}

void CMainWnd::enterEvent(QEnterEvent* event) {
  CWindowUI::enterEvent(event);
  DebugOutput("鼠标移入");
  if (m_pPages != nullptr) m_pPages->SetWindowActive(true);
}

void CMainWnd::leaveEvent(QEvent* event) {
  CWindowUI::leaveEvent(event);
  DebugOutput("鼠标移出");
  if (m_pPages != nullptr) m_pPages->SetWindowActive(false);
}

// ---------------------------------------------------------------- suspend

bool CMainWnd::WatchSleep(const QDBusConnection* connection) {
  m_pSleep = std::make_unique<CSleepWatcher>([this](bool sleeping) { OnPrepareForSleep(sleeping); });
  return connection != nullptr ? m_pSleep->Watch(*connection) : m_pSleep->WatchSystemBus();
}

void CMainWnd::OnPrepareForSleep(bool sleeping) {
  if (sleeping) {
    m_bServing = false;
    // Found and lost wait until the devices are back.
    if (m_pPages != nullptr) {
      m_pPages->HoldDiscovery(true);
      m_pPages->SetControlLight(false);
    }
  } else {
    m_bServing = true;
    if (m_pPages != nullptr) {
      m_pPages->HoldDiscovery(false);
      m_pPages->SetControlLight(m_bControlLight);
    }
  }
}

// ---------------------------------------------------------------- window

void CMainWnd::ActivateFromOutside() {
  if (CControlUI* noDevice = FindControl("No_device_Link")) noDevice->SetVisible(!HasVisibleDevice());
  if (m_pPages != nullptr) m_pPages->SetPollPaused(false);
  BringToFront();
}

void CMainWnd::HideToTray() {
  if (!TrayAvailable()) {
    // Nothing could bring a hidden window back.
    showMinimized();
    return;
  }
  hide();
  if (m_pPages != nullptr) m_pPages->SetPollPaused(true);
}

bool CMainWnd::OnCloseRequest() {
  if (m_bDestroyed) return true;
  if (TrayAvailable()) {
    CloseChildWindows();
    HideToTray();
  } else {
    // Without a tray the window manager's close is the only way out.
    OnMenuCommand("exit");
  }
  return false;
}

void CMainWnd::CloseChildWindows() {
  if (m_pMenu != nullptr) m_pMenu->Close();
  if (CAboutWnd* about = OpenAboutWnd()) about->Close(0);
}

void CMainWnd::StopThreads() {
  if (m_pPages == nullptr) return;
  m_pPages->StopDiscovery();
  DebugOutput("所有对象处于激发状态\n");
  m_pPages.reset();
}

void CMainWnd::Destroy() {
  if (m_bDestroyed) return;
  m_bDestroyed = true;
  m_tray.DeleteTrayIcon();
  PostQuitMessage(0);
  DebugOutput("退出测试");
  hide();
  KillTimer(kTimerFitWindow);
  KillTimer(kTimerTrayMenu);
  KillTimer(kTimerGameLight);
  StopThreads();
  if (m_pBus != nullptr && AppMessages().tool19 != 0) {
    for (int64_t code : {2, 4, 5}) {
      BusMessage message;
      message.name = kToolMessage19Name;
      message.wParam = code;
      m_pBus->SendToNamed(kAudioRecordPeer, message);
    }
  }
}

void CMainWnd::OnTrayEvent(CTrayIcon::Event event) {
  if (event == CTrayIcon::kLeftClick) {
    if (CControlUI* noDevice = FindControl("No_device_Link")) noDevice->SetVisible(!HasVisibleDevice());
    CloseChildWindows();
    if (isVisible() && !isMinimized()) {
      hide();
      if (m_pPages != nullptr) m_pPages->SetPollPaused(true);
    } else {
      FitToMonitor();
      BringToFront();
      if (m_pPages != nullptr) m_pPages->SetPollPaused(false);
    }
  } else if (event == CTrayIcon::kRightClick) {
    SetTimer(kTimerTrayMenu, 10);
  }
}

void CMainWnd::OnTimer(int id) {
  if (!m_bServing) return;
  if (id == kTimerTrayMenu) {
    KillTimer(kTimerTrayMenu);
    ShowTrayMenu();
  } else if (id == kTimerFitWindow) {
    KillTimer(kTimerFitWindow);
    FitToMonitor();
    update();
  } else if (id == kTimerGameLight) {
    KillTimer(kTimerGameLight);
  }
}

void CMainWnd::ShowTrayMenu() {
  if (m_pMenu != nullptr) m_pMenu->Close();
  QPoint cursor = QCursor::pos();
  // Open into the screen's free area: away from a panel at the top or left.
  int align = CMenuWnd::kAlignRightAbove;
  if (QScreen* screen = QGuiApplication::screenAt(cursor)) {
    QRect whole = screen->geometry();
    QRect free = screen->availableGeometry();
    if (free.top() > whole.top() || cursor.y() < whole.top() + whole.height() / 4) {
      align = CMenuWnd::kAlignRightBelow;
    } else if (free.left() > whole.left()) {
      align = CMenuWnd::kAlignRightAbove;
    } else if (cursor.x() >= whole.left() + whole.width() / 2) {
      align = CMenuWnd::kAlignLeftAbove;
    }
  }
  m_pMenu = CMenuWnd::Init(this, "menu.xml", cursor, align);
  if (m_pMenu != nullptr) {
    // Keep it inside the free area.
    if (QScreen* screen = QGuiApplication::screenAt(cursor)) {
      QRect free = screen->availableGeometry();
      QRect frame = m_pMenu->geometry();
      int x = std::max(free.left(), std::min(frame.left(), free.right() - frame.width() + 1));
      int y = std::max(free.top(), std::min(frame.top(), free.bottom() - frame.height() + 1));
      m_pMenu->move(x, y);
    }
  }
}

void CMainWnd::OnDisplayChanged() {
  if (!m_bServing) return;
  DebugOutput("显示器分辨率发生变化");
  m_bDisplayChanged = true;
  FitToMonitor();
}

void CMainWnd::FitToMonitor() {
  bool wasShown = isVisible() && !isMinimized();
  QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QSize size = screen->geometry().size();  // device-independent pixels
  m_nDpi = FitDpiForMonitor(size.width(), size.height());
  if (GetDPI() != m_nDpi) {
    SetAllDPI(96);
    SetAllDPI(m_nDpi);
  }
  CenterWindow();
  if (wasShown && isMinimized()) showNormal();
}

int CMainWnd::Receive(SkinChangedParam param) {
  CControlUI* root = FindControl("root");
  if (root == nullptr) return 1;
  if (param.bColor) {
    root->SetBkColor(param.bkcolor);
    root->SetBkImage("");
  } else {
    root->SetBkColor(0);
    root->SetBkImage(param.bgimage);
  }
  return 1;
}

// ---------------------------------------------------------------- language

int CMainWnd::GetStoredLanguageIndex() const {
  int id = 0;
  if (!ReadStoredLanguageId(id)) return 0;
  std::vector<LanguageEntry> entries;
  if (!ReadLanguageList(LanguageConfigPath(), entries)) return 0;
  return LanguageIndexOfId(entries, id);
}

void CMainWnd::SwitchLanguage(int index) {
  if (index == m_nLanguage) return;
  std::vector<LanguageEntry> entries;
  if (!ReadLanguageList(LanguageConfigPath(), entries) || index < 0 ||
      index >= static_cast<int>(entries.size()) || entries[index].file.empty()) {
    // Keep what is loaded; store nothing.
    DebugOutputF("language %d not listed; the current language stays", index);
    return;
  }
  if (LanguageSwitchRebuildsFonts(m_nLanguage, index)) ApplyFontFace(LanguageFontFace(index));
  m_nLanguage = index;
  const LanguageEntry& entry = entries[index];
  CResourceManager& resources = CResourceManager::Instance();
  resources.SetLanguage(entry.name);
  resources.LoadLanguage(entry.file);
  resources.ReloadText();
  StoreLanguageId(entry.id);
  update();
  if (CAboutWnd* about = OpenAboutWnd()) about->HandleMessage(kMsgLanguageChanged, 0, 0);
}

bool CMainWnd::StoreLanguageId(int id) {
  if (!StoreLanguageIdToFile(id)) return false;
  DebugOutput("写成功！");
  return true;
}

void CMainWnd::ApplyFontFace(const std::string& face) {
  struct FontRow {
    int id;
    int size;
    bool bold;
    bool underline;
  };
  static const FontRow kFonts[] = {{0, 15, false, false}, {1, 14, false, true}, {2, 18, false, false},
                                   {3, 30, false, false}, {4, 16, false, false}, {5, 20, false, false},
                                   {6, 22, false, false}, {7, 14, false, false}, {8, 12, false, false},
                                   {9, 11, false, false}, {10, 10, false, false}, {11, 28, false, false},
                                   {50, 18, true, false}};
  CResourceManager& resources = CResourceManager::Instance();
  resources.RemoveAllFonts();
  resources.SetDefaultFont(face, 14);
  for (const FontRow& row : kFonts) resources.AddFont(row.id, face, row.size, row.bold, row.underline);
  resources.ReloadFonts();
  ++m_nFontRebuilds;
}

std::string CMainWnd::Translate(const std::string& id) {
  CControlUI* probe = FindControl("str_test");
  if (probe == nullptr) return CResourceManager::Instance().GetText(id);
  probe->SetResourceText(true);
  probe->SetText(id);
  return probe->GetText();
}

}  // namespace tarn
