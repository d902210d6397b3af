#pragma once
// A device's list of named profiles: "ProfileList.ini" in its user folder
// (a JSON document despite the name) and the profile files it names, one
// per UUID ("<uuid>.Json"). Every editing operation rereads the list, changes
// it and writes it back at once, so the file on disk is always current.
//
// The list file comes from outside and is checked on every read: a selection
// outside the list reads as 0; an entry whose UUID is missing, empty, shared
// with an earlier entry or not a plain file stem gets a fresh UUID (so no
// path outside the user folder is ever formed); a file that does not parse is
// kept as ".bak" and the list is rebuilt from the profile files present.
#include <json/json.h>

#include <functional>
#include <string>
#include <vector>

namespace tarn {

struct ProfileListEntry {
  std::string name;  // "profilename", UTF-8
  std::string uuid;  // "profileUUID"
};

// Add refuses a 51st profile; copy and import have no limit.
constexpr int kMaxProfilesForAdd = 50;

// Results of Rename.
enum ProfileRenameResult : int { kRenameTaken = 0, kRenameDone = 1, kRenameBlank = 2 };

// A UUID that can name a file in the user folder: not empty, no folder
// separator, no "..", no control character.
bool IsPlainFileStem(const std::string& text);

class CProfileList {
 public:
  using UuidSource = std::function<std::string()>;

  CProfileList();

  // Device type code (1 keyboard, 2 mouse, 3 mouse pad, 7 headset).
  void SetDeviceType(int code) { m_nDeviceType = code; }
  int GetDeviceType() const { return m_nDeviceType; }
  // userFolder ends with '/'.
  void SetFolders(const std::string& userFolder, const std::string& defaultProfilePath);
  const std::string& GetUserFolder() const { return m_strUserFolder; }
  // Where new UUIDs come from (time-stamp names by default).
  void SetUuidSource(UuidSource source) { m_makeUuid = std::move(source); }

  // Reads the list, repairing it as above; a missing or empty list becomes
  // one "profile1" made from the default profile. False only when the list
  // could not be written.
  bool Load();
  // Rereads the list (repairing it as Load does) and gives its length; the
  // selected UUID stays as it is.
  int Reread() {
    ReadList();
    return Count();
  }

  const std::vector<ProfileListEntry>& Entries() const { return m_entries; }
  int Count() const { return static_cast<int>(m_entries.size()); }
  int GetSelected() const { return m_nSelected; }
  std::string GetSelectedUUID() const { return m_strSelectedUUID; }
  // User folder + UUID + ".Json"; empty for an index outside the list.
  std::string ProfileFilePath(int index) const;
  std::string ListFilePath() const;

  // Stores "profileselect" = index and its UUID; false for an index outside
  // the list (nothing changes).
  bool Select(int index);
  // A profile named with the lowest free "profile%d", made from the default
  // profile. The selection stays. Index of the new entry, -1 at the limit.
  int Add();
  // Removes the entry and its file; at least two profiles must be left
  // before. The list records the neighbour (index - 1, or 0) as selected.
  bool Delete(int index);
  // A copy of the entry's profile named "<name> copy" (again while taken).
  int Copy(int index);
  // A profile from a file holding "profilename" and "profileUUID", named
  // after the file ("Game", "Game(1)", "Game(1)(2)", ...). -1 when the file
  // is not such a document.
  int Import(const std::string& path);
  // Writes the entry's profile to path as loading it gives it: a profile
  // file that does not read exports as the default profile under the
  // entry's name and UUID.
  bool Export(int index, const std::string& path);
  // The entry's profile back to the default one, keeping name and UUID (and
  // a headset's custom equaliser names and curves).
  bool Reset(int index);
  // kRenameBlank for a name that is only white space, kRenameTaken when
  // another entry has it (case ignored), else kRenameDone with the name
  // stored as typed in the list and the profile file.
  int Rename(int index, const std::string& name);

  // True when two names are the same for the list (ASCII case ignored).
  static bool SameName(const std::string& a, const std::string& b);

 private:
  bool ReadList();
  bool RebuildFromProfileFiles();
  bool WriteList();
  std::string FreshUuid();
  std::string FreeProfileName() const;
  bool NameTaken(const std::string& name, int except = -1) const;
  Json::Value DefaultProfileFor(const ProfileListEntry& entry) const;
  Json::Value LoadedProfile(int index) const;
  bool WriteProfile(Json::Value document, const ProfileListEntry& entry) const;
  int Append(const ProfileListEntry& entry, Json::Value document);

  int m_nDeviceType = 0;
  std::string m_strUserFolder;
  std::string m_strDefaultProfilePath;
  std::string m_strSelectedUUID;
  std::vector<ProfileListEntry> m_entries;
  int m_nSelected = 0;
  UuidSource m_makeUuid;
};

}  // namespace tarn
