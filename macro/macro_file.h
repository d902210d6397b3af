#pragma once
// A macro's event file (<Guid>.mac): "Events", "Guid", "MacroName" and
// "Version" 64. Files come from the user folder and from imports, so reading
// never trusts their shape: events that cannot be shown or sent are left out
// and the caller learns why.
#include <json/json.h>

#include <cstddef>
#include <string>
#include <vector>

namespace tarn {

enum class MacroReadResult {
  Ok,
  Missing,        // no such file: a macro not saved yet, no events
  Unreadable,     // cannot be opened or read, or too large
  NotJson,        // not JSON text
  WrongShape,     // JSON, but no object with an "Events" array: no events
  EventsDropped,  // some events were not events and were left out
};

struct MacroEvents {
  std::vector<Json::Value> events;  // valid events, "Delay" as clamped text
  size_t dropped = 0;               // elements of "Events" left out
  MacroReadResult result = MacroReadResult::Missing;
};

// Largest event file read; ours stay far below (4000 events are ~0.5 MB).
inline constexpr size_t kMaxMacroFileSize = 16u * 1024u * 1024u;

MacroEvents ParseMacroEvents(const std::string& text);
MacroEvents ReadMacroEventFile(const std::string& path);

// The whole event document. Events that are not valid are skipped (counted
// in *skipped); every kept event keeps its other members and gets its
// "Delay" as clamped text.
Json::Value BuildMacroDocument(const std::string& guid, const std::string& name,
                               const std::vector<Json::Value>& events, size_t* skipped = nullptr);

// Writes the document to path; 0 on success (the old file is kept on failure).
int WriteMacroEventFile(const std::string& path, const std::string& guid, const std::string& name,
                        const std::vector<Json::Value>& events, size_t* skipped = nullptr);

// The editor keeps each event as styled JSON text beside the delay field it
// shows. Saving takes the field's delay (empty counts as "0", the value is
// clamped to 0-65535) into the event. A row whose text is empty or not an
// event is skipped: the rows after it are kept.
struct MacroRow {
  std::string eventText;
  std::string delayText;
};
// The events of the rows; each row's texts are rewritten as saved.
std::vector<Json::Value> EventsFromRows(std::vector<MacroRow>& rows, size_t* skipped = nullptr);

}  // namespace tarn
