#pragma once
// A main window stand-in for the device side's tests: the containers the
// device pages need, built from layout text, on Qt's offscreen platform.
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>

#include <memory>
#include <string>

#include "app/pages/device_option_ui.h"
#include "app/pages/device_page_ui.h"
#include "app/pages/device_pages.h"
#include "app/pages/mp_device_power_ui.h"
#include "app/pages/register_controls.h"
#include "ui/container.h"
#include "ui/dialog_builder.h"
#include "ui/resource_manager.h"
#include "ui/window.h"

namespace tarn::test {

inline QApplication& App() {
  static int argc = 1;
  static char name[] = "app_pages_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    auto* made = new QApplication(argc, argv);
    // Each test may run in a process of its own: every one gets the skin and
    // the page controls, whichever test ran first.
    CResourceManager::Instance().SetResourcePath(std::string(TARN_SOURCE_DIR) + "/skin");
    RegisterDevicePageControls();
    return made;
  }();
  return *app;
}

template <class Fn>
bool WaitFor(Fn done, int timeoutMs = 5000) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

inline void Pump(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

constexpr const char* kTestWindowLayout = R"(<Window size="800,572">
  <VerticalLayout name="root">
    <HorizontalLayout height="80">
      <Button name="device_select_prev" width="20"/>
      <HorizontalLayout name="device_select_layout"/>
      <Button name="device_select_next" width="20"/>
    </HorizontalLayout>
    <TabLayout name="device_power_switch" height="30"/>
    <TabLayout name="device_switch"/>
    <VerticalLayout name="No_device_Link"><Label name="no_device_text" text="no_device_text"/></VerticalLayout>
  </VerticalLayout>
</Window>)";

// A window that hands its notifications to the device pages, as the main
// window does.
class CTestMainWnd : public CWindowUI {
 public:
  void Notify(TNotifyUI& msg) override {
    if (pages) pages->HandleNotify(msg);
  }
  CDevicePages* pages = nullptr;
};

struct PagesWindow {
  PagesWindow() {
    App();
    CResourceManager::Instance().SetResourcePath(std::string(TARN_SOURCE_DIR) + "/skin");
    window = std::make_unique<CTestMainWnd>();
    window->Create(nullptr, "pages test");
    window->SetRoot(CDialogBuilder().CreateFromText(kTestWindowLayout, window.get(), window.get()));
    pages = std::make_unique<CDevicePages>(*window);
    window->pages = pages.get();
    pages->SetActivationCallback([this] { ++activations; });
  }
  ~PagesWindow() {
    window->pages = nullptr;
    pages.reset();
    window.reset();
  }
  CTabLayoutUI* Tab(const char* name) const { return dynamic_cast<CTabLayoutUI*>(window->FindControl(name)); }
  CControlUI* Find(const char* name) const { return window->FindControl(name); }
  bool NoDeviceShown() const { return !Find("No_device_Link")->GetWidget()->isHidden(); }

  std::unique_ptr<CTestMainWnd> window;
  std::unique_ptr<CDevicePages> pages;
  int activations = 0;
};

}  // namespace tarn::test
