#pragma once
// Image buttons: CHandImgButtonUI draws a "hand" image over its look;
// CHandImgSelectButtonUI shows a window onto an image larger than itself
// that the user drags around. Both report the pointer entering and leaving
// ("msenter", "msleave").
#include <QPoint>
#include <QRect>

#include <string>

#include "ui/basic_controls.h"

namespace tarn {

class CHandImgButtonUI : public CButtonUI {
 public:
  static constexpr const char* kClassName = "HandImgButton";
  std::string GetClass() const override { return kClassName; }
  bool SetAttribute(const std::string& name, const std::string& value) override;
  const std::string& GetHandImage() const { return m_sHandImage; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  std::string m_sHandImage;
  std::string m_sDeleteNormalImage;
  std::string m_sDeleteHotImage;
};

class CHandImgSelectButtonUI : public CButtonUI {
 public:
  static constexpr const char* kClassName = "HandImgSelectButton";
  std::string GetClass() const override { return kClassName; }
  bool SetAttribute(const std::string& name, const std::string& value) override;

  // What is drawn: the whole image, or "file='...' source='l,t,r,b'".
  const std::string& GetImageString() const { return m_sImage; }
  // The visible part of the image (right and bottom exclusive).
  QRect GetSourceRect() const { return m_rcSource; }
  QSize GetImageSize() const { return {m_nImageWidth, m_nImageHeight}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void LoadHandImage(const std::string& image);
  void RebuildImageString();

  std::string m_sImage;
  std::string m_sHandImage;
  std::string m_sWholeImage;
  QRect m_rcSource;
  int m_nImageWidth = 0;
  int m_nImageHeight = 0;
  QPoint m_ptLast;
  bool m_bPressed = false;
  bool m_bMoved = false;
};

}  // namespace tarn
