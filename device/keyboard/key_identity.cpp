#include "device/keyboard/key_identity.h"

namespace tarn::keyboard {
namespace {

constexpr KeyIdentity K(uint8_t usage) { return {0x20, 0x00, usage}; }
constexpr KeyIdentity Mod(uint8_t bit) { return {0x20, bit, 0x00}; }
constexpr KeyIdentity kEmpty{0x20, 0x00, 0x00};

constexpr std::array<KeyIdentity, kKeyIdentityRows> MakeTable() {
  std::array<KeyIdentity, kKeyIdentityRows> t{};
  for (auto& row : t) row = kEmpty;
  // 0-15: Esc, F1-F12, Print Screen, Scroll Lock, Pause
  t[0] = K(0x29);
  for (unsigned i = 0; i < 12; ++i) t[1 + i] = K(static_cast<uint8_t>(0x3A + i));
  t[13] = K(0x46);
  t[14] = K(0x47);
  t[15] = K(0x48);
  // 16-20: two special keys, then three empty rows
  t[16] = {0xA0, 0x1B, 0x00};
  t[17] = {0xA0, 0x24, 0x00};
  // 21-34: `, 1-0, -, =, Backspace
  t[21] = K(0x35);
  for (unsigned i = 0; i < 10; ++i) t[22 + i] = K(static_cast<uint8_t>(0x1E + i));
  t[32] = K(0x2D);
  t[33] = K(0x2E);
  t[34] = K(0x2A);
  // 35-41: Insert, Home, Page Up, Num Lock, keypad / * -
  const uint8_t r35[] = {0x49, 0x4A, 0x4B, 0x53, 0x54, 0x55, 0x56};
  for (unsigned i = 0; i < 7; ++i) t[35 + i] = K(r35[i]);
  // 42-55: Tab, Q-P, [, ], backslash
  const uint8_t r42[] = {0x2B, 0x14, 0x1A, 0x08, 0x15, 0x17, 0x1C, 0x18, 0x0C, 0x12, 0x13, 0x2F, 0x30, 0x31};
  for (unsigned i = 0; i < 14; ++i) t[42 + i] = K(r42[i]);
  // 56-61: Delete, End, Page Down, keypad 7-9
  const uint8_t r56[] = {0x4C, 0x4D, 0x4E, 0x5F, 0x60, 0x61};
  for (unsigned i = 0; i < 6; ++i) t[56 + i] = K(r56[i]);
  // 62-75: non-US #, Caps Lock, A-L, ;, ', Enter
  const uint8_t r62[] = {0x32, 0x39, 0x04, 0x16, 0x07, 0x09, 0x0A, 0x0B, 0x0D, 0x0E, 0x0F, 0x33, 0x34, 0x28};
  for (unsigned i = 0; i < 14; ++i) t[62 + i] = K(r62[i]);
  // 76-83: keypad 4-6, international and language keys
  const uint8_t r76[] = {0x5C, 0x5D, 0x5E, 0x8A, 0x8B, 0x90, 0x91, 0x88};
  for (unsigned i = 0; i < 8; ++i) t[76 + i] = K(r76[i]);
  // 84-95: Left Shift, Z-M, , . /, Right Shift
  t[84] = Mod(0x02);
  const uint8_t r85[] = {0x1D, 0x1B, 0x06, 0x19, 0x05, 0x11, 0x10, 0x36, 0x37, 0x38};
  for (unsigned i = 0; i < 10; ++i) t[85 + i] = K(r85[i]);
  t[95] = Mod(0x20);
  // 96-104: Up, keypad 1-3, international keys, non-US \, keypad comma, empty
  const uint8_t r96[] = {0x52, 0x59, 0x5A, 0x5B, 0x87, 0x89, 0x64, 0x85};
  for (unsigned i = 0; i < 8; ++i) t[96 + i] = K(r96[i]);
  // 105-112: Left Ctrl, Left GUI, Left Alt, Space, Right Alt, FN, Application, Right Ctrl
  t[105] = Mod(0x01);
  t[106] = Mod(0x08);
  t[107] = Mod(0x04);
  t[108] = K(0x2C);
  t[109] = Mod(0x40);
  t[110] = {0xA0, 0x01, 0x00};
  t[111] = K(0x65);
  t[112] = Mod(0x10);
  // 113-119: Left, Down, Right, keypad 0, keypad ., keypad Enter, keypad +
  const uint8_t r113[] = {0x50, 0x51, 0x4F, 0x62, 0x63, 0x58, 0x57};
  for (unsigned i = 0; i < 7; ++i) t[113 + i] = K(r113[i]);
  // 120-125: M1-M5, Right GUI
  for (unsigned i = 0; i < 5; ++i) t[120 + i] = {0xD0, 0xA2, static_cast<uint8_t>(1 + i)};
  t[125] = Mod(0x80);
  return t;
}

constexpr std::array<KeyIdentity, kKeyIdentityRows> kTable = MakeTable();

}  // namespace

const std::array<KeyIdentity, kKeyIdentityRows>& KeyIdentityTable() { return kTable; }

bool IsEmptyIdentity(const KeyIdentity& identity) { return identity == kEmpty; }

KeyAssignment FactoryAssignment(unsigned row) {
  if (row >= kKeyIdentityRows) return KeyAssignment::Make(0x20, 0, 0, static_cast<uint16_t>(row));
  const KeyIdentity& id = kTable[row];
  return KeyAssignment::Make(id.type, id.param1, id.param2, static_cast<uint16_t>(row));
}

KeyMaps BuildKeyMaps(const std::vector<uint8_t>& keyTable, const std::vector<uint8_t>& ledMap, unsigned keyCount) {
  KeyMaps maps;
  maps.keyPos.fill(kNoPosition);
  maps.keyLed.fill(kNoPosition);
  // Never look past what the keyboard actually sent.
  unsigned positions = keyCount;
  if (positions > keyTable.size() / 3) positions = static_cast<unsigned>(keyTable.size() / 3);
  if (positions > kNoPosition) positions = kNoPosition;
  for (unsigned n = 0; n < kKeyIdentityRows; ++n) {
    const KeyIdentity& id = kTable[n];
    for (unsigned k = 0; k < positions; ++k) {
      if (keyTable[3 * k] == id.type && keyTable[3 * k + 1] == id.param1 && keyTable[3 * k + 2] == id.param2) {
        maps.keyPos[n] = static_cast<uint8_t>(k);
        if (k < ledMap.size()) maps.keyLed[n] = ledMap[k];
        break;
      }
    }
  }
  return maps;
}

}  // namespace tarn::keyboard
