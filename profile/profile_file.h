#pragma once
// Reading a JSON document that is about to be changed and written back.
#include <json/json.h>

#include <string>

namespace tarn {

// Reads the JSON object at path for an update. A missing or empty file gives
// an empty object. A file whose text is not a JSON object (garbage, a cut-off
// write, an array) is copied to path + ".bak" first, so that rewriting it
// loses nothing, and also gives an empty object. Returns false only when such
// a file exists and its backup could not be written: the caller must then
// leave the file alone.
bool ReadJsonObjectForUpdate(const std::string& path, Json::Value& root);

// The name of the backup kept of a file that no longer parsed.
std::string BackupPathFor(const std::string& path);

}  // namespace tarn
