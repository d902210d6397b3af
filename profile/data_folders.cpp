#include "profile/data_folders.h"

#include "platform/paths.h"
#include "platform/settings_file.h"
#include "profile/json_file.h"
#include "profile/profile_file.h"

namespace tarn {

std::string DeviceFolderName(int category) {
  switch (category) {
    case kCategoryKeyboard:
      return "keyboard";
    case kCategoryMouse:
      return "mouse";
    case kCategoryMousePad:
      return "MousePad";
    case kCategoryHeadset:
      return "HD";
    default:
      return {};
  }
}

int DeviceVariantIndex(int category) {
  switch (category) {
    case kCategoryKeyboard:
      return 0;
    case kCategoryMouse:
      return 1;
    case kCategoryMousePad:
      return 2;
    case kCategoryHeadset:
      return 3;
    default:
      return -1;
  }
}

std::string GetDefaultDataFolder() { return ProgramFolder() + "DefaultData/"; }

std::string GetAppDataFolder() {
  std::string folder = UserDataFolder();
  EnsureFolder(folder);  // a failure shows later, when a file cannot be written
  return folder;
}

std::string GetDeviceUserFolder(const std::string& folderName) {
  std::string folder = GetAppDataFolder();
  if (folderName.empty()) return folder;
  folder += folderName + "/";
  EnsureFolder(folder);
  return folder;
}

std::string GetDefaultProfilePath(const std::string& folderName) {
  return GetDefaultDataFolder() + folderName + ".Json";
}

bool EnsureUserCopy(const std::string& defaultPath, const std::string& userPath) {
  if (!ReadJsonFile(userPath).isNull()) return true;
  std::string bytes;
  if (!ReadWholeFile(defaultPath, bytes) || bytes.empty()) return false;
  std::string old;
  if (ReadWholeFile(userPath, old) && !old.empty() && !WriteFileAtomically(BackupPathFor(userPath), old)) return false;
  return WriteFileAtomically(userPath, bytes) && !ReadJsonFile(userPath).isNull();
}

std::string MacroDocumentName(int category) {
  return category == kCategoryKeyboard || category == kCategoryMouse ? "macro.config" : "quvex_macro.config";
}

}  // namespace tarn
