#pragma once
// Start-up and shutdown of the program, in a fixed order: private fonts,
// the activation message, the single instance, the toolkit, the control
// classes, the tool messages, the main window; then the message loop; then
// everything in reverse.
#include <memory>
#include <string>
#include <vector>

#include "app/bus_bridge.h"
#include "app/private_font.h"
#include "platform/instance_lock.h"

namespace tarn {

class CMainWnd;

// The fonts of the "Font" folder, in the order they are loaded.
const std::vector<std::string>& PrivateFontPaths();

class CStartup {
 public:
  enum class Result { Run, SecondInstance, Failed };

  CStartup();
  ~CStartup();
  CStartup(const CStartup&) = delete;
  CStartup& operator=(const CStartup&) = delete;

  // Needs a QApplication. Run: the main window is up; SecondInstance: the
  // running instance was told to come to the front; Failed: nothing runs.
  Result Start();
  // The message loop; returns when the main window ends it.
  int Exec();
  // Tears down in the reverse order of Start; safe to call twice.
  void Shutdown();

  CMainWnd* GetMainWnd() const { return m_pMainWnd.get(); }
  int LoadedFontCount() const;
  bool BusRunning() const { return m_bus != nullptr && m_bus->Running(); }

 private:
  void LoadFonts();
  void UnloadFonts();
  void SetupResources();

  std::vector<std::unique_ptr<CPrivateFont>> m_fonts;
  CInstanceLock m_lock;
  std::unique_ptr<CBusBridge> m_bus;
  std::unique_ptr<CMainWnd> m_pMainWnd;
};

// Tells the running instance to come to the front: the activation message
// with wParam 0 and lParam 1. Waits up to waitMs for it to listen.
bool SendActivation(int waitMs);

// The program: returns the process exit code (0 on every path).
int TarnMain(int argc, char** argv);

}  // namespace tarn
