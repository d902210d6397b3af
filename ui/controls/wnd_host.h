#pragma once
// Hosts a child window over the control's rectangle; the window is shown
// and hidden with the control.
#include <QPointer>

#include <string>

#include "ui/control.h"

namespace tarn {

class CWndUI : public CControlImpl<QWidget> {
 public:
  static constexpr const char* kClassName = "Wnd";
  std::string GetClass() const override { return kClassName; }
  // Takes the widget as a child placed over this control (not owned beyond
  // Qt's parent rules: it is deleted with the control).
  void Attach(QWidget* window);
  QWidget* Detach();
  QWidget* GetHostedWindow() const { return m_pWindow; }
  void SetVisible(bool visible) override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QPointer<QWidget> m_pWindow;
};

}  // namespace tarn
