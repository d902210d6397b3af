#include "macro/macro_event.h"

#include <gtest/gtest.h>

#include "macro/macro_file.h"
#include "profile/json_file.h"

namespace tarn {
namespace {

Json::Value Parse(const std::string& text) {
  Json::Value v;
  EXPECT_TRUE(ParseJsonText(text, v)) << text;
  return v;
}

TEST(MacroEvent, DelayText) {
  const std::pair<const char*, uint16_t> cases[] = {
      {"0", 0},          {"50", 50},       {"65535", 65535}, {"65536", 65535}, {"70000", 65535},
      {"99999999999999999999999", 65535},  {"", 0},          {"abc", 0},       {"-5", 0},
      {"  12", 12},      {"+7", 7},        {"12ms", 12},     {"0070", 70},     {"- 3", 0},
  };
  for (const auto& [text, delay] : cases) EXPECT_EQ(ParseDelayText(text), delay) << '"' << text << '"';
}

TEST(MacroEvent, DelayAsTextOrNumber) {
  const std::pair<const char*, uint16_t> cases[] = {
      {R"({"Delay": "70000"})", 65535}, {R"({"Delay": 70000})", 65535}, {R"({"Delay": 120})", 120},
      {R"({"Delay": -4})", 0},          {R"({"Delay": 12.9})", 12},     {R"({"Delay": 1e300})", 65535},
      {R"({"Delay": true})", 0},        {R"({"Delay": [5]})", 0},       {R"({})", 0},
      {R"({"Delay": 18446744073709551615})", 65535},
  };
  for (const auto& [text, delay] : cases) EXPECT_EQ(MacroEventDelay(Parse(text)), delay) << text;
  EXPECT_EQ(MacroEventDelay(Json::Value("not an object")), 0);
}

TEST(MacroEvent, WhichObjectsAreEvents) {
  const std::pair<const char*, bool> cases[] = {
      {R"({"Type": 10, "Action": "down", "Button": 4, "Delay": "50"})", true},
      {R"({"Type": 1, "Action": "up", "Button": 1, "Delay": 50, "Note": "x"})", true},
      {R"({"Type": 2, "Button": 0})", true},  // no action: a release; no delay: 0
      {R"({"Type": 5.0, "Action": "down", "Button": 255, "Delay": "1"})", true},
      {R"({"Type": 6, "Action": "down", "Button": 4, "Delay": "0"})", false},
      {R"({"Type": 0, "Action": "down", "Button": 4, "Delay": "0"})", false},
      {R"({"Type": "10", "Action": "down", "Button": 4, "Delay": "0"})", false},
      {R"({"Type": 10, "Action": "down", "Button": 256, "Delay": "0"})", false},
      {R"({"Type": 10, "Action": "down", "Button": -1, "Delay": "0"})", false},
      {R"({"Type": 10, "Action": "down", "Button": 4.5, "Delay": "0"})", false},
      {R"({"Type": 10, "Action": "down", "Delay": "0"})", false},
      {R"({"Type": 10, "Action": 1, "Button": 4, "Delay": "0"})", false},
      {R"({"Type": 10, "Action": "down", "Button": 4, "Delay": {}})", false},
      {R"({"Type": 138, "Action": "down", "Button": 4})", false},
      {R"([10, "down", 4, "0"])", false},
      {R"(null)", false},
  };
  for (const auto& [text, valid] : cases) EXPECT_EQ(IsValidMacroEvent(Parse(text)), valid) << text;
}

TEST(MacroEvent, DeviceBytes) {
  using Bytes = std::array<uint8_t, 4>;
  EXPECT_EQ(EncodeMacroEvent(Parse(R"({"Type": 10, "Action": "down", "Button": 4, "Delay": "300"})")),
            (Bytes{0x2C, 0x01, 0x8A, 0x04}));
  EXPECT_EQ(EncodeMacroEvent(Parse(R"({"Type": 10, "Action": "up", "Button": 4, "Delay": "0"})")),
            (Bytes{0x00, 0x00, 0x0A, 0x04}));
  // Never wraps modulo 65536.
  EXPECT_EQ(EncodeMacroEvent(Parse(R"({"Type": 1, "Action": "down", "Button": 2, "Delay": "70000"})")),
            (Bytes{0xFF, 0xFF, 0x81, 0x02}));
  EXPECT_EQ(EncodeMacroEvent(MakeMacroEvent(kMacroMoveY, false, 44, 65535)), (Bytes{0xFF, 0xFF, 0x05, 44}));
}

TEST(MacroEvent, NormalisedDelayKeepsOtherMembers) {
  Json::Value event = Parse(R"({"Type": 9, "Action": "down", "Button": 1, "Delay": 70000, "Extra": [1, 2]})");
  NormaliseEventDelay(event);
  EXPECT_EQ(event["Delay"], Json::Value("65535"));
  EXPECT_EQ(event["Extra"].size(), 2u);
  // A name with a NUL would be written as "Delay" and win over the real one.
  Json::Value nul = MakeMacroEvent(kMacroKey, true, 4, 5);
  nul[std::string("Delay\0x", 7)] = "30";
  NormaliseEventDelay(nul);
  EXPECT_EQ(nul.getMemberNames(), (std::vector<std::string>{"Action", "Button", "Delay", "Type"}));
  EXPECT_EQ(ParseMacroEvents(FormatStyledJson(BuildMacroDocument("i", "n", {nul}))).events[0]["Delay"].asString(), "5");
  EXPECT_EQ(MakeMacroEvent(kMacroKey, true, 0x28, 7),
            Parse(R"({"Type": 10, "Action": "down", "Button": 40, "Delay": "7"})"));
}

}  // namespace
}  // namespace tarn
