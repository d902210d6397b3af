#pragma once
// One macro event: a JSON object with "Type", "Action", "Button" and
// "Delay" (the wait after the event, decimal text "0" to "65535"). On the
// device an event is four bytes: the delay (16 bits, little-endian), the type
// with bit 7 set for a press, and the button.
#include <json/json.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarn {

// Event types.
inline constexpr int kMacroMouseButton = 1;  // "Button": mouse button bit
inline constexpr int kMacroMouseOther2 = 2;  // read and shown, never made
inline constexpr int kMacroMouseOther3 = 3;  // read and shown, never made
inline constexpr int kMacroMoveX = 4;        // "down" to the left, "up" to the right; "Button": distance
inline constexpr int kMacroMoveY = 5;        // "down" up, "up" down; "Button": distance
inline constexpr int kMacroModifier = 9;     // "Button": modifier bit
inline constexpr int kMacroKey = 10;         // "Button": HID usage

inline constexpr uint16_t kMaxMacroDelay = 65535;
inline constexpr size_t kMaxMacroEvents = 4000;  // recording adds no event beyond
inline constexpr size_t kMaxMacros = 50;         // per device
inline constexpr int kMacroFileVersion = 64;

inline constexpr const char* kActionDown = "down";
inline constexpr const char* kActionUp = "up";

// Decimal text as a delay: leading blanks and a sign allowed, digits up to
// the first other character; text that is no number reads 0, negative values
// 0, and values above 65535 (however long) 65535.
uint16_t ParseDelayText(std::string_view text);

// An event's "Delay", given as text or as a number, clamped the same way;
// missing or of another type: 0.
uint16_t MacroEventDelay(const Json::Value& event);

std::string DelayText(uint16_t delay);

// True for "Action" "down"; anything else is a release.
bool IsPressEvent(const Json::Value& event);

// An event the system can show and send: an object whose "Type" is one of
// the event types, whose "Button" is a whole number 0-255, whose "Action"
// is text (or missing) and whose "Delay" is text or a number (or missing).
bool IsValidMacroEvent(const Json::Value& event);

// Rewrites "Delay" as the clamped decimal text; other members stay, except
// members whose names hold a NUL (they cannot be written faithfully).
void NormaliseEventDelay(Json::Value& event);

// The device's four bytes of a valid event.
std::array<uint8_t, 4> EncodeMacroEvent(const Json::Value& event);

Json::Value MakeMacroEvent(int type, bool down, uint8_t button, uint16_t delay);

}  // namespace tarn
