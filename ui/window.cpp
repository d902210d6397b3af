#include "ui/window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <QThread>

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/debug_output.h"
#include "ui/container.h"
#include "ui/resource_manager.h"
#include "ui/ui_string.h"

namespace tarn {
namespace {

std::vector<CWindowUI*>& Windows() {
  static std::vector<CWindowUI*> windows;
  return windows;
}

int g_defaultDpi = 96;

int Scaled(int value, double scale) { return static_cast<int>(value * scale + 0.5); }

// Controls of a child window (a dialog owned by this one) are that window's.
void CollectControls(const QWidget* widget, std::vector<CControlUI*>& out) {
  const QWidget* window = widget->window();
  for (QWidget* child : widget->findChildren<QWidget*>()) {
    CControlUI* control = AsControl(child);
    if (control != nullptr && child->window() == window) out.push_back(control);
  }
}

}  // namespace

CWindowUI::CWindowUI(QWidget* parent) : QWidget(parent, Qt::Window), m_nDpi(g_defaultDpi) {
  Windows().push_back(this);
}

CWindowUI::~CWindowUI() {
  m_bDying = true;
  auto& windows = Windows();
  windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
  if (m_pModalLoop != nullptr) m_pModalLoop->exit(m_nResult);
  // Controls go while this window is whole; focus moving among them during
  // their destruction must not reach a half-destroyed window.
  delete m_pRoot;
  m_pRoot = nullptr;
}

bool CWindowUI::Create(QWidget* parent, const std::string& title, int style) {
  if (parent != nullptr) setParent(parent, windowFlags());
  Qt::WindowFlags flags = (style & kStylePopup) ? Qt::Popup : Qt::Window;
  if (style & (kStyleFrameless | kStylePopup)) flags |= Qt::FramelessWindowHint;
  if (style & kStyleTool) flags |= Qt::Tool;
  if (style & kStyleTopmost) flags |= Qt::WindowStaysOnTopHint;
  setWindowFlags(flags);
  setWindowTitle(QString::fromStdString(title));
  setObjectName(QString::fromStdString(GetWindowClassName()));

  CControlUI* root = nullptr;
  std::string skin = GetSkinFile();
  if (!skin.empty()) {
    CDialogBuilder builder;
    builder.SetApplyWindowAttributes(true);
    root = builder.Create(skin, this, this, nullptr);
    m_sBuildError = builder.LastError();
    if (root == nullptr) DebugOutputF("layout %s not built: %s", skin.c_str(), m_sBuildError.c_str());
  }
  if (root == nullptr) root = new CVerticalLayoutUI();
  SetRoot(root);
  ApplyWindowScale();
  InitWindow();
  QPointer<CWindowUI> guard(this);
  QTimer::singleShot(0, this, [guard]() {
    if (guard != nullptr && guard->m_pRoot != nullptr) guard->SendNotify(guard->m_pRoot, "windowinit");
  });
  return true;
}

void CWindowUI::SetRoot(CControlUI* root) {
  if (root == m_pRoot) return;
  if (m_pRoot != nullptr) {
    m_pRoot->GetWidget()->hide();
    m_pRoot->GetWidget()->setParent(nullptr);
    m_pRoot->GetWidget()->deleteLater();
  }
  m_pRoot = root;
  if (root == nullptr) return;
  root->GetWidget()->setParent(this);
  root->GetWidget()->setGeometry(rect());
  root->GetWidget()->show();
  root->ApplyScale(GetScale());
}

void CWindowUI::DispatchNotify(TNotifyUI& msg) {
  if (m_bDying) return;
  QPointer<CWindowUI> guard(this);
  Notify(msg);
  if (guard == nullptr) return;
  // A receiver may remove itself while being told; walk a copy.
  std::vector<INotifyUI*> receivers = m_notifiers;
  for (INotifyUI* receiver : receivers) {
    if (guard == nullptr) return;
    if (std::find(m_notifiers.begin(), m_notifiers.end(), receiver) != m_notifiers.end()) receiver->Notify(msg);
  }
}

void CWindowUI::SendNotify(CControlUI* sender, const std::string& type, int64_t wParam, int64_t lParam, bool async) {
  if (sender != nullptr) {
    sender->SendNotify(type, wParam, lParam, async);
    return;
  }
  TNotifyUI msg{type, nullptr, wParam, lParam};
  DispatchNotify(msg);
}

void CWindowUI::AddNotifier(INotifyUI* receiver) {
  if (receiver != nullptr && std::find(m_notifiers.begin(), m_notifiers.end(), receiver) == m_notifiers.end()) {
    m_notifiers.push_back(receiver);
  }
}

void CWindowUI::RemoveNotifier(INotifyUI* receiver) {
  m_notifiers.erase(std::remove(m_notifiers.begin(), m_notifiers.end(), receiver), m_notifiers.end());
}

CControlUI* CWindowUI::FindControl(const std::string& name) const {
  if (name.empty() || m_pRoot == nullptr) return nullptr;
  if (EqualsNoCase(m_pRoot->GetName(), name)) return m_pRoot;
  return FindSubControlByName(m_pRoot, name);
}

std::vector<CControlUI*> CWindowUI::AllControls() const {
  std::vector<CControlUI*> controls;
  if (m_pRoot == nullptr) return controls;
  controls.push_back(m_pRoot);
  CollectControls(m_pRoot->GetWidget(), controls);
  return controls;
}

CControlUI* CWindowUI::FindSubControlByName(const CControlUI* parent, const std::string& name) {
  if (parent == nullptr || name.empty()) return nullptr;
  std::vector<CControlUI*> controls;
  CollectControls(parent->GetWidget(), controls);
  for (CControlUI* control : controls) {
    if (EqualsNoCase(control->GetName(), name)) return control;
  }
  return nullptr;
}

bool CWindowUI::SetTimer(int id, int elapseMs) {
  if (elapseMs < 0) return false;
  QTimer*& timer = m_timers[id];
  if (timer == nullptr) {
    timer = new QTimer(this);
    QObject::connect(timer, &QTimer::timeout, this, [this, id]() { OnTimer(id); });
  }
  timer->start(elapseMs);
  return true;
}

void CWindowUI::KillTimer(int id) {
  auto found = m_timers.find(id);
  if (found == m_timers.end()) return;
  found->second->stop();
  found->second->deleteLater();
  m_timers.erase(found);
}

void CWindowUI::PostWindowMessage(uint32_t message, int64_t wParam, int64_t lParam) {
  QMetaObject::invokeMethod(
      this, [this, message, wParam, lParam]() { HandleMessage(message, wParam, lParam); }, Qt::QueuedConnection);
}

bool CWindowUI::SendWindowMessage(uint32_t message, int64_t wParam, int64_t lParam, int timeoutMs) {
  if (QThread::currentThread() == thread()) return HandleMessage(message, wParam, lParam);
  struct Call {
    std::mutex mutex;
    std::condition_variable done;
    bool cancelled = false;
    bool finished = false;
    bool result = false;
  };
  auto call = std::make_shared<Call>();
  QMetaObject::invokeMethod(
      this,
      [this, call, message, wParam, lParam]() {
        {
          std::lock_guard<std::mutex> lock(call->mutex);
          if (call->cancelled) return;
        }
        bool result = HandleMessage(message, wParam, lParam);
        std::lock_guard<std::mutex> lock(call->mutex);
        call->result = result;
        call->finished = true;
        call->done.notify_all();
      },
      Qt::QueuedConnection);
  std::unique_lock<std::mutex> lock(call->mutex);
  if (!call->done.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&call] { return call->finished; })) {
    call->cancelled = true;
    return false;
  }
  return call->result;
}

