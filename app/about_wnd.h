#pragma once
// The about box ("AboutWnd.xml"): the software version.
#include <string>

#include "ui/window.h"

namespace tarn {

constexpr const char* kSoftwareVersion = "V1.0.0.0";

class CAboutWnd : public CWindowUI {
 public:
  std::string GetSkinFile() const override { return "AboutWnd.xml"; }
  std::string GetWindowClassName() const override { return "AboutWnd"; }
  void InitWindow() override;
  void Notify(TNotifyUI& msg) override;
  bool HandleMessage(uint32_t message, int64_t wParam, int64_t lParam) override;
  // Re-reads the version label in the current language.
  void ShowVersion();
};

// Opens the about box modal, unless one is open already (then nothing).
// Returns when the box is closed.
void ShowAbout(QWidget* owner);
// The open about box, if any.
CAboutWnd* OpenAboutWnd();

}  // namespace tarn
