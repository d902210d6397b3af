#include "ui/controls/hand_img_button.h"

#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>
#include <map>

#include "ui/controls/image_description.h"
#include "ui/resource_manager.h"
#include "ui/ui_string.h"

namespace tarn {
namespace {

void PaintLook(QAbstractButton* button, QStylePainter& painter) {
  QStyleOptionButton option;
  option.initFrom(button);
  option.state |= button->isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
  if (button->isChecked()) option.state |= QStyle::State_On;
  painter.drawPrimitive(QStyle::PE_Widget, option);
  painter.drawControl(QStyle::CE_PushButtonBevel, option);
}

}  // namespace

// ---- CHandImgButtonUI ----

bool CHandImgButtonUI::SetAttribute(const std::string& name, const std::string& value) {
  std::string key = MakeLower(name);
  if (key == "handimage") {
    m_sHandImage = value;
    update();
  } else if (key == "deletenormalimage") {
    m_sDeleteNormalImage = value;
  } else if (key == "deletehotimage") {
    m_sDeleteHotImage = value;
  } else {
    return CButtonUI::SetAttribute(name, value);
  }
  CControlUI::SetAttribute(name, value);
  return true;
}

void CHandImgButtonUI::paintEvent(QPaintEvent* event) {
  CButtonUI::paintEvent(event);
  if (m_sHandImage.empty()) return;
  QPainter painter(this);
  DrawImageDescription(painter, rect(), ParseImageDescription(m_sHandImage));
}

void CHandImgButtonUI::enterEvent(QEnterEvent* event) {
  CButtonUI::enterEvent(event);
  if (isEnabled()) SendNotify("msenter");
}

void CHandImgButtonUI::leaveEvent(QEvent* event) {
  CButtonUI::leaveEvent(event);
  if (isEnabled()) SendNotify("msleave");
}

// ---- CHandImgSelectButtonUI ----

bool CHandImgSelectButtonUI::SetAttribute(const std::string& name, const std::string& value) {
  std::string key = MakeLower(name);
  if (key == "handimage") {
    LoadHandImage(value);
  } else if (key == "cursor") {
    static const std::map<std::string, Qt::CursorShape> kCursors = {
        {"arrow", Qt::ArrowCursor},        {"ibeam", Qt::IBeamCursor},     {"wait", Qt::WaitCursor},
        {"cross", Qt::CrossCursor},        {"uparrow", Qt::UpArrowCursor}, {"size", Qt::SizeAllCursor},
        {"icon", Qt::ArrowCursor},         {"sizenwse", Qt::SizeFDiagCursor}, {"sizenesw", Qt::SizeBDiagCursor},
        {"sizewe", Qt::SizeHorCursor},     {"sizens", Qt::SizeVerCursor},  {"sizeall", Qt::SizeAllCursor},
        {"no", Qt::ForbiddenCursor},       {"hand", Qt::PointingHandCursor}};
    auto found = kCursors.find(MakeLower(value));
    if (found == kCursors.end()) return CButtonUI::SetAttribute(name, value);
    setCursor(found->second);
  } else {
    return CButtonUI::SetAttribute(name, value);
  }
  CControlUI::SetAttribute(name, value);
  return true;
}

void CHandImgSelectButtonUI::LoadHandImage(const std::string& image) {
  m_sHandImage = image;
  m_sWholeImage = image;
  QPixmap pixmap = CResourceManager::Instance().GetImage(ParseImageDescription(image).file);
  m_nImageWidth = pixmap.isNull() ? 0 : pixmap.width();
  m_nImageHeight = pixmap.isNull() ? 0 : pixmap.height();
  int width = GetFixedWidth() > 0 ? GetFixedWidth() : this->width();
  int height = GetFixedHeight() > 0 ? GetFixedHeight() : this->height();
  if (m_nImageWidth > width || m_nImageHeight > height) {
    m_rcSource = QRect(0, 0, std::min(width, m_nImageWidth), std::min(height, m_nImageHeight));
    RebuildImageString();
  } else {
    m_rcSource = QRect(0, 0, m_nImageWidth, m_nImageHeight);
    m_sImage = m_sWholeImage;
  }
  update();
}

void CHandImgSelectButtonUI::RebuildImageString() {
  m_sImage = StringFormat("file='%s' ", ParseImageDescription(m_sHandImage).file.c_str()) +
             StringFormat("source='%d,%d,%d,%d'", m_rcSource.x(), m_rcSource.y(), m_rcSource.x() + m_rcSource.width(),
                          m_rcSource.y() + m_rcSource.height());
}

void CHandImgSelectButtonUI::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  PaintLook(this, painter);
  if (!m_sImage.empty()) DrawImageDescription(painter, rect(), ParseImageDescription(m_sImage));
}

void CHandImgSelectButtonUI::mousePressEvent(QMouseEvent* event) {
  CButtonUI::mousePressEvent(event);
  if (!isEnabled() || event->button() != Qt::LeftButton) return;
  m_ptLast = event->position().toPoint();
  m_bPressed = true;
  m_bMoved = false;
}

void CHandImgSelectButtonUI::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void CHandImgSelectButtonUI::mouseMoveEvent(QMouseEvent* event) {
  CButtonUI::mouseMoveEvent(event);
  if (!m_bPressed) return;
  QPoint point = event->position().toPoint();
  QPoint delta = m_ptLast - point;  // the picture moves against the mouse
  m_ptLast = point;
  if (m_rcSource.isEmpty() || m_sImage == m_sWholeImage) return;
  // The window onto the image stays inside the image on every side.
  int x = std::clamp(m_rcSource.x() + delta.x(), 0, std::max(0, m_nImageWidth - m_rcSource.width()));
  int y = std::clamp(m_rcSource.y() + delta.y(), 0, std::max(0, m_nImageHeight - m_rcSource.height()));
  if (x == m_rcSource.x() && y == m_rcSource.y()) return;
  m_rcSource.moveTo(x, y);
  m_bMoved = true;
  RebuildImageString();
  update();
}

void CHandImgSelectButtonUI::mouseReleaseEvent(QMouseEvent* event) {
  CButtonUI::mouseReleaseEvent(event);
  m_bPressed = false;
}

void CHandImgSelectButtonUI::enterEvent(QEnterEvent* event) {
  CButtonUI::enterEvent(event);
  if (isEnabled()) SendNotify("msenter");
}

void CHandImgSelectButtonUI::leaveEvent(QEvent* event) {
  CButtonUI::leaveEvent(event);
  if (isEnabled()) SendNotify("msleave");
}

}  // namespace tarn
