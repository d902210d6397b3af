#pragma once
// The keyboard's memory areas as the host builds and reads them: the
// information block, the settings block, the key table written back, the
// macro image and the notification values. Pure functions, no I/O.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "device/keyboard/key_identity.h"
#include "profile/profile_records.h"

namespace tarn::keyboard {

inline constexpr unsigned kInfoBlockSize = 34;
inline constexpr unsigned kInfoKeyCountByte = 5;
inline constexpr unsigned kInfoMacroMemoryByte = 6;  // in units of 128 bytes
inline constexpr unsigned kMaxKeyCount = 170;
inline constexpr unsigned kMaxKeyTableBytes = 512;
inline constexpr unsigned kSettingsBlockSize = 29;
inline constexpr unsigned kPowerStatusSize = 6;
inline constexpr unsigned kCustomGroupStride = 512;
inline constexpr uint8_t kHostDrivenModeCode = 0xFE;

// Keyboard stage words: (Repeat, RepeatDelay), (Key6Flag, PollingRate),
// (WFlag, WinFlag), low half first.
struct KeyboardStages {
  uint32_t words[3] = {0, 0, 0};

  uint16_t Repeat() const { return StageLow(words[0]); }
  uint16_t RepeatDelay() const { return StageHigh(words[0]); }
  uint16_t Key6Flag() const { return StageLow(words[1]); }
  uint16_t PollingRate() const { return StageHigh(words[1]); }
  uint16_t WFlag() const { return StageLow(words[2]); }
  uint16_t WinFlag() const { return StageHigh(words[2]); }
  void SetRepeat(uint16_t v) { words[0] = PackStageWord(v, RepeatDelay()); }
  void SetRepeatDelay(uint16_t v) { words[0] = PackStageWord(Repeat(), v); }
  void SetKey6Flag(uint16_t v) { words[1] = PackStageWord(v, PollingRate()); }
  void SetPollingRate(uint16_t v) { words[1] = PackStageWord(Key6Flag(), v); }
  void SetWFlag(uint16_t v) { words[2] = PackStageWord(v, WinFlag()); }
  void SetWinFlag(uint16_t v) { words[2] = PackStageWord(WFlag(), v); }
};

// What the information block tells, checked: a key count over 170 or a key
// table over 512 bytes is refused.
struct InfoBlock {
  std::array<uint8_t, kInfoBlockSize> bytes{};
  unsigned KeyCount() const { return bytes[kInfoKeyCountByte]; }
  unsigned MacroMemoryBytes() const { return bytes[kInfoMacroMemoryByte] * 128u; }
  bool KeyCountUsable() const { return KeyCount() <= kMaxKeyCount && KeyCount() * 3 <= kMaxKeyTableBytes; }
};

// Mode index -> device mode code: code[i] when the list has it, else i.
uint8_t ModeCodeForIndex(unsigned modeIndex, const std::vector<int>& modeCodes);
// Device mode code -> the first index with that code; an unknown code is used
// as the index; 0xFE (host-driven) keeps `current`.
uint8_t ModeIndexForCode(uint8_t code, const std::vector<int>& modeCodes, uint8_t current);

// Builds the 29-byte block to write, field by field; bytes the host does not
// own go back exactly as last read.
std::array<uint8_t, kSettingsBlockSize> EncodeSettingsBlock(const std::array<uint8_t, kSettingsBlockSize>& lastRead,
                                                            uint8_t firstByte, const LightState& light,
                                                            const KeyboardStages& stages,
                                                            const std::vector<int>& modeCodes);

// Reads a block back into the lighting state and stages (which keep the
// fields the block does not carry). MultiColor becomes 0.
void DecodeSettingsBlock(const std::array<uint8_t, kSettingsBlockSize>& block, const std::vector<int>& modeCodes,
                         LightState& light, KeyboardStages& stages);

// The key table to write and the macros it uses.
struct KeyTableWrite {
  std::vector<uint8_t> table;          // keyCount * 3 bytes
  std::vector<uint8_t> usedMacros;     // macro numbers in order of first use
};

// Walks rows 0-125 that have a position: a macro key whose macro exists gets
// the macro's place in the list of used macros; one whose macro does not
// exist falls back to the key's default function. `keys` is indexed by row.
KeyTableWrite BuildKeyTableWrite(const std::vector<uint8_t>& cachedTable, unsigned keyCount, const KeyMaps& maps,
                                 const std::vector<KeyEntry>& keys, unsigned macroCount);

// One macro event as the device stores it.
struct MacroEventBytes {
  uint16_t delay = 0;
  uint8_t type = 0;
  bool down = false;
  uint8_t button = 0;
};

inline constexpr uint16_t kMacroImageMagic = 0x55AA;
inline constexpr unsigned kMacroImageHeader = 16;

// 16 + 6 * macros + 4 * events.
size_t MacroImageSize(const std::vector<std::vector<MacroEventBytes>>& macros);
// The image: magic, total length, count, offsets, then the records. Empty
// when it would not fit the 16-bit length field.
std::vector<uint8_t> BuildMacroImage(const std::vector<std::vector<MacroEventBytes>>& macros);

// The power status as shown: byte 3 says whether the receiver carries it.
std::array<uint8_t, kPowerStatusSize> HostPowerStatus(const uint8_t* reply, bool throughReceiver);

// A notification that moves the active settings block (0x10nn, 0x11nn).
struct BlockNotification {
  uint8_t activeBlock;
  std::optional<uint8_t> byte17;
};
std::optional<BlockNotification> DecodeBlockNotification(uint16_t value);

}  // namespace tarn::keyboard
