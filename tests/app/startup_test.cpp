// Start-up: the single instance, the private fonts, the main window and the
// display check, with the real program where another process is involved.
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/app_messages.h"
#include "app/display_check.h"
#include "app/main_wnd.h"
#include "app/private_font.h"
#include "app/startup.h"
#include "platform/debug_output.h"
#include "platform/instance_lock.h"
#include "platform/message_bus.h"
#include "platform/paths.h"
#include "ui/dialog_builder.h"
#include "tests/ui/ui_test_support.h"

#ifndef TARN_BINARY
#error "TARN_BINARY must name the program"
#endif

namespace tarn {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Sets an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : m_name(name) {
    const char* old = std::getenv(name);
    if (old != nullptr) m_old = old;
    m_had = old != nullptr;
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (m_had) {
      setenv(m_name.c_str(), m_old.c_str(), 1);
    } else {
      unsetenv(m_name.c_str());
    }
  }

 private:
  std::string m_name, m_old;
  bool m_had = false;
};

// A program folder holding the real skin and, optionally, fonts.
std::string MakeProgramFolder(const std::string& folder) {
  fs::create_directories(folder);
  fs::create_symlink(std::string(TARN_SOURCE_DIR) + "/skin", folder + "/skin");
  return folder;
}

QProcess* StartTarn(QObject* parent, bool debug) {
  auto* process = new QProcess(parent);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  if (debug) {
    env.insert("TARN_DEBUG", "1");
  } else {
    env.remove("TARN_DEBUG");
  }
  process->setProcessEnvironment(env);
  process->start(TARN_BINARY, {});
  return process;
}

TEST(Startup, SecondStartActivatesTheFirstAndEndsWithoutWindow) {
  test::App();
  CStartup startup;
  ASSERT_EQ(startup.Start(), CStartup::Result::Run);
  CMainWnd* wnd = startup.GetMainWnd();
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(wnd->windowTitle(), "Tarn");
  EXPECT_EQ(wnd->size(), QSize(800, 572));
  ASSERT_TRUE(startup.BusRunning());
  wnd->hide();

  std::vector<std::string> lines;
  SetDebugSink([&lines](const std::string& line) { lines.push_back(line); });
  QObject owner;
  QProcess* second = StartTarn(&owner, true);
  ASSERT_TRUE(second->waitForFinished(10000));
  EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second->exitCode(), 0);
  std::string err = second->readAllStandardError().toStdString();
  EXPECT_EQ(err.find("InitWindow"), std::string::npos) << err;  // it built no window
  EXPECT_NE(err.find("软件标示："), std::string::npos) << err;

  EXPECT_TRUE(test::WaitFor([wnd] { return wnd->isVisible(); }, 5000));
  SetDebugSink({});
  std::string expected = "软件标示 " + std::to_string(AppMessages().activation) + "，0d1d";
  EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end());
  startup.Shutdown();

  // The lock is free again once the first has shut down.
  CInstanceLock lock;
  EXPECT_TRUE(lock.TryAcquire("Tarn"));
}

