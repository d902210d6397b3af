#include "macro/mouse_actions.h"

#include "keyset/catalogue_tables.h"
#include "macro/macro_event.h"
#include "profile/json_file.h"

namespace tarn {

// clang-format off
const std::array<MouseActionRow, 15> kMouseActionTable = {{
    {kMsgLeftDown,   0x01, 0x81, "mouse_key_left"},
    {kMsgLeftUp,     0x01, 0x01, "mouse_key_left"},
    {kMsgRightDown,  0x02, 0x81, "mouse_key_right"},
    {kMsgRightUp,    0x02, 0x01, "mouse_key_right"},
    {kMsgMiddleDown, 0x04, 0x81, "mouse_key_middle"},
    {kMsgMiddleUp,   0x04, 0x01, "mouse_key_middle"},
    {kMsgXDown,      0x10, 0x81, "mouse_key_forward"},  // second X button
    {kMsgXUp,        0x10, 0x01, "mouse_key_forward"},
    {kMsgXDown,      0x08, 0x81, "mouse_key_back"},     // first X button
    {kMsgXUp,        0x08, 0x01, "mouse_key_back"},
    {4,              0,    0x84, "mouse_move_to_left_text"},
    {4,              0,    0x04, "mouse_move_to_right_text"},
    {5,              0,    0x85, "mouse_move_to_up_text"},
    {5,              0,    0x05, "mouse_move_to_down_text"},
    {kMsgWheel,      0,    0x00, "mouse_cursor_text"},
}};
// clang-format on

int FindMouseActionRow(unsigned message, unsigned xButton) {
  for (int row = 0; row < 6; ++row) {
    if (kMouseActionTable[row].message == message) return row;
  }
  if (message != kMsgXDown && message != kMsgXUp) return -1;
  const int up = message == kMsgXUp ? 1 : 0;
  if (xButton == kXButtonForward) return 6 + up;
  if (xButton == kXButtonBack) return 8 + up;
  return -1;
}

namespace {
Json::Value EventOfRow(const MouseActionRow& row, uint8_t button, uint16_t delay) {
  return MakeMacroEvent(row.typeAndPress & 0x7F, (row.typeAndPress & 0x80) != 0, button, delay);
}
}  // namespace

std::optional<Json::Value> MouseButtonEvent(unsigned message, unsigned xButton, uint16_t delay) {
  const int row = FindMouseActionRow(message, xButton);
  if (row < 0) return std::nullopt;
  return EventOfRow(kMouseActionTable[row], kMouseActionTable[row].button, delay);
}

std::optional<Json::Value> MouseMoveEvent(int variant, unsigned distance, uint16_t delay) {
  if (variant < 0 || variant > 3) return std::nullopt;
  return EventOfRow(kMouseActionTable[10 + variant], static_cast<uint8_t>(distance & 0xFF), delay);
}

std::optional<Json::Value> KeyEvent(ScanCode code, bool down, uint16_t delay) {
  const int row = FindCaptureRow(code);
  if (row < 0) return std::nullopt;
  const KeyFunction& f = kKeyboardKeyTable[row].function;
  if (f.param2 != 0) return MakeMacroEvent(kMacroKey, down, f.param2, delay);
  if (f.param1 != 0) return MakeMacroEvent(kMacroModifier, down, f.param1, delay);
  return std::nullopt;
}

const char* MacroEventNameKey(const Json::Value& event) {
  if (!IsValidMacroEvent(event)) return "";
  const int64_t type = JsonAsInt64(JsonMember(event, "Type"));
  const int64_t button = JsonAsInt64(JsonMember(event, "Button"));
  switch (type) {
    case kMacroKey:
      for (size_t row = kModifierRowCount; row < kKeyboardKeyTable.size(); ++row) {
        const KeyFunction& f = kKeyboardKeyTable[row].function;
        if (f.type == kFnKeyboardKey && f.param1 == 0 && f.param2 == button) return kKeyboardKeyTable[row].nameId;
      }
      return "";
    case kMacroModifier:
      for (int row = 0; row < kModifierRowCount; ++row) {
        const KeyFunction& f = kKeyboardKeyTable[row].function;
        if (f.param1 == button && f.param2 == 0) return kKeyboardKeyTable[row].nameId;
      }
      return "";
    case kMacroMouseButton:
      for (int row = 0; row < 10; ++row) {
        if (kMouseActionTable[row].button == button) return kMouseActionTable[row].nameId;
      }
      return "";
    case kMacroMoveX:
    case kMacroMoveY: {
      const int typeAndPress = static_cast<int>(type) | (IsPressEvent(event) ? 0x80 : 0);
      for (int row = 10; row < 14; ++row) {
        if (kMouseActionTable[row].typeAndPress == typeAndPress) return kMouseActionTable[row].nameId;
      }
      return "";
    }
    default:
      return "";
  }
}

}  // namespace tarn
