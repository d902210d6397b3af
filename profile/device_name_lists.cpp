#include "profile/device_name_lists.h"

#include "profile/data_folders.h"
#include "profile/json_file.h"

namespace tarn {

void LoadDeviceNameLists(const std::string& macroDocumentPath, const std::string& defaultLightPath,
                         const std::string& lightConfigPath, int variant, DeviceNameLists& lists) {
  lists.macroNames.clear();
  const Json::Value macros = JsonMember(ReadJsonFile(macroDocumentPath), "MacroInfo");
  for (Json::ArrayIndex i = 0; i < JsonArraySize(macros); ++i)
    lists.macroNames.push_back(JsonString(macros[i], "MacroName"));
  if (variant < 0) return;
  auto v = static_cast<Json::ArrayIndex>(variant);

  const Json::Value modes = JsonElement(JsonMember(ReadJsonFile(defaultLightPath), "DefaultLightName"), v);
  if (!modes.isNull()) {
    lists.lightModeNames.clear();
    lists.lightModeVisible.clear();
    lists.lightModeCodes.clear();
    for (Json::ArrayIndex i = 0; i < JsonArraySize(modes); ++i) {
      lists.lightModeNames.push_back(JsonString(modes[i], "LightName"));
      lists.lightModeVisible.push_back(JsonBool(modes[i], "visible") ? 1 : 0);
      lists.lightModeCodes.push_back(JsonInt(modes[i], "value"));
    }
  }

  const Json::Value effects = JsonElement(JsonMember(ReadJsonFile(lightConfigPath), "LightInfo"), v);
  if (!effects.isNull()) {
    lists.userLightNames.clear();
    for (Json::ArrayIndex i = 0; i < JsonArraySize(effects); ++i)
      lists.userLightNames.push_back(JsonString(effects[i], "LightName"));
  }
}

void LoadDeviceFiles(int category, DeviceNameLists& lists) {
  std::string user = GetDeviceUserFolder(DeviceFolderName(category));
  LoadDeviceNameLists(user + MacroDocumentName(category), GetDefaultDataFolder() + kDefaultLightFile,
                      user + kLightConfigName + ".config", DeviceVariantIndex(category), lists);
}

int LightModeCode(const std::vector<int>& modeCodes, int modeIndex) {
  if (modeIndex >= 0 && static_cast<size_t>(modeIndex) < modeCodes.size())
    return modeCodes[static_cast<size_t>(modeIndex)];
  return modeIndex;
}

int LightModeCode(const DeviceNameLists& lists, int modeIndex) { return LightModeCode(lists.lightModeCodes, modeIndex); }

int LightModeIndex(const std::vector<int>& modeCodes, int code) {
  for (size_t i = 0; i < modeCodes.size(); ++i)
    if (modeCodes[i] == code) return static_cast<int>(i);
  return code;
}

int LightModeIndex(const DeviceNameLists& lists, int code) { return LightModeIndex(lists.lightModeCodes, code); }

}  // namespace tarn
