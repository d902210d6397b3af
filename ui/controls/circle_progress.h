#pragma once
// A ring-shaped progress indicator: a full circle in the background colour,
// a pie from the top in the foreground colour, and a white middle.
#include <string>

#include "ui/input_controls.h"

namespace tarn {

// The pie's sweep in degrees: (value - minimum) / (maximum - minimum) * 360,
// clamped to 0..360; 0 when maximum <= minimum.
double CircleSweepDegrees(int value, int minimum, int maximum);

class CCircleProgressUI : public CProgressUI {
 public:
  static constexpr const char* kClassName = "CircleProgress";
  std::string GetClass() const override { return kClassName; }
  bool SetAttribute(const std::string& name, const std::string& value) override;
  uint32_t GetForeColor() const { return m_dwForeColor; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  uint32_t m_dwForeColor = 0xFF00A0FF;
};

}  // namespace tarn
