#pragma once
// The macro editor's record button: while recording, its record image
// pulses between faint and full every 50 ms.
#include <QTimer>

#include <string>

#include "ui/basic_controls.h"

namespace tarn {

class CRedioMacroButtonUI : public CButtonUI {
 public:
  static constexpr const char* kClassName = "RedioMacroButton";
  static constexpr int kPulseTimerId = 100;
  static constexpr int kPulseMs = 50;

  CRedioMacroButtonUI();
  std::string GetClass() const override { return kClassName; }
  bool SetAttribute(const std::string& name, const std::string& value) override;

  // Starts or stops the pulse (timer 100 at 50 ms).
  void StartPulse();
  void StopPulse();
  bool IsPulsing() const { return m_bPulsing; }
  // One tick of the pulse timer.
  void OnPulseTimer();

  int GetFade() const { return m_nFade; }
  // "res='<record image>' fade='<fade>'" after a tick; empty before.
  const std::string& GetImageString() const { return m_sImage; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::string m_sRedioImage;
  std::string m_sImage;
  int m_nFade = 255;
  bool m_bRising = false;
  bool m_bPulsing = false;
  QTimer m_timer;
};

}  // namespace tarn
