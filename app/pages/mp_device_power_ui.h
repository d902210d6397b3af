#pragma once
// A device's power element: battery level and bar, charging state, the
// wireless logo and, for mouse pads, the phone lying on the pad.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/container.h"

namespace tarn {

class CMpDevicePowerUI : public CHorizontalLayoutUI {
 public:
  std::string GetClass() const override { return "MpDevicePower"; }

  void SetKind(int type, int role);
  int GetDeviceType() const { return m_nDeviceType; }
  int GetRole() const { return m_nRole; }
  void ShowPower(bool on);
  // The power status block (at most 64 bytes are taken): byte 0 level,
  // byte 1 charging state, byte 3 wireless, byte 5 the pad's phone.
  void SetPowerStatus(const uint8_t* block, size_t length);

 private:
  CControlUI* Child(const char* name);

  int m_nDeviceType = 0;
  int m_nRole = 0;
};

}  // namespace tarn
