#include "app/language.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>

#include <json/json.h>

#include "platform/paths.h"
#include "platform/settings_file.h"
#include "profile/data_folders.h"
#include "profile/json_file.h"
#include "ui/ui_string.h"

namespace tarn {

std::string LanguageConfigPath() { return JoinPath(GetDefaultDataFolder(), kLanguageConfigName); }

std::string LanguageSettingsPath() { return JoinPath(SettingsFolder(), kLanguageSettingsName); }

bool ReadLanguageList(const std::string& path, std::vector<LanguageEntry>& entries) {
  entries.clear();
  Json::Value document = ReadJsonFile(path);
  if (!document.isObject() || !document.isMember("Language") || !document["Language"].isArray()) return false;
  const Json::Value& list = document["Language"];
  for (Json::ArrayIndex i = 0; i < list.size(); ++i) {
    LanguageEntry entry;
    if (list[i].isObject()) {
      entry.id = JsonInt(list[i], "Language_ID");
      entry.name = JsonString(list[i], "Language_name");
      entry.file = JsonString(list[i], "Language_file");
      entry.text = JsonString(list[i], "Language_text");
    }
    entries.push_back(entry);
  }
  return true;
}

int LanguageIndexOfId(const std::vector<LanguageEntry>& entries, int id) {
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].id == id) return static_cast<int>(i);
  return 0;
}

bool LanguageSwitchRebuildsFonts(int from, int to) {
  auto ownFace = [](int index) { return index == 0 || index == 2 || index == 15; };
  return ownFace(to) || from == -1 || ownFace(from);
}

std::string LanguageFontFace(int index) {
  // Private fonts loaded at start; a language whose face is not there falls
  // back to the system's default face.
  const char* wanted = nullptr;
  if (index == 0) wanted = "汉仪菱心体简";
  if (index == 2) wanted = "Noto Sans CJK TC";
  if (index == 15) wanted = "Noto Sans Thai";
  if (wanted != nullptr && QFontDatabase::families().contains(QString::fromUtf8(wanted)))
    return wanted;
  return QGuiApplication::font().family().toStdString();
}

bool ReadStoredLanguageId(int& id) {
  CSettingsFile file(LanguageSettingsPath());
  if (!file.Load()) return false;
  std::optional<std::string> value = file.Get(kLanguageSection, kLanguageKey);
  if (!value) return false;
  std::string text = Trim(*value);
  bool number = !text.empty();
  for (size_t i = 0; i < text.size(); ++i) {
    bool sign = i == 0 && text[i] == '-' && text.size() > 1;
    if (!sign && (text[i] < '0' || text[i] > '9')) number = false;
  }
  if (text.size() > 10) number = false;
  id = number ? ToInt(text) : kUnreadableLanguageId;
  return true;
}

bool StoreLanguageIdToFile(int id) {
  CSettingsFile file(LanguageSettingsPath());
  file.Load();
  file.SetInt(kLanguageSection, kLanguageKey, id);
  return file.Save();
}

}  // namespace tarn
