#include "profile/profile_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/debug_output.h"
#include "platform/settings_file.h"
#include "profile/data_folders.h"
#include "profile/json_file.h"
#include "profile/profile_file.h"

namespace tarn {
namespace {

constexpr const char* kListKey = "profilelist";
constexpr const char* kSelectKey = "profileselect";
constexpr const char* kNameKey = "profilename";
constexpr const char* kUuidKey = "profileUUID";
constexpr const char* kProfileExtension = ".Json";
constexpr int kHeadsetType = 7;
constexpr size_t kMaxStemLength = 128;

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsBlank(const std::string& name) {
  return name.find_first_not_of(" \t\r\n\v\f") == std::string::npos;
}

}  // namespace

bool IsPlainFileStem(const std::string& text) {
  if (text.empty() || text.size() > kMaxStemLength || text == "." || text.find("..") != std::string::npos) return false;
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F || c == '/' || c == '\\') return false;
  }
  return true;
}

bool CProfileList::SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

CProfileList::CProfileList() : m_makeUuid([] { return MakeTimeStampName(); }) {}

void CProfileList::SetFolders(const std::string& userFolder, const std::string& defaultProfilePath) {
  m_strUserFolder = userFolder;
  if (!m_strUserFolder.empty() && m_strUserFolder.back() != '/') m_strUserFolder += '/';
  m_strDefaultProfilePath = defaultProfilePath;
}

std::string CProfileList::ListFilePath() const { return m_strUserFolder + kProfileListFile; }

std::string CProfileList::ProfileFilePath(int index) const {
  if (index < 0 || index >= Count()) return {};
  return m_strUserFolder + m_entries[static_cast<size_t>(index)].uuid + kProfileExtension;
}

// ---- reading and writing the list ----

std::string CProfileList::FreshUuid() {
  std::string base = m_makeUuid ? m_makeUuid() : std::string();
  if (!IsPlainFileStem(base)) base = MakeTimeStampName();
  // Two profiles made within one millisecond must not share a file.
  std::string candidate = base;
  for (int n = 1;; ++n) {
    bool used = std::any_of(m_entries.begin(), m_entries.end(), [&](const ProfileListEntry& e) { return e.uuid == candidate; });
    std::error_code error;
    if (!used && !std::filesystem::exists(m_strUserFolder + candidate + kProfileExtension, error)) return candidate;
    candidate = base + "_" + std::to_string(n);
  }
}

bool CProfileList::NameTaken(const std::string& name, int except) const {
  for (int i = 0; i < Count(); ++i)
    if (i != except && SameName(m_entries[static_cast<size_t>(i)].name, name)) return true;
  return false;
}

std::string CProfileList::FreeProfileName() const {
  for (int n = 1;; ++n) {
    std::string name = "profile" + std::to_string(n);
    if (!NameTaken(name)) return name;
  }
}

bool CProfileList::WriteList() {
  Json::Value root(Json::objectValue);
  Json::Value& list = root[kListKey] = Json::Value(Json::arrayValue);
  for (const ProfileListEntry& entry : m_entries) {
    Json::Value item(Json::objectValue);
    item[kNameKey] = entry.name;
    item[kUuidKey] = entry.uuid;
    item["profileislink"] = 0;
    item["profilelinkmame"] = "";
    list.append(item);
  }
  root[kSelectKey] = m_nSelected;
  if (WriteJsonFile(root, ListFilePath()) != 0) {
    DebugOutputF("profile list not written: %s", ListFilePath().c_str());
    return false;
  }
  return true;
}

