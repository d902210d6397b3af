#include "ui/ui_string.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(UiString, CompareNoCaseOrdersAndFolds) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  } cases[] = {
      {"closebtn", "CloseBtn", 0}, {"", "", 0},     {"a", "B", -1},  {"B", "a", 1},
      {"abc", "ab", 1},            {"ab", "abc", -1}, {"Key_1", "key_1", 0},
  };
  for (const auto& c : cases) {
    int result = CompareNoCase(c.a, c.b);
    EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.a << " vs " << c.b;
    EXPECT_EQ(EqualsNoCase(c.a, c.b), c.sign == 0) << c.a << " vs " << c.b;
  }
  EXPECT_EQ(MakeLower("Polling_Rate_OPTION_3"), "polling_rate_option_3");
  EXPECT_EQ(MakeUpper("vid_1a2b"), "VID_1A2B");
  EXPECT_TRUE(StartsWithNoCase("DPI_slider_2", "dpi_SLIDER_"));
  EXPECT_FALSE(StartsWithNoCase("DPI", "DPI_"));
}

TEST(UiString, SplitNameNumberFindsPrefixAndIndex) {
  struct Case {
    const char* name;
    bool split;
    const char* prefix;
    int number;
  } cases[] = {
      {"polling_rate_option_3", true, "polling_rate_option_", 3},
      {"key_112", true, "key_", 112},
      {"key_007", true, "key_", 7},
      {"closebtn", false, "closebtn", -1},
      {"12345", false, "12345", -1},
      {"", false, "", -1},
      {"x_12345678901", false, "x_12345678901", -1},  // too long to be an index
  };
  for (const auto& c : cases) {
    std::string prefix;
    int number = 0;
    EXPECT_EQ(SplitNameNumber(c.name, prefix, number), c.split) << c.name;
    EXPECT_EQ(prefix, c.prefix) << c.name;
    EXPECT_EQ(number, c.number) << c.name;
  }
}

TEST(UiString, NumbersAndColoursReadAsEditsAndLayoutsGiveThem) {
  struct IntCase {
    const char* text;
    int value;
  } ints[] = {{"42", 42}, {" -7", -7}, {"abc", 0}, {"", 0}, {"12ab", 12}, {"99999999999", 2147483647}};
  for (const auto& c : ints) EXPECT_EQ(ToInt(c.text), c.value) << c.text;

  struct ColorCase {
    const char* text;
    bool ok;
    uint32_t argb;
  } colors[] = {
      {"#FF102030", true, 0xFF102030}, {"#102030", true, 0xFF102030}, {"0x80FFFFFF", true, 0x80FFFFFF},
      {"16777215", true, 16777215},    {"#12345", false, 0},          {"#GG0000", false, 0},
      {"", false, 0},                  {"red", false, 0},
  };
  for (const auto& c : colors) {
    uint32_t argb = 0;
    EXPECT_EQ(ParseColor(c.text, argb), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(argb, c.argb) << c.text;
    }
  }
  EXPECT_EQ(FormatColor(0xFF0A0B0C), "#FF0A0B0C");
  EXPECT_EQ(StringFormat("R %d", 255), "R 255");
  EXPECT_EQ(SplitList("1, 2,,4"), (std::vector<std::string>{"1", "2", "", "4"}));
}

}  // namespace
}  // namespace tarn
