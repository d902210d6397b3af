#pragma once
// Image descriptions as layouts write them: either a plain file name or
// attributes such as "file='key.png' source='0,0,40,40' fade='128'".
// The own controls draw images of both forms through this.
#include <QPainter>
#include <QRect>

#include <cstdint>
#include <optional>
#include <string>

namespace tarn {

struct ImageDescription {
  std::string file;              // "file" or "res"; a plain name is the file
  std::string resType;           // "restype"
  std::optional<QRect> dest;     // "dest": where in the control (l,t,r,b)
  std::optional<QRect> source;   // "source": part of the image (l,t,r,b)
  std::optional<QRect> corner;   // "corner": kept, not stretched specially
  uint32_t mask = 0;             // "mask" (hexadecimal, '#' optional)
  int fade = 255;                // "fade" 0-255
  bool hole = false;             // "hole='true'"
  bool xtiled = false;
  bool ytiled = false;
  std::string hsl;
};

// Reads a description. A string without "='" is a plain file name.
ImageDescription ParseImageDescription(const std::string& text);

// "l,t,r,b" into a rectangle with exclusive right and bottom; false when the
// text does not hold four numbers.
bool ParseLtrb(const std::string& text, QRect& rect);

// Draws the image into rect (or its "dest" inside rect) at its fade.
// false when the image cannot be read.
bool DrawImageDescription(QPainter& painter, const QRect& rect, const ImageDescription& image);

// Draws the image recoloured: its alpha kept, its colour replaced by
// rgb (0xRRGGBB), the whole at opacity 0-255. Without an image the rectangle
// is filled with the colour at that opacity.
void DrawTintedImage(QPainter& painter, const QRect& rect, const std::string& image, uint32_t rgb, int opacity);

}  // namespace tarn
