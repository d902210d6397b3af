// Goals, in one run with the virtual keyboard on the cable: start to the
// window shown under 1 s; a language switch with every page built under
// 150 ms; "exit" to the end of shutdown under 1.5 s.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/keyboard_page/keyboard_page_ui.h"
#include "app/main_wnd.h"
#include "app/pages/virtual_devices.h"
#include "app/startup.h"
#include "platform/paths.h"

namespace {

using namespace tarn;

template <class Fn>
bool PumpUntil(Fn done, int timeoutMs) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
  }
  return true;
}

double Ms(const QElapsedTimer& timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e6; }

bool Report(const char* what, double ms, double goalMs) {
  bool ok = ms < goalMs;
  std::printf("%-44s %9.1f ms  (goal < %.0f ms) %s\n", what, ms, goalMs, ok ? "ok" : "MISSED");
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  // Private folders: the bench never meets a running program or the user's files.
  std::string home = "/tmp/tarn-bench-app-" + std::to_string(getpid());
  for (const char* name : {"XDG_RUNTIME_DIR", "XDG_DATA_HOME", "XDG_CONFIG_HOME"}) {
    std::string folder = home + "/" + name;
    EnsureFolder(folder);
    setenv(name, folder.c_str(), 1);
  }
  setenv("TARN_DATA_DIR", TARN_SOURCE_DIR, 0);
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr)
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);

  bool ok = true;
  QElapsedTimer timer;
  timer.start();
  char option[] = "--virtual-keyboard=cable";
  char* options[] = {argv[0], option, nullptr};
  if (!SetUpVirtualDevices(2, options)) {
    std::fprintf(stderr, "virtual keyboard: %s\n", VirtualDevicesError().c_str());
    return 1;
  }
  CStartup startup;
  if (startup.Start() != CStartup::Result::Run) {
    std::fprintf(stderr, "the program did not start\n");
    return 1;
  }
  CMainWnd* wnd = startup.GetMainWnd();
  // "windowinit" hides the window until the first device scan has finished.
  bool shown = PumpUntil([wnd] { return wnd->Pages() != nullptr && wnd->isVisible(); }, 10000);
  double startMs = Ms(timer);
  bool keyboard = PumpUntil([wnd] { return wnd->CurrentKeyboardPage() != nullptr; }, 10000);
  double keyboardMs = Ms(timer);
  ok &= shown && Report("start to window shown", startMs, 1000);
  std::printf("%-44s %9.1f ms\n", "start to keyboard page current", keyboard ? keyboardMs : -1.0);

  // Language switches back and forth, every page built.
  std::vector<double> switches;
  for (int i = 0; i < 20; ++i) {
    QElapsedTimer one;
    one.start();
    wnd->SwitchLanguage(i % 2 == 0 ? 1 : 0);
    QCoreApplication::processEvents();
    switches.push_back(Ms(one));
  }
  std::sort(switches.begin(), switches.end());
  ok &= Report("language switch (median of 20)", switches[switches.size() / 2], 150);
  ok &= Report("language switch (slowest of 20)", switches.back(), 150);

  // "exit" from the tray menu to the end of shutdown, threads joined.
  QElapsedTimer exitTimer;
  QTimer::singleShot(0, wnd, [wnd, &exitTimer] {
    exitTimer.start();
    wnd->OnMenuCommand("exit");
  });
  int code = startup.Exec();
  startup.Shutdown();
  TearDownVirtualDevices();
  ok &= code == 0 && Report("\"exit\" to the end of shutdown", Ms(exitTimer), 1500);
  std::system(("rm -rf " + home).c_str());
  return ok ? 0 : 1;
}
