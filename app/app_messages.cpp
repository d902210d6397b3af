#include "app/app_messages.h"

#include "ui/ui_string.h"

namespace tarn {

const std::vector<std::string>& HookMessageNames() {
  static const std::vector<std::string> names = {
      "WM_HOOK_KEY_SINGLEKEY_MSG",       "WM_HOOK_KEY_HITKEY_MSG",           "WM_HOOK_KEY_KBMACRO_MSG",
      "WM_HOOK_KEY_MSMACRO_MSG",         "WM_HOOK_KEY_KBMACROSINGLE_MSG",    "WM_HOOK_KEY_KBMACROPREVIOUS_MSG",
      "WM_HOOK_KEY_KBMACROLATER_MSG",    "WM_HOOK_KEY_MSMACROSINGLE_MSG",    "WM_HOOK_KEY_MSMACROPREVIOUS_MSG",
      "WM_HOOK_KEY_MSMACROLATER_MSG",    "WM_HOOK_MOU_SINGLEKEY_MSG",        "WM_HOOK_MOU_HITKEY_MSG",
      "WM_HOOK_MOU_KBMACRO_MSG",         "WM_HOOK_MOU_MSMACRO_MSG",          "UWM_MOUSELBUTTONDOWN_USER_MSG",
      "UWM_MOUSELBUTTONUP_USER_MSG",     "UWM_MOUSERBUTTONDOWN_USER_MSG",    "UWM_MOUSERBUTTONUP_USER_MSG",
      "UWM_MOUSEMOVE_USER_MSG",          "Game_Start",                       "Game_Kill",
      "Game_Death",                      "Game_End"};
  return names;
}

CMessageRegistry& CMessageRegistry::Instance() {
  static CMessageRegistry registry;
  return registry;
}

uint32_t CMessageRegistry::RegisterMessage(const std::string& name) {
  if (name.empty()) return 0;
  std::string key = MakeLower(name);
  auto found = m_ids.find(key);
  if (found != m_ids.end()) return found->second;
  if (m_nNext > kLastRegisteredMessage) return 0;
  uint32_t id = m_nNext++;
  m_ids[key] = id;
  m_names[id] = name;
  return id;
}

uint32_t CMessageRegistry::Find(const std::string& name) const {
  auto found = m_ids.find(MakeLower(name));
  return found != m_ids.end() ? found->second : 0;
}

std::string CMessageRegistry::NameOf(uint32_t id) const {
  auto found = m_names.find(id);
  return found != m_names.end() ? found->second : std::string();
}

AppMessageIds& AppMessages() {
  static AppMessageIds ids;
  return ids;
}

void RegisterHookMessages() {
  for (const std::string& name : HookMessageNames()) CMessageRegistry::Instance().RegisterMessage(name);
}

void RegisterToolMessages() {
  auto& registry = CMessageRegistry::Instance();
  AppMessageIds& ids = AppMessages();
  ids.tool15 = registry.RegisterMessage(kToolMessage15Name);
  ids.tool16 = registry.RegisterMessage(kToolMessage16Name);
  ids.tool17 = registry.RegisterMessage(kToolMessage17Name);
  ids.tool18 = registry.RegisterMessage(kToolMessage18Name);
  ids.tool19 = registry.RegisterMessage(kToolMessage19Name);
}

}  // namespace tarn
