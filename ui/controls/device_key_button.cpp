#include "ui/controls/device_key_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "ui/controls/image_description.h"
#include "ui/ui_string.h"

namespace tarn {

CDeviceKeyButtonUI::CDeviceKeyButtonUI() = default;

bool CDeviceKeyButtonUI::SetAttribute(const std::string& name, const std::string& value) {
  std::string key = MakeLower(name);
  if (key == "lightimage") {
    m_sLightImage = value;
  } else if (key == "keysetimage") {
    m_sKeySetImage = value;
  } else if (key == "mouse") {
    // mouse="false": clicks pass through to what lies below (light buttons
    // under the key caps).
    setAttribute(Qt::WA_TransparentForMouseEvents, !ToBool(value));
    CControlUI::SetAttribute(name, value);
    return true;
  } else if (key == "gmnametextcolor") {
    std::string text = value;
    if (!text.empty() && text[0] == '#') text.erase(0, 1);
    m_dwNameTextColor = static_cast<uint32_t>(std::strtoul(text.c_str(), nullptr, 16));
    CControlUI::SetAttribute(name, value);
    return true;
  } else {
    return CButtonUI::SetAttribute(name, value);
  }
  CControlUI::SetAttribute(name, value);
  update();
  return true;
}

void CDeviceKeyButtonUI::SetLightOverlay(uint32_t color, int opacity, bool shown) {
  m_dwLightColor = color & 0xFFFFFF;
  m_nLightOpacity = opacity;
  m_bLightShown = shown;
}

void CDeviceKeyButtonUI::SetDefaultFlag(int flag) {
  if (flag == m_nDefaultFlag) return;
  m_nDefaultFlag = flag;
  update();
}

void CDeviceKeyButtonUI::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  // Status look first, the caption last, the overlays between them.
  painter.drawControl(QStyle::CE_PushButtonBevel, option);
  if (m_bLightShown) DrawTintedImage(painter, rect(), m_sLightImage, m_dwLightColor, m_nLightOpacity);
  if (m_nDefaultFlag == 0 && !m_sKeySetImage.empty()) {
    DrawImageDescription(painter, rect(), ParseImageDescription(m_sKeySetImage));
  }
  painter.drawControl(QStyle::CE_PushButtonLabel, option);
}

bool CDeviceKeyButtonUI::HandleDoubleClick(QMouseEvent* event) {
  if (!isEnabled() || !rect().contains(event->position().toPoint())) return false;
  setDown(true);
  SendNotify("dbclick", event->position().toPoint().x(), event->position().toPoint().y());
  update();
  return true;
}

}  // namespace tarn
