#include "keyset/linux_key_map.h"

#include <linux/input-event-codes.h>

#include <array>

namespace tarn {

namespace {

struct LinuxKeyRow {
  uint16_t linuxKey;
  uint8_t scan;
  uint8_t extended;
};

// One row per capturable key of the keyboard key table, in that table's
// order. The scan code and extended flag are those the key's table row is
// recognised by, so a key captured here encodes as it does on a PC whose
// hook reports set-1 scan codes (right Shift and Num Lock included, whose
// flags the table fixes).
// clang-format off
//   Linux key              scan   ext     key name id
constexpr std::array<LinuxKeyRow, 113> kLinuxKeyTable = {{
    {KEY_LEFTCTRL,          0x1D, 0},  // "keyboard_key_LCtrl"
    {KEY_LEFTSHIFT,         0x2A, 0},  // "keyboard_key_LShift"
    {KEY_LEFTALT,           0x38, 0},  // "keyboard_key_LAlt"
    {KEY_LEFTMETA,          0x5B, 1},  // "keyboard_key_LWin"
    {KEY_RIGHTCTRL,         0x1D, 1},  // "keyboard_key_RCtrl"
    {KEY_RIGHTSHIFT,        0x36, 1},  // "keyboard_key_RShift"
    {KEY_RIGHTALT,          0x38, 1},  // "keyboard_key_RAlt"
    {KEY_RIGHTMETA,         0x5C, 1},  // "keyboard_key_RWin"
    {KEY_A,                 0x1E, 0},  // "keyboard_key_A"
    {KEY_B,                 0x30, 0},  // "keyboard_key_B"
    {KEY_C,                 0x2E, 0},  // "keyboard_key_C"
    {KEY_D,                 0x20, 0},  // "keyboard_key_D"
    {KEY_E,                 0x12, 0},  // "keyboard_key_E"
    {KEY_F,                 0x21, 0},  // "keyboard_key_F"
    {KEY_G,                 0x22, 0},  // "keyboard_key_G"
    {KEY_H,                 0x23, 0},  // "keyboard_key_H"
    {KEY_I,                 0x17, 0},  // "keyboard_key_I"
    {KEY_J,                 0x24, 0},  // "keyboard_key_J"
    {KEY_K,                 0x25, 0},  // "keyboard_key_K"
    {KEY_L,                 0x26, 0},  // "keyboard_key_L"
    {KEY_M,                 0x32, 0},  // "keyboard_key_M"
    {KEY_N,                 0x31, 0},  // "keyboard_key_N"
    {KEY_O,                 0x18, 0},  // "keyboard_key_O"
    {KEY_P,                 0x19, 0},  // "keyboard_key_P"
    {KEY_Q,                 0x10, 0},  // "keyboard_key_Q"
    {KEY_R,                 0x13, 0},  // "keyboard_key_R"
    {KEY_S,                 0x1F, 0},  // "keyboard_key_S"
    {KEY_T,                 0x14, 0},  // "keyboard_key_T"
    {KEY_U,                 0x16, 0},  // "keyboard_key_U"
    {KEY_V,                 0x2F, 0},  // "keyboard_key_V"
    {KEY_W,                 0x11, 0},  // "keyboard_key_W"
    {KEY_X,                 0x2D, 0},  // "keyboard_key_X"
    {KEY_Y,                 0x15, 0},  // "keyboard_key_Y"
    {KEY_Z,                 0x2C, 0},  // "keyboard_key_Z"
    {KEY_1,                 0x02, 0},  // "keyboard_key_1"
    {KEY_2,                 0x03, 0},  // "keyboard_key_2"
    {KEY_3,                 0x04, 0},  // "keyboard_key_3"
    {KEY_4,                 0x05, 0},  // "keyboard_key_4"
    {KEY_5,                 0x06, 0},  // "keyboard_key_5"
    {KEY_6,                 0x07, 0},  // "keyboard_key_6"
    {KEY_7,                 0x08, 0},  // "keyboard_key_7"
    {KEY_8,                 0x09, 0},  // "keyboard_key_8"
    {KEY_9,                 0x0A, 0},  // "keyboard_key_9"
    {KEY_0,                 0x0B, 0},  // "keyboard_key_0"
    {KEY_ENTER,             0x1C, 0},  // "keyboard_key_Enter"
    {KEY_ESC,               0x01, 0},  // "keyboard_key_Esc"
    {KEY_BACKSPACE,         0x0E, 0},  // "keyboard_key_BackSpace"
    {KEY_TAB,               0x0F, 0},  // "keyboard_key_Tab"
    {KEY_SPACE,             0x39, 0},  // "keyboard_key_Space"
    {KEY_MINUS,             0x0C, 0},  // "keyboard_key_-"
    {KEY_EQUAL,             0x0D, 0},  // "keyboard_key_="
    {KEY_LEFTBRACE,         0x1A, 0},  // "keyboard_key_["
    {KEY_RIGHTBRACE,        0x1B, 0},  // "keyboard_key_]"
    {KEY_BACKSLASH,         0x2B, 0},  // "keyboard_key_xiegang"
    {KEY_SEMICOLON,         0x27, 0},  // "keyboard_key_;"
    {KEY_APOSTROPHE,        0x28, 0},  // "keyboard_key_'"
    {KEY_GRAVE,             0x29, 0},  // "keyboard_key_`"
    {KEY_COMMA,             0x33, 0},  // "keyboard_key_<"
    {KEY_DOT,               0x34, 0},  // "keyboard_key_."
    {KEY_SLASH,             0x35, 0},  // "keyboard_key_/"
    {KEY_CAPSLOCK,          0x3A, 0},  // "keyboard_key_Caplk"
    {KEY_F1,                0x3B, 0},  // "keyboard_key_F1"
    {KEY_F2,                0x3C, 0},  // "keyboard_key_F2"
    {KEY_F3,                0x3D, 0},  // "keyboard_key_F3"
    {KEY_F4,                0x3E, 0},  // "keyboard_key_F4"
    {KEY_F5,                0x3F, 0},  // "keyboard_key_F5"
    {KEY_F6,                0x40, 0},  // "keyboard_key_F6"
    {KEY_F7,                0x41, 0},  // "keyboard_key_F7"
    {KEY_F8,                0x42, 0},  // "keyboard_key_F8"
    {KEY_F9,                0x43, 0},  // "keyboard_key_F9"
    {KEY_F10,               0x44, 0},  // "keyboard_key_F10"
    {KEY_F11,               0x57, 0},  // "keyboard_key_F11"
    {KEY_F12,               0x58, 0},  // "keyboard_key_F12"
    {KEY_SYSRQ,             0x37, 1},  // "keyboard_key_Print Scr"
    {KEY_SCROLLLOCK,        0x46, 0},  // "keyboard_key_Scroll Lock"
    {KEY_PAUSE,             0x45, 0},  // "keyboard_key_Pause"
    {KEY_INSERT,            0x52, 1},  // "keyboard_key_Insert"
    {KEY_HOME,              0x47, 1},  // "keyboard_key_Home"
    {KEY_PAGEUP,            0x49, 1},  // "keyboard_key_Page Up"
    {KEY_DELETE,            0x53, 1},  // "keyboard_key_Delete"
    {KEY_END,               0x4F, 1},  // "keyboard_key_End"
    {KEY_PAGEDOWN,          0x51, 1},  // "keyboard_key_Page Down"
    {KEY_RIGHT,             0x4D, 1},  // "keyboard_key_Right"
    {KEY_LEFT,              0x4B, 1},  // "keyboard_key_Left"
    {KEY_DOWN,              0x50, 1},  // "keyboard_key_Down"
    {KEY_UP,                0x48, 1},  // "keyboard_key_Up"
    {KEY_NUMLOCK,           0x45, 1},  // "keyboard_key_Num Lock"
    {KEY_KPSLASH,           0x35, 1},  // "keyboard_key_Num /"
    {KEY_KPASTERISK,        0x37, 0},  // "keyboard_key_Num *"
    {KEY_KPMINUS,           0x4A, 0},  // "keyboard_key_Num -"
    {KEY_KPPLUS,            0x4E, 0},  // "keyboard_key_Num +"
    {KEY_KPENTER,           0x1C, 1},  // "keyboard_key_Num Enter"
    {KEY_KP1,               0x4F, 0},  // "keyboard_key_Num 1"
    {KEY_KP2,               0x50, 0},  // "keyboard_key_Num 2"
    {KEY_KP3,               0x51, 0},  // "keyboard_key_Num 3"
    {KEY_KP4,               0x4B, 0},  // "keyboard_key_Num 4"
    {KEY_KP5,               0x4C, 0},  // "keyboard_key_Num 5"
    {KEY_KP6,               0x4D, 0},  // "keyboard_key_Num 6"
    {KEY_KP7,               0x47, 0},  // "keyboard_key_Num 7"
    {KEY_KP8,               0x48, 0},  // "keyboard_key_Num 8"
    {KEY_KP9,               0x49, 0},  // "keyboard_key_Num 9"
    {KEY_KP0,               0x52, 0},  // "keyboard_key_Num 0"
    {KEY_KPDOT,             0x53, 0},  // "keyboard_key_Decimal"
    {KEY_COMPOSE,           0x5D, 1},  // "keyboard_key_App"
    {KEY_102ND,             0x56, 0},  // "keyboard_key_K45"
    {KEY_RO,                0x73, 0},  // "keyboard_key_K56"
    {KEY_YEN,               0x7D, 0},  // "keyboard_key_K14"
    {KEY_KPCOMMA,           0x7E, 0},  // "keyboard_key_K107"
    {KEY_MUHENKAN,          0x7B, 0},  // "keyboard_key_K131"
    {KEY_HENKAN,            0x79, 0},  // "keyboard_key_K132"
    {KEY_KATAKANAHIRAGANA,  0x70, 0},  // "keyboard_key_K133"
    {KEY_HANJA,             0x71, 0},  // "keyboard_key_K150"
    {KEY_HANGEUL,           0x72, 0},  // "keyboard_key_K151"
}};
// clang-format on

}  // namespace

std::optional<ScanCode> ScanCodeOfLinuxKey(uint16_t linuxKey) {
  for (const LinuxKeyRow& row : kLinuxKeyTable) {
    if (row.linuxKey == linuxKey) return ScanCode{row.scan, row.extended != 0};
  }
  return std::nullopt;
}

std::optional<uint16_t> LinuxKeyOfScanCode(ScanCode code) {
  for (const LinuxKeyRow& row : kLinuxKeyTable) {
    if (row.scan == code.scan && (row.extended != 0) == code.extended) return row.linuxKey;
  }
  return std::nullopt;
}

size_t LinuxKeyCount() { return kLinuxKeyTable.size(); }

uint16_t LinuxKeyAt(size_t index) { return index < kLinuxKeyTable.size() ? kLinuxKeyTable[index].linuxKey : 0; }

}  // namespace tarn