int CWindowUI::ShowModal() {
  QEventLoop loop;
  m_pModalLoop = &loop;
  m_nResult = 0;
  setWindowModality(Qt::ApplicationModal);
  show();
  QPointer<CWindowUI> guard(this);
  int result = loop.exec();
  if (guard != nullptr) {
    m_pModalLoop = nullptr;
    setWindowModality(Qt::NonModal);
  }
  return result;
}

void CWindowUI::Close(int result) {
  m_nResult = result;
  close();
}

void CWindowUI::closeEvent(QCloseEvent* event) {
  if (!OnCloseRequest()) {
    event->ignore();
    return;
  }
  event->accept();
  if (m_pModalLoop != nullptr) m_pModalLoop->exit(m_nResult);
}

void CWindowUI::CenterWindow() {
  QRect area;
  if (parentWidget() != nullptr && parentWidget()->isVisible()) {
    area = parentWidget()->window()->frameGeometry();
  } else if (QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  }
  if (area.isEmpty()) return;
  QRect frame = frameGeometry();
  move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

void CWindowUI::ShowWindow(bool show, bool focus) {
  if (!show) {
    hide();
    return;
  }
  if (!focus) setAttribute(Qt::WA_ShowWithoutActivating, true);
  QWidget::show();
  if (!focus) setAttribute(Qt::WA_ShowWithoutActivating, false);
}

void CWindowUI::BringToFront() {
  if (isMinimized()) {
    showNormal();
  } else {
    show();
  }
  raise();
  activateWindow();
}

void CWindowUI::SetDPI(int dpi) {
  if (dpi < 48 || dpi > 960) return;
  m_nDpi = dpi;
  ApplyWindowScale();
}

void CWindowUI::SetAllDPI(int dpi) {
  if (dpi < 48 || dpi > 960) return;
  g_defaultDpi = dpi;
  for (CWindowUI* window : AllWindows()) window->SetDPI(dpi);
}

int CWindowUI::GetDefaultDPI() { return g_defaultDpi; }

void CWindowUI::ResetDPIAssets() {
  CResourceManager::Instance().FreeImageCache();
  ApplyWindowScale();
}

void CWindowUI::ApplyWindowScale() {
  double scale = GetScale();
  if (m_szMin.width() > 0 || m_szMin.height() > 0) {
    setMinimumSize(Scaled(m_szMin.width(), scale), Scaled(m_szMin.height(), scale));
  }
  if (m_szInit.width() > 0 && m_szInit.height() > 0) {
    resize(Scaled(m_szInit.width(), scale), Scaled(m_szInit.height(), scale));
  }
  if (m_pRoot != nullptr) {
    m_pRoot->ApplyScale(scale);
    // The root follows the window, whatever sizes it asked for.
    m_pRoot->GetWidget()->setMinimumSize(0, 0);
    m_pRoot->GetWidget()->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_pRoot->GetWidget()->setGeometry(rect());
  }
}

bool CWindowUI::SetWindowAttribute(const std::string& name, const std::string& value) {
  std::string key = MakeLower(name);
  std::vector<std::string> fields = SplitList(value);
  if (key == "size" && fields.size() == 2) {
    m_szInit = QSize(ToInt(fields[0]), ToInt(fields[1]));
  } else if (key == "mininfo" && fields.size() == 2) {
    m_szMin = QSize(ToInt(fields[0]), ToInt(fields[1]));
  } else if (key == "caption" && fields.size() == 4) {
    m_nCaptionHeight = ToInt(fields[3]);
  } else if (key == "title") {
    setWindowTitle(QString::fromStdString(value));
  } else {
    return false;
  }
  return true;
}

void CWindowUI::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (m_pRoot == nullptr) return;
  m_pRoot->GetWidget()->setGeometry(rect());
  SendNotify(m_pRoot, "windowsize", width(), height());
}

void CWindowUI::mousePressEvent(QMouseEvent* event) {
  // A press that no control took, inside the caption area, moves the window.
  if (event->button() == Qt::LeftButton && m_nCaptionHeight > 0 &&
      event->position().y() < Scaled(m_nCaptionHeight, GetScale()) && windowHandle() != nullptr) {
    windowHandle()->startSystemMove();
    event->accept();
    return;
  }
  QWidget::mousePressEvent(event);
}

std::vector<CWindowUI*> CWindowUI::AllWindows() { return Windows(); }

int CWindowUI::MessageLoop() {
  QApplication::setQuitOnLastWindowClosed(false);
  return QApplication::exec();
}

void CWindowUI::PostQuitMessage(int code) { QCoreApplication::exit(code); }

}  // namespace tarn
