#pragma once
// The process-wide messages. On this platform a message is a name on the
// message bus; each name registered here gets a number in the range the
// window procedures of the program know it by (0xC000 to 0xFFFF). Names
// compare without regard to case, as registered window messages did, but
// otherwise exactly: "...EBF19}" is not "...EBE19}".
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tarn {

constexpr const char* kActivationMessageName = "Tarn";
constexpr const char* kToolMessage15Name = "{4695579F-999A-41d4-9FAF-EFFCE93EBF15}";
constexpr const char* kToolMessage16Name = "{4695579F-999A-41d4-9FAF-EFFCE93EBF16}";
constexpr const char* kToolMessage17Name = "{4695579F-999A-41d4-9FAF-EFFCE93EBF17}";
constexpr const char* kToolMessage18Name = "{4695579F-999A-41d4-9FAF-EFFCE93EBF18}";
// The fifth name ends in EBE19, not EBF19.
constexpr const char* kToolMessage19Name = "{4695579F-999A-41d4-9FAF-EFFCE93EBE19}";

// Hook, mouse and game messages every module knows by name.
const std::vector<std::string>& HookMessageNames();

constexpr uint32_t kFirstRegisteredMessage = 0xC000;
constexpr uint32_t kLastRegisteredMessage = 0xFFFF;

class CMessageRegistry {
 public:
  static CMessageRegistry& Instance();
  // The number of a name; the same name always gets the same number. 0 when
  // the name is empty or the range is used up.
  uint32_t RegisterMessage(const std::string& name);
  // 0 when the name was never registered.
  uint32_t Find(const std::string& name) const;
  std::string NameOf(uint32_t id) const;

 private:
  std::map<std::string, uint32_t> m_ids;  // lower-case name
  std::map<uint32_t, std::string> m_names;
  uint32_t m_nNext = kFirstRegisteredMessage;
};

// Numbers written once at start-up and read everywhere.
struct AppMessageIds {
  uint32_t activation = 0;
  uint32_t tool15 = 0, tool16 = 0, tool17 = 0, tool18 = 0, tool19 = 0;
};
AppMessageIds& AppMessages();

// Registers the hook, mouse and game message names.
void RegisterHookMessages();
// Registers the five tool messages, in the order 15 to 19.
void RegisterToolMessages();

}  // namespace tarn
