#include "app/notify_router.h"

#include "ui/ui_string.h"

namespace tarn {

void CNotifyRouter::OnName(const std::string& type, const std::string& name, Handler handler, bool matchCase) {
  m_names.emplace(type, NameEntry{name, matchCase, std::move(handler)});
}

void CNotifyRouter::OnPrefix(const std::string& type, const std::string& prefix, IndexHandler handler) {
  m_prefixes[{type, MakeLower(prefix)}] = std::move(handler);
}

bool CNotifyRouter::Route(TNotifyUI& msg) const {
  if (msg.pSender == nullptr) return false;
  const std::string& name = msg.pSender->GetName();
  auto range = m_names.equal_range(msg.sType);
  for (auto it = range.first; it != range.second; ++it) {
    const NameEntry& entry = it->second;
    bool same = entry.matchCase ? entry.name == name : EqualsNoCase(entry.name, name);
    if (same) {
      entry.handler(msg);
      return true;
    }
  }
  std::string prefix;
  int index = -1;
  if (!SplitNameNumber(name, prefix, index)) return false;
  auto found = m_prefixes.find({msg.sType, MakeLower(prefix)});
  if (found == m_prefixes.end()) return false;
  found->second(msg, index);
  return true;
}

}  // namespace tarn
