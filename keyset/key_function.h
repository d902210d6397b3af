#pragma once
// A key function: the three bytes (type, param1, param2) that a key of the
// keyboard or mouse carries. Profiles store it as one integer
// type * 65536 + param1 * 256 + param2; the device receives the three bytes
// unchanged. Two functions are equal when all three bytes are equal.
#include <cstdint>

namespace tarn {

struct KeyFunction {
  uint8_t type = 0;
  uint8_t param1 = 0;
  uint8_t param2 = 0;

  friend constexpr bool operator==(const KeyFunction&, const KeyFunction&) = default;
};

// Function types.
inline constexpr uint8_t kFnNone = 0x00;
inline constexpr uint8_t kFnMouseButton = 0x10;     // param1: button bit
inline constexpr uint8_t kFnMouseMove = 0x11;       // param1: delay/speed nibbles; param2: bit 7 right, count
inline constexpr uint8_t kFnWheel = 0x12;           // param1: delay/speed nibbles; param2: signed count, < 0 down
inline constexpr uint8_t kFnDpiStep = 0x13;         // param1: 1 up, 2 down, 3 cycle
inline constexpr uint8_t kFnFireKey = 0x14;         // param1: interval; param2: count
inline constexpr uint8_t kFnDpiShift = 0x16;
inline constexpr uint8_t kFnKeyboardKey = 0x20;     // param1: modifier bits; param2: HID usage
inline constexpr uint8_t kFnOfficeFunction = 0x22;  // param1: 0-8
inline constexpr uint8_t kFnShowWindow = 0x23;
inline constexpr uint8_t kFnConsumer = 0x30;        // param1/param2: consumer usage, low byte first
inline constexpr uint8_t kFnSystem = 0x40;          // param1: 0x01 power, 0x02 sleep, 0x04 wake
inline constexpr uint8_t kFnMacro = 0x70;           // param1: macro number; param2: run mode 0-3
inline constexpr uint8_t kFnMacroRepeat = 0x71;     // param1: macro number; param2: repeat count
inline constexpr uint8_t kFnRecoil = 0x72;          // param1: pattern 0-3
inline constexpr uint8_t kFnKeyboardFunction = 0xA0;
inline constexpr uint8_t kFnShortcutPage = 0xB0;
inline constexpr uint8_t kFnOnBoardMacro = 0xD0;    // param1: 0xA2; param2: 1-5

// Modifier bits of a keyboard key function (param1 of type 0x20), also the
// "Button" of a modifier macro event.
inline constexpr uint8_t kModLeftCtrl = 0x01;
inline constexpr uint8_t kModLeftShift = 0x02;
inline constexpr uint8_t kModLeftAlt = 0x04;
inline constexpr uint8_t kModLeftWin = 0x08;
inline constexpr uint8_t kModRightCtrl = 0x10;
inline constexpr uint8_t kModRightShift = 0x20;
inline constexpr uint8_t kModRightAlt = 0x40;
inline constexpr uint8_t kModRightWin = 0x80;

// Mouse button bits (param1 of type 0x10, "Button" of a mouse button event).
inline constexpr uint8_t kMouseLeft = 0x01;
inline constexpr uint8_t kMouseRight = 0x02;
inline constexpr uint8_t kMouseMiddle = 0x04;
inline constexpr uint8_t kMouseBack = 0x08;
inline constexpr uint8_t kMouseForward = 0x10;

// The profile's integer form.
constexpr uint32_t KeyFunctionToCode(KeyFunction f) {
  return (uint32_t{f.type} << 16) | (uint32_t{f.param1} << 8) | f.param2;
}
// Reads the low 24 bits; higher bits carry nothing.
constexpr KeyFunction KeyFunctionFromCode(uint32_t code) {
  return KeyFunction{static_cast<uint8_t>(code >> 16), static_cast<uint8_t>(code >> 8), static_cast<uint8_t>(code)};
}

constexpr bool IsMacroFunction(KeyFunction f) { return f.type == kFnMacro || f.type == kFnMacroRepeat; }

// Mouse movement (0x11) and wheel movement (0x12) in plain numbers. The
// nibbles and the count are the firmware's; we only pack and unpack them.
struct Movement {
  uint8_t delay = 0;     // 0-15
  uint8_t speed = 0;     // 0-15
  bool reverse = false;  // movement: to the right; wheel: down
  uint8_t count = 0;     // movement 0-127; wheel 0-128
};

// Builds (0x11, delay/speed, count) with bit 7 set for a move to the right.
// Every value is cut to the width of its field.
KeyFunction MakeMouseMove(unsigned delay, unsigned speed, bool right, unsigned count);
// Builds (0x12, delay/speed, count); a move down stores the count negated as
// a signed byte (count 3 gives 0xFD, count 0 gives 0x80).
KeyFunction MakeWheelMove(unsigned delay, unsigned speed, bool down, unsigned count);
// Unpacks either type; other types give all zeros.
Movement DecodeMovement(KeyFunction f);

}  // namespace tarn
