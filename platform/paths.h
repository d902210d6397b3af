#pragma once
// Where things live on this platform.
//   program folder  - run-time data (skin, Font, DefaultData, SDK): TARN_DATA_DIR,
//                     else the executable's folder when it holds "skin" or
//                     "DefaultData", else /usr/share/tarn.
//   user data       - $XDG_DATA_HOME/Tarn (default ~/.local/share/Tarn)
//   settings        - $XDG_CONFIG_HOME/Tarn (default ~/.config/Tarn)
//   runtime         - $XDG_RUNTIME_DIR (default /tmp/tarn-<uid>): lock and bus
// Every folder path returned ends with '/'.
#include <string>

namespace tarn {

std::string ProgramFolder();
std::string UserDataFolder();
std::string SettingsFolder();
std::string RuntimeFolder();
std::string ExecutablePath();

// Creates the folder and its parents when missing; true when it exists after.
bool EnsureFolder(const std::string& path);

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);

// Joins a folder and a relative path; a "\" in the relative path reads as "/".
std::string JoinPath(const std::string& folder, const std::string& relative);

}  // namespace tarn
