#include "app/main_wnd.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSystemTrayIcon>

#include "app/app_messages.h"
#include "platform/debug_output.h"
#include "platform/paths.h"
#include "ui/dialog_builder.h"
#include "ui/render_engine.h"
#include "ui/ui_string.h"

namespace tarn {
namespace {

const char* const kTitleButtons[] = {"closebtn", "maxbtn",        "restorebtn", "minbtn", "skinbtn",
                                     "gamemodebtn", "cloudbtn", "smarteyesbtn", "setbtn"};

// Layout names the window builds from a nested layout file.
const std::map<std::string, std::string>& SubtreeLayouts() {
  static const std::map<std::string, std::string> layouts = {
      {"deviceprofileui", "XML\\CustomControlXML\\DeviceProfile.xml"},
      {"lightsetcontrolui", "XML\\CustomControlXML\\LightControl.xml"},
      {"voice6533setcontrolui", "XML\\CustomControlXML\\Voice6533Control.xml"},
      {"magicsetcontrolui", "XML\\CustomControlXML\\MagicControl.xml"},
      {"keysetcontrolui", "XML\\CustomControlXML\\KeySetControl.xml"},
      {"macrosetcontrolui", "XML\\CustomControlXML\\MacroControl.xml"},
      {"shootkeysetcontrolui", "XML\\CustomControlXML\\ShootControl.xml"},
      {"virtualsetcontrolui", "XML\\CustomControlXML\\VirtualSet.xml"},
  };
  return layouts;
}

// The window's icon: the skin's, or a drawn one when the skin has none.
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
  m_router.OnName("click", "closebtn", [this](TNotifyUI&) {
    CloseChildWindows();
    HideToTray();
  });
  m_router.OnName("click", "minbtn", [this](TNotifyUI&) { showMinimized(); });
  m_router.OnName("click", "maxbtn", [this](TNotifyUI&) { showMaximized(); });
  m_router.OnName("click", "restorebtn", [this](TNotifyUI&) { showNormal(); });
  for (const char* idle : {"gamemodebtn", "cloudbtn", "smarteyesbtn"}) m_router.OnName("click", idle, [](TNotifyUI&) {});
}

CMainWnd::~CMainWnd() {
  if (g_mainWnd == this) g_mainWnd = nullptr;
  if (m_pMenu != nullptr) delete m_pMenu;
  CResourceManager& resources = CResourceManager::Instance();
  resources.SetTextQueryInterface(nullptr);
}

void CMainWnd::InitWindow() {
  DebugOutput("InitWindow");
  CResourceManager::Instance().SetTextQueryInterface(this);
  CResourceManager::Instance().LoadLanguage("lan_cn.xml");
  CResourceManager::Instance().ReloadText();
  for (const char* name : kTitleButtons) m_titleButtons[name] = FindControl(name);
  g_mainWnd = this;
  QIcon icon = AppIcon();
  setWindowIcon(icon);
  m_tray.CreateTrayIcon(icon, "Tarn", [this](CTrayIcon::Event event) { OnTrayEvent(event); });
}

std::string CMainWnd::QueryControlText(const std::string&, const std::string&) {
  // Texts come only from the language file.
  return {};
}

CControlUI* CMainWnd::CreateControl(const std::string& type) {
  auto subtree = SubtreeLayouts().find(MakeLower(type));
  if (subtree != SubtreeLayouts().end()) {
    CDialogBuilder builder;
    CControlUI* control = builder.Create(subtree->second, this, this, nullptr);
    if (control == nullptr) DebugOutputF("%s: %s", type.c_str(), builder.LastError().c_str());
    return control;
  }
  return nullptr;
}

void CMainWnd::Notify(TNotifyUI& msg) {
  if (msg.sType != "timer") {
    DebugOutputF("Notify %s %s", msg.sType.c_str(), msg.pSender != nullptr ? msg.pSender->GetName().c_str() : "");
  }
  m_router.Route(msg);
}

void CMainWnd::OnBusMessage(uint32_t message, const BusMessage& bus, int) {
  HandleMessage(message, bus.wParam, bus.lParam);
}

bool CMainWnd::HandleMessage(uint32_t message, int64_t wParam, int64_t lParam) {
  const AppMessageIds& ids = AppMessages();
  if (message == ids.activation && message != 0) {
    DebugOutputF("软件标示 %u，%llxd%llxd", message, static_cast<unsigned long long>(wParam),
                 static_cast<unsigned long long>(lParam));
    ActivateFromOutside();
    return true;
  }
  return false;
}

void CMainWnd::ActivateFromOutside() {
  if (CControlUI* noDevice = FindControl("No_device_Link")) noDevice->SetVisible(!HasVisibleDevice());
  BringToFront();
}

void CMainWnd::HideToTray() {
  if (!TrayAvailable()) {
    Destroy();
    return;
  }
  hide();
}

bool CMainWnd::OnCloseRequest() {
  // The window manager's close does what the title bar's close does.
  if (m_bDestroyed) return true;
  CloseChildWindows();
  HideToTray();
  return false;
}

void CMainWnd::CloseChildWindows() {
  if (m_pMenu != nullptr) m_pMenu->Close();
}

void CMainWnd::Destroy() {
  if (m_bDestroyed) return;
  m_bDestroyed = true;
  m_tray.DeleteTrayIcon();
  PostQuitMessage(0);
  DebugOutput("退出测试");
  hide();
}

void CMainWnd::OnTrayEvent(CTrayIcon::Event event) {
  if (event == CTrayIcon::kLeftClick) {
    if (CControlUI* noDevice = FindControl("No_device_Link")) noDevice->SetVisible(!HasVisibleDevice());
    CloseChildWindows();
    if (isVisible() && !isMinimized()) {
      hide();
    } else {
      BringToFront();
    }
  } else if (event == CTrayIcon::kRightClick) {
    SetTimer(kTimerTrayMenu, 10);
  }
}

void CMainWnd::OnTimer(int id) {
  if (id == kTimerTrayMenu) {
    KillTimer(kTimerTrayMenu);
    ShowTrayMenu();
  }
}

void CMainWnd::ShowTrayMenu() {
  if (m_pMenu != nullptr) m_pMenu->Close();
  QPoint cursor = QCursor::pos();
  // Open away from the edge the panel sits on: below the cursor when the
  // panel is at the top, to its right when at the left, otherwise above.
  int align = CMenuWnd::kAlignRightAbove;
  if (QScreen* screen = QGuiApplication::screenAt(cursor)) {
    QRect area = screen->geometry();
    if (cursor.y() < area.top() + area.height() / 4) {
      align = CMenuWnd::kAlignRightBelow;
    } else if (cursor.x() >= area.left() + area.width() / 4) {
      align = CMenuWnd::kAlignLeftAbove;
    }
  }
  m_pMenu = CMenuWnd::Init(this, "menu.xml", cursor, align);
}

void CMainWnd::OnMenuCommand(const std::string& item) {
  DebugOutputF("menu %s", item.c_str());
  if (item == "exit") {
    CloseChildWindows();
    Destroy();
  }
}

}  // namespace tarn
