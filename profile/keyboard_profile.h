#pragma once
// The keyboard's profile document: the shared sections plus the keyboard
// settings ("SystemStages") and the custom per-key colours.
#include <vector>

#include "profile/basic_profile.h"

namespace tarn {

class CKeyboardProfiledata : public CBasicProfiledata {
 public:
  // Words (Repeat, RepeatDelay), (Key6Flag, PollingRate), (WFlag, WinFlag),
  // low half first.
  StageWords GetKeyboardStages();
  void SetKeyboardStages(uint32_t w0, uint32_t w1, uint32_t w2);

  // count colours of a custom group. Positions the document lacks read as
  // black and are written into it as black, so the group is complete after.
  std::vector<LightColor> GetCustomLightColors(int group, int count);
  void SetCustomLightColors(const std::vector<LightColor>& colors, int group);
  int GetCustomLightGroup();
  void SetCustomLightGroup(int group);

  const StageWords& CurrentKeyboardStages() const { return m_keyboardStages; }
  const std::vector<LightColor>& CurrentCustomLightColors() const { return m_customColors; }

 private:
  StageWords m_keyboardStages{};
  std::vector<LightColor> m_customColors;
  int m_nCustomGroup = 0;
};

}  // namespace tarn
