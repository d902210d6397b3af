#include "ui/ui_string.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "platform/string_format.h"

namespace tarn {
namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }
char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = Lower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

int CompareNoCase(std::string_view a, std::string_view b) {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    unsigned char ca = static_cast<unsigned char>(Lower(a[i]));
    unsigned char cb = static_cast<unsigned char>(Lower(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && CompareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

std::string MakeLower(std::string text) {
  for (char& c : text) c = Lower(c);
  return text;
}

std::string MakeUpper(std::string text) {
  for (char& c : text) c = Upper(c);
  return text;
}

std::string Trim(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  return std::string(text.substr(begin, end - begin));
}

std::string StringFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string result = VFormat(format, args);
  va_end(args);
  return result;
}

bool SplitNameNumber(std::string_view name, std::string& prefix, int& number) {
  size_t digits = name.size();
  while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1]))) --digits;
  // A name made only of digits, or one without trailing digits, has no prefix
  // to route by; more than nine digits cannot be an index.
  if (digits == name.size() || digits == 0 || name.size() - digits > 9) {
    prefix = std::string(name);
    number = -1;
    return false;
  }
  prefix = std::string(name.substr(0, digits));
  number = std::atoi(std::string(name.substr(digits)).c_str());
  return true;
}

int ToInt(std::string_view text) {
  std::string copy(text);
  const char* begin = copy.c_str();
  char* end = nullptr;
  errno = 0;
  long value = std::strtol(begin, &end, 10);
  if (end == begin) return 0;
  if (errno == ERANGE || value > INT_MAX) return value < 0 ? INT_MIN : INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

bool ToBool(std::string_view text) {
  std::string t = Trim(text);
  return EqualsNoCase(t, "true") || t == "1";
}

std::vector<std::string> SplitList(std::string_view text, char separator) {
  std::vector<std::string> fields;
  size_t start = 0;
  while (true) {
    size_t at = text.find(separator, start);
    fields.push_back(Trim(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start)));
    if (at == std::string_view::npos) break;
    start = at + 1;
  }
  return fields;
}

bool ParseColor(std::string_view text, uint32_t& argb) {
  std::string t = Trim(text);
  std::string_view hex;
  if (!t.empty() && t[0] == '#') {
    hex = std::string_view(t).substr(1);
  } else if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    hex = std::string_view(t).substr(2);
  } else {
    if (t.empty()) return false;
    for (char c : t) {
      if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    unsigned long long value = std::strtoull(t.c_str(), nullptr, 10);
    if (value > 0xFFFFFFFFull) return false;
    argb = static_cast<uint32_t>(value);
    return true;
  }
  if (hex.size() != 6 && hex.size() != 8) return false;
  uint32_t value = 0;
  for (char c : hex) {
    int digit = HexDigit(c);
    if (digit < 0) return false;
    value = (value << 4) | static_cast<uint32_t>(digit);
  }
  if (hex.size() == 6) value |= 0xFF000000u;
  argb = value;
  return true;
}

std::string FormatColor(uint32_t argb) { return StringFormat("#%08X", argb); }

}  // namespace tarn
