#pragma once
// Diagnostic lines. Silent unless TARN_DEBUG=1, then one line per call on
// stderr. Tests can install a sink to read the lines whatever the setting.
#include <functional>
#include <string>
#include <string_view>

namespace tarn {

// Writes one diagnostic line (UTF-8, no trailing newline needed).
void DebugOutput(std::string_view line);

// printf-style convenience; the text is formatted only when someone listens.
void DebugOutputF(const char* format, ...) __attribute__((format(printf, 1, 2)));

// True when a line would go anywhere (stderr enabled or a sink installed).
bool DebugOutputActive();

using DebugSink = std::function<void(const std::string&)>;
// Installs a sink that receives every line; an empty function removes it.
void SetDebugSink(DebugSink sink);

// Re-reads TARN_DEBUG (for tests that change the environment).
void ReloadDebugSetting();

}  // namespace tarn
