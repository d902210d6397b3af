#pragma once
// A key of a device picture: the button's own look, then an overlay in the
// key's LED colour, then a mark while the key does something other than its
// factory function. A drag on the surrounding select panel sets its band
// selection.
#include <cstdint>
#include <string>

#include "ui/basic_controls.h"

namespace tarn {

class CDeviceKeyButtonUI : public CButtonUI {
 public:
  static constexpr const char* kClassName = "DeviceKeyButton";
  // Red, the colour a fresh button's overlay has.
  static constexpr uint32_t kInitialLightColor = 0xFF0000;

  CDeviceKeyButtonUI();
  std::string GetClass() const override { return kClassName; }
  bool SetAttribute(const std::string& name, const std::string& value) override;

  const std::string& GetLightImage() const { return m_sLightImage; }
  const std::string& GetKeySetImage() const { return m_sKeySetImage; }

  // Colour 0xRRGGBB, opacity 0-255. No repaint: the caller repaints the
  // buttons it changed, so a whole frame of LEDs costs one pass.
  void SetLightOverlay(uint32_t color, int opacity, bool shown);
  uint32_t GetLightColor() const { return m_dwLightColor; }
  int GetLightOpacity() const { return m_nLightOpacity; }
  bool IsLightShown() const { return m_bLightShown; }

  // 1: the key does its factory function (no mark). Repaints on a change.
  void SetDefaultFlag(int flag);
  int GetDefaultFlag() const { return m_nDefaultFlag; }

  void SetBandSelected(bool selected) { m_nBandSelected = selected ? 1 : 0; }
  bool IsBandSelected() const { return m_nBandSelected != 0; }

  uint32_t GetNameTextColor() const { return m_dwNameTextColor; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool HandleDoubleClick(QMouseEvent* event) override;

 private:
  std::string m_sLightImage;
  std::string m_sKeySetImage;
  int m_nDefaultFlag = 1;
  bool m_bLightShown = false;
  uint32_t m_dwLightColor = kInitialLightColor;
  int m_nLightOpacity = 200;
  int m_nBandSelected = 0;
  uint32_t m_dwNameTextColor = 0;
};

}  // namespace tarn
