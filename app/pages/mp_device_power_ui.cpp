#include "app/pages/mp_device_power_ui.h"

#include <algorithm>
#include <cstring>

#include "ui/input_controls.h"
#include "ui/ui_string.h"
#include "ui/window.h"

namespace tarn {

CControlUI* CMpDevicePowerUI::Child(const char* name) { return FindSubControl(name); }

void CMpDevicePowerUI::SetKind(int type, int role) {
  m_nDeviceType = type;
  m_nRole = role;
}

void CMpDevicePowerUI::ShowPower(bool on) {
  if (CControlUI* layout = Child("device_power_Layout")) layout->SetVisible(on);
}

void CMpDevicePowerUI::SetPowerStatus(const uint8_t* block, size_t length) {
  uint8_t status[64] = {};
  if (block) std::memcpy(status, block, std::min<size_t>(length, sizeof status));
  // A level above 100 is a device's glitch; the bar and text cannot go past full.
  const int level = std::min<int>(status[0], 100);
  auto* progress = dynamic_cast<CProgressUI*>(Child("device_Power_progress"));
  if (progress) progress->SetValue(100 - level);
  if (CControlUI* value = Child("device_power_value")) {
    value->SetResourceText(false);
    value->SetText(StringFormat("%d%s", level, "%"));
  }
  if (m_nDeviceType == 1 || m_nDeviceType == 2) {
    if (CControlUI* logo = Child("device_wuxian_logo")) logo->SetVisible(status[3] != 0);
  }
  CControlUI* state = Child("device_power_status");
  auto show = [&](bool bar, const char* image) {
    if (progress) progress->SetVisible(bar);
    if (state) state->SetBkImage(image);
  };
  switch (status[1]) {
    case 0: show(true, "file='power/powered.png'"); break;
    case 1:
      if (status[3] != 0)
        show(false, "file='power/wuxian_powering.png'");
      else
        show(true, "file='power/powering.png'");
      break;
    case 2: show(true, "file='power/power.png'"); break;
    default: break;
  }
  if (m_nDeviceType == 3) {
    if (CControlUI* phone = Child("device_phone_type")) {
      static const char* const kTips[] = {"Phone_type_no_device", "Phone_type_iphone", "Phone_type_samsung",
                                          "Phone_type_other"};
      const int kind = status[5] >= 1 && status[5] <= 3 ? status[5] : 0;
      phone->SetToolTip(kTips[kind]);
      phone->SetBkImage(std::string("file='power/") + kTips[kind] + ".png'");
    }
  }
}

}  // namespace tarn
