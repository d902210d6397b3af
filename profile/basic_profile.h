#pragma once
// The profile document: a device object's view of one profile file.
//
// The document keeps the JSON value of "Device"[device index] of the profile
// file (the section) and a typed copy of each part of it. Getters read the
// section into the typed copy and return it; setters change both at once.
// Nothing reaches the disk before Save(). Every read of the section goes
// through the non-throwing accessors, so a file with values of the wrong type
// reads as zeros and empty lists instead of failing.
#include <json/json.h>

#include <string>
#include <vector>

#include "profile/profile_records.h"

namespace tarn {

class CBasicProfiledata {
 public:
  CBasicProfiledata() = default;
  virtual ~CBasicProfiledata() = default;
  CBasicProfiledata(const CBasicProfiledata&) = delete;
  CBasicProfiledata& operator=(const CBasicProfiledata&) = delete;

  // ---- Files. The four write operations return 0 on success; any other
  // value means the file was not written and still holds what it held.
  virtual int Save();
  // Reads the file at path, sets its "Device"[device index] to value and
  // writes it back; the file's other root keys survive. A file that no
  // longer parses is first kept as path + ".bak".
  virtual int SaveSection(const Json::Value& value, const std::string& path);
  virtual int SaveOtherTo(const std::string& path);
  virtual int WriteJson(const Json::Value& value, const std::string& path);

  // Loads the section from the profile path. A file without the section
  // gets the default profile's section and is written back at once (so a
  // missing profile file is created from the default one). Returns a copy.
  Json::Value Load();
  // The same for the other section (another profile being edited).
  Json::Value LoadOther(const std::string& path);
  Json::Value LoadLightConfig(const std::string& path);

  // ---- Paths and index.
  void SetProfilePath(const std::string& path);
  const std::string& GetProfilePath() const { return m_strProfilePath; }
  void SetDefaultProfilePath(const std::string& path);
  const std::string& GetDefaultProfilePath() const { return m_strDefaultProfilePath; }
  void SetLightConfigPath(const std::string& path) { m_strLightConfigPath = path; }
  const std::string& GetLightConfigPath() const { return m_strLightConfigPath; }
  // Indexes outside 0..kMaxDeviceIndex are refused (the index addresses an
  // array element that writing would otherwise create).
  void SetDeviceIndex(int index);
  int GetDeviceIndex() const { return m_nDeviceIndex; }
  static constexpr int kMaxDeviceIndex = 15;

  // ---- Shared sections.
  LightState GetLightInfo();
  void SetLightInfo(const LightState& state);
  AudioLightState GetAudioLightInfo();
  void SetAudioLightInfo(const AudioLightState& state);
  std::vector<LightListEntry> GetLightList();
  std::vector<LightEffectStep> GetLightEffects();
  KeyList GetKeyList();
  void SetKeyList(const KeyList& list);
  KeyList GetOtherKeyList();
  void SetOtherKeyList(const KeyList& list);

  // The held copies, as the last getter or setter left them.
  const LightState& CurrentLightState() const { return m_lightState; }
  const AudioLightState& CurrentAudioLightState() const { return m_audioLightState; }
  const std::vector<LightListEntry>& CurrentLightList() const { return m_lightList; }
  const std::vector<LightEffectStep>& CurrentLightEffects() const { return m_lightEffects; }
  const KeyList& CurrentKeyList() const { return m_keyList; }

  // The JSON values themselves (for whole-profile operations and tests).
  const Json::Value& Section() const { return m_section; }
  const Json::Value& OtherSection() const { return m_otherSection; }
  const Json::Value& LightConfig() const { return m_lightConfig; }

  // Highest array position a setter or a repairing getter writes; larger
  // positions are ignored rather than growing an array to that size.
  static constexpr unsigned kMaxWriteIndex = 4095;

 protected:
  Json::Value m_section;

 private:
  Json::Value LoadInto(Json::Value& section, const std::string& path);
  static KeyList ReadKeyList(const Json::Value& section);
  static void WriteKeyList(Json::Value& section, const KeyList& list);

  std::string m_strProfilePath;
  std::string m_strDefaultProfilePath;
  LightState m_lightState;
  const LightState m_defaultLightState{};
  AudioLightState m_audioLightState;
  std::vector<LightListEntry> m_lightList;
  Json::Value m_otherSection;
  std::string m_strLightConfigPath;
  std::string m_strLoadedLightConfigPath;
  std::vector<LightEffectStep> m_lightEffects;
  Json::Value m_lightConfig;
  KeyList m_keyList;
  KeyList m_otherKeyList;
  int m_nDeviceIndex = 0;
};

}  // namespace tarn
