#include "ui/controls/circle_progress.h"

#include <QPainter>

#include <algorithm>

#include "ui/render_engine.h"
#include "ui/ui_string.h"

namespace tarn {

double CircleSweepDegrees(int value, int minimum, int maximum) {
  if (maximum <= minimum) return 0.0;
  double part = (static_cast<double>(value) - minimum) / (static_cast<double>(maximum) - minimum);
  return std::clamp(part, 0.0, 1.0) * 360.0;
}

bool CCircleProgressUI::SetAttribute(const std::string& name, const std::string& value) {
  if (!EqualsNoCase(name, "forecolor")) return CProgressUI::SetAttribute(name, value);
  uint32_t color = 0;
  if (ParseColor(value, color)) m_dwForeColor = color;
  CControlUI::SetAttribute(name, value);
  update();
  return true;
}

void CCircleProgressUI::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(Qt::NoPen);
  QRectF circle = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  uint32_t back = GetBkColor();
  if (back != 0) {
    painter.setBrush(CRenderEngine::ToQColor(back));
    painter.drawEllipse(circle);
  }
  double sweep = CircleSweepDegrees(value(), minimum(), maximum());
  if (sweep > 0.0) {
    painter.setBrush(CRenderEngine::ToQColor(m_dwForeColor));
    // From the top (90 degrees), clockwise; Qt counts sixteenths.
    painter.drawPie(circle, 90 * 16, -static_cast<int>(sweep * 16.0));
  }
  QRectF inner = circle.adjusted(10, 10, -10, -10);
  if (inner.width() > 0 && inner.height() > 0) {
    painter.setBrush(Qt::white);
    painter.drawEllipse(inner);
  }
}

}  // namespace tarn
