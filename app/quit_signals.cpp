#include "app/quit_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>

namespace tarn {
namespace {

int g_pipe[2] = {-1, -1};

void OnSignal(int) {
  char byte = 1;
  // Only async-signal-safe work here; the loop reads the pipe.
  ssize_t ignored = ::write(g_pipe[1], &byte, 1);
  (void)ignored;
}

}  // namespace

CQuitSignals::CQuitSignals() {
  if (g_pipe[0] < 0 && ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  m_pNotifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
  QObject::connect(m_pNotifier.get(), &QSocketNotifier::activated, m_pNotifier.get(), []() {
    char buffer[16];
    while (::read(g_pipe[0], buffer, sizeof buffer) > 0) {
    }
    QCoreApplication::exit(0);
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
}

CQuitSignals::~CQuitSignals() {
  ::signal(SIGINT, SIG_DFL);
  ::signal(SIGTERM, SIG_DFL);
  m_pNotifier.reset();
}

}  // namespace tarn
