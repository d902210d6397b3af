#pragma once
// String helpers of the toolkit. Strings are UTF-8 std::string; control names
// and attribute names are ASCII and compare without regard to case.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

// <0, 0, >0 like strcmp, ASCII letters folded to lower case.
int CompareNoCase(std::string_view a, std::string_view b);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

std::string MakeLower(std::string text);
std::string MakeUpper(std::string text);
std::string Trim(std::string_view text);

// printf-style formatting into a std::string.
std::string StringFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Splits "polling_rate_option_3" into "polling_rate_option_" and 3. False
// when the name does not end in a decimal number (prefix and number are then
// the whole name and -1).
bool SplitNameNumber(std::string_view name, std::string& prefix, int& number);

// Decimal integer as edits and attributes are read: leading blanks and a sign
// allowed; text that is not a number reads as 0; out-of-range values clamp.
int ToInt(std::string_view text);

// "true"/"1" are true; anything else false.
bool ToBool(std::string_view text);

// Splits "1,2,3,4" at the separator; empty fields are kept.
std::vector<std::string> SplitList(std::string_view text, char separator = ',');

// Reads "#AARRGGBB", "#RRGGBB", "0xAARRGGBB" or a decimal number as an ARGB
// colour (alpha 0xFF when only six digits are given). False when malformed.
bool ParseColor(std::string_view text, uint32_t& argb);

// "#AARRGGBB".
std::string FormatColor(uint32_t argb);

}  // namespace tarn
