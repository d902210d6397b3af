#pragma once
// The program's only top-level window: title bar, device pages, tray icon
// and menu, the routing of every control notification and window message,
// language, skin and fitting to the monitor.
#include <QPointer>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/notify_router.h"
#include "app/skin_observer.h"
#include "platform/message_bus.h"
#include "ui/menu_window.h"
#include "ui/resource_manager.h"
#include "ui/tray_icon.h"
#include "ui/window.h"

class QDBusConnection;

namespace tarn {

class CDevicePages;
class CKeyboardPageUI;
class CSleepWatcher;
class CVantorUSBDevice;

// Private main-window messages.
constexpr uint32_t kMsgShowProgress = 0xC00;
constexpr uint32_t kMsgLanguageChanged = 0xC11;
constexpr uint32_t kMsgOpenSettings = 0xC15;
constexpr uint32_t kMsgClearSetImage = 0xC16;
constexpr uint32_t kMsgKeyHook = 0x41E;
// The audio capture program's bus name.
constexpr const char* kAudioRecordPeer = "TarnAUDIORECORD";

class CMainWnd : public CWindowUI, public IQueryControlText, public SkinReceiver {
 public:
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
  int Receive(SkinChangedParam param) override;

  // A message by number (registered ones from the bus, private ones from
  // worker threads). True when the window handled it.
  bool HandleMessage(uint32_t message, int64_t wParam, int64_t lParam) override;
  // A registered message from a peer on the bus, with its bytes.
  virtual void OnBusMessage(uint32_t message, const BusMessage& bus, int peerId);
  void SetMessageBus(CMessageBusServer* bus) { m_pBus = bus; }
  CMessageBusServer* GetMessageBus() const { return m_pBus; }
  static CMainWnd* Instance();

  // Bring to front: the activation message and each found device.
  void ActivateFromOutside();
  void HideToTray();
  // Ends the program: stops the threads, removes the tray icon, leaves the loop.
  void Destroy();
  bool IsTrayIconCreated() const { return m_tray.IsCreated(); }
  virtual bool TrayAvailable() const { return CTrayIcon::IsAvailable(); }
  CMenuWnd* GetMenu() const { return m_pMenu; }

  // ---- device side ----
  CDevicePages* Pages() const { return m_pPages.get(); }
  CVantorUSBDevice* CurrentDevice() const;
  CKeyboardPageUI* CurrentKeyboardPage() const;

  // ---- language ----
  int GetStoredLanguageIndex() const;
  void SwitchLanguage(int index);
  bool StoreLanguageId(int id);
  void ApplyFontFace(const std::string& face);
  int CurrentLanguage() const { return m_nLanguage; }
  // The text of an id in the current language (through "str_test").
  std::string Translate(const std::string& id);
  int FontRebuildCount() const { return m_nFontRebuilds; }

  // ---- suspend and resume ----
  // Watches logind on the connection (the system bus when not given).
  bool WatchSleep(const QDBusConnection* connection = nullptr);
  void OnPrepareForSleep(bool sleeping);
  bool IsServing() const { return m_bServing; }
  bool GetControlLight() const { return m_bControlLight; }

  // ---- fitting ----
  void FitToMonitor();
  int FittedDpi() const { return m_nDpi; }

  // ---- recording choices of the menu ----
  int RecordHookMode() const { return m_nRecordHookMode; }
  int RecordTimeMode() const { return m_nRecordTimeMode; }

  // ---- shown for tests ----
  const std::vector<uint8_t>& LastSoundData(int kind) const { return kind == 1 ? m_spectrum : m_levels; }
  void OnTrayEvent(CTrayIcon::Event event);

 protected:
  bool OnCloseRequest() override;
  void changeEvent(QEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  virtual bool HasVisibleDevice() const;
  void ShowTrayMenu();
  void CloseChildWindows();
  void OnWindowInit();
  void OnDisplayChanged();

 private:
  using MessageHandler = std::function<void(int64_t wParam, int64_t lParam)>;
  struct MessageRow {
    MessageHandler handler;
    bool whileServingOnly;
  };

  void BuildRoutes();
  void BuildMessages();
  void RouteToCurrentPage(TNotifyUI& msg);
  void RouteToPages(TNotifyUI& msg);
  void ResetToDefaults();
  void SetWindowActive(bool on);
  void SetControlLight(bool on);
  void ReplyToWorkTool();
  void OnSoundData(int64_t kind, const std::vector<uint8_t>& bytes);
  void StopThreads();
  void WirePages();

  CNotifyRouter m_router;
  std::map<std::string, std::function<void(TNotifyUI&)>> m_typeHandlers;
  std::map<uint32_t, MessageRow> m_messages;
  std::map<std::string, std::function<void()>> m_menuCommands;
  std::map<std::string, CControlUI*> m_titleButtons;
  bool m_bControlLight = true;
  QPointer<CMenuWnd> m_pMenu;
  CTrayIcon m_tray;
  std::unique_ptr<CDevicePages> m_pPages;
  std::unique_ptr<CSleepWatcher> m_pSleep;
  CMessageBusServer* m_pBus = nullptr;
  int m_nDpi = 96;
  int m_nLanguage = -1;
  int m_nFontRebuilds = 0;
  bool m_bDisplayChanged = false;
  bool m_bActive = false;
  bool m_bServing = true;
  bool m_bDestroyed = false;
  bool m_bInitialised = false;
  int m_nScreenWidth = 0;
  int m_nScreenHeight = 0;
  int m_nRecordHookMode = 0;
  int m_nRecordTimeMode = 0;
  std::vector<uint8_t> m_spectrum;
  std::vector<uint8_t> m_levels;
};

}  // namespace tarn
