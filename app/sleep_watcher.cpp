#include "app/sleep_watcher.h"

#include "platform/debug_output.h"

namespace tarn {

CSleepWatcher::CSleepWatcher(Handler handler) : m_handler(std::move(handler)) {}

bool CSleepWatcher::WatchSystemBus() { return Watch(QDBusConnection::systemBus()); }

bool CSleepWatcher::Watch(const QDBusConnection& connection) {
  if (!connection.isConnected()) {
    DebugOutput("no system bus: suspend and resume are not followed");
    return false;
  }
  QDBusConnection bus = connection;
  m_bWatching = bus.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                            QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"),
                            this, SLOT(OnPrepareForSleep(bool)));
  return m_bWatching;
}

void CSleepWatcher::OnPrepareForSleep(bool sleeping) {
  if (m_handler) m_handler(sleeping);
}

}  // namespace tarn
