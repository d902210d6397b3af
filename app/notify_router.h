#pragma once
// Routes notifications by type and sender name: first by the full name,
// then, for a name that ends in a number, by the prefix before it ("key_"
// followed by 12 reaches the "key_" handler with 12).
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "ui/control.h"

namespace tarn {

class CNotifyRouter {
 public:
  using Handler = std::function<void(TNotifyUI& msg)>;
  using IndexHandler = std::function<void(TNotifyUI& msg, int index)>;

  // Names and prefixes compare without regard to case unless asked.
  void OnName(const std::string& type, const std::string& name, Handler handler, bool matchCase = false);
  void OnPrefix(const std::string& type, const std::string& prefix, IndexHandler handler);
  // True when a handler took the notification.
  bool Route(TNotifyUI& msg) const;

 private:
  struct NameEntry {
    std::string name;
    bool matchCase;
    Handler handler;
  };
  std::multimap<std::string, NameEntry> m_names;                  // key: type
  std::map<std::pair<std::string, std::string>, IndexHandler> m_prefixes;  // type, lower-case prefix
};

}  // namespace tarn
