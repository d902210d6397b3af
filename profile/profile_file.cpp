#include "profile/profile_file.h"

#include "platform/debug_output.h"
#include "platform/settings_file.h"
#include "profile/json_file.h"

namespace tarn {

std::string BackupPathFor(const std::string& path) { return path + ".bak"; }

bool ReadJsonObjectForUpdate(const std::string& path, Json::Value& root) {
  root = ReadJsonFile(path);
  if (root.isObject()) return true;
  root = Json::Value(Json::objectValue);
  std::string bytes;
  if (!ReadWholeFile(path, bytes) || bytes.empty()) return true;  // nothing to lose
  if (!WriteFileAtomically(BackupPathFor(path), bytes)) {
    DebugOutputF("cannot keep a backup of the unreadable file %s; left unchanged", path.c_str());
    return false;
  }
  DebugOutputF("unreadable file %s kept as %s", path.c_str(), BackupPathFor(path).c_str());
  return true;
}

}  // namespace tarn
