#include "ui/color_palette.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace tarn {

CColorPaletteUI::CColorPaletteUI() {
  setMinimumSize(40, 40);
  setCursor(Qt::CrossCursor);
}

uint32_t CColorPaletteUI::ColorAt(QPoint point) const {
  int w = std::max(1, width() - 1);
  int h = std::max(1, height() - 1);
  double hue = std::clamp(point.x(), 0, w) / static_cast<double>(w);
  double value = 1.0 - std::clamp(point.y(), 0, h) / static_cast<double>(h);
  QColor color = QColor::fromHsvF(static_cast<float>(std::min(hue, 0.9999)), 1.0f, static_cast<float>(value));
  return 0xFF000000u | (static_cast<uint32_t>(color.red()) << 16) | (static_cast<uint32_t>(color.green()) << 8) |
         static_cast<uint32_t>(color.blue());
}

void CColorPaletteUI::SetSelectColor(uint32_t argb) {
  m_dwColor = argb;
  m_ptMarker = QPoint(-1, -1);
  update();
}

void CColorPaletteUI::Pick(QPoint point) {
  m_ptMarker = QPoint(std::clamp(point.x(), 0, width() - 1), std::clamp(point.y(), 0, height() - 1));
  m_dwColor = ColorAt(m_ptMarker);
  update();
}

void CColorPaletteUI::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QLinearGradient hue(0, 0, width(), 0);
  for (int i = 0; i <= 6; ++i) hue.setColorAt(i / 6.0, QColor::fromHsvF(std::min(i / 6.0f, 0.9999f), 1.0f, 1.0f));
  painter.fillRect(rect(), hue);
  QLinearGradient dark(0, 0, 0, height());
  dark.setColorAt(0, QColor(0, 0, 0, 0));
  dark.setColorAt(1, QColor(0, 0, 0, 255));
  painter.fillRect(rect(), dark);
  if (m_ptMarker.x() >= 0) {
    painter.setPen(QPen(Qt::white, 1));
    painter.drawEllipse(m_ptMarker, 4, 4);
  }
}

void CColorPaletteUI::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  m_bPicking = true;
  m_dwPressColor = m_dwColor;
  Pick(event->position().toPoint());
}

void CColorPaletteUI::mouseMoveEvent(QMouseEvent* event) {
  if (m_bPicking) Pick(event->position().toPoint());
}

void CColorPaletteUI::mouseReleaseEvent(QMouseEvent* event) {
  if (!m_bPicking || event->button() != Qt::LeftButton) return;
  m_bPicking = false;
  Pick(event->position().toPoint());
  SendNotify("colorchanged", m_dwColor, 0);
}

}  // namespace tarn