bool CProfileList::RebuildFromProfileFiles() {
  std::vector<ProfileListEntry> found;
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(m_strUserFolder, error)) {
    std::string file = item.path().filename().string();
    const size_t ext = std::char_traits<char>::length(kProfileExtension);
    if (file.size() <= ext || file.compare(file.size() - ext, ext, kProfileExtension) != 0) continue;
    std::string stem = file.substr(0, file.size() - ext);
    if (!IsPlainFileStem(stem) || !item.is_regular_file(error)) continue;
    Json::Value document = ReadJsonFile(item.path().string());
    if (!document.isObject()) continue;
    found.push_back({JsonString(document, kNameKey), stem});
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.uuid < b.uuid; });
  m_entries.clear();
  for (ProfileListEntry& entry : found) {
    if (IsBlank(entry.name)) entry.name = FreeProfileName();
    std::string base = entry.name;
    for (int n = 1; NameTaken(entry.name); ++n) entry.name = base + "(" + std::to_string(n) + ")";
    m_entries.push_back(entry);
  }
  return !m_entries.empty();
}

bool CProfileList::ReadList() {
  std::string bytes;
  const bool present = ReadWholeFile(ListFilePath(), bytes) && !bytes.empty();
  Json::Value root = ReadJsonFile(ListFilePath());
  bool changed = false;
  m_entries.clear();
  m_nSelected = 0;
  if (present && !root.isObject()) {
    // Not ours to throw away: keep it, then find the profiles from their files.
    if (!WriteFileAtomically(BackupPathFor(ListFilePath()), bytes)) DebugOutputF("no backup of %s", ListFilePath().c_str());
    root = Json::Value(Json::objectValue);
  }
  const Json::Value& list = JsonMember(root, kListKey);
  for (Json::ArrayIndex i = 0; i < JsonArraySize(list); ++i) {
    const Json::Value& item = JsonElement(list, i);
    if (!item.isObject()) {
      changed = true;
      continue;
    }
    ProfileListEntry entry{JsonString(item, kNameKey), JsonString(item, kUuidKey)};
    bool shared = std::any_of(m_entries.begin(), m_entries.end(), [&](const auto& e) { return e.uuid == entry.uuid; });
    if (!IsPlainFileStem(entry.uuid) || shared) {
      entry.uuid = FreshUuid();
      changed = true;
      // The entry had no file of its own: it starts as the default profile.
      WriteProfile(DefaultProfileFor(entry), entry);
    }
    m_entries.push_back(entry);
  }
  if (m_entries.empty()) {
    changed = true;
    if (!RebuildFromProfileFiles()) {
      ProfileListEntry first{"profile1", FreshUuid()};
      m_entries.push_back(first);
      WriteProfile(DefaultProfileFor(first), first);
    }
  }
  const Json::Value& select = JsonMember(root, kSelectKey);
  int64_t selected = select.isIntegral() ? JsonAsInt64(select, 0) : 0;
  if (selected < 0 || selected >= Count()) {
    if (!select.isNull() || selected != 0) changed = true;
    selected = 0;
  }
  m_nSelected = static_cast<int>(selected);
  return changed ? WriteList() : true;
}

bool CProfileList::Load() {
  bool ok = ReadList();
  m_strSelectedUUID = m_entries[static_cast<size_t>(m_nSelected)].uuid;
  return ok;
}

bool CProfileList::Select(int index) {
  ReadList();
  if (index < 0 || index >= Count()) return false;
  m_nSelected = index;
  m_strSelectedUUID = m_entries[static_cast<size_t>(index)].uuid;
  return WriteList();
}

// ---- profile files ----

Json::Value CProfileList::DefaultProfileFor(const ProfileListEntry& entry) const {
  Json::Value document = ReadJsonFile(m_strDefaultProfilePath);
  if (!document.isObject()) document = Json::Value(Json::objectValue);
  document[kNameKey] = entry.name;
  document[kUuidKey] = entry.uuid;
  return document;
}

Json::Value CProfileList::LoadedProfile(int index) const {
  const ProfileListEntry& entry = m_entries[static_cast<size_t>(index)];
  Json::Value document = ReadJsonFile(ProfileFilePath(index));
  // Loading a profile whose file does not read gives the default profile.
  if (!document.isObject()) return DefaultProfileFor(entry);
  return document;
}

