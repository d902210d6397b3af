#include "profile/basic_profile.h"

#include "platform/debug_output.h"
#include "platform/paths.h"
#include "profile/json_file.h"
#include "profile/profile_file.h"

namespace tarn {

namespace {

// The section of a profile root, or null.
const Json::Value& SectionOf(const Json::Value& root, int index) {
  return JsonElement(JsonMember(root, "Device"), static_cast<Json::ArrayIndex>(index));
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

// ---- Files ----------------------------------------------------------------

int CBasicProfiledata::Save() { return SaveSection(m_section, m_strProfilePath); }

int CBasicProfiledata::SaveSection(const Json::Value& value, const std::string& path) {
  if (path.empty()) return 1;
  Json::Value root;
  if (!ReadJsonObjectForUpdate(path, root)) return 2;
  JsonArrayElement(JsonObjectMember(root, "Device"), static_cast<Json::ArrayIndex>(m_nDeviceIndex)) = value;
  return WriteJson(root, path);
}

int CBasicProfiledata::SaveOtherTo(const std::string& path) { return SaveSection(m_otherSection, path); }

int CBasicProfiledata::WriteJson(const Json::Value& value, const std::string& path) {
  return WriteJsonFile(value, path);
}

Json::Value CBasicProfiledata::LoadInto(Json::Value& section, const std::string& path) {
  Json::Value root = ReadJsonFile(path);
  section = SectionOf(root, m_nDeviceIndex);
  if (!section.isObject()) {
    // Missing (or not a section at all): take the default profile's section
    // and write the completed file back at once.
    section = SectionOf(ReadJsonFile(m_strDefaultProfilePath), m_nDeviceIndex);
    if (!section.isNull() && !path.empty()) {
      Json::Value update;
      if (ReadJsonObjectForUpdate(path, update)) {
        JsonArrayElement(JsonObjectMember(update, "Device"), static_cast<Json::ArrayIndex>(m_nDeviceIndex)) =
            section;
        if (WriteJson(update, path) != 0) DebugOutputF("profile %s not completed on disk", path.c_str());
      }
    }
  }
  return section;
}

Json::Value CBasicProfiledata::Load() { return LoadInto(m_section, m_strProfilePath); }

Json::Value CBasicProfiledata::LoadOther(const std::string& path) { return LoadInto(m_otherSection, path); }

Json::Value CBasicProfiledata::LoadLightConfig(const std::string& path) {
  m_lightConfig = ReadJsonFile(path);
  m_strLoadedLightConfigPath = path;
  return m_lightConfig;
}

// ---- Paths and index --------------------------------------------------------

void CBasicProfiledata::SetProfilePath(const std::string& path) {
  if (!path.empty()) m_strProfilePath = path;
}

void CBasicProfiledata::SetDefaultProfilePath(const std::string& path) {
  if (!path.empty()) m_strDefaultProfilePath = path;
}

void CBasicProfiledata::SetDeviceIndex(int index) {
  if (index >= 0 && index <= kMaxDeviceIndex) m_nDeviceIndex = index;
}

// ---- LightInfo and AudioLightInfo -------------------------------------------

LightState CBasicProfiledata::GetLightInfo() {
  const Json::Value& info = JsonMember(m_section, "LightInfo");
  if (info.isNull()) return m_defaultLightState;
  LightState s;
  s.selectItem = JsonByte(info, "SelectItem");
  s.light = JsonByte(info, "Light");
  s.speed = JsonByte(info, "Speed");
  s.fx = JsonByte(info, "Fx");
  s.multiColor = JsonBool(info, "MultiColor") ? 1 : 0;
  s.red = JsonByte(info, "Red");
  s.green = JsonByte(info, "Green");
  s.blue = JsonByte(info, "Blue");
  s.zzccLedMode = JsonByte(info, "ZZCCLedMode");
  s.customGroup = JsonByte(info, "CustomGroup");
  s.oldLedMode = JsonByte(info, "OldLedmode");
  m_lightState = s;
  return s;
}

void CBasicProfiledata::SetLightInfo(const LightState& state) {
  m_lightState = state;
  Json::Value info(Json::objectValue);
  info["SelectItem"] = state.selectItem;
  info["Light"] = state.light;
  info["Speed"] = state.speed;
  info["Fx"] = state.fx;
  info["MultiColor"] = state.multiColor;
  info["Red"] = state.red;
  info["Green"] = state.green;
  info["Blue"] = state.blue;
  info["ZZCCLedMode"] = state.zzccLedMode;
  info["CustomGroup"] = state.customGroup;
  info["OldLedmode"] = state.oldLedMode;
  JsonObjectMember(m_section, "LightInfo") = info;
}

AudioLightState CBasicProfiledata::GetAudioLightInfo() {
  const Json::Value& info = JsonMember(m_section, "AudioLightInfo");
  if (info.isNull()) return AudioLightState{};
  AudioLightState s;
  s.audioMode = JsonByte(info, "AudioMode");
  s.bkColorR = JsonByte(info, "BkColorR");
  s.bkColorG = JsonByte(info, "BkColorG");
  s.bkColorB = JsonByte(info, "BkColorB");
  s.fgColorR = JsonByte(info, "FgColorR");
  s.fgColorG = JsonByte(info, "FgColorG");
  s.fgColorB = JsonByte(info, "FgColorB");
  s.sevenColorFlags = JsonBool(info, "7ColorFlags") ? 1 : 0;
  s.colorTypeFlags = JsonBool(info, "ColorTypeFlags") ? 1 : 0;
  m_audioLightState = s;
  return s;
}

void CBasicProfiledata::SetAudioLightInfo(const AudioLightState& state) {
  m_audioLightState = state;
  Json::Value info(Json::objectValue);
  info["AudioMode"] = state.audioMode;
  info["BkColorR"] = state.bkColorR;
  info["BkColorG"] = state.bkColorG;
  info["BkColorB"] = state.bkColorB;
  info["FgColorR"] = state.fgColorR;
  info["FgColorG"] = state.fgColorG;
  info["FgColorB"] = state.fgColorB;
  info["7ColorFlags"] = state.sevenColorFlags;
  info["ColorTypeFlags"] = state.colorTypeFlags;
  JsonObjectMember(m_section, "AudioLightInfo") = info;
}

// ---- LightList and the user light effects -------------------------------------

std::vector<LightListEntry> CBasicProfiledata::GetLightList() {
  const Json::Value& list = JsonMember(m_section, "LightList");
  std::vector<LightListEntry> result(JsonArraySize(list));
  for (Json::ArrayIndex i = 0; i < result.size(); ++i) {
    const Json::Value& e = list[i];
    if (!e.isObject()) continue;  // null (or junk): an absent zone
    LightListEntry& entry = result[i];
    entry.regMode = JsonByte(e, "LEDREGMode");
    entry.brightness = JsonByte(e, "LEDBrightness");
    entry.speed = JsonByte(e, "LEDSpeed");
    entry.direction = JsonBool(e, "LEDDirection") ? 1 : 0;
    entry.multiColor = JsonBool(e, "LEDMultiColor") ? 1 : 0;
    entry.red = JsonByte(e, "red");
    entry.green = JsonByte(e, "green");
    entry.blue = JsonByte(e, "blue");
    entry.present = 1;
  }
  m_lightList = result;
  return result;
}

std::vector<LightEffectStep> CBasicProfiledata::GetLightEffects() {
  std::vector<LightEffectStep> result;
  const Json::Value& entry =
      JsonElement(JsonElement(JsonMember(m_lightConfig, "LightInfo"), static_cast<Json::ArrayIndex>(m_nDeviceIndex)),
                  m_lightState.selectItem);
  std::string guid = JsonString(entry, "Guid");
  if (!guid.empty()) {
    // Effect files are named relative to the folder of the light
    // configuration (the device user folder); a name that only exists
    // relative to the current directory still works.
    std::string name = guid + ".light";
    Json::Value file;
    std::string folder = FolderOf(m_strLoadedLightConfigPath);
    if (name[0] != '/' && !folder.empty()) file = ReadJsonFile(JoinPath(folder, name));
    if (file.isNull()) file = ReadJsonFile(name);
    const Json::Value& steps = JsonMember(file, "LEDEffectList");
    result.resize(JsonArraySize(steps));
    for (Json::ArrayIndex i = 0; i < result.size(); ++i) {
      const Json::Value& e = steps[i];
      LightEffectStep& step = result[i];
      step.regMode = JsonByte(e, "LEDREGMode");
      step.brightness = JsonByte(e, "LEDBrightness");
      step.speed = JsonByte(e, "LEDSpeed");
      step.direction = JsonByte(e, "LEDDirection");
      step.multiColor = JsonByte(e, "LEDMultiColor");
      step.red = JsonByte(e, "red");
      step.green = JsonByte(e, "green");
      step.blue = JsonByte(e, "blue");
      step.time = static_cast<uint32_t>(JsonInt(e, "Time"));
      step.cycle = static_cast<uint32_t>(JsonInt(e, "Cyle"));
    }
  }
  m_lightEffects = result;
  return result;
}

// ---- KeyList ----------------------------------------------------------------

KeyList CBasicProfiledata::ReadKeyList(const Json::Value& section) {
  const Json::Value& keys = JsonMember(section, "KeyList");
  KeyList list(JsonArraySize(keys));
  for (Json::ArrayIndex i = 0; i < list.size(); ++i) {
    const Json::Value& e = keys[i];
    auto index = static_cast<uint16_t>(i);
    list[i].current = KeyAssignment::FromInteger(index, JsonInt64(e, "Assignment"));
    list[i].defaultAssignment = KeyAssignment::FromInteger(index, JsonInt64(e, "DefaultAssignment"));
  }
  return list;
}

void CBasicProfiledata::WriteKeyList(Json::Value& section, const KeyList& list) {
  // Matched by position; "DefaultAssignment" only ever comes from the
  // default profile.
  Json::Value& keys = JsonObjectMember(section, "KeyList");
  for (size_t i = 0; i < list.size() && i <= kMaxWriteIndex; ++i) {
    JsonObjectMember(JsonArrayElement(keys, static_cast<Json::ArrayIndex>(i)), "Assignment") =
        list[i].current.ToInteger();
  }
}

KeyList CBasicProfiledata::GetKeyList() {
  m_keyList = ReadKeyList(m_section);
  return m_keyList;
}

void CBasicProfiledata::SetKeyList(const KeyList& list) {
  m_keyList = list;
  WriteKeyList(m_section, list);
}

KeyList CBasicProfiledata::GetOtherKeyList() {
  m_otherKeyList = ReadKeyList(m_otherSection);
  return m_otherKeyList;
}

void CBasicProfiledata::SetOtherKeyList(const KeyList& list) {
  m_otherKeyList = list;
  WriteKeyList(m_otherSection, list);
}

}  // namespace tarn
