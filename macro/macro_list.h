#pragma once
// A device's macros: the list "macro.config" in the device's user folder and
// one event file per macro, "<Guid>.mac" beside it. A macro's position in the
// list is its number, the number keys assigned to it carry, so the order
// only changes by deleting (later macros move up one) or by an explicit move
// that hands back the renumbering for the keys.
#include <json/json.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "macro/macro_file.h"

namespace tarn {

inline constexpr const char* kMacroListFileName = "macro.config";
inline constexpr const char* kMacroFileExtension = ".mac";
// A damaged "macro.config" is renamed with this suffix before a new list
// replaces it.
inline constexpr const char* kDamagedListSuffix = ".damaged";
// Longest name a user may give a macro, in bytes.
inline constexpr size_t kMaxMacroNameLength = 128;
// Largest file an import reads.
inline constexpr size_t kMaxMacroImportSize = 4u * 1024u * 1024u;

struct MacroInfo {
  std::string name;
  std::string guid;
};

enum class RenameResult {
  Renamed,
  NoSuchMacro,
  Blank,      // only white space: nothing changes
  Invalid,    // control characters, bad UTF-8 or longer than kMaxMacroNameLength
  Duplicate,  // equals a listed name without regard to case (its own included)
  WriteFailed,
};

enum class ImportResult {
  Imported,       // all events taken
  EventsDropped,  // imported; some elements of "Events" were not events
  NoEvents,       // imported as an empty macro: the file has no "Events" array
  ListFull,       // 50 macros: nothing imported
  CannotRead,     // missing, unreadable or larger than kMaxMacroImportSize
  NotJson,        // not a macro file at all: nothing imported
  WriteFailed,
};

struct ImportOutcome {
  std::string name;  // the new macro's name, "" when nothing was imported
  ImportResult result = ImportResult::CannotRead;
  size_t dropped = 0;
};

// A macro id usable as a file name stem inside the folder: 1 to 64 letters,
// digits, '_' and '-'. Ids read from a changed "macro.config" that are not
// ("../x", "a/b") name no file: such a macro reads as empty and saves nothing.
bool IsSafeMacroId(const std::string& guid);

// A name the user may give: not only white space, no control characters,
// valid UTF-8, at most kMaxMacroNameLength bytes.
bool IsBlankName(const std::string& name);
bool IsAcceptableName(const std::string& name);
// Equal without regard to ASCII case.
bool SameNameIgnoringCase(const std::string& a, const std::string& b);

class CMacroList {
 public:
  // folder: the device's user data folder (created when a file is written).
  explicit CMacroList(std::string folder);

  // Reads "macro.config"; a missing or unreadable file gives an empty list.
  // Entries keep their positions even when their members are damaged.
  void Load();

  const std::vector<MacroInfo>& Macros() const { return m_macros; }
  std::vector<std::string> Names() const;
  size_t Count() const { return m_macros.size(); }
  const std::string& Folder() const { return m_folder; }

  // Appends "macro_N" (lowest N from 1 no name equals without case) with a
  // new id, writes the list and returns the name; "" when 50 macros exist or
  // the list cannot be written. No event file is made until the first save.
  std::string Add();

  RenameResult Rename(size_t number, const std::string& name);

  // Removes macro `number` and its event file; later macros move up one. The
  // caller repairs the keys first. False (and nothing changed) when there is
  // no such macro or the list cannot be written.
  bool Delete(size_t number);

  // Moves macro `from` to position `to`. newNumberOf[old number] gives every
  // macro's new number, for the keys. False when a position is out of range
  // or the list cannot be written.
  bool Move(size_t from, size_t to, std::vector<size_t>& newNumberOf);

  // The event file of macro `number`, or "" when there is none or its id is
  // not safe.
  std::string EventFilePath(size_t number) const;

  MacroEvents ReadEvents(size_t number) const;
  // Writes the macro's events under its current name; false when the macro
  // has no safe id or the file cannot be written.
  bool SaveEvents(size_t number, const std::vector<Json::Value>& events, size_t* skipped = nullptr) const;

  // Writes the stored event file to `path` with CR LF line ends (a macro
  // never saved exports with no events). False when nothing was written.
  bool Export(size_t number, const std::string& path) const;

  // Adds a new macro holding the events of the file at `path`. The name and
  // id inside the file are not used: the macro gets a new name and id.
  ImportOutcome Import(const std::string& path);

  // Where new ids come from (local time by default; tests give their own).
  void SetIdSource(std::function<std::string()> source) { m_makeId = std::move(source); }

 private:
  std::string ListPath() const;
  std::string NewName() const;
  std::string NewId() const;
  bool WriteList(const std::vector<MacroInfo>& macros, const Json::Value& entries);

  std::string m_folder;
  Json::Value m_document;   // the whole "macro.config", so unknown members survive
  std::vector<MacroInfo> m_macros;
  std::function<std::string()> m_makeId;
  bool m_bKeepDamagedList = false;
};

}  // namespace tarn
