// Macro event files come from the user folder and from imports. Whatever the
// text, reading must not crash, every event read must be one the device can
// take, and writing the events and reading them back must give the same
// events and the same device bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "macro/macro_event.h"
#include "macro/macro_file.h"
#include "macro/mouse_actions.h"
#include "profile/json_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const tarn::MacroEvents read = tarn::ParseMacroEvents(text);
  for (const Json::Value& event : read.events) {
    if (!tarn::IsValidMacroEvent(event)) __builtin_trap();
    (void)tarn::EncodeMacroEvent(event);
    (void)tarn::MacroEventNameKey(event);
  }

  size_t skipped = 0;
  const Json::Value document = tarn::BuildMacroDocument("id", "name", read.events, &skipped);
  if (skipped != 0) __builtin_trap();
  const tarn::MacroEvents again = tarn::ParseMacroEvents(tarn::FormatStyledJson(document));
  if (again.result != tarn::MacroReadResult::Ok || again.events.size() != read.events.size()) __builtin_trap();
  for (size_t i = 0; i < read.events.size(); ++i) {
    if (tarn::EncodeMacroEvent(again.events[i]) != tarn::EncodeMacroEvent(read.events[i])) __builtin_trap();
  }

  // The same text as one editor row.
  std::vector<tarn::MacroRow> rows = {{text, text}};
  const std::vector<Json::Value> fromRows = tarn::EventsFromRows(rows);
  if (fromRows.size() > 1) __builtin_trap();
  return 0;
}
