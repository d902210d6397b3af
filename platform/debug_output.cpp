#include "platform/debug_output.h"

#include "platform/string_format.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace tarn {
namespace {

bool ReadEnabled() {
  const char* value = std::getenv("TARN_DEBUG");
  return value != nullptr && std::strcmp(value, "1") == 0;
}

std::mutex& SinkMutex() {
  static std::mutex mutex;
  return mutex;
}
DebugSink& Sink() {
  static DebugSink sink;
  return sink;
}
std::atomic<bool>& StderrEnabled() {
  static std::atomic<bool> enabled{ReadEnabled()};
  return enabled;
}
std::atomic<bool>& SinkInstalled() {
  static std::atomic<bool> installed{false};
  return installed;
}

}  // namespace

bool DebugOutputActive() {
  return StderrEnabled().load(std::memory_order_relaxed) || SinkInstalled().load(std::memory_order_relaxed);
}

void DebugOutput(std::string_view line) {
  if (!DebugOutputActive()) return;
  std::string text(line);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  std::lock_guard<std::mutex> lock(SinkMutex());
  if (StderrEnabled()) {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
  if (Sink()) Sink()(text);
}

void DebugOutputF(const char* format, ...) {
  if (!DebugOutputActive()) return;
  va_list args;
  va_start(args, format);
  std::string text = VFormat(format, args);
  va_end(args);
  DebugOutput(text);
}

void SetDebugSink(DebugSink sink) {
  std::lock_guard<std::mutex> lock(SinkMutex());
  SinkInstalled() = static_cast<bool>(sink);
  Sink() = std::move(sink);
}

void ReloadDebugSetting() { StderrEnabled() = ReadEnabled(); }

}  // namespace tarn
