#include "keyset/function_name.h"

#include <gtest/gtest.h>

#include "keyset/catalogue_tables.h"

namespace tarn {
namespace {

using Kind = FunctionName::Kind;

// Language texts as "<id>", so a joined name shows which ids it joined.
std::string Text(std::string_view id) { return "<" + std::string(id) + ">"; }

const std::vector<std::string> kMacros = {"Reload", "Combo"};

FunctionName Name(KeyFunction f) { return NameOfFunction(f, kMacros, Text); }

TEST(FunctionName, OneCodeOfEveryCategory) {
  struct Case {
    KeyFunction f;
    Kind kind;
    const char* value;
  };
  const Case cases[] = {
      {{0x00, 0x00, 0x00}, Kind::TextId, "close_text"},
      {{0x10, 0x04, 0x00}, Kind::TextId, "mouse_key_middle"},
      {{0x10, 0x08, 0x00}, Kind::TextId, "mouse_key_back"},
      {{0x10, 0x20, 0x00}, Kind::Empty, ""},
      {{0x11, 0x25, 0x83}, Kind::TextId, "mouse_key_right_Swing"},
      {{0x11, 0x25, 0x03}, Kind::TextId, "mouse_key_left_Swing"},
      {{0x12, 0x25, 0xFD}, Kind::TextId, "mouse_key_down_Swing"},
      {{0x12, 0x25, 0x03}, Kind::TextId, "mouse_key_up_Swing"},
      {{0x13, 0x03, 0x00}, Kind::TextId, "mouse_key_DPI_loop"},
      {{0x13, 0x09, 0x00}, Kind::Empty, ""},
      {{0x14, 0x10, 0x05}, Kind::TextId, "mouse_key_fire_key"},
      {{0x16, 0x00, 0x00}, Kind::TextId, "mouse_key_DPI_shift"},
      {{0x20, 0x00, 0x04}, Kind::TextId, "keyboard_key_A"},
      {{0x20, 0x40, 0x00}, Kind::TextId, "keyboard_key_RAlt"},
      {{0x20, 0x00, 0x00}, Kind::TextId, "close_text"},
      {{0x20, 0x00, 0x32}, Kind::TextId, "keyboard_key_K42"},
      {{0x20, 0x01, 0x06}, Kind::Text, "<keyboard_key_LCtrl>+<keyboard_key_C>"},
      {{0x20, 0x03, 0x06}, Kind::Text, "<keyboard_key_C>"},
      {{0x20, 0x10, 0x06}, Kind::TextId, "custem_copy"},
      {{0x20, 0x10, 0x2E}, Kind::TextId, "custem_magnify"},
      {{0x20, 0x10, 0x07}, Kind::Text, "<keyboard_key_D>"},
      // Modifiers alone that no row names: no name rather than all eight.
      {{0x20, 0x03, 0x00}, Kind::Empty, ""},
      {{0x20, 0x00, 0xFF}, Kind::Empty, ""},
      // Two bytes of a media row are no keyboard key.
      {{0x20, 0xE9, 0x00}, Kind::Empty, ""},
      {{0x22, 0x04, 0x00}, Kind::TextId, "custem_copy"},
      {{0x22, 0x09, 0x00}, Kind::Empty, ""},
      {{0x23, 0x00, 0x00}, Kind::TextId, "show_window"},
      {{0x23, 0x00, 0x01}, Kind::Empty, ""},
      {{0x30, 0xE9, 0x00}, Kind::TextId, "media_vol_add"},
      {{0x30, 0x26, 0x02}, Kind::TextId, "wed_stop"},
      {{0x30, 0x99, 0x00}, Kind::Empty, ""},
      {{0x40, 0x02, 0x00}, Kind::TextId, "system_sleep"},
      {{0x70, 0x01, 0x02}, Kind::Text, "Combo"},
      {{0x71, 0x00, 0x09}, Kind::Text, "Reload"},
      {{0x70, 0x02, 0x00}, Kind::Empty, ""},  // one past the list
      {{0x72, 0x00, 0x00}, Kind::TextId, "gun_1_txt"},
      {{0x72, 0x03, 0x00}, Kind::TextId, "gun_4_txt"},
      {{0x72, 0x04, 0x00}, Kind::Empty, ""},
      {{0xA0, 0x00, 0x00}, Kind::TextId, "close_text"},
      {{0xA0, 0x01, 0x00}, Kind::TextId, "keyboard_key_FN"},
      {{0xA0, 0x02, 0x00}, Kind::TextId, "mouse_key_smart_key"},
      {{0xA0, 0x1B, 0x00}, Kind::TextId, "keyboard_key_GM"},
      {{0xA0, 0x1C, 0x00}, Kind::Empty, ""},
      {{0xD0, 0xA2, 0x03}, Kind::TextId, "keyboard_key_M3"},
      {{0xD0, 0xA2, 0x06}, Kind::Empty, ""},
      {{0xB0, 0x01, 0x02}, Kind::Keep, ""},
      {{0x15, 0x00, 0x00}, Kind::Keep, ""},
      {{0x21, 0x00, 0x00}, Kind::Keep, ""},
      {{0x50, 0x00, 0x00}, Kind::Keep, ""},
      {{0x60, 0x00, 0x00}, Kind::Keep, ""},
      {{0xC0, 0x00, 0x00}, Kind::Keep, ""},
      {{0x17, 0x00, 0x00}, Kind::Text, "关闭"},
      {{0xFF, 0x01, 0x02}, Kind::Text, "关闭"},
  };
  for (const Case& c : cases) {
    const FunctionName name = Name(c.f);
    EXPECT_EQ(name.kind, c.kind) << std::hex << KeyFunctionToCode(c.f);
    EXPECT_EQ(name.value, c.value) << std::hex << KeyFunctionToCode(c.f);
  }
}

// Every combo row's code is named by that row, and the row is the item the
// combo shows for the code.
TEST(FunctionName, CodesOfEveryComboRowNameTheirRow) {
  auto check = [](const auto& table, const char* what) {
    for (size_t i = 0; i < table.size(); ++i) {
      const FunctionName name = Name(table[i].function);
      EXPECT_EQ(name, (FunctionName{Kind::TextId, table[i].nameId})) << what << " row " << i;
      EXPECT_EQ(FindTableItem(table, table[i].function), static_cast<int>(i)) << what << " row " << i;
    }
  };
  check(kMouseButtonTable, "mouse buttons");
  check(kDpiTable, "DPI");
  check(kMediaTable, "media");
  check(kSystemTable, "system");
  check(kOfficeShortcutTable, "office shortcuts");
  check(kOfficeFunctionTable, "office functions");
}

TEST(FunctionName, EveryKeyboardKeyRowIsNamedByItself) {
  for (const KeyboardKeyRow& row : kKeyboardKeyTable) {
    if (row.function.type == kFnConsumer || row.function.type == kFnSystem) continue;  // named by their combos
    EXPECT_EQ(Name(row.function), (FunctionName{Kind::TextId, row.nameId})) << row.nameId;
  }
}

TEST(FunctionName, CaptionOfEachKind) {
  EXPECT_EQ(CaptionOf({Kind::Keep, {}}, Text, "old"), "old");
  EXPECT_EQ(CaptionOf({Kind::Empty, {}}, Text, "old"), "");
  EXPECT_EQ(CaptionOf({Kind::TextId, "media_play"}, Text, "old"), "<media_play>");
  EXPECT_EQ(CaptionOf({Kind::Text, "Reload"}, Text, "old"), "Reload");
}

}  // namespace
}  // namespace tarn
