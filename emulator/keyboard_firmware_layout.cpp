#include "emulator/keyboard_firmware_layout.h"

namespace tarn::emu {

namespace {

// Shorthands for the factory table: a HID keyboard key (type 0x20 with no
// modifier), a modifier key (type 0x20, param1 = modifier bit), a key of
// another type, and an unpopulated cell.
constexpr KeyAssignmentBytes Key(uint8_t usage) { return {0x20, 0x00, usage}; }
constexpr KeyAssignmentBytes Mod(uint8_t bit) { return {0x20, bit, 0x00}; }
constexpr KeyAssignmentBytes Fn(uint8_t type, uint8_t p1, uint8_t p2) { return {type, p1, p2}; }
constexpr KeyAssignmentBytes kEmpty{0x20, 0x00, 0x00};

// Factory assignments of on-screen keys 0..125, one grid row of 21 per line
// group (the board's rows are not all 21 keys wide, so groups run on).
constexpr std::array<KeyAssignmentBytes, kFactoryKeyCount> kFactoryRows = {{
    // Esc, F1..F12, Print Screen, Scroll Lock, Pause, two function keys, three free cells
    Key(0x29), Key(0x3A), Key(0x3B), Key(0x3C), Key(0x3D), Key(0x3E), Key(0x3F), Key(0x40),
    Key(0x41), Key(0x42), Key(0x43), Key(0x44), Key(0x45), Key(0x46), Key(0x47), Key(0x48),
    Fn(0xA0, 0x1B, 0x00), Fn(0xA0, 0x24, 0x00), kEmpty, kEmpty, kEmpty,
    // ` 1..0 - = Backspace, Insert, Home, Page Up, Num Lock, keypad / * -
    Key(0x35), Key(0x1E), Key(0x1F), Key(0x20), Key(0x21), Key(0x22), Key(0x23), Key(0x24),
    Key(0x25), Key(0x26), Key(0x27), Key(0x2D), Key(0x2E), Key(0x2A), Key(0x49), Key(0x4A),
    Key(0x4B), Key(0x53), Key(0x54), Key(0x55), Key(0x56),
    // Tab Q..P [ ] \, Delete, End, Page Down, keypad 7..9
    Key(0x2B), Key(0x14), Key(0x1A), Key(0x08), Key(0x15), Key(0x17), Key(0x1C), Key(0x18),
    Key(0x0C), Key(0x12), Key(0x13), Key(0x2F), Key(0x30), Key(0x31), Key(0x4C), Key(0x4D),
    Key(0x4E), Key(0x5F), Key(0x60), Key(0x61),
    // non-US #, Caps Lock, A..L ; ' Enter, keypad 4..6, international and language keys
    Key(0x32), Key(0x39), Key(0x04), Key(0x16), Key(0x07), Key(0x09), Key(0x0A), Key(0x0B),
    Key(0x0D), Key(0x0E), Key(0x0F), Key(0x33), Key(0x34), Key(0x28), Key(0x5C), Key(0x5D),
    Key(0x5E), Key(0x8A), Key(0x8B), Key(0x90), Key(0x91), Key(0x88),
    // Left Shift, Z..M , . /, Right Shift, Up, keypad 1..3, international keys, non-US \,
    // keypad comma, a free cell
    Mod(0x02), Key(0x1D), Key(0x1B), Key(0x06), Key(0x19), Key(0x05), Key(0x11), Key(0x10),
    Key(0x36), Key(0x37), Key(0x38), Mod(0x20), Key(0x52), Key(0x59), Key(0x5A), Key(0x5B),
    Key(0x87), Key(0x89), Key(0x64), Key(0x85), kEmpty,
    // Left Ctrl, Left GUI, Left Alt, Space, Right Alt, Fn, Application, Right Ctrl,
    // Left, Down, Right, keypad 0 . Enter +, five media keys, Right GUI
    Mod(0x01), Mod(0x08), Mod(0x04), Key(0x2C), Mod(0x40), Fn(0xA0, 0x01, 0x00), Key(0x65),
    Mod(0x10), Key(0x50), Key(0x51), Key(0x4F), Key(0x62), Key(0x63), Key(0x58), Key(0x57),
    Fn(0xD0, 0xA2, 0x01), Fn(0xD0, 0xA2, 0x02), Fn(0xD0, 0xA2, 0x03), Fn(0xD0, 0xA2, 0x04),
    Fn(0xD0, 0xA2, 0x05), Mod(0x80),
}};

bool IsPopulated(int row) { return !(kFactoryRows[static_cast<size_t>(row)] == kEmpty); }

std::array<uint8_t, kFactoryKeyCount> BuildLedMap() {
  std::array<uint8_t, kFactoryKeyCount> map{};
  map.fill(kNoLed);
  int slot = 0;
  for (int r = 0; r < kGridRows; ++r) {
    for (int i = 0; i < kGridColumns; ++i) {
      const int c = (r % 2 == 0) ? i : kGridColumns - 1 - i;
      const int row = r * kGridColumns + c;
      if (!IsPopulated(row)) continue;
      map[static_cast<size_t>(PositionOfIdentityRow(row))] = static_cast<uint8_t>(slot++);
    }
  }
  return map;
}

}  // namespace

KeyAssignmentBytes FactoryAssignmentOfRow(int row) {
  if (row < 0 || row >= kFactoryKeyCount) return kEmpty;
  return kFactoryRows[static_cast<size_t>(row)];
}

int IdentityRowAtPosition(int position) {
  if (position < 0 || position >= kFactoryKeyCount) return -1;
  return (position % kGridRows) * kGridColumns + position / kGridRows;
}

int PositionOfIdentityRow(int row) {
  if (row < 0 || row >= kFactoryKeyCount) return -1;
  return (row % kGridColumns) * kGridRows + row / kGridColumns;
}

const std::array<uint8_t, kFactoryKeyCount>& FactoryLedMap() {
  static const std::array<uint8_t, kFactoryKeyCount> map = BuildLedMap();
  return map;
}

int FactoryLedCount() {
  int count = 0;
  for (uint8_t slot : FactoryLedMap()) count += slot != kNoLed ? 1 : 0;
  return count;
}

}  // namespace tarn::emu
