#pragma once
// Shared by the toolkit's tests: one QApplication per test process, a scratch
// skin folder, and a window that records what it is told.
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "ui/control.h"
#include "ui/resource_manager.h"
#include "ui/window.h"

namespace tarn::test {

inline QApplication& App() {
  static int argc = 1;
  static char name[] = "ui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// A folder under the test's scratch home, made fresh.
inline std::string ScratchFolder(const std::string& name) {
  const char* home = std::getenv("TARN_TEST_HOME");
  std::string folder = std::string(home != nullptr ? home : "/tmp") + "/" + name + "/";
  EnsureFolder(folder);
  return folder;
}

inline void WriteFile(const std::string& path, const std::string& text) {
  auto slash = path.rfind('/');
  if (slash != std::string::npos) EnsureFolder(path.substr(0, slash));
  std::ofstream(path, std::ios::binary) << text;
}

// Runs the event loop until done() or the time is up.
template <class Fn>
bool WaitFor(Fn done, int timeoutMs = 3000) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

inline void Pump(int ms = 20) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

struct Received {
  std::string type;
  std::string sender;
  int64_t wParam;
  int64_t lParam;
};

// A window built from layout text, recording every notification.
class CRecordingWindow : public CWindowUI {
 public:
  explicit CRecordingWindow(std::string layoutFile) : m_layout(std::move(layoutFile)) {}
  std::string GetSkinFile() const override { return m_layout; }
  void Notify(TNotifyUI& msg) override {
    log.push_back({msg.sType, msg.pSender != nullptr ? msg.pSender->GetName() : "", msg.wParam, msg.lParam});
  }
  CControlUI* CreateControl(const std::string& type) override { return create ? create(type) : nullptr; }
  void OnTimer(int id) override { timers.push_back(id); }
  void OnMenuCommand(const std::string& item) override { commands.push_back(item); }

  // Notifications of one type, in order; "focus" noise left out of counts.
  std::vector<Received> Of(const std::string& type) const {
    std::vector<Received> out;
    for (const auto& r : log) {
      if (r.type == type) out.push_back(r);
    }
    return out;
  }
  // Everything except focus and window notifications.
  std::vector<Received> Actions() const {
    std::vector<Received> out;
    for (const auto& r : log) {
      if (r.type != "setfocus" && r.type != "killfocus" && r.type != "windowsize" && r.type != "windowinit") {
        out.push_back(r);
      }
    }
    return out;
  }

  std::vector<Received> log;
  std::vector<int> timers;
  std::vector<std::string> commands;
  std::function<CControlUI*(const std::string&)> create;

 private:
  std::string m_layout;
};

// Points the toolkit at a scratch skin folder holding one layout file.
inline std::string UseLayout(const std::string& folderName, const std::string& xml) {
  std::string folder = ScratchFolder(folderName);
  WriteFile(folder + "layout.xml", xml);
  CResourceManager::Instance().SetResourcePath(folder);
  return "layout.xml";
}

}  // namespace tarn::test
