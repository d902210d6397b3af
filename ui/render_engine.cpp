#include "ui/render_engine.h"

#include <QFontMetrics>

#include "ui/resource_manager.h"

namespace tarn {

QColor CRenderEngine::ToQColor(uint32_t argb) {
  return QColor(static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
                static_cast<int>(argb & 0xFF), static_cast<int>(argb >> 24));
}

void CRenderEngine::DrawColor(QPainter& painter, const QRect& rect, uint32_t argb) {
  painter.fillRect(rect, ToQColor(argb));
}

void CRenderEngine::DrawRect(QPainter& painter, const QRect& rect, int lineSize, uint32_t argb) {
  if (lineSize <= 0 || rect.isEmpty()) return;
  painter.save();
  QPen pen(ToQColor(argb), lineSize);
  pen.setJoinStyle(Qt::MiterJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  double half = lineSize / 2.0;
  painter.drawRect(QRectF(rect).adjusted(half, half, -half, -half));
  painter.restore();
}

void CRenderEngine::DrawRoundRect(QPainter& painter, const QRect& rect, int lineSize, int radius, uint32_t argb) {
  if (lineSize <= 0 || rect.isEmpty()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(ToQColor(argb), lineSize));
  painter.setBrush(Qt::NoBrush);
  double half = lineSize / 2.0;
  painter.drawRoundedRect(QRectF(rect).adjusted(half, half, -half, -half), radius, radius);
  painter.restore();
}

void CRenderEngine::DrawLine(QPainter& painter, QPoint from, QPoint to, int lineSize, uint32_t argb) {
  painter.save();
  painter.setPen(QPen(ToQColor(argb), lineSize));
  painter.drawLine(from, to);
  painter.restore();
}

void CRenderEngine::DrawText(QPainter& painter, const QRect& rect, const std::string& text, uint32_t argb,
                             const QFont& font, int flags) {
  painter.save();
  painter.setFont(font);
  painter.setPen(ToQColor(argb));
  QString shown = QString::fromStdString(text);
  if (!(flags & Qt::TextWordWrap)) shown = QFontMetrics(font).elidedText(shown, Qt::ElideRight, rect.width());
  painter.drawText(rect, flags, shown);
  painter.restore();
}

bool CRenderEngine::DrawImageString(QPainter& painter, const QRect& rect, const std::string& image) {
  QPixmap pixmap = CResourceManager::Instance().GetImage(image);
  if (pixmap.isNull()) return false;
  painter.drawPixmap(rect, pixmap);
  return true;
}

}  // namespace tarn