TEST(Startup, TwoProgramsOneWindowAndOrderlyEndOnSignal) {
  test::App();
  QObject owner;
  QProcess* first = StartTarn(&owner, true);
  ASSERT_TRUE(first->waitForStarted(5000));
  std::string firstErr;
  auto readFirst = [&]() {
    firstErr += first->readAllStandardError().toStdString();
    return firstErr;
  };
  ASSERT_TRUE(test::WaitFor([&] { return readFirst().find("Notify windowinit") != std::string::npos; }, 10000))
      << firstErr;

  QProcess* second = StartTarn(&owner, false);
  ASSERT_TRUE(second->waitForFinished(10000));
  EXPECT_EQ(second->exitCode(), 0);
  EXPECT_EQ(second->readAllStandardError().toStdString(), "");
  EXPECT_TRUE(test::WaitFor([&] { return readFirst().find("软件标示 ") != std::string::npos; }, 5000)) << firstErr;
  EXPECT_EQ(first->state(), QProcess::Running);

  first->terminate();
  ASSERT_TRUE(first->waitForFinished(10000));
  EXPECT_EQ(first->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(first->exitCode(), 0);
  CInstanceLock lock;
  EXPECT_TRUE(lock.TryAcquire("Tarn"));
}

TEST(Startup, PrivateFontsLoadWhatIsThereAndSkipTheRest) {
  test::App();
  std::string base = test::ScratchFolder("fonts");
  std::string longFolder = base + "long";
  while (longFolder.size() < 600) longFolder += "/a_rather_long_folder_name_for_fonts";
  struct Case {
    std::string folder;
    std::vector<std::pair<std::string, std::string>> fonts;  // file in Font/, source ("" = garbage)
    int loaded;
  } cases[] = {
      {base + "none", {}, 0},
      {base + "some", {{"Simplified_Chinese.ttf", kDejaVu}, {"Zozirivu-Regular.otf", ""}}, 1},
      {base + "all",
       {{"Simplified_Chinese.ttf", kDejaVu},
        {"Zozirivu-Regular.otf", kDejaVu},
        {"NotoSansThai-Regular.ttf", kDejaVu},
        {"NotoSansCJKtc-Regular.otf", kDejaVu}},
       4},
      {longFolder, {{"NotoSansCJKtc-Regular.otf", kDejaVu}}, 1},
  };
  if (!fs::exists(kDejaVu)) GTEST_SKIP() << "no DejaVu font on this machine";
  for (const auto& c : cases) {
    MakeProgramFolder(c.folder);
    for (const auto& [file, source] : c.fonts) {
      fs::create_directories(c.folder + "/Font");
      if (source.empty()) {
        test::WriteFile(c.folder + "/Font/" + file, "not a font at all");
      } else {
        fs::copy_file(source, c.folder + "/Font/" + file);
      }
    }
    ScopedEnv dataDir("TARN_DATA_DIR", c.folder.c_str());
    CStartup startup;
    ASSERT_EQ(startup.Start(), CStartup::Result::Run) << c.folder;
    EXPECT_EQ(startup.LoadedFontCount(), c.loaded) << c.folder;
    EXPECT_NE(startup.GetMainWnd()->FindControl("closebtn"), nullptr) << c.folder;
    startup.Shutdown();
    EXPECT_EQ(startup.LoadedFontCount(), 0);
  }

  ScopedEnv dataDir("TARN_DATA_DIR", (base + "all").c_str());
  CPrivateFont font;
  ASSERT_TRUE(font.LoadPrivateFont("Font\\Simplified_Chinese.ttf"));
  EXPECT_EQ(font.GetFamily(), "DejaVu Sans");
  font.UnloadPrivateFont();
  EXPECT_FALSE(font.IsLoaded());
  EXPECT_FALSE(font.LoadPrivateFont("Font\\missing.ttf"));
}

TEST(Startup, MissingSkinStillBringsUpTheWindow) {
  test::App();
  std::string folder = test::ScratchFolder("no_skin");
  ScopedEnv dataDir("TARN_DATA_DIR", folder.c_str());
  CStartup startup;
  ASSERT_EQ(startup.Start(), CStartup::Result::Run);
  CMainWnd* wnd = startup.GetMainWnd();
  ASSERT_NE(wnd, nullptr);
  EXPECT_TRUE(wnd->isVisible());
  EXPECT_EQ(wnd->size(), QSize(800, 572));
  EXPECT_EQ(wnd->FindControl("closebtn"), nullptr);  // no layout: nothing to find, nothing done
  ASSERT_TRUE(wnd->HandleMessage(AppMessages().activation, 0, 1));
  // The own control classes are there for layouts by their short names.
  for (const char* type : {"CircleProgress", "ChartView", "Wnd", "SelectPanel", "DeviceKeyButton", "DeviceOption",
                           "MpDevicePower", "HandImgButton", "HandImgSelectButton", "RedioMacroButton",
                           "AudioRecord"}) {
    CControlUI* control = CControlFactory::Instance().CreateControl(type);
    EXPECT_NE(control, nullptr) << type;
    delete control;
  }
  startup.Shutdown();
}

// The main window with a tray that can be switched on and off.
class CTestMainWnd : public CMainWnd {
 public:
  bool TrayAvailable() const override { return tray; }
  void RightClickTray() { OnTrayEvent(CTrayIcon::kRightClick); }
  void LeftClickTray() { OnTrayEvent(CTrayIcon::kLeftClick); }
  bool tray = true;
};

class MainWndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CResourceManager::Instance().SetResourcePath(std::string(TARN_SOURCE_DIR) + "/skin/");
    ASSERT_TRUE(CResourceManager::Instance().LoadResource("res.xml"));
    RegisterToolMessages();
    AppMessages().activation = CMessageRegistry::Instance().RegisterMessage(kActivationMessageName);
    wnd.Create(nullptr, "Tarn", CWindowUI::kStyleFrameless);
    wnd.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wnd));
  }
  void TearDown() override { CResourceManager::Instance().Release(); }
  void Click(const char* name) {
    CControlUI* control = wnd.FindControl(name);
    ASSERT_NE(control, nullptr) << name;
    QWidget* widget = control->GetWidget();
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
  }
  QApplication& app = test::App();  // before the window
  CTestMainWnd wnd;
};

TEST_F(MainWndTest, LayoutHoldsTheTitleButtonsAndTexts) {
  EXPECT_EQ(wnd.GetBuildError(), "");
  EXPECT_EQ(wnd.size(), QSize(800, 572));
  for (const char* name : {"closebtn", "maxbtn", "restorebtn", "minbtn", "skinbtn", "gamemodebtn", "cloudbtn",
                           "smarteyesbtn", "setbtn", "root", "str_test", "No_device_Link"}) {
    EXPECT_NE(wnd.FindControl(name), nullptr) << name;
  }
  // Texts come from the language file: the hidden label translates ids.
  CControlUI* probe = wnd.FindControl("str_test");
  probe->SetText("menu_exit");
  EXPECT_EQ(probe->GetText(), "退出");
  EXPECT_TRUE(wnd.IsTrayIconCreated());
}

