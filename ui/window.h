#pragma once
// A top-level window built from a layout of the skin folder. It receives its
// controls' notifications in Notify, creates the system's own controls in
// CreateControl (the builder asks it first), owns window timers, runs modal,
// and scales its layout with its DPI.
#include <QWidget>

#include <map>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/dialog_builder.h"

class QEventLoop;
class QTimer;

namespace tarn {

class CWindowUI : public QWidget, public INotifyUI, public IDialogBuilderCallback {
 public:
  enum Style {
    kStyleNormal = 0,     // a framed window
    kStyleFrameless = 1,  // no frame; the layout's caption area moves it
    kStylePopup = 2,      // closes when the user clicks elsewhere
    kStyleTool = 4,       // kept off the task bar
    kStyleTopmost = 8,
  };

  explicit CWindowUI(QWidget* parent = nullptr);
  ~CWindowUI() override;

  // Builds the window from GetSkinFile(), calls InitWindow() and then, from
  // the event loop, raises "windowinit" from the root. A missing or broken
  // layout leaves an empty root; the window still comes up.
  bool Create(QWidget* parent, const std::string& title, int style = kStyleNormal);
  virtual std::string GetSkinFile() const { return {}; }
  virtual std::string GetWindowClassName() const { return "UIWindow"; }
  virtual void InitWindow() {}
  const std::string& GetBuildError() const { return m_sBuildError; }

  void Notify(TNotifyUI& msg) override {}
  CControlUI* CreateControl(const std::string& type) override { return nullptr; }

  // Delivers a notification to Notify, then to every added receiver.
  void DispatchNotify(TNotifyUI& msg);
  void SendNotify(CControlUI* sender, const std::string& type, int64_t wParam = 0, int64_t lParam = 0,
                  bool async = false);
  void AddNotifier(INotifyUI* receiver);
  void RemoveNotifier(INotifyUI* receiver);

  CControlUI* GetRoot() const { return m_pRoot; }
  // Replaces the root (the old one is destroyed).
  void SetRoot(CControlUI* root);
  // The first control of that name (without regard to case); null if none.
  CControlUI* FindControl(const std::string& name) const;
  template <class T>
  T* FindControlAs(const std::string& name) const {
    return dynamic_cast<T*>(FindControl(name));
  }
  // Every control of the window, in layout order.
  std::vector<CControlUI*> AllControls() const;
  static CControlUI* FindSubControlByName(const CControlUI* parent, const std::string& name);

  // Window timers; each period calls OnTimer(id).
  bool SetTimer(int id, int elapseMs);
  void KillTimer(int id);
  virtual void OnTimer(int id) {}

  // Pop-up menu commands arrive here, from the event loop after the menu closed.
  virtual void OnMenuCommand(const std::string& item) {}

  // Window messages: a number and two integers, handled on the UI thread.
  // True when the window handled the message.
  virtual bool HandleMessage(uint32_t message, int64_t wParam, int64_t lParam) { return false; }
  // From any thread: queues the message; it is dropped if the window goes first.
  void PostWindowMessage(uint32_t message, int64_t wParam = 0, int64_t lParam = 0);
  // From any thread: handles the message and waits for the answer. From
  // another thread the wait is bounded, so that a worker never hangs on a
  // UI thread that waits for it; false when the time ran out (the message
  // is then dropped if not yet handled) or the window did not handle it.
  bool SendWindowMessage(uint32_t message, int64_t wParam = 0, int64_t lParam = 0, int timeoutMs = 1000);

  // Shows the window modal and returns the result Close gave.
  int ShowModal();
  // Closes the window; a modal one returns result from ShowModal.
  void Close(int result = 0);
  void CenterWindow();
  void ShowWindow(bool show = true, bool focus = true);
  // Brings the window in front of the others and activates it.
  void BringToFront();

  // Display scaling: 96 = 100 %, 144 = 150 %, ...
  int GetDPI() const { return m_nDpi; }
  double GetScale() const { return m_nDpi / 96.0; }
  void SetDPI(int dpi);
  static void SetAllDPI(int dpi);
  static int GetDefaultDPI();
  // Re-reads images and fonts at the current scale.
  void ResetDPIAssets();

  // Window size from the layout (96 DPI).
  QSize GetInitSize() const { return m_szInit; }

  static std::vector<CWindowUI*> AllWindows();
  // The message loop: returns the code given to PostQuitMessage.
  static int MessageLoop();
  static void PostQuitMessage(int code = 0);

  // The layout's window attributes ("size", "caption", "mininfo", ...).
  virtual bool SetWindowAttribute(const std::string& name, const std::string& value);

 protected:
  // Whether a close request (the window manager's close) closes the window.
  virtual bool OnCloseRequest() { return true; }
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void ApplyWindowScale();

 private:
  CControlUI* m_pRoot = nullptr;
  std::vector<INotifyUI*> m_notifiers;
  std::map<int, QTimer*> m_timers;
  QEventLoop* m_pModalLoop = nullptr;
  int m_nResult = 0;
  int m_nDpi;
  QSize m_szInit{0, 0};
  QSize m_szMin{0, 0};
  int m_nCaptionHeight = 0;
  std::string m_sBuildError;
  bool m_bDying = false;
};

}  // namespace tarn
