#include "ui/tray_icon.h"

#include <QSystemTrayIcon>

namespace tarn {

CTrayIcon::CTrayIcon() = default;

CTrayIcon::~CTrayIcon() { DeleteTrayIcon(); }

void CTrayIcon::CreateTrayIcon(const QIcon& icon, const std::string& toolTip, Callback callback) {
  DeleteTrayIcon();
  m_pIcon = std::make_unique<QSystemTrayIcon>(icon);
  m_pIcon->setToolTip(QString::fromStdString(toolTip));
  QObject::connect(m_pIcon.get(), &QSystemTrayIcon::activated, m_pIcon.get(),
                   [callback](QSystemTrayIcon::ActivationReason reason) {
                     if (!callback) return;
                     switch (reason) {
                       case QSystemTrayIcon::Trigger: callback(kLeftClick); break;
                       case QSystemTrayIcon::Context: callback(kRightClick); break;
                       case QSystemTrayIcon::DoubleClick: callback(kDoubleClick); break;
                       case QSystemTrayIcon::MiddleClick: callback(kMiddleClick); break;
                       default: break;
                     }
                   });
  if (QSystemTrayIcon::isSystemTrayAvailable()) m_pIcon->show();
}

void CTrayIcon::DeleteTrayIcon() {
  if (m_pIcon == nullptr) return;
  m_pIcon->hide();
  m_pIcon.reset();
}

void CTrayIcon::SetToolTip(const std::string& toolTip) {
  if (m_pIcon != nullptr) m_pIcon->setToolTip(QString::fromStdString(toolTip));
}

std::string CTrayIcon::GetToolTip() const { return m_pIcon != nullptr ? m_pIcon->toolTip().toStdString() : ""; }

bool CTrayIcon::IsAvailable() { return QSystemTrayIcon::isSystemTrayAvailable(); }

}  // namespace tarn
