#pragma once
// Drawing helpers for the system's own controls, on a QPainter. Colours are
// ARGB; images are resource ids or paths as layouts name them.
#include <QFont>
#include <QPainter>
#include <QRect>

#include <cstdint>
#include <string>

namespace tarn {

class CRenderEngine {
 public:
  static QColor ToQColor(uint32_t argb);
  // Fills the rectangle.
  static void DrawColor(QPainter& painter, const QRect& rect, uint32_t argb);
  // Draws a frame of the given line width inside the rectangle.
  static void DrawRect(QPainter& painter, const QRect& rect, int lineSize, uint32_t argb);
  static void DrawRoundRect(QPainter& painter, const QRect& rect, int lineSize, int radius, uint32_t argb);
  static void DrawLine(QPainter& painter, QPoint from, QPoint to, int lineSize, uint32_t argb);
  // Text in the rectangle with Qt alignment flags; elided when it does not fit
  // on one line unless Qt::TextWordWrap is among the flags.
  static void DrawText(QPainter& painter, const QRect& rect, const std::string& text, uint32_t argb,
                       const QFont& font, int flags = Qt::AlignCenter);
  // An image stretched over the rectangle; false when it cannot be read.
  static bool DrawImageString(QPainter& painter, const QRect& rect, const std::string& image);
};

}  // namespace tarn
