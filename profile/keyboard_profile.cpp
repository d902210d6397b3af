#include "profile/keyboard_profile.h"

#include "profile/json_file.h"

namespace tarn {

namespace {

Json::Value ColorValue(const LightColor& c) {
  Json::Value v(Json::objectValue);
  v["Red"] = c.red;
  v["Green"] = c.green;
  v["Blue"] = c.blue;
  v["Alpha"] = c.alpha;
  return v;
}

bool WritableIndex(int index) { return index >= 0 && static_cast<unsigned>(index) <= CBasicProfiledata::kMaxWriteIndex; }

}  // namespace

StageWords CKeyboardProfiledata::GetKeyboardStages() {
  const Json::Value& stages = JsonMember(m_section, "SystemStages");
  StageWords words{};
  if (!stages.isNull()) {
    words[0] = PackStageWord(JsonWord(stages, "Repeat"), JsonWord(stages, "RepeatDelay"));
    words[1] = PackStageWord(JsonWord(stages, "Key6Flag"), JsonWord(stages, "PollingRate"));
    words[2] = PackStageWord(JsonWord(stages, "WFlag"), JsonWord(stages, "WinFlag"));
  }
  m_keyboardStages = words;
  return words;
}

void CKeyboardProfiledata::SetKeyboardStages(uint32_t w0, uint32_t w1, uint32_t w2) {
  m_keyboardStages = {w0, w1, w2};
  Json::Value& stages = JsonObjectMember(m_section, "SystemStages");
  if (!stages.isObject()) stages = Json::Value(Json::objectValue);
  stages["Repeat"] = StageLow(w0);
  stages["RepeatDelay"] = StageHigh(w0);
  stages["Key6Flag"] = StageLow(w1);
  stages["PollingRate"] = StageHigh(w1);
  stages["WFlag"] = StageLow(w2);
  stages["WinFlag"] = StageHigh(w2);
}

std::vector<LightColor> CKeyboardProfiledata::GetCustomLightColors(int group, int count) {
  std::vector<LightColor> colors;
  if (!WritableIndex(group) || count < 0) {
    m_customColors = colors;
    return colors;
  }
  if (count > static_cast<int>(kMaxWriteIndex) + 1) count = static_cast<int>(kMaxWriteIndex) + 1;
  colors.resize(static_cast<size_t>(count));
  Json::Value& groups = JsonObjectMember(JsonObjectMember(m_section, "CustomLightMode"), "LightColorInfo");
  Json::Value& list = JsonArrayElement(groups, static_cast<Json::ArrayIndex>(group));
  if (!list.isArray()) list = Json::Value(Json::arrayValue);
  for (int i = 0; i < count; ++i) {
    Json::Value& c = list[static_cast<Json::ArrayIndex>(i)];
    if (!c.isObject()) {
      c = ColorValue(LightColor{});  // fill the gap so the group is whole
      continue;
    }
    colors[static_cast<size_t>(i)] = {JsonByte(c, "Red"), JsonByte(c, "Green"), JsonByte(c, "Blue"), JsonByte(c, "Alpha")};
  }
  m_customColors = colors;
  return colors;
}

void CKeyboardProfiledata::SetCustomLightColors(const std::vector<LightColor>& colors, int group) {
  m_customColors = colors;
  if (!WritableIndex(group)) return;
  Json::Value& groups = JsonObjectMember(JsonObjectMember(m_section, "CustomLightMode"), "LightColorInfo");
  Json::Value& list = JsonArrayElement(groups, static_cast<Json::ArrayIndex>(group));
  for (size_t i = 0; i < colors.size() && i <= kMaxWriteIndex; ++i)
    JsonArrayElement(list, static_cast<Json::ArrayIndex>(i)) = ColorValue(colors[i]);
}

int CKeyboardProfiledata::GetCustomLightGroup() {
  m_nCustomGroup = JsonInt(JsonMember(m_section, "CustomLightMode"), "CustomLightModeGroupIndex");
  return m_nCustomGroup;
}

void CKeyboardProfiledata::SetCustomLightGroup(int group) {
  m_nCustomGroup = group;
  JsonObjectMember(JsonObjectMember(m_section, "CustomLightMode"), "CustomLightModeGroupIndex") = group;
}

}  // namespace tarn
