#pragma once
// Languages: the list in "Language.config" (default data folder), the
// stored choice (the "LANGUAGE" value of the settings file "Tarn.ini" in the
// settings folder, section "SOFTWARE\Tarn") and the rules of a switch.
#include <string>
#include <vector>

namespace tarn {

struct LanguageEntry {
  int id = 0;            // "Language_ID", the number stored for it
  std::string name;      // "Language_name", given to the toolkit
  std::string file;      // "Language_file", a file of the skin folder
  std::string text;      // "Language_text", listed in the settings window
};

constexpr const char* kLanguageConfigName = "Language.config";
constexpr const char* kLanguageSettingsName = "Tarn.ini";
constexpr const char* kLanguageSection = "SOFTWARE\\Tarn";
constexpr const char* kLanguageKey = "LANGUAGE";
// Looked up when the stored value exists but cannot be read as a number.
constexpr int kUnreadableLanguageId = 520;

std::string LanguageConfigPath();
std::string LanguageSettingsPath();

// False when the file is missing or not a language list; entries without a
// usable file name are kept (their position is their index) but empty.
bool ReadLanguageList(const std::string& path, std::vector<LanguageEntry>& entries);

// The index of the first entry with that id; 0 when none has it.
int LanguageIndexOfId(const std::vector<LanguageEntry>& entries, int id);

// Whether switching from index `from` (-1 before the first switch) to `to`
// rebuilds the font table: the languages with faces of their own (0, 2, 15)
// on either side.
bool LanguageSwitchRebuildsFonts(int from, int to);

// The face for a language: its private font when loaded, else the system's
// default face.
std::string LanguageFontFace(int index);

// The stored id: false when nothing is stored. A value that is not a number
// reads as kUnreadableLanguageId.
bool ReadStoredLanguageId(int& id);
// Creates the settings file when missing; false when it cannot be written.
bool StoreLanguageIdToFile(int id);

}  // namespace tarn
