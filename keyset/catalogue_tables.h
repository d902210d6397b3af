#pragma once
// The fixed tables of the key function catalogue. Every table is constant,
// shared by every device, and in the order the key setting panel's combos
// show it (item index = row index).
#include <array>
#include <cstddef>
#include <cstdint>

#include "keyset/key_function.h"

namespace tarn {

// A function type: the panel page that edits it (-1: none, the editor is
// hidden) and what it does.
struct FunctionTypeRow {
  uint8_t type;
  int8_t panelPage;
  const char* function;
};
extern const std::array<FunctionTypeRow, 18> kFunctionTypeTable;

// Types for which no name is produced: the key button keeps its caption.
extern const std::array<uint8_t, 6> kCaptionKeepingTypes;

// A named function of one of the combo tables.
struct NamedFunctionRow {
  KeyFunction function;
  const char* nameId;
};

extern const std::array<NamedFunctionRow, 5> kMouseButtonTable;     // "keyset_mousekey_combo"
extern const std::array<NamedFunctionRow, 3> kDpiTable;             // "keyset_mousedpi_combo"
extern const std::array<NamedFunctionRow, 18> kMediaTable;          // "keyset_media_combo"
extern const std::array<NamedFunctionRow, 3> kSystemTable;          // "keyset_system_combo"
extern const std::array<NamedFunctionRow, 11> kOfficeShortcutTable; // "keyset_combokey_combo": right Ctrl + key
extern const std::array<NamedFunctionRow, 9> kOfficeFunctionTable;  // type 0x22, name lookup only
extern const std::array<NamedFunctionRow, 15> kMouseFunctionTable;  // name lookup only, searched in order
extern const std::array<const char*, 4> kRecoilPatternNames;        // type 0x72 by param1

// One row of the keyboard key table. Rows 0-7 are the modifiers, rows 8-112
// the keys a keystroke can be captured as (they carry the scan code and the
// extended-key flag that recognise the key), rows 113-141 further named
// functions without a scan code. Virtual-key codes 0x101 and 0x103-0x105 are
// row keys outside the Windows range; 0xFF marks a key without one.
struct KeyboardKeyRow {
  const char* nameId;
  uint16_t virtualKey;
  int16_t scanCode;  // kNoScanCode for rows 113 on
  int8_t extended;   // 0 or 1; kNoScanCode for rows 113 on
  KeyFunction function;
};
inline constexpr int16_t kNoScanCode = -1;
inline constexpr int kModifierRowCount = 8;
inline constexpr int kCaptureRowCount = 113;
extern const std::array<KeyboardKeyRow, 142> kKeyboardKeyTable;

// A name id the language files carry without a code row.
inline constexpr const char* kColorKeyNameId = "keyboard_key_COLOR";

// Fixed names of single functions.
inline constexpr const char* kNameOff = "close_text";
inline constexpr const char* kNameUnknownType = "关闭";
inline constexpr const char* kNameMoveLeft = "mouse_key_left_Swing";
inline constexpr const char* kNameMoveRight = "mouse_key_right_Swing";
inline constexpr const char* kNameWheelUp = "mouse_key_up_Swing";
inline constexpr const char* kNameWheelDown = "mouse_key_down_Swing";
inline constexpr const char* kNameFireKey = "mouse_key_fire_key";

// The item of a combo table that shows `f`: the first row with the same
// param1 and param2 (the type is the page's), or -1.
int FindTableItem(const NamedFunctionRow* table, size_t size, KeyFunction f);
template <size_t N>
int FindTableItem(const std::array<NamedFunctionRow, N>& table, KeyFunction f) {
  return FindTableItem(table.data(), N, f);
}

// The panel page of a function by its type (-1 when the type has none):
// keyboard keys with right Ctrl alone as modifier open the shortcut page.
int PanelPageOf(KeyFunction f);

}  // namespace tarn
