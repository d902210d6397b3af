#pragma once
// Carries messages from the message bus to the UI thread. A message whose
// name was registered (CMessageRegistry) reaches the handler with its number;
// any other name is dropped.
#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/bus_message.h"
#include "platform/message_bus.h"

namespace tarn {

class CBusBridge {
 public:
  // Called on the UI thread.
  using Handler = std::function<void(uint32_t id, const BusMessage& message, int peerId)>;

  CBusBridge();
  ~CBusBridge();
  CBusBridge(const CBusBridge&) = delete;
  CBusBridge& operator=(const CBusBridge&) = delete;

  bool Start(const std::string& path, Handler handler);
  void Stop();
  bool Running() const { return m_server.Running(); }
  CMessageBusServer& Server() { return m_server; }

 private:
  CMessageBusServer m_server;
  Handler m_handler;
  // Queued deliveries die with it, so none arrives after Stop.
  std::unique_ptr<QObject> m_pContext;
};

}  // namespace tarn
