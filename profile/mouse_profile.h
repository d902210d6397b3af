#pragma once
// The mouse's profile document: DPI stages, pointer settings, report rate and
// the correction list.
#include <vector>

#include "profile/basic_profile.h"

namespace tarn {

class CMouseProfiledata : public CBasicProfiledata {
 public:
  // Reading merges the document's stages into the held list by position and
  // never shrinks it: stages the document lacks keep their held values.
  std::vector<DPIStage> GetDPIStages();
  void SetDPIStages(const std::vector<DPIStage>& stages);
  int GetActiveDPIStage() const { return m_nActiveStage; }
  void SetActiveDPIStage(int stage);

  // Words (DoubleClickTime, MouseSpeed), (PointerPrecision, ScorllPage),
  // (WheelScorlllinse, report-rate choice), low half first.
  StageWords GetMouseStages();
  void SetMouseStages(uint32_t w0, uint32_t w1, uint32_t w2);

  std::vector<CorrectRecord> GetCorrectInfo();

  const std::vector<DPIStage>& CurrentDPIStages() const { return m_dpiStages; }

 private:
  std::vector<DPIStage> m_dpiStages;
  int m_nActiveStage = 0;
  StageWords m_mouseStages{};
  std::vector<CorrectRecord> m_correctList;
};

}  // namespace tarn
