#pragma once
// The plain records that profile sections, device memory and the lighting
// engine share. Byte layouts are fixed: devices receive some of them as bytes.
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tarn {

// One key's function: type, param1 and param2 (the key function catalogue
// gives their meaning). In JSON the three bytes travel as one integer,
// type * 65536 + param1 * 256 + param2.
struct KeyAssignment {
  uint16_t keyIndex = 0;  // position in the key list
  uint8_t type = 0;
  uint8_t param1 = 0;
  uint8_t param2 = 0;
  uint8_t spare = 0;

  // Two functions are the same when the three bytes are.
  bool SameFunction(const KeyAssignment& other) const {
    return type == other.type && param1 == other.param1 && param2 == other.param2;
  }
  bool operator==(const KeyAssignment& other) const { return SameFunction(other); }

  int ToInteger() const { return type * 65536 + param1 * 256 + param2; }
  // Bits 16-23, 8-15 and 0-7 of value; higher bits are ignored.
  static KeyAssignment FromInteger(uint16_t keyIndex, int64_t value) {
    KeyAssignment a;
    a.keyIndex = keyIndex;
    a.type = static_cast<uint8_t>((value >> 16) & 0xFF);
    a.param1 = static_cast<uint8_t>((value >> 8) & 0xFF);
    a.param2 = static_cast<uint8_t>(value & 0xFF);
    return a;
  }
  static KeyAssignment Make(uint8_t type, uint8_t param1, uint8_t param2, uint16_t keyIndex = 0) {
    KeyAssignment a;
    a.keyIndex = keyIndex;
    a.type = type;
    a.param1 = param1;
    a.param2 = param2;
    return a;
  }
};
static_assert(sizeof(KeyAssignment) == 6);

// A key's current function and its factory default; both carry the key index.
struct KeyEntry {
  KeyAssignment current;
  KeyAssignment defaultAssignment;
};
static_assert(sizeof(KeyEntry) == 12);

// The hardware lighting state ("LightInfo"). Bytes 8-10 are not stored and
// read back as 0.
struct LightState {
  uint8_t selectItem = 0;  // light mode index
  uint8_t light = 0;       // brightness 0-4
  uint8_t speed = 0;       // 0 slow .. 4 fast
  uint8_t fx = 0;          // direction / effect variant
  uint8_t multiColor = 0;  // 0 or 1
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  uint8_t reserved[3] = {0, 0, 0};
  uint8_t zzccLedMode = 0;  // the mode code of the chip family
  uint8_t customGroup = 0;
  uint8_t oldLedMode = 0;  // previous mode

  std::array<uint8_t, 14> Bytes() const {
    std::array<uint8_t, 14> b{};
    std::memcpy(b.data(), this, 14);
    return b;
  }
  static LightState FromBytes(const uint8_t* bytes) {
    LightState s;
    std::memcpy(&s, bytes, 14);
    return s;
  }
  bool operator==(const LightState& other) const { return Bytes() == other.Bytes(); }
};
static_assert(sizeof(LightState) == 14);

// The sound-driven lighting state ("AudioLightInfo").
struct AudioLightState {
  uint8_t audioMode = 0;
  uint8_t bkColorR = 0;
  uint8_t bkColorG = 0;
  uint8_t bkColorB = 0;
  uint8_t fgColorR = 0;
  uint8_t fgColorG = 0;
  uint8_t fgColorB = 0;
  uint8_t sevenColorFlags = 0;  // "7ColorFlags", 0 or 1
  uint8_t colorTypeFlags = 0;   // 0 or 1

  bool operator==(const AudioLightState&) const = default;
};
static_assert(sizeof(AudioLightState) == 9);

// One element of "LightList": a zone's hardware effect.
struct LightListEntry {
  uint8_t regMode = 0;     // "LEDREGMode", 0-4
  uint8_t brightness = 0;  // "LEDBrightness"
  uint8_t speed = 0;       // "LEDSpeed"
  uint8_t direction = 0;   // "LEDDirection", 0 or 1
  uint8_t multiColor = 0;  // "LEDMultiColor", 0 or 1
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  uint8_t unused1[2] = {0, 0};
  uint8_t present = 0;  // 1 when the element was an object, 0 when null
  uint8_t unused2[3] = {0, 0, 0};

  bool operator==(const LightListEntry&) const = default;
};
static_assert(sizeof(LightListEntry) == 14);

// One step of a user light effect (".light" file, "LEDEffectList").
struct LightEffectStep {
  uint8_t regMode = 0;
  uint8_t brightness = 0;
  uint8_t speed = 0;
  uint8_t direction = 0;
  uint8_t multiColor = 0;
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  uint8_t zero[8] = {0, 0, 0, 0, 0, 0, 0, 0};
  uint32_t time = 0;   // "Time", milliseconds
  uint32_t cycle = 0;  // "Cyle"

  bool operator==(const LightEffectStep&) const = default;
};
static_assert(sizeof(LightEffectStep) == 24);

// A custom per-key colour ("LightColorInfo" element).
struct LightColor {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  uint8_t alpha = 0;

  bool operator==(const LightColor&) const = default;
};
static_assert(sizeof(LightColor) == 4);

// One mouse resolution stage. On the device it is 9 bytes in this order.
struct DPIStage {
  uint8_t active = 0;  // "StageActive": the stage is enabled
  uint8_t xy = 0;      // "StageXY": separate X and Y resolution
  uint16_t dpiX = 0;   // "StageDPIX"
  uint16_t dpiY = 0;   // "StageDPIY"
  uint8_t colorR = 0;  // "StageColorR"
  uint8_t colorG = 0;
  uint8_t colorB = 0;

  bool operator==(const DPIStage&) const = default;
};

// One element of the mouse's "CorrectInfo".
struct CorrectRecord {
  uint8_t pixThresh = 0;  // "CorrectPixThresh"
  uint8_t minSq = 0;      // "CorrectMinSq"
  uint8_t select = 0;     // "CorrectSelect"
  std::string name;       // "CorrectName", UTF-8

  bool operator==(const CorrectRecord&) const = default;
};

// Two 16-bit settings packed into one stage word, low half first.
inline uint32_t PackStageWord(uint16_t low, uint16_t high) { return static_cast<uint32_t>(low) | (static_cast<uint32_t>(high) << 16); }
inline uint16_t StageLow(uint32_t word) { return static_cast<uint16_t>(word & 0xFFFF); }
inline uint16_t StageHigh(uint32_t word) { return static_cast<uint16_t>(word >> 16); }

using StageWords = std::array<uint32_t, 3>;
using KeyList = std::vector<KeyEntry>;

}  // namespace tarn
