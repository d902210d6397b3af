#pragma once
// Keys that run a macro (types 0x70 and 0x71) name it by its position in the
// device's macro list, so every change of that list's order and every
// download renumbers the keys. These rules keep the references sound.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "keyset/key_function.h"
#include "profile/profile_records.h"

namespace tarn {

// Whether macro number `number` names a macro of a list of `count`. Numbers
// run from 0, so a number equal to the count names none.
constexpr bool IsListedMacro(size_t number, size_t count) { return number < count; }

KeyFunction FunctionOf(const KeyAssignment& a);
void SetFunction(KeyAssignment& a, KeyFunction f);

// True when some key's current function runs macro `number`.
bool KeysUseMacro(const std::vector<KeyEntry>& keys, size_t number);

// Macro `deleted` leaves the list: keys that ran it get their default back
// (the whole default half copied into the current half); keys that ran a
// later macro follow it down by one. True when any key changed.
bool RepairKeysForDeletedMacro(std::vector<KeyEntry>& keys, size_t deleted);

// Keys that run a macro the list does not have (number >= macroCount) get
// their default back, as when a profile is loaded. True when any changed.
bool ResetKeysForMissingMacros(std::vector<KeyEntry>& keys, size_t macroCount);

// The list was reordered: newNumberOf[old] is each macro's new number. Keys
// follow their macro; a number the map does not cover resets the key to its
// default. True when any key changed.
bool RenumberKeysForMovedMacros(std::vector<KeyEntry>& keys, const std::vector<size_t>& newNumberOf);

// The device keeps only the macros keys use, numbered in order of first use.
// `keys` are the keys the device has, in key-table order.
std::vector<size_t> CollectUsedMacros(const std::vector<KeyEntry>& keys, size_t macroCount);

// The function a key is written to the device with: a macro key carries the
// place of its macro in `used` (from CollectUsedMacros); a macro key whose
// macro is missing goes down with its default; others are unchanged.
KeyFunction DeviceFunctionOf(const KeyEntry& key, const std::vector<size_t>& used, size_t macroCount);

}  // namespace tarn
