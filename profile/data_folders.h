#pragma once
// Where the application's data files live and what each device kind calls
// its folder. Every folder path ends with '/'. The user folders are created
// whenever their path is formed; the program and default data folders are
// installed with the application and never written.
#include <string>

namespace tarn {

// Device categories as the pages and panels use them.
enum DeviceCategory : int {
  kCategoryKeyboard = 1,
  kCategoryMouse = 2,
  kCategoryMousePad = 3,
  kCategoryHeadset = 7,
};

// "keyboard", "mouse", "MousePad", "HD"; empty for an unknown category.
std::string DeviceFolderName(int category);
// The element of per-device arrays in shared data files: 0 keyboard, 1 mouse,
// 2 mouse pad, 3 headset; -1 for an unknown category.
int DeviceVariantIndex(int category);

// Program folder + "DefaultData/".
std::string GetDefaultDataFolder();
// The user's "Tarn" folder, created when missing.
std::string GetAppDataFolder();
// The device's folder in the "Tarn" folder, both created when missing.
std::string GetDeviceUserFolder(const std::string& folderName);
// Default data folder + folder name + ".Json".
std::string GetDefaultProfilePath(const std::string& folderName);

// File names fixed by the stored formats.
constexpr const char* kLightConfigName = "quvex_light";  // + ".config"
constexpr const char* kDefaultLightFile = "default_light.json";
constexpr const char* kLanguageFile = "Language.config";
constexpr const char* kAudioFile = "AudioFile.json";
constexpr const char* kProfileListFile = "ProfileList.ini";

// Makes the user's copy of a shipped file: when userPath does not hold a
// readable JSON document, the bytes of defaultPath are copied there (an
// unreadable user file is kept as userPath + ".bak" first). True when the user
// copy is readable afterwards, whether it was copied or already there.
bool EnsureUserCopy(const std::string& defaultPath, const std::string& userPath);

// The macro document of a device kind: "macro.config" for the keyboard and
// the mouse, "quvex_macro.config" for the others.
std::string MacroDocumentName(int category);

}  // namespace tarn
