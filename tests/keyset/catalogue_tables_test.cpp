#include "keyset/catalogue_tables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

namespace tarn {
namespace {

uint32_t Code(KeyFunction f) { return KeyFunctionToCode(f); }

template <size_t N>
void ExpectRowsOnce(const std::array<NamedFunctionRow, N>& table, const char* what) {
  std::set<uint32_t> codes;
  std::set<std::string> names;
  for (const NamedFunctionRow& row : table) {
    EXPECT_TRUE(codes.insert(Code(row.function)).second) << what << ": code twice " << std::hex << Code(row.function);
    EXPECT_TRUE(names.insert(row.nameId).second) << what << ": name twice " << row.nameId;
  }
}

TEST(CatalogueTables, SizesAndEveryRowOnce) {
  EXPECT_EQ(kFunctionTypeTable.size(), 18u);
  EXPECT_EQ(kMouseButtonTable.size(), 5u);
  EXPECT_EQ(kDpiTable.size(), 3u);
  EXPECT_EQ(kMediaTable.size(), 18u);
  EXPECT_EQ(kSystemTable.size(), 3u);
  EXPECT_EQ(kOfficeShortcutTable.size(), 11u);
  EXPECT_EQ(kOfficeFunctionTable.size(), 9u);
  EXPECT_EQ(kMouseFunctionTable.size(), 15u);
  EXPECT_EQ(kKeyboardKeyTable.size(), 142u);

  ExpectRowsOnce(kMouseButtonTable, "mouse buttons");
  ExpectRowsOnce(kDpiTable, "DPI");
  ExpectRowsOnce(kMediaTable, "media");
  ExpectRowsOnce(kSystemTable, "system");
  ExpectRowsOnce(kOfficeShortcutTable, "office shortcuts");
  ExpectRowsOnce(kOfficeFunctionTable, "office functions");
  ExpectRowsOnce(kMouseFunctionTable, "mouse functions");

  std::set<uint8_t> types;
  for (const FunctionTypeRow& row : kFunctionTypeTable) EXPECT_TRUE(types.insert(row.type).second);

  std::set<std::string> names;
  std::set<uint32_t> codes;
  std::set<std::pair<int, int>> scans;
  for (size_t i = 0; i < kKeyboardKeyTable.size(); ++i) {
    const KeyboardKeyRow& row = kKeyboardKeyTable[i];
    EXPECT_TRUE(names.insert(row.nameId).second) << row.nameId;
    EXPECT_TRUE(codes.insert(Code(row.function)).second) << row.nameId;
    if (i < static_cast<size_t>(kCaptureRowCount)) {
      EXPECT_EQ(row.function.type, kFnKeyboardKey) << row.nameId;
      EXPECT_TRUE(row.extended == 0 || row.extended == 1) << row.nameId;
      EXPECT_TRUE(scans.insert({row.scanCode, row.extended}).second) << "scan twice: " << row.nameId;
    } else {
      EXPECT_EQ(row.scanCode, kNoScanCode) << row.nameId;
    }
  }
  EXPECT_EQ(names.count(kColorKeyNameId), 0u);
}

// Rows picked where a shifted or mistyped row would show.
TEST(CatalogueTables, KeyboardKeyRows) {
  struct Case {
    int row;
    const char* name;
    uint16_t vk;
    int scan;
    int ext;
    KeyFunction f;
  };
  const Case cases[] = {
      {0, "keyboard_key_LCtrl", 0xA2, 0x1D, 0, {0x20, 0x01, 0x00}},
      {3, "keyboard_key_LWin", 0x5B, 0x5B, 1, {0x20, 0x08, 0x00}},
      {5, "keyboard_key_RShift", 0xA1, 0x36, 1, {0x20, 0x20, 0x00}},
      {7, "keyboard_key_RWin", 0x5C, 0x5C, 1, {0x20, 0x80, 0x00}},
      {8, "keyboard_key_A", 0x41, 0x1E, 0, {0x20, 0x00, 0x04}},
      {43, "keyboard_key_0", 0x30, 0x0B, 0, {0x20, 0x00, 0x27}},
      {53, "keyboard_key_xiegang", 0xDC, 0x2B, 0, {0x20, 0x00, 0x31}},
      {57, "keyboard_key_<", 0xBC, 0x33, 0, {0x20, 0x00, 0x36}},
      {73, "keyboard_key_Print Scr", 0x2C, 0x37, 1, {0x20, 0x00, 0x46}},
      {86, "keyboard_key_Num Lock", 0x90, 0x45, 1, {0x20, 0x00, 0x53}},
      {91, "keyboard_key_Num Enter", 0x101, 0x1C, 1, {0x20, 0x00, 0x58}},
      {103, "keyboard_key_App", 0x5D, 0x5D, 1, {0x20, 0x00, 0x65}},
      {104, "keyboard_key_K45", 0xE2, 0x56, 0, {0x20, 0x00, 0x64}},
      {106, "keyboard_key_K14", 0xFF, 0x7D, 0, {0x20, 0x00, 0x89}},
      {112, "keyboard_key_K151", 0xFF, 0x72, 0, {0x20, 0x00, 0x90}},
      {113, "keyboard_key_K42", 0xBF, kNoScanCode, kNoScanCode, {0x20, 0x00, 0x32}},
      {124, "keyboard_key_Browser ForWard", 0xA7, kNoScanCode, kNoScanCode, {0x30, 0x25, 0x02}},
      {130, "wed_stop", 0xA9, kNoScanCode, kNoScanCode, {0x30, 0x26, 0x02}},
      {134, "keyboard_key_Wakeup", 0x105, kNoScanCode, kNoScanCode, {0x40, 0x04, 0x00}},
      {139, "keyboard_key_M5", 0x00, kNoScanCode, kNoScanCode, {0xD0, 0xA2, 0x05}},
      {141, "keyboard_key_GM", 0x00, kNoScanCode, kNoScanCode, {0xA0, 0x1B, 0x00}},
  };
  for (const Case& c : cases) {
    const KeyboardKeyRow& row = kKeyboardKeyTable[c.row];
    EXPECT_STREQ(row.nameId, c.name) << "row " << c.row;
    EXPECT_EQ(row.virtualKey, c.vk) << c.name;
    EXPECT_EQ(row.scanCode, c.scan) << c.name;
    EXPECT_EQ(row.extended, c.ext) << c.name;
    EXPECT_EQ(row.function, c.f) << c.name;
  }
}

// Runs of keys whose HID usages and virtual keys are consecutive: a row out
// of place breaks the run.
TEST(CatalogueTables, UsageRuns) {
  for (int i = 0; i < 26; ++i) {
    EXPECT_EQ(kKeyboardKeyTable[8 + i].function.param2, 0x04 + i) << kKeyboardKeyTable[8 + i].nameId;
    EXPECT_EQ(kKeyboardKeyTable[8 + i].virtualKey, 'A' + i);
  }
  for (int i = 0; i < 10; ++i) EXPECT_EQ(kKeyboardKeyTable[34 + i].function.param2, 0x1E + i);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(kKeyboardKeyTable[61 + i].function.param2, 0x3A + i);
    EXPECT_EQ(kKeyboardKeyTable[61 + i].virtualKey, 0x70 + i);
  }
  for (int i = 0; i < 9; ++i) EXPECT_EQ(kKeyboardKeyTable[92 + i].function.param2, 0x59 + i);
  for (int row = 0; row < kModifierRowCount; ++row) EXPECT_EQ(kKeyboardKeyTable[row].function.param1, 1 << row);
}

// The office shortcuts are right Ctrl plus the keyboard table's letter keys.
TEST(CatalogueTables, OfficeShortcutsUseTheKeyRows) {
  const char* keys[] = {"keyboard_key_O", "keyboard_key_N", "keyboard_key_Z", "keyboard_key_S",
                        "keyboard_key_C", "keyboard_key_X", "keyboard_key_V", "keyboard_key_F",
                        "keyboard_key_A", "keyboard_key_-", "keyboard_key_="};
  for (size_t i = 0; i < kOfficeShortcutTable.size(); ++i) {
    const KeyboardKeyRow* key = nullptr;
    for (const KeyboardKeyRow& row : kKeyboardKeyTable) {
      if (std::string(row.nameId) == keys[i]) key = &row;
    }
    ASSERT_NE(key, nullptr) << keys[i];
    EXPECT_EQ(kOfficeShortcutTable[i].function, (KeyFunction{kFnKeyboardKey, kModRightCtrl, key->function.param2}))
        << kOfficeShortcutTable[i].nameId;
  }
  // Office functions 0-8 name the first nine shortcuts.
  for (size_t i = 0; i < kOfficeFunctionTable.size(); ++i) {
    EXPECT_EQ(kOfficeFunctionTable[i].function, (KeyFunction{kFnOfficeFunction, static_cast<uint8_t>(i), 0}));
    EXPECT_STREQ(kOfficeFunctionTable[i].nameId, kOfficeShortcutTable[i].nameId);
  }
}

// Every consumer function the keyboard table names is one of the media combo.
TEST(CatalogueTables, KeyboardMediaRowsAreMediaFunctions) {
  int found = 0;
  for (const KeyboardKeyRow& row : kKeyboardKeyTable) {
    if (row.function.type != kFnConsumer) continue;
    EXPECT_GE(FindTableItem(kMediaTable, row.function), 0) << row.nameId;
    ++found;
  }
  EXPECT_EQ(found, 18);
}

TEST(CatalogueTables, PanelPages) {
  const std::tuple<KeyFunction, int> cases[] = {
      {{0x00, 0, 0}, 0},        {{0x10, 1, 0}, 1},    {{0x11, 0x25, 0x83}, 2}, {{0x12, 0, 0}, 3},
      {{0x13, 1, 0}, 4},        {{0x14, 5, 5}, 5},    {{0x16, 0, 0}, -1},      {{0x20, 0x01, 0x04}, 6},
      {{0x20, 0x10, 0x06}, 11}, {{0x22, 1, 0}, -1},   {{0x23, 0, 0}, -1},      {{0x30, 0xE9, 0}, 7},
      {{0x40, 1, 0}, 8},        {{0x70, 0, 0}, 9},    {{0x71, 0, 3}, 9},       {{0x72, 2, 0}, 10},
      {{0xA0, 1, 0}, -1},       {{0xB0, 0, 0}, 11},   {{0xD0, 0xA2, 1}, -1},   {{0x15, 0, 0}, -1},
  };
  for (const auto& [f, page] : cases) EXPECT_EQ(PanelPageOf(f), page) << std::hex << Code(f);
}

TEST(CatalogueTables, ComboItemsOfCodes) {
  EXPECT_EQ(FindTableItem(kMouseButtonTable, {0x10, 0x04, 0}), 1);
  EXPECT_EQ(FindTableItem(kMouseButtonTable, {0x10, 0x20, 0}), -1);
  EXPECT_EQ(FindTableItem(kMediaTable, {0x30, 0x8A, 0x01}), 17);
  EXPECT_EQ(FindTableItem(kOfficeShortcutTable, {0x20, 0x10, 0x07}), -1);
  EXPECT_EQ(FindTableItem(kSystemTable, {0x40, 0x04, 0}), 2);
}

}  // namespace
}  // namespace tarn
