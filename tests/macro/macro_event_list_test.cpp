#include "macro/macro_event_list.h"

#include <gtest/gtest.h>

#include <string>

#include "macro/macro_event.h"

namespace tarn {
namespace {

// Events told apart by their button: 1, 2, 3, ...
CMacroEventList ListOf(int count) {
  std::vector<Json::Value> events;
  for (int i = 1; i <= count; ++i) events.push_back(MakeMacroEvent(kMacroKey, true, static_cast<uint8_t>(i), 0));
  CMacroEventList list;
  list.Assign(std::move(events));
  return list;
}

std::string Order(const CMacroEventList& list) {
  std::string out;
  for (const Json::Value& e : list.Events()) out += std::to_string(e["Button"].asInt());
  return out;
}

TEST(MacroEventList, MovesKeepTheRowSelected) {
  enum Op { Top, Up, Down, Bottom };
  struct Case {
    int selected;
    Op op;
    bool changed;
    const char* order;
    int selectedAfter;
  };
  const Case cases[] = {
      {2, Top, true, "31245", 0},   {2, Up, true, "13245", 1},     {2, Down, true, "12435", 3},
      {2, Bottom, true, "12453", 4}, {0, Up, false, "12345", 0},   {0, Top, false, "12345", 0},
      {4, Down, false, "12345", 4},  {4, Bottom, false, "12345", 4}, {-1, Down, false, "12345", -1},
      {-1, Bottom, false, "12345", -1},
  };
  for (const Case& c : cases) {
    CMacroEventList list = ListOf(5);
    list.Select(c.selected);
    bool changed = false;
    switch (c.op) {
      case Top: changed = list.MoveToTop(); break;
      case Up: changed = list.MoveUp(); break;
      case Down: changed = list.MoveDown(); break;
      case Bottom: changed = list.MoveToBottom(); break;
    }
    EXPECT_EQ(changed, c.changed) << c.selected << "/" << c.op;
    EXPECT_EQ(Order(list), c.order) << c.selected << "/" << c.op;
    EXPECT_EQ(list.Selected(), c.selectedAfter) << c.selected << "/" << c.op;
  }
}

TEST(MacroEventList, HandInsertPlaces) {
  CMacroEventList list;
  EXPECT_EQ(list.InsertByHand(MakeMacroEvent(kMacroMouseButton, true, 7, 50)), 0u);  // empty: at 0
  list.Assign({MakeMacroEvent(kMacroKey, true, 1, 0), MakeMacroEvent(kMacroKey, true, 2, 0),
               MakeMacroEvent(kMacroKey, true, 3, 0)});
  EXPECT_EQ(list.InsertByHand(MakeMacroEvent(kMacroKey, true, 8, 0)), 1u);  // none selected: after row 0
  EXPECT_EQ(list.Selected(), 1);
  list.Select(2);
  EXPECT_EQ(list.InsertByHand(MakeMacroEvent(kMacroKey, true, 9, 0)), 3u);  // after the selected row
  EXPECT_EQ(Order(list), "18293");
  EXPECT_EQ(list.Selected(), 3);
}

TEST(MacroEventList, DeletesAndDelays) {
  CMacroEventList list = ListOf(3);
  EXPECT_FALSE(list.DeleteSelected());
  list.Select(1);
  EXPECT_TRUE(list.DeleteSelected());
  EXPECT_EQ(Order(list), "13");
  EXPECT_EQ(list.Selected(), -1);
  list.Select(5);
  EXPECT_EQ(list.Selected(), -1);
  EXPECT_TRUE(list.SetDelay(1, 65535));
  EXPECT_EQ(list.Events()[1]["Delay"].asString(), "65535");
  EXPECT_FALSE(list.SetDelay(2, 1));
  EXPECT_TRUE(list.DeleteAll());
  EXPECT_FALSE(list.DeleteAll());
}

}  // namespace
}  // namespace tarn
