#include "ui/controls/image_description.h"

#include <QPixmap>

#include <algorithm>

#include "ui/resource_manager.h"
#include "ui/ui_string.h"

namespace tarn {

bool ParseLtrb(const std::string& text, QRect& rect) {
  std::vector<std::string> parts = SplitList(text);
  if (parts.size() != 4) return false;
  int l = ToInt(parts[0]), t = ToInt(parts[1]), r = ToInt(parts[2]), b = ToInt(parts[3]);
  rect = QRect(QPoint(l, t), QPoint(r - 1, b - 1));
  return true;
}

ImageDescription ParseImageDescription(const std::string& text) {
  ImageDescription image;
  if (text.find("='") == std::string::npos) {
    image.file = Trim(text);
    return image;
  }
  size_t at = 0;
  while (at < text.size()) {
    size_t eq = text.find("='", at);
    if (eq == std::string::npos) break;
    std::string key = MakeLower(Trim(std::string_view(text).substr(at, eq - at)));
    size_t start = eq + 2;
    size_t end = text.find('\'', start);
    if (end == std::string::npos) break;
    std::string value = text.substr(start, end - start);
    at = end + 1;
    QRect rect;
    if (key == "file" || key == "res") {
      image.file = value;
    } else if (key == "restype") {
      image.resType = value;
    } else if (key == "dest") {
      if (ParseLtrb(value, rect)) image.dest = rect;
    } else if (key == "source") {
      if (ParseLtrb(value, rect)) image.source = rect;
    } else if (key == "corner") {
      if (ParseLtrb(value, rect)) image.corner = rect;
    } else if (key == "mask") {
      std::string hex = value;
      if (!hex.empty() && hex[0] == '#') hex.erase(0, 1);
      image.mask = static_cast<uint32_t>(std::strtoul(hex.c_str(), nullptr, 16));
    } else if (key == "fade") {
      image.fade = std::clamp(ToInt(value), 0, 255);
    } else if (key == "hole") {
      image.hole = EqualsNoCase(value, "true");
    } else if (key == "xtiled") {
      image.xtiled = EqualsNoCase(value, "true");
    } else if (key == "ytiled") {
      image.ytiled = EqualsNoCase(value, "true");
    } else if (key == "hsl") {
      image.hsl = value;
    }
  }
  return image;
}

bool DrawImageDescription(QPainter& painter, const QRect& rect, const ImageDescription& image) {
  if (image.file.empty()) return false;
  QPixmap pixmap = CResourceManager::Instance().GetImage(image.file);
  if (pixmap.isNull()) return false;
  QRect target = rect;
  if (image.dest) target = image.dest->translated(rect.topLeft());
  QRect source = pixmap.rect();
  if (image.source) source = image.source->intersected(pixmap.rect());
  if (source.isEmpty()) return false;
  painter.save();
  painter.setOpacity(painter.opacity() * image.fade / 255.0);
  painter.drawPixmap(target, pixmap, source);
  painter.restore();
  return true;
}

void DrawTintedImage(QPainter& painter, const QRect& rect, const std::string& image, uint32_t rgb, int opacity) {
  QColor color(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>(rgb & 0xFF));
  painter.save();
  painter.setOpacity(painter.opacity() * std::clamp(opacity, 0, 255) / 255.0);
  ImageDescription description = ParseImageDescription(image);
  QPixmap pixmap = description.file.empty() ? QPixmap() : CResourceManager::Instance().GetImage(description.file);
  if (pixmap.isNull()) {
    painter.fillRect(rect, color);
  } else {
    // The image gives the shape (its alpha); the colour comes from the LED.
    QPixmap tinted(pixmap.size());
    tinted.fill(Qt::transparent);
    QPainter mask(&tinted);
    mask.drawPixmap(0, 0, pixmap);
    mask.setCompositionMode(QPainter::CompositionMode_SourceIn);
    mask.fillRect(tinted.rect(), color);
    mask.end();
    QRect source = description.source ? description.source->intersected(tinted.rect()) : tinted.rect();
    painter.drawPixmap(description.dest ? description.dest->translated(rect.topLeft()) : rect, tinted, source);
  }
  painter.restore();
}

}  // namespace tarn
