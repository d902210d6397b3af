#include "keyset/macro_references.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

// Key i has default (0x20, 0, 4 + i), so a reset shows which key it was.
KeyEntry Key(uint16_t index, KeyFunction current) {
  KeyEntry e;
  e.current = KeyAssignment::Make(current.type, current.param1, current.param2, index);
  e.defaultAssignment = KeyAssignment::Make(kFnKeyboardKey, 0, static_cast<uint8_t>(4 + index), index);
  e.defaultAssignment.spare = 7;
  return e;
}

std::vector<KeyFunction> Currents(const std::vector<KeyEntry>& keys) {
  std::vector<KeyFunction> out;
  for (const KeyEntry& k : keys) out.push_back(FunctionOf(k.current));
  return out;
}

TEST(MacroReferences, DeletingMacroTwoOfFive) {
  std::vector<KeyEntry> keys = {
      Key(0, {kFnMacro, 0, 1}),       Key(1, {kFnMacro, 1, 0}),      Key(2, {kFnMacro, 2, 3}),
      Key(3, {kFnMacroRepeat, 2, 9}), Key(4, {kFnMacro, 3, 0}),      Key(5, {kFnMacroRepeat, 4, 2}),
      Key(6, {kFnKeyboardKey, 0, 2}), Key(7, {kFnMouseButton, 2, 0}),
  };
  EXPECT_TRUE(KeysUseMacro(keys, 2));
  EXPECT_TRUE(RepairKeysForDeletedMacro(keys, 2));
  const std::vector<KeyFunction> expected = {
      {kFnMacro, 0, 1},       {kFnMacro, 1, 0},       {kFnKeyboardKey, 0, 6}, {kFnKeyboardKey, 0, 7},
      {kFnMacro, 2, 0},       {kFnMacroRepeat, 3, 2}, {kFnKeyboardKey, 0, 2}, {kFnMouseButton, 2, 0},
  };
  EXPECT_EQ(Currents(keys), expected);
  // The whole default half came back, spare byte and key index included.
  EXPECT_EQ(keys[2].current.spare, 7);
  EXPECT_EQ(keys[3].current.keyIndex, 3);
  EXPECT_FALSE(KeysUseMacro(keys, 4));
}

TEST(MacroReferences, NothingToRepairChangesNothing) {
  std::vector<KeyEntry> keys = {Key(0, {kFnMacro, 0, 0}), Key(1, {kFnKeyboardKey, 0, 9})};
  EXPECT_FALSE(RepairKeysForDeletedMacro(keys, 1));
  EXPECT_FALSE(KeysUseMacro(keys, 1));
  // A keyboard key whose param1 equals the number is no macro reference.
  std::vector<KeyEntry> modifiers = {Key(0, {kFnKeyboardKey, 1, 0})};
  EXPECT_FALSE(KeysUseMacro(modifiers, 1));
  EXPECT_FALSE(RepairKeysForDeletedMacro(modifiers, 0));
}

TEST(MacroReferences, MissingMacrosResetOnLoad) {
  std::vector<KeyEntry> keys = {Key(0, {kFnMacro, 1, 0}), Key(1, {kFnMacro, 2, 0}), Key(2, {kFnMacroRepeat, 200, 1})};
  EXPECT_TRUE(ResetKeysForMissingMacros(keys, 2));
  EXPECT_EQ(Currents(keys), (std::vector<KeyFunction>{{kFnMacro, 1, 0}, {kFnKeyboardKey, 0, 5}, {kFnKeyboardKey, 0, 6}}));
  EXPECT_FALSE(ResetKeysForMissingMacros(keys, 2));
}

TEST(MacroReferences, MovedMacrosAreFollowed) {
  // Macro 0 moved to the end of three: 0 -> 2, 1 -> 0, 2 -> 1.
  std::vector<KeyEntry> keys = {Key(0, {kFnMacro, 0, 0}), Key(1, {kFnMacro, 1, 0}), Key(2, {kFnMacroRepeat, 2, 5}),
                                Key(3, {kFnMacro, 3, 0})};
  EXPECT_TRUE(RenumberKeysForMovedMacros(keys, {2, 0, 1}));
  EXPECT_EQ(Currents(keys), (std::vector<KeyFunction>{{kFnMacro, 2, 0}, {kFnMacro, 0, 0}, {kFnMacroRepeat, 1, 5},
                                                      {kFnKeyboardKey, 0, 7}}));
}

TEST(MacroReferences, DownloadNumbersMacrosByFirstUse) {
  std::vector<KeyEntry> keys = {
      Key(0, {kFnKeyboardKey, 0, 4}), Key(1, {kFnMacro, 3, 1}), Key(2, {kFnMacroRepeat, 3, 4}),
      Key(3, {kFnMacro, 0, 0}),       Key(4, {kFnMacro, 7, 0}),  // 7 is missing
  };
  const std::vector<size_t> used = CollectUsedMacros(keys, 5);
  EXPECT_EQ(used, (std::vector<size_t>{3, 0}));
  const std::vector<KeyFunction> written = {
      DeviceFunctionOf(keys[0], used, 5), DeviceFunctionOf(keys[1], used, 5), DeviceFunctionOf(keys[2], used, 5),
      DeviceFunctionOf(keys[3], used, 5), DeviceFunctionOf(keys[4], used, 5)};
  EXPECT_EQ(written, (std::vector<KeyFunction>{{kFnKeyboardKey, 0, 4}, {kFnMacro, 0, 1}, {kFnMacroRepeat, 0, 4},
                                               {kFnMacro, 1, 0}, {kFnKeyboardKey, 0, 8}}));
  EXPECT_TRUE(CollectUsedMacros(keys, 0).empty());
}

}  // namespace
}  // namespace tarn
