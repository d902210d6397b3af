#include "ui/controls/wnd_host.h"

namespace tarn {

void CWndUI::Attach(QWidget* window) {
  if (m_pWindow == window) return;
  Detach();
  m_pWindow = window;
  if (window == nullptr) return;
  window->setParent(this);
  window->setGeometry(rect());
  window->setVisible(isVisible());
}

QWidget* CWndUI::Detach() {
  QWidget* window = m_pWindow;
  m_pWindow = nullptr;
  if (window != nullptr) {
    window->hide();
    window->setParent(nullptr);
  }
  return window;
}

void CWndUI::SetVisible(bool visible) {
  CControlUI::SetVisible(visible);
  if (m_pWindow != nullptr) m_pWindow->setVisible(visible);
}

void CWndUI::resizeEvent(QResizeEvent* event) {
  CControlImpl<QWidget>::resizeEvent(event);
  if (m_pWindow != nullptr) m_pWindow->setGeometry(rect());
}

}  // namespace tarn
