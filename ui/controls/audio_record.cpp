#include "ui/controls/audio_record.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

#include "ui/render_engine.h"

namespace tarn {

int CAudioRecordUI::BarHeight(int value, int controlHeight) {
  long long level = std::min<long long>(std::llabs(static_cast<long long>(value)), kFullScale);
  return static_cast<int>(level * controlHeight / kFullScale);
}

void CAudioRecordUI::AddValue(int value) {
  m_values.push_back(value);
  while (m_values.size() > kMaxBars) m_values.pop_front();
  update();
}

void CAudioRecordUI::Clear() {
  m_values.clear();
  update();
}

void CAudioRecordUI::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  uint32_t color = GetTextColor() != 0 ? GetTextColor() : 0xFF00A0FF;
  int x = 0;
  for (int value : m_values) {
    if (x >= width()) break;
    int h = BarHeight(value, height());
    if (h > 0) painter.fillRect(QRect(x, (height() - h) / 2, 1, h), CRenderEngine::ToQColor(color));
    x += 2;
  }
}

}  // namespace tarn