TEST_F(MainWndTest, TitleButtonsAndActivation) {
  Click("minbtn");
  EXPECT_TRUE(wnd.isMinimized());
  ASSERT_TRUE(wnd.HandleMessage(AppMessages().activation, 0, 1));
  EXPECT_FALSE(wnd.isMinimized());
  EXPECT_TRUE(wnd.isVisible());

  Click("closebtn");  // with a tray: hidden, still there
  EXPECT_FALSE(wnd.isVisible());
  EXPECT_TRUE(wnd.IsTrayIconCreated());
  wnd.LeftClickTray();
  EXPECT_TRUE(wnd.isVisible());
  EXPECT_TRUE(wnd.FindControl("No_device_Link")->IsVisible());
  wnd.LeftClickTray();
  EXPECT_FALSE(wnd.isVisible());
  ASSERT_TRUE(wnd.HandleMessage(AppMessages().activation, 0, 1));
  EXPECT_TRUE(wnd.isVisible());
  EXPECT_FALSE(wnd.HandleMessage(AppMessages().tool18 + 1000, 0, 0));

  // The window manager's close does the same as closebtn.
  wnd.close();
  EXPECT_FALSE(wnd.isVisible());
  EXPECT_TRUE(wnd.IsTrayIconCreated());

  // Without a tray nothing could bring a hidden window back: closebtn
  // minimises, and the window manager's close ends the program.
  wnd.HandleMessage(AppMessages().activation, 0, 1);
  wnd.tray = false;
  Click("closebtn");
  EXPECT_TRUE(wnd.isMinimized());
  EXPECT_TRUE(wnd.IsTrayIconCreated());
  wnd.close();
  EXPECT_FALSE(wnd.isVisible());
  EXPECT_FALSE(wnd.IsTrayIconCreated());
}

TEST_F(MainWndTest, TrayMenuExitEndsTheProgram) {
  wnd.RightClickTray();
  ASSERT_TRUE(test::WaitFor([this] { return wnd.GetMenu() != nullptr; }));
  CMenuWnd* menu = wnd.GetMenu();
  for (const char* item : {"about_menu", "setwnd_menu", "exit"}) EXPECT_NE(menu->FindControl(item), nullptr) << item;
  QWidget* exit = menu->FindControl("exit")->GetWidget();
  QTest::mouseClick(exit, Qt::LeftButton, {}, exit->rect().center());
  ASSERT_TRUE(test::WaitFor([this] { return !wnd.IsTrayIconCreated(); }));
  EXPECT_FALSE(wnd.isVisible());
}

TEST(DisplayCheck, SaysWhyNoWindowCanBeShown) {
  struct Case {
    const char* platform;
    const char* display;
    const char* wayland;
    bool ok;
    const char* reasonPart;
  } cases[] = {
      {"offscreen", nullptr, nullptr, true, ""},
      {nullptr, nullptr, nullptr, false, "DISPLAY"},
      {nullptr, "", nullptr, false, "DISPLAY"},
      {nullptr, ":4711", nullptr, false, ":4711"},
      {"xcb", nullptr, nullptr, false, "DISPLAY"},
      {"wayland", nullptr, nullptr, false, "WAYLAND_DISPLAY"},
      {"wayland", nullptr, "wayland-9", true, ""},
      {"wayland;xcb", nullptr, nullptr, false, "DISPLAY"},
      {"wayland;xcb", nullptr, "wayland-9", true, ""},
      {"xcb:foo=1", ":4712", nullptr, false, ":4712"},
      {"vnc", nullptr, nullptr, true, ""},
  };
  for (const auto& c : cases) {
    ScopedEnv platform("QT_QPA_PLATFORM", c.platform);
    ScopedEnv display("DISPLAY", c.display);
    ScopedEnv wayland("WAYLAND_DISPLAY", c.wayland);
    std::string reason;
    EXPECT_EQ(DisplayAvailable(reason), c.ok) << (c.platform ? c.platform : "-") << " " << (c.display ? c.display : "-");
    EXPECT_NE(reason.find(c.reasonPart), std::string::npos) << reason;
  }

  // The program itself: one clear line, exit code 0, no crash.
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove("QT_QPA_PLATFORM");
  env.remove("DISPLAY");
  env.remove("WAYLAND_DISPLAY");
  process.setProcessEnvironment(env);
  process.start(TARN_BINARY, {});
  ASSERT_TRUE(process.waitForFinished(10000));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 0);
  std::string err = process.readAllStandardError().toStdString();
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_NE(err.find("display"), std::string::npos) << err;
}

}  // namespace
}  // namespace tarn
