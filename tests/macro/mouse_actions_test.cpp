#include "macro/mouse_actions.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include "keyset/linux_key_map.h"
#include "macro/macro_event.h"
#include "profile/json_file.h"

namespace tarn {
namespace {

TEST(MouseActions, TableRows) {
  ASSERT_EQ(kMouseActionTable.size(), 15u);
  EXPECT_STREQ(kMouseActionTable[0].nameId, "mouse_key_left");
  EXPECT_EQ(kMouseActionTable[6].button, kMouseForward);
  EXPECT_EQ(kMouseActionTable[9].typeAndPress, 0x01);
  EXPECT_STREQ(kMouseActionTable[13].nameId, "mouse_move_to_down_text");
  EXPECT_EQ(kMouseActionTable[14].message, kMsgWheel);
}

TEST(MouseActions, RecordedMouseMessages) {
  struct Case {
    unsigned message, xButton;
    int row;
    int type;
    bool down;
    int button;
  };
  const Case cases[] = {
      {kMsgLeftDown, 0, 0, 1, true, 0x01},   {kMsgLeftUp, 0, 1, 1, false, 0x01},
      {kMsgRightDown, 0, 2, 1, true, 0x02},  {kMsgRightUp, 0, 3, 1, false, 0x02},
      {kMsgMiddleDown, 0, 4, 1, true, 0x04}, {kMsgMiddleUp, 0, 5, 1, false, 0x04},
      {kMsgXDown, 2, 6, 1, true, 0x10},      {kMsgXUp, 2, 7, 1, false, 0x10},
      {kMsgXDown, 1, 8, 1, true, 0x08},      {kMsgXUp, 1, 9, 1, false, 0x08},
      {kMsgXDown, 3, -1, 0, false, 0},       {kMsgWheel, 0, -1, 0, false, 0},
      {kMsgMouseMove, 0, -1, 0, false, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindMouseActionRow(c.message, c.xButton), c.row) << c.message << "/" << c.xButton;
    const std::optional<Json::Value> event = MouseButtonEvent(c.message, c.xButton, 30);
    ASSERT_EQ(event.has_value(), c.row >= 0);
    if (!event) continue;
    EXPECT_EQ((*event)["Type"].asInt(), c.type);
    EXPECT_EQ(IsPressEvent(*event), c.down);
    EXPECT_EQ((*event)["Button"].asInt(), c.button);
    EXPECT_EQ((*event)["Delay"].asString(), "30");
  }
}

TEST(MouseActions, HandInsertedMoves) {
  const std::optional<Json::Value> left = MouseMoveEvent(0, 300, 50);
  ASSERT_TRUE(left);
  EXPECT_EQ((*left)["Type"].asInt(), kMacroMoveX);
  EXPECT_TRUE(IsPressEvent(*left));
  EXPECT_EQ((*left)["Button"].asInt(), 44);  // 300 kept to 8 bits
  EXPECT_EQ(MacroEventNameKey(*MouseMoveEvent(1, 5, 0)), std::string("mouse_move_to_right_text"));
  EXPECT_EQ(MacroEventNameKey(*MouseMoveEvent(2, 5, 0)), std::string("mouse_move_to_up_text"));
  EXPECT_EQ(MacroEventNameKey(*MouseMoveEvent(3, 5, 0)), std::string("mouse_move_to_down_text"));
  EXPECT_FALSE(MouseMoveEvent(4, 5, 0));
}

TEST(MouseActions, RecordedKeysThroughLinuxKeyCodes) {
  struct Case {
    uint16_t linuxKey;
    int type;
    int button;
    const char* name;
  };
  const Case cases[] = {
      {KEY_A, kMacroKey, 0x04, "keyboard_key_A"},
      {KEY_KPENTER, kMacroKey, 0x58, "keyboard_key_Num Enter"},
      {KEY_ENTER, kMacroKey, 0x28, "keyboard_key_Enter"},
      {KEY_DOWN, kMacroKey, 0x51, "keyboard_key_Down"},
      {KEY_LEFTCTRL, kMacroModifier, 0x01, "keyboard_key_LCtrl"},
      // Recording keeps the side of a modifier.
      {KEY_RIGHTCTRL, kMacroModifier, 0x10, "keyboard_key_RCtrl"},
      {KEY_RIGHTALT, kMacroModifier, 0x40, "keyboard_key_RAlt"},
  };
  for (const Case& c : cases) {
    const std::optional<ScanCode> scan = ScanCodeOfLinuxKey(c.linuxKey);
    ASSERT_TRUE(scan);
    const std::optional<Json::Value> event = KeyEvent(*scan, true, 0);
    ASSERT_TRUE(event) << c.name;
    EXPECT_EQ((*event)["Type"].asInt(), c.type) << c.name;
    EXPECT_EQ((*event)["Button"].asInt(), c.button) << c.name;
    EXPECT_STREQ(MacroEventNameKey(*event), c.name);
  }
  EXPECT_FALSE(KeyEvent(ScanCode{0x7F, true}, true, 0));
}

TEST(MouseActions, EventNames) {
  const std::pair<const char*, const char*> cases[] = {
      {R"({"Type": 1, "Action": "down", "Button": 16, "Delay": "0"})", "mouse_key_forward"},
      {R"({"Type": 1, "Action": "up", "Button": 8, "Delay": "0"})", "mouse_key_back"},
      {R"({"Type": 1, "Action": "up", "Button": 32, "Delay": "0"})", ""},
      {R"({"Type": 4, "Action": "down", "Button": 9, "Delay": "0"})", "mouse_move_to_left_text"},
      {R"({"Type": 2, "Action": "down", "Button": 1, "Delay": "0"})", ""},
      {R"({"Type": 9, "Action": "down", "Button": 128, "Delay": "0"})", "keyboard_key_RWin"},
      {R"({"Type": 9, "Action": "down", "Button": 3, "Delay": "0"})", ""},
      {R"({"Type": 10, "Action": "down", "Button": 50, "Delay": "0"})", "keyboard_key_K42"},
      {R"({"Type": 10, "Action": "down", "Button": 0, "Delay": "0"})", ""},
      {R"({"Type": 10, "Action": "down", "Button": "4", "Delay": "0"})", ""},
  };
  for (const auto& [text, name] : cases) {
    Json::Value event;
    ASSERT_TRUE(ParseJsonText(text, event));
    EXPECT_STREQ(MacroEventNameKey(event), name) << text;
  }
}

}  // namespace
}  // namespace tarn
