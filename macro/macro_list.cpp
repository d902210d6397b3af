#include "macro/macro_list.h"

#include <sys/stat.h>

#include <cstdio>

#include "macro/macro_event.h"
#include "platform/debug_output.h"
#include "platform/paths.h"
#include "platform/settings_file.h"
#include "profile/json_file.h"

namespace tarn {

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsRegularFile(const std::string& path, off_t* size = nullptr) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  if (size) *size = st.st_size;
  return true;
}

// Decodes one UTF-8 sequence at text[i]; false for a bad one.
bool NextCodePoint(const std::string& text, size_t& i, uint32_t& cp) {
  const auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
  const uint8_t lead = byte(i);
  size_t length = 0;
  if (lead < 0x80) {
    cp = lead;
    length = 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    cp = lead & 0x1F;
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    cp = lead & 0x0F;
    length = 3;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    cp = lead & 0x07;
    length = 4;
  } else {
    return false;
  }
  if (i + length > text.size()) return false;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return false;
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  const uint32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < minimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
  i += length;
  return true;
}

bool IsWhiteCodePoint(uint32_t cp) {
  return cp == ' ' || (cp >= 0x09 && cp <= 0x0D) || cp == 0xA0 || cp == 0x3000;
}

// LF line ends become CR LF; existing CR LF pairs stay.
std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

}  // namespace

bool IsSafeMacroId(const std::string& guid) {
  if (guid.empty() || guid.size() > 64) return false;
  for (char c : guid) {
    const bool ok = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '-';
    if (!ok) return false;
  }
  return true;
}

bool IsBlankName(const std::string& name) {
  size_t i = 0;
  while (i < name.size()) {
    uint32_t cp = 0;
    if (!NextCodePoint(name, i, cp)) return false;
    if (!IsWhiteCodePoint(cp)) return false;
  }
  return true;
}

