#pragma once
// The name lists a device object rebuilds from its data files: macro names,
// the hardware light modes offered (from "default_light.json") and the
// user's software light effects (from "quvex_light.config").
#include <cstdint>
#include <string>
#include <vector>

namespace tarn {

struct DeviceNameLists {
  std::vector<std::string> macroNames;
  std::vector<std::string> lightModeNames;  // language text ids
  std::vector<uint8_t> lightModeVisible;    // one flag per light mode
  std::vector<int> lightModeCodes;          // device mode code per light mode
  std::vector<std::string> userLightNames;  // shown as they are
};

// Refreshes lists from the three files. A missing file, or a file without an
// entry for this variant, leaves the lists it feeds as they were, except the
// macro names, which always start empty.
void LoadDeviceNameLists(const std::string& macroDocumentPath, const std::string& defaultLightPath,
                         const std::string& lightConfigPath, int variant, DeviceNameLists& lists);

// The usual files of a device kind: its macro document and light
// configuration in its user folder, "default_light.json" in the default data
// folder.
void LoadDeviceFiles(int category, DeviceNameLists& lists);

// Light mode index -> device mode code; an index without a code is sent
// unchanged.
int LightModeCode(const std::vector<int>& modeCodes, int modeIndex);
int LightModeCode(const DeviceNameLists& lists, int modeIndex);
// Device mode code -> the first light mode index with that code; a code that
// no mode has is taken as the index itself.
int LightModeIndex(const std::vector<int>& modeCodes, int code);
int LightModeIndex(const DeviceNameLists& lists, int code);

}  // namespace tarn
