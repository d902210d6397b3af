#pragma once
// The program's only top-level window: title bar, tray icon and menu, the
// activation message. Later parts add the device pages, the panels and the
// routing of their notifications (rows of m_router, cases of HandleMessage).
#include <QPointer>

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "app/notify_router.h"
#include "platform/message_bus.h"
#include "ui/menu_window.h"
#include "ui/resource_manager.h"
#include "ui/tray_icon.h"
#include "ui/window.h"

namespace tarn {

class CMainWnd : public CWindowUI, public IQueryControlText {
 public:
  // Main-window timers.
  static constexpr int kTimerFitWindow = 1011;
  static constexpr int kTimerTrayMenu = 1032;
  static constexpr int kTimerProfileSwitch = 1055;
  static constexpr int kTimerGameLight = 1066;

  CMainWnd();
  ~CMainWnd() override;

  std::string GetSkinFile() const override { return "XML_MAIN"; }
  std::string GetWindowClassName() const override { return "MainWnd"; }
  void InitWindow() override;
  void Notify(TNotifyUI& msg) override;
  CControlUI* CreateControl(const std::string& type) override;
  void OnTimer(int id) override;
  void OnMenuCommand(const std::string& item) override;
  std::string QueryControlText(const std::string& textId, const std::string& controlType) override;

  // A message by number (a registered message from the bus, or a private
  // one posted by a worker thread). True when the window handled it.
  bool HandleMessage(uint32_t message, int64_t wParam, int64_t lParam) override;
  // A registered message from a peer on the bus, with its bytes.
  virtual void OnBusMessage(uint32_t message, const BusMessage& bus, int peerId);
  // Where the window sends its own messages (tool message 16, replies to
  // "WorkTool"); null when the bus did not start.
  void SetMessageBus(CMessageBusServer* bus) { m_pBus = bus; }
  CMessageBusServer* GetMessageBus() const { return m_pBus; }
  // The running main window, for code that must reach it (null before
  // initialisation and after destruction).
  static CMainWnd* Instance();

  // Shows the window, in front of the others.
  void ActivateFromOutside();
  // Hides the window to the notification area.
  void HideToTray();
  // Ends the program: removes the tray icon, leaves the message loop.
  void Destroy();
  bool IsTrayIconCreated() const { return m_tray.IsCreated(); }
  // Whether a tray icon can be shown; without one, closing the window ends
  // the program, since nothing else could bring it back or end it.
  virtual bool TrayAvailable() const { return CTrayIcon::IsAvailable(); }
  CMenuWnd* GetMenu() const { return m_pMenu; }

 protected:
  bool OnCloseRequest() override;
  // Whether some device entry is shown (the device selector answers later).
  virtual bool HasVisibleDevice() const { return false; }
  void OnTrayEvent(CTrayIcon::Event event);
  void ShowTrayMenu();
  void CloseChildWindows();

 private:
  CNotifyRouter m_router;
  std::map<std::string, CControlUI*> m_titleButtons;
  CMessageBusServer* m_pBus = nullptr;
  CTrayIcon m_tray;
  QPointer<CMenuWnd> m_pMenu;
  bool m_bDestroyed = false;
};

}  // namespace tarn
