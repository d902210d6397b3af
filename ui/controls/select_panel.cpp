#include "ui/controls/select_panel.h"

#include <QMouseEvent>

#include <algorithm>

#include "ui/controls/device_key_button.h"

namespace tarn {

bool RectanglesOverlap(int l1, int t1, int r1, int b1, int l2, int t2, int r2, int b2) {
  return std::max(l1, l2) < std::min(r1, r2) && std::max(t1, t2) < std::min(b1, b2);
}

void CSelectPanelUI::mousePressEvent(QMouseEvent* event) {
  CVerticalLayoutUI::mousePressEvent(event);
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  m_bPressed = true;
  m_ptStart = event->position().toPoint();
  m_ptCurrent = m_ptStart;
  event->accept();
}

void CSelectPanelUI::FollowMouse(const QPoint& point) {
  m_ptCurrent = point;
  // Kept with exclusive right and bottom, as the children's rectangles are
  // compared below.
  int left = std::min(m_ptStart.x(), m_ptCurrent.x());
  int top = std::min(m_ptStart.y(), m_ptCurrent.y());
  int right = std::max(m_ptStart.x(), m_ptCurrent.x());
  int bottom = std::max(m_ptStart.y(), m_ptCurrent.y());
  m_rcSelect = QRect(left, top, right - left, bottom - top);
}

void CSelectPanelUI::mouseMoveEvent(QMouseEvent* event) {
  CVerticalLayoutUI::mouseMoveEvent(event);
  if (!m_bPressed) return;
  m_bDragging = true;
  FollowMouse(event->position().toPoint());
  event->accept();
}

void CSelectPanelUI::mouseReleaseEvent(QMouseEvent* event) {
  CVerticalLayoutUI::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton) return;
  m_bPressed = false;
  m_ptStart = m_ptCurrent;
  if (!m_bDragging) return;
  m_bDragging = false;
  const int l = m_rcSelect.x(), t = m_rcSelect.y();
  const int r = l + m_rcSelect.width(), b = t + m_rcSelect.height();
  for (CControlUI* item : m_items) {
    auto* key = dynamic_cast<CDeviceKeyButtonUI*>(item);
    if (key == nullptr) continue;
    QRect g = key->geometry();
    key->SetBandSelected(RectanglesOverlap(l, t, r, b, g.x(), g.y(), g.x() + g.width(), g.y() + g.height()));
  }
  event->accept();
  SendNotify("click_select_end");
}

}  // namespace tarn
