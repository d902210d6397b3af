#pragma once
// A colour field: hue across, brightness down. A user's pick (press, drag,
// release) raises "colorchanged" once, on release, with the ARGB colour in
// wParam; SetSelectColor from code raises nothing.
#include <QWidget>

#include <cstdint>
#include <string>

#include "ui/control.h"

namespace tarn {

class CColorPaletteUI : public CControlImpl<QWidget> {
 public:
  CColorPaletteUI();
  std::string GetClass() const override { return "ColorPalette"; }
  uint32_t GetSelectColor() const { return m_dwColor; }
  void SetSelectColor(uint32_t argb);
  // The colour shown at a point of the field.
  uint32_t ColorAt(QPoint point) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Pick(QPoint point);
  uint32_t m_dwColor = 0xFFFF0000;
  uint32_t m_dwPressColor = 0;
  QPoint m_ptMarker{-1, -1};
  bool m_bPicking = false;
};

}  // namespace tarn
