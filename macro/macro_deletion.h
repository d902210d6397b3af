#pragma once
// Deleting a macro renumbers the keys of every profile of the device: keys
// that ran the macro get their default back, keys that ran a later macro
// follow it down by one. The questions to the user come first and belong to
// the editor; nothing here asks.
#include <cstddef>
#include <string>
#include <vector>

#include "macro/macro_list.h"
#include "profile/basic_profile.h"

namespace tarn {

struct MacroDeletionOutcome {
  bool deleted = false;          // the list entry and its event file are gone
  bool currentChanged = false;   // the current profile's keys changed (download them again)
  size_t profilesWritten = 0;    // profile files written back, the current one included
  size_t writeFailures = 0;      // profile files that could not be written
};

// Repairs the key lists for the deletion of macro `deleted`: first every
// profile file in `otherProfiles` (the current one is skipped if listed),
// each written back only when a key changed, then the current profile of
// `document` (loaded by the caller), saved when it changed.
MacroDeletionOutcome RepairProfilesForDeletedMacro(CBasicProfiledata& document,
                                                   const std::vector<std::string>& otherProfiles, size_t deleted);

// The repair above, then the deletion of the macro from the list.
MacroDeletionOutcome DeleteMacroAndRepairKeys(CMacroList& macros, CBasicProfiledata& document,
                                              const std::vector<std::string>& otherProfiles, size_t number);

}  // namespace tarn
