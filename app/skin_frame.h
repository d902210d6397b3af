#pragma once
// The skin chooser ("skin.xml"): a pop-up under the "skinbtn" button that
// changes the main window's background to a preset image, a preset colour,
// the default image or an image file of the user's.
#include <functional>
#include <string>

#include "ui/window.h"

namespace tarn {

constexpr const char* kDefaultBackground = "common/background.png";
constexpr const char* kSkinSettingsName = "main.ini";

// "main.ini" in the "Tarn" data folder.
std::string SkinSettingsPath();

class CSkinFrame : public CWindowUI {
 public:
  explicit CSkinFrame(CControlUI* anchor);
  std::string GetSkinFile() const override { return "skin.xml"; }
  std::string GetWindowClassName() const override { return "UISkinFrame"; }
  void InitWindow() override;
  void Notify(TNotifyUI& msg) override;

  // Opens a chooser under the anchor; it deletes itself when closed.
  static CSkinFrame* Open(CControlUI* anchor);
  // Test hook for "skin_Custom": returns the chosen image ("" = cancel).
  static void SetImageDialogHook(std::function<std::string()> hook);

 private:
  void WriteSkinSettings(const std::string& flags, const std::string& image);
  CControlUI* m_pAnchor;
};

}  // namespace tarn
