#include "profile/headset_profile.h"

#include "profile/json_file.h"

namespace tarn {

namespace {

const char* const kStageKeys[8] = {"MagicEnable", "MagicType",        "EqType",          "CustomEqSeletIndex",
                                   "MicInSelect", "MicInValue",       "MicMoniterSelect", "MicMoniterValue"};

bool WritableIndex(int index) { return index >= 0 && static_cast<unsigned>(index) <= CBasicProfiledata::kMaxWriteIndex; }

}  // namespace

AudioStages CRo6533Profiledata::GetAudioStages() {
  AudioStages stages{};
  const Json::Value& set = JsonMember(m_section, "SystemSetStages");
  for (size_t i = 0; i < stages.size(); ++i) stages[i] = JsonInt(set, kStageKeys[i]);
  m_audioStages = stages;
  return stages;
}

void CRo6533Profiledata::SetAudioStages(const AudioStages& stages) {
  m_audioStages = stages;
  Json::Value& set = JsonObjectMember(m_section, "SystemSetStages");
  if (!set.isObject()) set = Json::Value(Json::objectValue);
  for (size_t i = 0; i < stages.size(); ++i) set[kStageKeys[i]] = stages[i];
}

int CRo6533Profiledata::PresetArrayIndex(int preset) {
  if (preset == kCustomPreset) return -1;
  if (preset >= 1 && preset <= 12) return preset;
  return 1;
}

std::vector<int32_t> CRo6533Profiledata::ReadBands(const char* key, int index) {
  std::vector<int32_t> values(kBandCount, 0);
  if (!WritableIndex(index)) return values;
  Json::Value& bands = JsonArrayElement(JsonObjectMember(m_section, key), static_cast<Json::ArrayIndex>(index));
  if (!bands.isArray()) bands = Json::Value(Json::arrayValue);
  for (int b = 0; b < kBandCount; ++b) {
    Json::Value& band = bands[static_cast<Json::ArrayIndex>(b)];
    if (!band.isObject()) band = Json::Value(Json::objectValue);
    Json::Value& value = band["value"];
    if (value.isNull()) value = 0;  // complete the preset in the document
    values[static_cast<size_t>(b)] = JsonAsInt(value);
  }
  m_bandValues = values;
  return values;
}

void CRo6533Profiledata::WriteBands(const char* key, int index, const std::vector<int32_t>& values) {
  if (!WritableIndex(index)) return;
  Json::Value& bands = JsonArrayElement(JsonObjectMember(m_section, key), static_cast<Json::ArrayIndex>(index));
  for (int b = 0; b < kBandCount && b < static_cast<int>(values.size()); ++b)
    JsonObjectMember(JsonArrayElement(bands, static_cast<Json::ArrayIndex>(b)), "value") = values[static_cast<size_t>(b)];
  m_bandValues = values;
  m_bandValues.resize(kBandCount, 0);
}

std::vector<int32_t> CRo6533Profiledata::GetEQValues(int preset) {
  int index = PresetArrayIndex(preset);
  if (index < 0) return m_bandValues;
  return ReadBands("EQHzValueInfo", index);
}

void CRo6533Profiledata::SetEQValues(int preset, const std::vector<int32_t>& values) {
  int index = PresetArrayIndex(preset);
  if (index < 0) return;
  WriteBands("EQHzValueInfo", index, values);
}

std::vector<int32_t> CRo6533Profiledata::GetCustomEQValues(int n) { return ReadBands("CustomEQHzValueInfo", n); }

void CRo6533Profiledata::SetCustomEQValues(int n, const std::vector<int32_t>& values) {
  WriteBands("CustomEQHzValueInfo", n, values);
}

std::vector<std::string> CRo6533Profiledata::GetCustomEQNames() {
  const Json::Value& list = JsonMember(m_section, "CustomEQNameInfo");
  std::vector<std::string> names(JsonArraySize(list));
  for (Json::ArrayIndex i = 0; i < names.size(); ++i) names[i] = JsonString(list[i], "Name");
  return names;
}

void CRo6533Profiledata::SetCustomEQNames(const std::vector<std::string>& names) {
  Json::Value list(Json::arrayValue);
  for (const std::string& name : names) {
    Json::Value e(Json::objectValue);
    e["Name"] = name;
    list.append(e);
  }
  JsonObjectMember(m_section, "CustomEQNameInfo") = list;
}

}  // namespace tarn