bool CProfileList::WriteProfile(Json::Value document, const ProfileListEntry& entry) const {
  if (!IsPlainFileStem(entry.uuid)) return false;
  document[kNameKey] = entry.name;
  document[kUuidKey] = entry.uuid;
  return WriteJsonFile(document, m_strUserFolder + entry.uuid + kProfileExtension) == 0;
}

int CProfileList::Append(const ProfileListEntry& entry, Json::Value document) {
  m_entries.push_back(entry);
  if (!WriteList()) {
    m_entries.pop_back();
    return -1;
  }
  WriteProfile(std::move(document), entry);
  return Count() - 1;
}

// ---- operations ----

int CProfileList::Add() {
  ReadList();
  if (Count() >= kMaxProfilesForAdd) return -1;
  ProfileListEntry entry{FreeProfileName(), FreshUuid()};
  return Append(entry, DefaultProfileFor(entry));
}

bool CProfileList::Delete(int index) {
  ReadList();
  if (index < 0 || index >= Count() || Count() < 2) return false;
  std::string path = ProfileFilePath(index);
  m_entries.erase(m_entries.begin() + index);
  m_nSelected = index == 0 ? 0 : index - 1;
  std::error_code error;
  std::filesystem::remove(path, error);
  return WriteList();
}

int CProfileList::Copy(int index) {
  ReadList();
  if (index < 0 || index >= Count()) return -1;
  Json::Value source = LoadedProfile(index);
  std::string name = m_entries[static_cast<size_t>(index)].name + " copy";
  while (NameTaken(name)) name += " copy";
  return Append({name, FreshUuid()}, std::move(source));
}

int CProfileList::Import(const std::string& path) {
  Json::Value document = ReadJsonFile(path);
  if (!document.isObject() || !JsonHas(document, kNameKey) || !JsonHas(document, kUuidKey)) return -1;
  ReadList();
  std::string name = GetFileTitle(path);
  if (IsBlank(name)) name = FreeProfileName();
  for (int n = 1; NameTaken(name); ++n) name += "(" + std::to_string(n) + ")";
  return Append({name, FreshUuid()}, std::move(document));
}

bool CProfileList::Export(int index, const std::string& path) {
  ReadList();
  if (index < 0 || index >= Count() || path.empty()) return false;
  return WriteJsonFile(LoadedProfile(index), path) == 0;
}

bool CProfileList::Reset(int index) {
  ReadList();
  if (index < 0 || index >= Count()) return false;
  const ProfileListEntry& entry = m_entries[static_cast<size_t>(index)];
  Json::Value document = DefaultProfileFor(entry);
  if (m_nDeviceType == kHeadsetType) {
    // The user's own equaliser names and curves survive a reset.
    const Json::Value previous = ReadJsonFile(ProfileFilePath(index));
    const Json::Value& old = JsonElement(JsonMember(previous, "Device"), 0);
    Json::Value& device = JsonArrayElement(JsonObjectMember(document, "Device"), 0);
    for (const char* key : {"CustomEQNameInfo", "CustomEQHzValueInfo"}) {
      if (JsonHas(old, key)) JsonObjectMember(device, key) = JsonMember(old, key);
    }
  }
  return WriteProfile(std::move(document), entry);
}

int CProfileList::Rename(int index, const std::string& name) {
  if (IsBlank(name)) return kRenameBlank;
  ReadList();
  if (index < 0 || index >= Count()) return kRenameTaken;
  if (NameTaken(name, index)) return kRenameTaken;
  m_entries[static_cast<size_t>(index)].name = name;
  if (!WriteList()) return kRenameTaken;
  Json::Value document = ReadJsonFile(ProfileFilePath(index));
  if (!document.isObject()) document = DefaultProfileFor(m_entries[static_cast<size_t>(index)]);
  WriteProfile(std::move(document), m_entries[static_cast<size_t>(index)]);
  return kRenameDone;
}

}  // namespace tarn
