#pragma once
// The keyboard's key identity table: for each on-screen key index N (the N
// of "key_" N and "light_" N) the key's factory function. A key is found in
// the keyboard's own key table by this function, which gives the maps from
// on-screen index to key position and LED slot.
#include <array>
#include <cstdint>
#include <vector>

#include "profile/profile_records.h"

namespace tarn::keyboard {

inline constexpr unsigned kKeyIdentityRows = 170;
// Rows past this one are all empty; walks over keys stop here.
inline constexpr unsigned kLastNamedKeyRow = 125;
inline constexpr uint8_t kNoPosition = 255;

struct KeyIdentity {
  uint8_t type;
  uint8_t param1;
  uint8_t param2;
  bool operator==(const KeyIdentity&) const = default;
};

// Row N of the table.
const std::array<KeyIdentity, kKeyIdentityRows>& KeyIdentityTable();

// True for a row that names no key (20.00.00).
bool IsEmptyIdentity(const KeyIdentity& identity);

// Factory function of row N as a key assignment carrying N as its index.
KeyAssignment FactoryAssignment(unsigned row);

// The maps from on-screen index to key position and LED slot, 255 for none.
struct KeyMaps {
  std::array<uint8_t, kKeyIdentityRows> keyPos;
  std::array<uint8_t, kKeyIdentityRows> keyLed;
};

// keyPos[N] = the first position k < keyCount whose 3-byte entry in keyTable
// equals row N (an empty row matches the first empty position);
// keyLed[N] = ledMap[keyPos[N]] where there is a position.
KeyMaps BuildKeyMaps(const std::vector<uint8_t>& keyTable, const std::vector<uint8_t>& ledMap, unsigned keyCount);

}  // namespace tarn::keyboard
