#include "profile/mouse_profile.h"

#include "profile/json_file.h"

namespace tarn {

std::vector<DPIStage> CMouseProfiledata::GetDPIStages() {
  const Json::Value& dpi = JsonMember(m_section, "DPIStages");
  if (dpi.isNull()) return m_dpiStages;
  m_nActiveStage = JsonInt(dpi, "StageActive");
  const Json::Value& stages = JsonMember(dpi, "StageDPIs");
  for (Json::ArrayIndex j = 0; j < JsonArraySize(stages); ++j) {
    const Json::Value& e = stages[j];
    DPIStage s;
    s.active = JsonByte(e, "StageActive");
    s.xy = JsonByte(e, "StageXY");
    s.dpiX = JsonWord(e, "StageDPIX");
    s.dpiY = JsonWord(e, "StageDPIY");
    s.colorR = JsonByte(e, "StageColorR");
    s.colorG = JsonByte(e, "StageColorG");
    s.colorB = JsonByte(e, "StageColorB");
    if (j < m_dpiStages.size())
      m_dpiStages[j] = s;
    else
      m_dpiStages.push_back(s);
  }
  return m_dpiStages;
}

void CMouseProfiledata::SetDPIStages(const std::vector<DPIStage>& stages) {
  m_dpiStages = stages;
  Json::Value& list = JsonObjectMember(JsonObjectMember(m_section, "DPIStages"), "StageDPIs");
  for (size_t i = 0; i < stages.size() && i <= kMaxWriteIndex; ++i) {
    const DPIStage& s = stages[i];
    Json::Value v(Json::objectValue);
    v["StageActive"] = s.active;
    v["StageColorB"] = s.colorB;
    v["StageColorG"] = s.colorG;
    v["StageColorR"] = s.colorR;
    v["StageXY"] = s.xy;
    v["StageDPIX"] = s.dpiX;
    v["StageDPIY"] = s.dpiY;
    JsonArrayElement(list, static_cast<Json::ArrayIndex>(i)) = v;
  }
}

void CMouseProfiledata::SetActiveDPIStage(int stage) {
  m_nActiveStage = stage;
  JsonObjectMember(JsonObjectMember(m_section, "DPIStages"), "StageActive") = stage;
}

StageWords CMouseProfiledata::GetMouseStages() {
  StageWords words{};
  const Json::Value& stages = JsonMember(m_section, "SystemStages");
  if (!stages.isNull()) {
    words[0] = PackStageWord(JsonWord(stages, "DoubleClickTime"), JsonWord(stages, "MouseSpeed"));
    words[1] = PackStageWord(JsonWord(stages, "PointerPrecision"), JsonWord(stages, "ScorllPage"));
    uint16_t report = 0;
    const Json::Value& rate = JsonMember(m_section, "ReportStages");
    if (!rate.isNull()) report = JsonWord(rate, "StageActive");
    words[2] = PackStageWord(JsonWord(stages, "WheelScorlllinse"), report);
  }
  m_mouseStages = words;
  return words;
}

void CMouseProfiledata::SetMouseStages(uint32_t w0, uint32_t w1, uint32_t w2) {
  m_mouseStages = {w0, w1, w2};
  Json::Value& stages = JsonObjectMember(m_section, "SystemStages");
  if (!stages.isObject()) stages = Json::Value(Json::objectValue);
  stages["DoubleClickTime"] = StageLow(w0);
  stages["MouseSpeed"] = StageHigh(w0);
  stages["PointerPrecision"] = StageLow(w1);
  stages["ScorllPage"] = StageHigh(w1);
  stages["WheelScorlllinse"] = StageLow(w2);
  JsonObjectMember(JsonObjectMember(m_section, "ReportStages"), "StageActive") = StageHigh(w2);
}

std::vector<CorrectRecord> CMouseProfiledata::GetCorrectInfo() {
  const Json::Value& list = JsonMember(m_section, "CorrectInfo");
  std::vector<CorrectRecord> records(JsonArraySize(list));
  for (Json::ArrayIndex i = 0; i < records.size(); ++i) {
    const Json::Value& e = list[i];
    records[i].pixThresh = JsonByte(e, "CorrectPixThresh");
    records[i].minSq = JsonByte(e, "CorrectMinSq");
    records[i].select = JsonByte(e, "CorrectSelect");
    records[i].name = JsonString(e, "CorrectName");
  }
  m_correctList = records;
  return records;
}

}  // namespace tarn
