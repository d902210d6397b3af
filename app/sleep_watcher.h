#pragma once
// Suspend and resume from logind: its PrepareForSleep(bool) signal on the
// system bus (true before sleeping, false after waking). Without a system
// bus nothing is watched.
#include <QDBusConnection>
#include <QObject>

#include <functional>

namespace tarn {

class CSleepWatcher : public QObject {
  Q_OBJECT

 public:
  // sleeping: true before a suspend, false after resume.
  using Handler = std::function<void(bool sleeping)>;

  explicit CSleepWatcher(Handler handler);
  // Watches the system bus; false when there is none.
  bool WatchSystemBus();
  // Watches the given connection (tests use a private bus).
  bool Watch(const QDBusConnection& connection);
  bool IsWatching() const { return m_bWatching; }

 private slots:
  void OnPrepareForSleep(bool sleeping);

 private:
  Handler m_handler;
  bool m_bWatching = false;
};

}  // namespace tarn
