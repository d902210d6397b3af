#include "macro/macro_file.h"

#include <errno.h>
#include <sys/stat.h>

#include "macro/macro_event.h"
#include "platform/debug_output.h"
#include "platform/settings_file.h"
#include "profile/json_file.h"

namespace tarn {

MacroEvents ParseMacroEvents(const std::string& text) {
  MacroEvents out;
  Json::Value document;
  if (!ParseJsonText(text, document)) {
    out.result = MacroReadResult::NotJson;
    return out;
  }
  const Json::Value& events = JsonMember(document, "Events");
  if (!events.isArray()) {
    out.result = MacroReadResult::WrongShape;
    return out;
  }
  for (Json::ArrayIndex i = 0; i < events.size(); ++i) {
    const Json::Value& event = events[i];
    if (!IsValidMacroEvent(event)) {
      ++out.dropped;
      continue;
    }
    out.events.push_back(event);
    NormaliseEventDelay(out.events.back());
  }
  out.result = out.dropped == 0 ? MacroReadResult::Ok : MacroReadResult::EventsDropped;
  return out;
}

MacroEvents ReadMacroEventFile(const std::string& path) {
  MacroEvents out;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    const int error = errno;
    DebugOutput(path);
    DebugOutputF("readjsonFile 错误吗：：%d\n", error);
    out.result = MacroReadResult::Missing;
    return out;
  }
  std::string text;
  if (!S_ISREG(st.st_mode) || static_cast<uint64_t>(st.st_size) > kMaxMacroFileSize || !ReadWholeFile(path, text)) {
    DebugOutput(path);
    DebugOutputF("readjsonFile 错误吗：：%d\n", S_ISREG(st.st_mode) ? EFBIG : EISDIR);
    out.result = MacroReadResult::Unreadable;
    return out;
  }
  return ParseMacroEvents(text);
}

Json::Value BuildMacroDocument(const std::string& guid, const std::string& name,
                               const std::vector<Json::Value>& events, size_t* skipped) {
  Json::Value document(Json::objectValue);
  Json::Value& list = document["Events"] = Json::Value(Json::arrayValue);
  size_t bad = 0;
  for (const Json::Value& event : events) {
    if (!IsValidMacroEvent(event)) {
      ++bad;
      continue;
    }
    Json::Value& kept = list.append(event);
    NormaliseEventDelay(kept);
  }
  document["Guid"] = guid;
  document["MacroName"] = name;
  document["Version"] = kMacroFileVersion;
  if (skipped) *skipped = bad;
  return document;
}

int WriteMacroEventFile(const std::string& path, const std::string& guid, const std::string& name,
                        const std::vector<Json::Value>& events, size_t* skipped) {
  return WriteJsonFile(BuildMacroDocument(guid, name, events, skipped), path);
}

std::vector<Json::Value> EventsFromRows(std::vector<MacroRow>& rows, size_t* skipped) {
  std::vector<Json::Value> events;
  size_t bad = 0;
  for (MacroRow& row : rows) {
    // An empty field reads 0 like any text that is no number.
    row.delayText = DelayText(ParseDelayText(row.delayText));
    Json::Value event;
    if (row.eventText.empty() || !ParseJsonText(row.eventText, event) || !IsValidMacroEvent(event)) {
      ++bad;
      continue;
    }
    event["Delay"] = row.delayText;
    NormaliseEventDelay(event);
    row.eventText = event.toStyledString();
    events.push_back(std::move(event));
  }
  if (skipped) *skipped = bad;
  return events;
}

}  // namespace tarn
