#include "device/keyboard/keyboard_memory.h"

#include <gtest/gtest.h>

namespace tarn::keyboard {
namespace {

// A factory key table: the identity rows 0-125 without the empty ones, in row
// order, with LED slot = position.
struct FactoryBoard {
  std::vector<uint8_t> table;
  std::vector<uint8_t> leds;
  unsigned keyCount = 0;
  FactoryBoard() {
    for (unsigned n = 0; n <= kLastNamedKeyRow; ++n) {
      const KeyIdentity& id = KeyIdentityTable()[n];
      if (IsEmptyIdentity(id)) continue;
      table.insert(table.end(), {id.type, id.param1, id.param2});
      leds.push_back(static_cast<uint8_t>(keyCount));
      ++keyCount;
    }
  }
};

std::vector<KeyEntry> FactoryKeys() {
  std::vector<KeyEntry> keys;
  for (unsigned n = 0; n < kKeyIdentityRows; ++n) keys.push_back({FactoryAssignment(n), FactoryAssignment(n)});
  return keys;
}

TEST(KeyIdentity, TableRowsAsShipped) {
  const auto& t = KeyIdentityTable();
  struct Row {
    unsigned n;
    KeyIdentity id;
  } rows[] = {
      {0, {0x20, 0, 0x29}},     {12, {0x20, 0, 0x45}},    {16, {0xA0, 0x1B, 0}},    {18, {0x20, 0, 0}},
      {31, {0x20, 0, 0x27}},    {84, {0x20, 0x02, 0}},    {104, {0x20, 0, 0}},      {110, {0xA0, 0x01, 0}},
      {118, {0x20, 0, 0x58}},   {120, {0xD0, 0xA2, 1}},   {124, {0xD0, 0xA2, 5}},   {125, {0x20, 0x80, 0}},
      {169, {0x20, 0, 0}},
  };
  for (const Row& row : rows) EXPECT_EQ(t[row.n], row.id) << "row " << row.n;
  unsigned named = 0;
  for (unsigned n = 0; n <= kLastNamedKeyRow; ++n) named += IsEmptyIdentity(t[n]) ? 0 : 1;
  EXPECT_EQ(named, 122u);  // 126 rows less 18, 19, 20 and 104
}

TEST(KeyIdentity, MapsFindPositionsAndLeds) {
  FactoryBoard board;
  // Swap two keys' positions on the device and give LEDs an offset.
  std::swap_ranges(board.table.begin(), board.table.begin() + 3, board.table.begin() + 3);
  for (auto& led : board.leds) led = static_cast<uint8_t>(led + 10);
  KeyMaps maps = BuildKeyMaps(board.table, board.leds, board.keyCount);
  EXPECT_EQ(maps.keyPos[0], 1);  // Esc now at position 1
  EXPECT_EQ(maps.keyPos[1], 0);
  EXPECT_EQ(maps.keyLed[0], 11);
  EXPECT_EQ(maps.keyPos[18], kNoPosition) << "no empty position on a full board";
  EXPECT_EQ(maps.keyLed[18], kNoPosition);
  EXPECT_EQ(maps.keyPos[125], board.keyCount - 1);

  // A key count larger than the data received never reads past it, and an
  // empty row matches the first empty position.
  std::vector<uint8_t> shortTable = {0x20, 0, 0x29, 0x20, 0, 0};
  KeyMaps partial = BuildKeyMaps(shortTable, {7}, 170);
  EXPECT_EQ(partial.keyPos[0], 0);
  EXPECT_EQ(partial.keyLed[0], 7);
  EXPECT_EQ(partial.keyPos[18], 1);
  EXPECT_EQ(partial.keyLed[18], kNoPosition) << "LED map too short for position 1";
}

TEST(SettingsBlock, EncodeFieldByField) {
  std::array<uint8_t, kSettingsBlockSize> last{};
  for (unsigned i = 0; i < kSettingsBlockSize; ++i) last[i] = static_cast<uint8_t>(0xA0 + i);
  LightState light;
  light.selectItem = 3;
  light.light = 4;
  light.speed = 1;
  light.fx = 2;
  light.multiColor = 1;
  light.red = 10;
  light.green = 20;
  light.blue = 30;
  light.zzccLedMode = 2;
  light.customGroup = 5;
  KeyboardStages stages;
  stages.SetWFlag(0x101);
  stages.SetKey6Flag(1);
  stages.SetWinFlag(0);
  stages.SetPollingRate(3);
  std::vector<int> codes = {0, 1, 2, 9, 4};
  auto block = EncodeSettingsBlock(last, 0, light, stages, codes);
  std::array<uint8_t, kSettingsBlockSize> expected = last;
  expected[0] = 0;
  expected[1] = 9;  // code of mode 3
  expected[2] = 4;
  expected[3] = 3;  // 4 - speed
  expected[4] = 2;
  expected[5] = 1;
  expected[6] = 10;
  expected[7] = 20;
  expected[8] = 30;
  expected[16] = 0;
  expected[18] = 2;
  expected[19] = 0x01;  // low byte only
  expected[20] = 1;
  expected[21] = 0;
  expected[22] = 3;
  expected[25] = 5;
  EXPECT_EQ(block, expected);

  for (uint8_t hostMode : {29, 30}) {
    light.selectItem = hostMode;
    EXPECT_EQ(EncodeSettingsBlock(last, 0, light, stages, codes)[1], kHostDrivenModeCode);
  }
}

TEST(SettingsBlock, DecodeReadsBackAndKeepsModeOnHostCode) {
  std::array<uint8_t, kSettingsBlockSize> block{};
  block[1] = 9;
  block[2] = 3;
  block[3] = 1;
  block[5] = 1;
  block[6] = 1;
  block[18] = 2;
  block[19] = 1;
  block[20] = 1;
  block[21] = 1;
  block[22] = 2;
  block[25] = 4;
  std::vector<int> codes = {0, 1, 2, 9};
  LightState light;
  light.selectItem = 7;
  light.multiColor = 1;
  KeyboardStages stages;
  stages.SetRepeat(12);
  stages.SetPollingRate(1);
  DecodeSettingsBlock(block, codes, light, stages);
  EXPECT_EQ(light.selectItem, 3);
  EXPECT_EQ(light.light, 3);
  EXPECT_EQ(light.speed, 3);
  EXPECT_EQ(light.multiColor, 0);
  EXPECT_EQ(light.zzccLedMode, 2);
  EXPECT_EQ(light.customGroup, 4);
  EXPECT_EQ(stages.Repeat(), 12);
  EXPECT_EQ(stages.PollingRate(), 1) << "polling rate is not read back";
  EXPECT_EQ(stages.WFlag(), 1);

  block[1] = kHostDrivenModeCode;
  light.selectItem = 29;
  DecodeSettingsBlock(block, codes, light, stages);
  EXPECT_EQ(light.selectItem, 29);
  block[1] = 77;  // unknown code is used as the index
  DecodeSettingsBlock(block, codes, light, stages);
  EXPECT_EQ(light.selectItem, 77);
  block[3] = 9;  // out of range speed byte
  DecodeSettingsBlock(block, codes, light, stages);
  EXPECT_EQ(light.speed, 0);
}

TEST(KeyTableWrite, MacrosNumberedByFirstUseAndMissingOnesFallBack) {
  FactoryBoard board;
  KeyMaps maps = BuildKeyMaps(board.table, board.leds, board.keyCount);
  std::vector<KeyEntry> keys = FactoryKeys();
  keys[1].current = KeyAssignment::Make(0x70, 4, 0, 1);   // F1 -> macro 4
  keys[2].current = KeyAssignment::Make(0x70, 4, 0, 2);   // F2 -> macro 4 too
  keys[3].current = KeyAssignment::Make(0x71, 2, 9, 3);   // F3 -> macro 2
  keys[4].current = KeyAssignment::Make(0x70, 5, 0, 4);   // F4 -> missing macro
  keys[21].current = KeyAssignment::Make(0x20, 0x01, 0x06, 21);  // ` -> Ctrl+C
  KeyTableWrite write = BuildKeyTableWrite(board.table, board.keyCount, maps, keys, 5);
  EXPECT_EQ(write.usedMacros, (std::vector<uint8_t>{4, 2}));
  auto at = [&](unsigned row) {
    unsigned p = maps.keyPos[row];
    return std::vector<uint8_t>(write.table.begin() + 3 * p, write.table.begin() + 3 * p + 3);
  };
  EXPECT_EQ(at(1), (std::vector<uint8_t>{0x70, 0, 0}));
  EXPECT_EQ(at(2), (std::vector<uint8_t>{0x70, 0, 0}));
  EXPECT_EQ(at(3), (std::vector<uint8_t>{0x71, 1, 9}));
  EXPECT_EQ(at(4), (std::vector<uint8_t>{0x20, 0, 0x3D})) << "F4 back to its default";
  EXPECT_EQ(at(21), (std::vector<uint8_t>{0x20, 0x01, 0x06}));
  EXPECT_EQ(write.table.size(), board.keyCount * 3u);
}

TEST(MacroImage, LayoutAndSize) {
  std::vector<std::vector<MacroEventBytes>> macros = {
      {{10, 1, true, 0x04}, {65535, 1, false, 0x04}},
      {},
  };
  EXPECT_EQ(MacroImageSize(macros), 16u + 12u + 8u);
  std::vector<uint8_t> image = BuildMacroImage(macros);
  std::vector<uint8_t> expected = {
      0xAA, 0x55, 36, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // header
      20, 0, 32, 0,                                            // record offsets
      2, 0, 0, 0, 10, 0, 0x81, 0x04, 0xFF, 0xFF, 0x01, 0x04,   // macro 0
      0, 0, 0, 0,                                              // macro 1, no events
  };
  EXPECT_EQ(image, expected);
}

TEST(Notifications, BlockValues) {
  auto n = DecodeBlockNotification(0x1123);
  ASSERT_TRUE(n);
  EXPECT_EQ(n->activeBlock, 3);
  EXPECT_EQ(n->byte17, 2);
  n = DecodeBlockNotification(0x10F5);
  ASSERT_TRUE(n);
  EXPECT_EQ(n->activeBlock, 5);
  EXPECT_FALSE(n->byte17);
  EXPECT_FALSE(DecodeBlockNotification(0x0404));
  EXPECT_FALSE(DecodeBlockNotification(0x0401));
}

TEST(PowerStatus, HostSetsTheReceiverByte) {
  uint8_t reply[6] = {80, 2, 9, 9, 9, 1};
  EXPECT_EQ(HostPowerStatus(reply, true), (std::array<uint8_t, 6>{80, 2, 9, 1, 9, 1}));
  EXPECT_EQ(HostPowerStatus(reply, false)[3], 0);
}

}  // namespace
}  // namespace tarn::keyboard
