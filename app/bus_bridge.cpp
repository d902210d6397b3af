#include "app/bus_bridge.h"

#include <QMetaObject>

#include "app/app_messages.h"
#include "platform/debug_output.h"

namespace tarn {

CBusBridge::CBusBridge() : m_pContext(std::make_unique<QObject>()) {}

CBusBridge::~CBusBridge() { Stop(); }

bool CBusBridge::Start(const std::string& path, Handler handler) {
  Stop();
  if (m_pContext == nullptr) m_pContext = std::make_unique<QObject>();
  m_handler = std::move(handler);
  QObject* context = m_pContext.get();
  return m_server.Start(path, [this, context](int peerId, const BusMessage& message) {
    // On the bus thread: hand a copy to the UI thread.
    QMetaObject::invokeMethod(
        context,
        [this, peerId, message]() {
          uint32_t id = CMessageRegistry::Instance().Find(message.name);
          if (id == 0) {
            DebugOutputF("bus message %s is not registered", message.name.c_str());
            return;
          }
          if (m_handler) m_handler(id, message, peerId);
        },
        Qt::QueuedConnection);
  });
}

void CBusBridge::Stop() {
  m_server.Stop();
  // Drops deliveries still queued for the UI thread.
  m_pContext.reset();
}

}  // namespace tarn