bool IsAcceptableName(const std::string& name) {
  if (name.size() > kMaxMacroNameLength || IsBlankName(name)) return false;
  size_t i = 0;
  while (i < name.size()) {
    uint32_t cp = 0;
    if (!NextCodePoint(name, i, cp)) return false;
    if (cp < 0x20 || (cp >= 0x7F && cp <= 0x9F)) return false;
  }
  return true;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

CMacroList::CMacroList(std::string folder) : m_folder(std::move(folder)), m_document(Json::objectValue) {}

std::string CMacroList::ListPath() const { return JoinPath(m_folder, kMacroListFileName); }

void CMacroList::Load() {
  m_macros.clear();
  m_document = ReadJsonFile(ListPath());
  // A list that is there but damaged reads as empty; it is kept aside before
  // the first write replaces it, so nothing the user had is lost.
  m_bKeepDamagedList = !m_document.isObject() && IsRegularFile(ListPath());
  if (!m_document.isObject()) m_document = Json::Value(Json::objectValue);
  const Json::Value& entries = JsonMember(m_document, "MacroInfo");
  for (Json::ArrayIndex i = 0; i < JsonArraySize(entries); ++i) {
    const Json::Value& entry = entries[i];
    m_macros.push_back(MacroInfo{JsonString(entry, "MacroName"), JsonString(entry, "Guid")});
  }
}

std::vector<std::string> CMacroList::Names() const {
  std::vector<std::string> names;
  names.reserve(m_macros.size());
  for (const MacroInfo& m : m_macros) names.push_back(m.name);
  return names;
}

bool CMacroList::WriteList(const std::vector<MacroInfo>& macros, const Json::Value& entries) {
  Json::Value document = m_document;
  document["MacroInfo"] = entries;
  if (m_bKeepDamagedList) {
    if (std::rename(ListPath().c_str(), (ListPath() + kDamagedListSuffix).c_str()) != 0) return false;
    m_bKeepDamagedList = false;
  }
  if (WriteJsonFile(document, ListPath()) != 0) return false;
  m_document.swap(document);
  m_macros = macros;
  return true;
}

std::string CMacroList::NewName() const {
  for (size_t n = 1;; ++n) {
    const std::string candidate = "macro_" + std::to_string(n);
    bool taken = false;
    for (const MacroInfo& m : m_macros) taken = taken || SameNameIgnoringCase(m.name, candidate);
    if (!taken) return candidate;
  }
}

std::string CMacroList::NewId() const {
  std::string base = m_makeId ? m_makeId() : MakeTimeStampName();
  if (!IsSafeMacroId(base)) base = MakeTimeStampName();
  // Two macros added within one millisecond, or an old event file left under
  // the same stamp, must not share a file.
  for (int suffix = 0;; ++suffix) {
    const std::string id = suffix == 0 ? base : base + "_" + std::to_string(suffix);
    bool taken = IsRegularFile(JoinPath(m_folder, id + kMacroFileExtension));
    for (const MacroInfo& m : m_macros) taken = taken || m.guid == id;
    if (!taken) return id;
  }
}

std::string CMacroList::Add() {
  if (m_macros.size() >= kMaxMacros) return {};
  MacroInfo info{NewName(), NewId()};
  Json::Value entries = JsonMember(m_document, "MacroInfo");
  if (!entries.isArray()) entries = Json::Value(Json::arrayValue);
  Json::Value entry(Json::objectValue);
  entry["MacroName"] = info.name;
  entry["Guid"] = info.guid;
  entries.append(entry);
  std::vector<MacroInfo> macros = m_macros;
  macros.push_back(info);
  return WriteList(macros, entries) ? info.name : std::string();
}

RenameResult CMacroList::Rename(size_t number, const std::string& name) {
  if (number >= m_macros.size()) return RenameResult::NoSuchMacro;
  if (IsBlankName(name)) return RenameResult::Blank;
  if (!IsAcceptableName(name)) return RenameResult::Invalid;
  for (const MacroInfo& m : m_macros) {
    if (SameNameIgnoringCase(m.name, name)) return RenameResult::Duplicate;
  }
  Json::Value entries = JsonMember(m_document, "MacroInfo");
  JsonObjectMember(JsonArrayElement(entries, static_cast<Json::ArrayIndex>(number)), "MacroName") = name;
  std::vector<MacroInfo> macros = m_macros;
  macros[number].name = name;
  return WriteList(macros, entries) ? RenameResult::Renamed : RenameResult::WriteFailed;
}

bool CMacroList::Delete(size_t number) {
  if (number >= m_macros.size()) return false;
  const std::string eventFile = EventFilePath(number);
  Json::Value entries = JsonMember(m_document, "MacroInfo");
  Json::Value removed;
  entries.removeIndex(static_cast<Json::ArrayIndex>(number), &removed);
  std::vector<MacroInfo> macros = m_macros;
  macros.erase(macros.begin() + static_cast<std::ptrdiff_t>(number));
  // The list first: if it cannot be written, the macro and its events stay.
  if (!WriteList(macros, entries)) return false;
  if (!eventFile.empty()) std::remove(eventFile.c_str());
  return true;
}

bool CMacroList::Move(size_t from, size_t to, std::vector<size_t>& newNumberOf) {
  const size_t count = m_macros.size();
  if (from >= count || to >= count) return false;
  std::vector<size_t> map(count);
  for (size_t old = 0; old < count; ++old) {
    if (old == from) {
      map[old] = to;
    } else if (from < to && old > from && old <= to) {
      map[old] = old - 1;
    } else if (to < from && old >= to && old < from) {
      map[old] = old + 1;
    } else {
      map[old] = old;
    }
  }
  const Json::Value& oldEntries = JsonMember(m_document, "MacroInfo");
  Json::Value entries(Json::arrayValue);
  entries.resize(static_cast<Json::ArrayIndex>(count));
  std::vector<MacroInfo> macros(count);
  for (size_t old = 0; old < count; ++old) {
    entries[static_cast<Json::ArrayIndex>(map[old])] = JsonElement(oldEntries, static_cast<Json::ArrayIndex>(old));
    macros[map[old]] = m_macros[old];
  }
  if (from != to && !WriteList(macros, entries)) return false;
  newNumberOf = std::move(map);
  return true;
}

std::string CMacroList::EventFilePath(size_t number) const {
  if (number >= m_macros.size() || !IsSafeMacroId(m_macros[number].guid)) return {};
  return JoinPath(m_folder, m_macros[number].guid + kMacroFileExtension);
}

MacroEvents CMacroList::ReadEvents(size_t number) const {
  const std::string path = EventFilePath(number);
  if (path.empty()) {
    DebugOutputF("macro %zu has no usable id", number);
    return MacroEvents{};
  }
  return ReadMacroEventFile(path);
}

bool CMacroList::SaveEvents(size_t number, const std::vector<Json::Value>& events, size_t* skipped) const {
  const std::string path = EventFilePath(number);
  if (path.empty()) return false;
  return WriteMacroEventFile(path, m_macros[number].guid, m_macros[number].name, events, skipped) == 0;
}

bool CMacroList::Export(size_t number, const std::string& path) const {
  const std::string source = EventFilePath(number);
  if (source.empty() || path.empty()) return false;
  std::string text;
  off_t size = 0;
  const bool stored = IsRegularFile(source, &size) && static_cast<uint64_t>(size) <= kMaxMacroFileSize;
  if (!stored || !ReadWholeFile(source, text)) {
    if (IsRegularFile(source)) return false;  // there, but not readable
    text = FormatStyledJson(BuildMacroDocument(m_macros[number].guid, m_macros[number].name, {}));
  }
  return WriteFileAtomically(path, WithCrLf(text));
}

ImportOutcome CMacroList::Import(const std::string& path) {
  ImportOutcome outcome;
  if (m_macros.size() >= kMaxMacros) {
    outcome.result = ImportResult::ListFull;
    return outcome;
  }
  off_t size = 0;
  std::string text;
  if (path.empty() || !IsRegularFile(path, &size) || static_cast<uint64_t>(size) > kMaxMacroImportSize ||
      !ReadWholeFile(path, text)) {
    outcome.result = ImportResult::CannotRead;
    return outcome;
  }
  MacroEvents read = ParseMacroEvents(text);
  if (read.result == MacroReadResult::NotJson) {
    outcome.result = ImportResult::NotJson;
    return outcome;
  }
  if (read.events.size() > kMaxMacroEvents) {
    read.dropped += read.events.size() - kMaxMacroEvents;
    read.events.resize(kMaxMacroEvents);
  }
  outcome.dropped = read.dropped;
  if (read.result == MacroReadResult::WrongShape) {
    outcome.result = ImportResult::NoEvents;
  } else {
    outcome.result = read.dropped == 0 ? ImportResult::Imported : ImportResult::EventsDropped;
  }

  const std::string name = Add();
  if (name.empty()) {
    outcome.result = ImportResult::WriteFailed;
    return outcome;
  }
  const size_t number = m_macros.size() - 1;
  if (!SaveEvents(number, read.events)) {
    Delete(number);
    outcome.result = ImportResult::WriteFailed;
    return outcome;
  }
  outcome.name = name;
  return outcome;
}

}  // namespace tarn
