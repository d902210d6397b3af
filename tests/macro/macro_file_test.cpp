#include "macro/macro_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "macro/macro_event.h"
#include "platform/settings_file.h"
#include "profile/json_file.h"

namespace tarn {
namespace {

std::string Scratch(const std::string& name) { return std::string(std::getenv("TARN_TEST_HOME")) + "/" + name; }

Json::Value Parse(const std::string& text) {
  Json::Value v;
  EXPECT_TRUE(ParseJsonText(text, v)) << text;
  return v;
}

TEST(MacroFile, RoundTripKeepsEventsAndTheirExtraMembers) {
  const std::vector<Json::Value> events = {
      MakeMacroEvent(kMacroKey, true, 0x04, 120),
      Parse(R"({"Type": 1, "Action": "down", "Button": 2, "Delay": 70000, "Note": "mine"})"),
      MakeMacroEvent(kMacroMoveX, false, 44, 0),
  };
  const std::string path = Scratch("round.mac");
  size_t skipped = 99;
  ASSERT_EQ(WriteMacroEventFile(path, "2024_03_05_14_07_09_042", "Reload", events, &skipped), 0);
  EXPECT_EQ(skipped, 0u);

  const Json::Value stored = ReadJsonFile(path);
  EXPECT_EQ(stored.getMemberNames(), (std::vector<std::string>{"Events", "Guid", "MacroName", "Version"}));
  EXPECT_EQ(stored["Version"].asInt(), 64);
  EXPECT_EQ(stored["Guid"].asString(), "2024_03_05_14_07_09_042");
  EXPECT_EQ(stored["MacroName"].asString(), "Reload");
  EXPECT_EQ(stored["Events"][1]["Delay"], Json::Value("65535"));  // stored as text, clamped

  const MacroEvents read = ReadMacroEventFile(path);
  EXPECT_EQ(read.result, MacroReadResult::Ok);
  ASSERT_EQ(read.events.size(), 3u);
  EXPECT_EQ(read.events[0], events[0]);
  EXPECT_EQ(read.events[1]["Note"].asString(), "mine");
  EXPECT_EQ(read.events[2]["Button"].asInt(), 44);
}

TEST(MacroFile, ReadingUntrustedText) {
  struct Case {
    const char* text;
    MacroReadResult result;
    size_t events;
    size_t dropped;
  };
  const Case cases[] = {
      {R"({"Events": [], "Version": 64})", MacroReadResult::Ok, 0, 0},
      {R"({"Events": [{"Type": 10, "Action": "down", "Button": 4, "Delay": "10"}]})", MacroReadResult::Ok, 1, 0},
      {R"({"Events": [null, {"Type": 10, "Button": 4}, 7, {"Type": "x"}]})", MacroReadResult::EventsDropped, 1, 3},
      {R"({"Events": "abc"})", MacroReadResult::WrongShape, 0, 0},
      {R"({"Events": {"0": {"Type": 10, "Button": 4}}})", MacroReadResult::WrongShape, 0, 0},
      {R"([{"Type": 10, "Button": 4}])", MacroReadResult::WrongShape, 0, 0},
      {R"("Events")", MacroReadResult::WrongShape, 0, 0},
      {R"({"Events": [)", MacroReadResult::NotJson, 0, 0},
      {"", MacroReadResult::NotJson, 0, 0},
      {"\xff\xfe{", MacroReadResult::NotJson, 0, 0},
  };
  for (const Case& c : cases) {
    const MacroEvents read = ParseMacroEvents(c.text);
    EXPECT_EQ(read.result, c.result) << c.text;
    EXPECT_EQ(read.events.size(), c.events) << c.text;
    EXPECT_EQ(read.dropped, c.dropped) << c.text;
  }
  // Nesting far past any document of ours reads as no JSON, without a crash.
  EXPECT_EQ(ParseMacroEvents(std::string(100000, '[')).result, MacroReadResult::NotJson);
}

TEST(MacroFile, MissingAndUnreadableFiles) {
  EXPECT_EQ(ReadMacroEventFile(Scratch("absent.mac")).result, MacroReadResult::Missing);
  EXPECT_EQ(ReadMacroEventFile(std::getenv("TARN_TEST_HOME")).result, MacroReadResult::Unreadable);
}

// A row whose text is empty or no event is skipped; the rows after it stay.
TEST(MacroFile, SavingRowsSkipsOnlyBadRows) {
  const std::string good = MakeMacroEvent(kMacroKey, true, 0x04, 0).toStyledString();
  const std::string other = MakeMacroEvent(kMacroKey, false, 0x04, 0).toStyledString();
  std::vector<MacroRow> rows = {
      {good, "15"}, {"", "20"}, {"{not json", "30"}, {R"({"Type": 99, "Button": 1})", "5"}, {other, ""},
      {good, "70000"},
  };
  size_t skipped = 0;
  const std::vector<Json::Value> events = EventsFromRows(rows, &skipped);
  EXPECT_EQ(skipped, 3u);
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0]["Delay"].asString(), "15");
  EXPECT_EQ(events[1]["Delay"].asString(), "0");
  EXPECT_EQ(events[1]["Action"].asString(), "up");
  EXPECT_EQ(events[2]["Delay"].asString(), "65535");
  EXPECT_EQ(rows[4].delayText, "0");  // the field shows what was saved
  EXPECT_EQ(rows[5].delayText, "65535");
  EXPECT_EQ(Parse(rows[5].eventText)["Delay"].asString(), "65535");

  // Writing never stores null for a bad event.
  std::vector<Json::Value> withBad = events;
  withBad.insert(withBad.begin() + 1, Json::Value());
  const Json::Value document = BuildMacroDocument("id", "name", withBad, &skipped);
  EXPECT_EQ(skipped, 1u);
  ASSERT_EQ(document["Events"].size(), 3u);
  for (const Json::Value& e : document["Events"]) EXPECT_TRUE(IsValidMacroEvent(e));
}

}  // namespace
}  // namespace tarn
