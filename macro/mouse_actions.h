#pragma once
// The mouse action table and the names of macro events: which mouse
// messages recording turns into which events, and the language name key
// under which the editor shows an event.
#include <json/json.h>

#include <array>
#include <cstdint>
#include <optional>

#include "keyset/key_capture.h"

namespace tarn {

// Mouse messages, with the numbers the recording hooks deliver.
inline constexpr unsigned kMsgMouseMove = 512;
inline constexpr unsigned kMsgLeftDown = 513;
inline constexpr unsigned kMsgLeftUp = 514;
inline constexpr unsigned kMsgRightDown = 516;
inline constexpr unsigned kMsgRightUp = 517;
inline constexpr unsigned kMsgMiddleDown = 519;
inline constexpr unsigned kMsgMiddleUp = 520;
inline constexpr unsigned kMsgWheel = 522;
inline constexpr unsigned kMsgXDown = 523;
inline constexpr unsigned kMsgXUp = 524;
// X buttons: 1 the first ("back"), 2 the second ("forward").
inline constexpr unsigned kXButtonBack = 1;
inline constexpr unsigned kXButtonForward = 2;

struct MouseActionRow {
  unsigned message;     // or the event type for the move rows 10-13
  uint8_t button;
  uint8_t typeAndPress; // low seven bits the event type, bit 7 set for "down"
  const char* nameId;
};
// Rows 0-9 are the buttons that recording and the insert menu produce, rows
// 10-13 the hand-inserted moves; row 14 is never matched.
extern const std::array<MouseActionRow, 15> kMouseActionTable;

// The row recording uses for a mouse message: rows 0-5 by message; the X
// button messages by X button number (2 forward: rows 6-7, 1 back: rows
// 8-9). -1 for any other message or button.
int FindMouseActionRow(unsigned message, unsigned xButton);

// The event recorded for a mouse message, or nothing.
std::optional<Json::Value> MouseButtonEvent(unsigned message, unsigned xButton, uint16_t delay);

// A hand-inserted move: variant 0 left, 1 right, 2 up, 3 down; the distance
// keeps its low 8 bits.
std::optional<Json::Value> MouseMoveEvent(int variant, unsigned distance, uint16_t delay);

// The event recorded for a key: the first capturable row of the keyboard key
// table with this scan code; a key with a HID usage is type 10, a modifier
// type 9. Nothing for a key the table lacks.
std::optional<Json::Value> KeyEvent(ScanCode code, bool down, uint16_t delay);

// The language name key of an event, or "" when none matches: keys through
// the keyboard key table, mouse buttons and moves through the table above;
// types 2 and 3 have no name.
const char* MacroEventNameKey(const Json::Value& event);

}  // namespace tarn
