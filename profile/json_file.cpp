#include "profile/json_file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <memory>

#include "platform/debug_output.h"
#include "platform/settings_file.h"

namespace tarn {

namespace {

const Json::Value& NullValue() {
  static const Json::Value null;
  return null;
}

// Reads the whole file; an error code (errno) when it cannot, 0 otherwise.
int ReadFileBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno != 0 ? errno : EIO;
  struct stat st {};
  int error = 0;
  if (::fstat(fd, &st) != 0) {
    error = errno;
  } else if (!S_ISREG(st.st_mode)) {
    error = EISDIR;
  } else if (static_cast<uint64_t>(st.st_size) > kJsonMaxFileSize) {
    error = EFBIG;
  } else {
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    while (got < bytes.size()) {
      ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += static_cast<size_t>(n);
    }
    // A short read counts as empty: half a document is no document.
    if (got < bytes.size()) bytes.clear();
  }
  ::close(fd);
  if (error != 0) bytes.clear();
  return error;
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

bool ParseJsonText(const std::string& text, Json::Value& out) {
  out = Json::Value();
  Json::CharReaderBuilder builder;
  builder["collectComments"] = true;
  builder["allowComments"] = true;
  builder["stackLimit"] = kJsonNestingLimit;
  std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  Json::Value parsed;
  std::string errors;
  bool ok = false;
  try {
    // The reader throws (instead of failing) when the nesting limit is hit.
    ok = reader->parse(text.data(), text.data() + text.size(), &parsed, &errors);
  } catch (const std::exception&) {
    ok = false;
  }
  if (!ok) return false;
  out.swap(parsed);
  return true;
}

Json::Value ReadJsonFile(const std::string& path) {
  std::string bytes;
  int error = ReadFileBytes(path, bytes);
  DebugOutputF("readjsonFile 错误吗：：%d\n", error);
  if (error != 0) return Json::Value();
  if (bytes.empty()) {
    DebugOutput(path);
    return Json::Value();
  }
  Json::Value value;
  if (!ParseJsonText(bytes, value)) return Json::Value();
  return value;
}

std::string FormatStyledJson(const Json::Value& value) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  // The stored layout is exactly this writer's; the newer stream writer
  // indents differently.
  Json::StyledWriter writer;
  std::string text = writer.write(value);
#pragma GCC diagnostic pop
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;  // keep CR LF single
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

int WriteJsonFile(const Json::Value& value, const std::string& path) {
  if (path.empty()) return 1;
  std::string bytes;
  try {
    bytes = FormatStyledJson(value);
  } catch (const std::exception&) {
    return 2;
  }
  return WriteFileAtomically(path, bytes) ? 0 : 3;
}

std::string FormatTimeStampName(int year, int month, int day, int hour, int minute, int second,
                                int millisecond) {
  char buffer[200];
  std::snprintf(buffer, sizeof buffer, "%d_%02d_%02d_%02d_%02d_%02d_%03d", year, month, day, hour,
                minute, second, millisecond);
  return buffer;
}

std::string MakeTimeStampName() {
  struct timeval tv {};
  ::gettimeofday(&tv, nullptr);
  time_t seconds = tv.tv_sec;
  struct tm local {};
  ::localtime_r(&seconds, &local);
  return FormatTimeStampName(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                             local.tm_min, local.tm_sec, static_cast<int>(tv.tv_usec / 1000));
}

std::wstring Utf8ToWide(const std::string& text) {
  std::wstring out;
  out.reserve(text.size());
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  size_t n = text.size();
  size_t i = 0;
  while (i < n) {
    unsigned char c = s[i];
    uint32_t cp = 0;
    size_t len = 0;
    uint32_t min = 0;
    if (c < 0x80) {
      out += static_cast<wchar_t>(c);
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      cp = c & 0x1F, len = 2, min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      cp = c & 0x0F, len = 3, min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      cp = c & 0x07, len = 4, min = 0x10000;
    } else {
      out += L'\xFFFD';
      ++i;
      continue;
    }
    size_t k = 1;
    for (; k < len && i + k < n && (s[i + k] & 0xC0) == 0x80; ++k) cp = (cp << 6) | (s[i + k] & 0x3F);
    if (k < len || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out += L'\xFFFD';
      i += k;  // skip the lead byte and the continuation bytes it owned
      continue;
    }
    out += static_cast<wchar_t>(cp);
    i += len;
  }
  return out;
}

std::string WideToUtf8(const std::wstring& text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t w : text) {
    auto cp = static_cast<uint32_t>(w);
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    AppendUtf8(out, cp);
  }
  return out;
}

std::string GetFileTitle(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  return name;
}

const Json::Value& JsonMember(const Json::Value& value, const char* key) {
  if (!value.isObject()) return NullValue();
  const Json::Value* found = value.find(key, key + std::strlen(key));
  return found ? *found : NullValue();
}

const Json::Value& JsonElement(const Json::Value& value, Json::ArrayIndex index) {
  if (!value.isArray() || index >= value.size()) return NullValue();
  return value[index];
}

Json::ArrayIndex JsonArraySize(const Json::Value& value) { return value.isArray() ? value.size() : 0; }

bool JsonHas(const Json::Value& value, const char* key) { return !JsonMember(value, key).isNull(); }

int64_t JsonAsInt64(const Json::Value& value, int64_t fallback) {
  switch (value.type()) {
    case Json::intValue:
      return value.asInt64();
    case Json::uintValue:
      return static_cast<int64_t>(value.asUInt64());
    case Json::booleanValue:
      return value.asBool() ? 1 : 0;
    case Json::realValue: {
      double d = value.asDouble();
      if (!std::isfinite(d) || d >= 9.2e18 || d <= -9.2e18) return fallback;
      return static_cast<int64_t>(d);
    }
    default:
      return fallback;
  }
}

int JsonAsInt(const Json::Value& value, int fallback) {
  if (!value.isNumeric() && !value.isBool()) return fallback;
  return static_cast<int>(static_cast<uint32_t>(JsonAsInt64(value, fallback)));
}

bool JsonAsBool(const Json::Value& value, bool fallback) {
  switch (value.type()) {
    case Json::nullValue:
      return false;
    case Json::booleanValue:
      return value.asBool();
    case Json::intValue:
    case Json::uintValue:
    case Json::realValue:
      return JsonAsInt64(value, 1) != 0 || value.asDouble() != 0.0;
    default:
      return fallback;
  }
}

std::string JsonAsString(const Json::Value& value, const std::string& fallback) {
  return value.isString() ? value.asString() : fallback;
}

int JsonInt(const Json::Value& object, const char* key, int fallback) {
  return JsonAsInt(JsonMember(object, key), fallback);
}
int64_t JsonInt64(const Json::Value& object, const char* key, int64_t fallback) {
  return JsonAsInt64(JsonMember(object, key), fallback);
}
bool JsonBool(const Json::Value& object, const char* key, bool fallback) {
  return JsonAsBool(JsonMember(object, key), fallback);
}
std::string JsonString(const Json::Value& object, const char* key, const std::string& fallback) {
  return JsonAsString(JsonMember(object, key), fallback);
}
uint8_t JsonByte(const Json::Value& object, const char* key) {
  return static_cast<uint8_t>(JsonInt64(object, key) & 0xFF);
}
uint16_t JsonWord(const Json::Value& object, const char* key) {
  return static_cast<uint16_t>(JsonInt64(object, key) & 0xFFFF);
}

Json::Value& JsonObjectMember(Json::Value& value, const char* key) {
  if (!value.isObject()) value = Json::Value(Json::objectValue);
  return value[key];
}

Json::Value& JsonArrayElement(Json::Value& value, Json::ArrayIndex index) {
  if (!value.isArray()) value = Json::Value(Json::arrayValue);
  return value[index];
}

}  // namespace tarn
