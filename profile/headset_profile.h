#pragma once
// The headset's profile document: audio settings, equaliser presets and the
// user's custom equalisers.
#include <array>
#include <string>
#include <vector>

#include "profile/basic_profile.h"

namespace tarn {

using AudioStages = std::array<int32_t, 8>;  // in "SystemSetStages" order

class CRo6533Profiledata : public CBasicProfiledata {
 public:
  static constexpr int kBandCount = 10;
  static constexpr int kCustomPreset = 13;  // kept in "CustomEQHzValueInfo"

  AudioStages GetAudioStages();
  void SetAudioStages(const AudioStages& stages);

  // Preset p lives at "EQHzValueInfo"[p] for p = 1..12 and at index 1 for
  // preset 0 and presets above 13. Preset 13 is the custom equaliser: these
  // two do nothing for it and the getter returns the held values. The getter
  // writes 0 into the document for every band it lacks.
  std::vector<int32_t> GetEQValues(int preset);
  void SetEQValues(int preset, const std::vector<int32_t>& values);
  static int PresetArrayIndex(int preset);  // -1 for the custom preset

  std::vector<std::string> GetCustomEQNames();
  void SetCustomEQNames(const std::vector<std::string>& names);
  std::vector<int32_t> GetCustomEQValues(int n);
  void SetCustomEQValues(int n, const std::vector<int32_t>& values);

 private:
  std::vector<int32_t> ReadBands(const char* key, int index);
  void WriteBands(const char* key, int index, const std::vector<int32_t>& values);

  AudioStages m_audioStages{};
  std::vector<int32_t> m_bandValues = std::vector<int32_t>(kBandCount, 0);
};

}  // namespace tarn
