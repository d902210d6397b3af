#include "ui/controls/chart_view.h"

#include <QPainter>

#include <algorithm>

#include "ui/ui_string.h"

namespace tarn {
namespace {

QColor SliceColor(size_t index) { return QColor::fromHsv(static_cast<int>((index * 67) % 360), 160, 230); }

}  // namespace

bool CChartViewUI::SetAttribute(const std::string& name, const std::string& value) {
  if (!EqualsNoCase(name, "view")) return CControlUI::SetAttribute(name, value);
  m_view = EqualsNoCase(value, "histpgram") ? View::Bars : View::Pie;
  CControlUI::SetAttribute(name, value);
  update();
  return true;
}

void CChartViewUI::AddItem(const std::string& name, double value) {
  m_items.push_back({name, std::max(0.0, value)});
  update();
}

void CChartViewUI::RemoveAll() {
  m_items.clear();
  update();
}

void CChartViewUI::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(Qt::NoPen);
  double total = 0, largest = 0;
  for (const Item& item : m_items) {
    total += item.value;
    largest = std::max(largest, item.value);
  }
  if (total <= 0) return;
  if (m_view == View::Pie) {
    int side = std::min(width(), height());
    QRectF circle((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    double start = 90.0;
    for (size_t i = 0; i < m_items.size(); ++i) {
      double sweep = m_items[i].value / total * 360.0;
      painter.setBrush(SliceColor(i));
      painter.drawPie(circle, static_cast<int>(start * 16), -static_cast<int>(sweep * 16));
      start -= sweep;
    }
    return;
  }
  double slot = static_cast<double>(width()) / static_cast<double>(m_items.size());
  for (size_t i = 0; i < m_items.size(); ++i) {
    double h = m_items[i].value / largest * height();
    painter.setBrush(SliceColor(i));
    painter.drawRect(QRectF(slot * static_cast<double>(i) + slot * 0.15, height() - h, slot * 0.7, h));
  }
}

}  // namespace tarn
