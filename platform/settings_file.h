#pragma once
// A small INI file: [section] and key=value lines, UTF-8. Stands where the
// registry value and the INI helpers stood. Writes go to a temporary file that
// is renamed over the old one, so a crash never leaves half a file.
#include <map>
#include <optional>
#include <string>

namespace tarn {

class CSettingsFile {
 public:
  explicit CSettingsFile(std::string path);

  // Reads the file; a missing or unreadable file reads as empty. Returns true
  // when the file existed and was read.
  bool Load();
  // Writes the whole file (creating its folder); false on any failure, in
  // which case the old file is left as it was.
  bool Save() const;

  std::optional<std::string> Get(const std::string& section, const std::string& key) const;
  std::string GetString(const std::string& section, const std::string& key, const std::string& fallback = {}) const;
  int GetInt(const std::string& section, const std::string& key, int fallback = 0) const;
  void Set(const std::string& section, const std::string& key, const std::string& value);
  void SetInt(const std::string& section, const std::string& key, int value);

  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
  std::map<std::string, std::map<std::string, std::string>> m_sections;
};

// Writes bytes to path through a temporary file in the same folder and a
// rename; the old file survives any failure. Returns true on success.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

}  // namespace tarn
