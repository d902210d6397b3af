#pragma once
// A strip of level bars: up to 500 one-pixel bars, two pixels apart, each as
// high as its value over 8192 of the control's height.
#include <deque>
#include <string>

#include "ui/control.h"

namespace tarn {

class CAudioRecordUI : public CControlImpl<QWidget> {
 public:
  static constexpr const char* kClassName = "AudioRecord";
  static constexpr size_t kMaxBars = 500;
  static constexpr int kFullScale = 8192;

  std::string GetClass() const override { return kClassName; }
  // Appends a level; the oldest falls off past 500.
  void AddValue(int value);
  void Clear();
  const std::deque<int>& Values() const { return m_values; }
  // Height in pixels of a bar of this value in a control of this height.
  static int BarHeight(int value, int controlHeight);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::deque<int> m_values;
};

}  // namespace tarn
