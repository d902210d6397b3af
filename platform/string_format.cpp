#include "platform/string_format.h"

#include <cstdio>

namespace tarn {

std::string VFormat(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string result;
  if (length > 0) {
    result.resize(static_cast<size_t>(length) + 1);
    std::vsnprintf(result.data(), result.size(), format, args);
    result.resize(static_cast<size_t>(length));
  }
  return result;
}

}  // namespace tarn
