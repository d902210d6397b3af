#pragma once
// The container of a device picture: dragging a rectangle over its free
// area band-selects the key buttons it overlaps, then "click_select_end".
#include <QPoint>
#include <QRect>

#include <string>

#include "ui/container.h"

namespace tarn {

class CSelectPanelUI : public CVerticalLayoutUI {
 public:
  static constexpr const char* kClassName = "SelectPanel";
  std::string GetClass() const override { return kClassName; }

  bool IsPressed() const { return m_bPressed; }
  bool IsDragging() const { return m_bDragging; }
  // The last drag's rectangle, normalised (right and bottom exclusive).
  QRect GetSelectionRect() const { return m_rcSelect; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void FollowMouse(const QPoint& point);

  bool m_bPressed = false;
  bool m_bDragging = false;
  QPoint m_ptStart;
  QPoint m_ptCurrent;
  QRect m_rcSelect;
};

// Whether two rectangles (right and bottom exclusive) share at least one
// pixel; touching edges do not count.
bool RectanglesOverlap(int l1, int t1, int r1, int b1, int l2, int t2, int r2, int b2);

}  // namespace tarn
