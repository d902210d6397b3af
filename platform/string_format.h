#pragma once
// printf-style formatting into a std::string.
#include <cstdarg>
#include <string>

namespace tarn {

std::string VFormat(const char* format, va_list args);

}  // namespace tarn
