#include "ui/controls/redio_macro_button.h"

#include <QPainter>

#include "ui/controls/image_description.h"
#include "ui/ui_string.h"

namespace tarn {

CRedioMacroButtonUI::CRedioMacroButtonUI() {
  m_timer.setSingleShot(true);
  QObject::connect(&m_timer, &QTimer::timeout, this, [this]() { OnPulseTimer(); });
}

bool CRedioMacroButtonUI::SetAttribute(const std::string& name, const std::string& value) {
  if (!EqualsNoCase(name, "redioimage")) return CButtonUI::SetAttribute(name, value);
  m_sRedioImage = value;
  CControlUI::SetAttribute(name, value);
  update();
  return true;
}

void CRedioMacroButtonUI::StartPulse() {
  m_bPulsing = true;
  m_timer.start(kPulseMs);
}

void CRedioMacroButtonUI::StopPulse() {
  m_bPulsing = false;
  m_timer.stop();
}

void CRedioMacroButtonUI::OnPulseTimer() {
  m_timer.stop();
  if (!m_sRedioImage.empty()) {
    if (m_bRising) {
      m_nFade += 20;
      if (m_nFade > 254) {
        m_nFade = 255;
        m_bRising = false;
      }
    } else {
      m_nFade -= 20;
      if (m_nFade <= 80) {
        m_nFade = 80;
        m_bRising = true;
      }
    }
    m_sImage = StringFormat("res='%s' ", m_sRedioImage.c_str()) + StringFormat("fade='%d'", m_nFade);
    update();
  }
  if (m_bPulsing) m_timer.start(kPulseMs);
}

void CRedioMacroButtonUI::paintEvent(QPaintEvent* event) {
  CButtonUI::paintEvent(event);
  if (m_sImage.empty()) return;
  QPainter painter(this);
  DrawImageDescription(painter, rect(), ParseImageDescription(m_sImage));
}

}  // namespace tarn
