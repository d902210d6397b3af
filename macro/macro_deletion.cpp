#include "macro/macro_deletion.h"

#include "keyset/macro_references.h"

namespace tarn {

MacroDeletionOutcome RepairProfilesForDeletedMacro(CBasicProfiledata& document,
                                                   const std::vector<std::string>& otherProfiles, size_t deleted) {
  MacroDeletionOutcome outcome;
  for (const std::string& path : otherProfiles) {
    if (path.empty() || path == document.GetProfilePath()) continue;
    document.LoadOther(path);
    KeyList keys = document.GetOtherKeyList();
    if (!RepairKeysForDeletedMacro(keys, deleted)) continue;
    document.SetOtherKeyList(keys);
    if (document.SaveOtherTo(path) == 0) {
      ++outcome.profilesWritten;
    } else {
      ++outcome.writeFailures;
    }
  }
  KeyList keys = document.GetKeyList();
  if (RepairKeysForDeletedMacro(keys, deleted)) {
    document.SetKeyList(keys);
    outcome.currentChanged = true;
    if (document.Save() == 0) {
      ++outcome.profilesWritten;
    } else {
      ++outcome.writeFailures;
    }
  }
  return outcome;
}

MacroDeletionOutcome DeleteMacroAndRepairKeys(CMacroList& macros, CBasicProfiledata& document,
                                              const std::vector<std::string>& otherProfiles, size_t number) {
  if (number >= macros.Count()) return MacroDeletionOutcome{};
  MacroDeletionOutcome outcome = RepairProfilesForDeletedMacro(document, otherProfiles, number);
  outcome.deleted = macros.Delete(number);
  return outcome;
}

}  // namespace tarn
