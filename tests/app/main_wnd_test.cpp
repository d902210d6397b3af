// The main window on the real skin with the emulated keyboard on a virtual
// bus: notifications routed by name to the keyboard, messages from the bus,
// suspend and resume from a login manager on a private D-Bus, and the end.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_messages.h"
#include "app/control_classes.h"
#include "app/desktop_settings.h"
#include "app/keyboard_page/device_profile_ui.h"
#include "app/keyboard_page/keyboard_page_ui.h"
#include "app/main_wnd.h"
#include "app/message_box.h"
#include "app/pages/device_pages.h"
#include "app/startup.h"
#include "app/window_fit.h"
#include "app/work_tool_block.h"
#include "emulator/virtual_bus.h"
#include "emulator/virtual_keyboard.h"
#include "platform/bus_message.h"
#include "platform/debug_output.h"
#include "platform/message_bus.h"
#include "tests/ui/ui_test_support.h"
#include "ui/basic_controls.h"

namespace tarn {
namespace {

using emu::KeyboardLink;
namespace fs = std::filesystem;

// The main window as if the desktop had a tray.
class CTrayMainWnd : public CMainWnd {
 public:
  bool TrayAvailable() const override { return true; }
};

class MainWndFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    test::App();
    // An earlier test's "exit" asked a loop that was not running to quit;
    // that request would end this test's modal loops at once. A loop of the
    // application's own takes it and clears it.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    CResourceManager::Instance().SetResourcePath(std::string(TARN_SOURCE_DIR) + "/skin/");
    ASSERT_TRUE(CResourceManager::Instance().LoadResource("res.xml"));
    RegisterControlClasses();
    RegisterToolMessages();
    AppMessages().activation = CMessageRegistry::Instance().RegisterMessage(kActivationMessageName);
    keyboard.Plug(bus, KeyboardLink::Cable, "kb-cable");
    wnd = std::make_unique<CTrayMainWnd>();
    wnd->Create(nullptr, "Tarn", CWindowUI::kStyleFrameless);
    wnd->show();
    ASSERT_TRUE(test::WaitFor([this] { return wnd->Pages() != nullptr && wnd->CurrentKeyboardPage() != nullptr; },
                              8000));
    ASSERT_TRUE(test::WaitFor([this] { return wnd->isVisible(); }, 3000));
    // The heartbeat reads the keyboard before the settings go out.
    ASSERT_TRUE(test::WaitFor([this] { return Keyboard()->IsLightThreadRunning(); }, 8000));
  }
  void TearDown() override {
    wnd.reset();
    CResourceManager::Instance().Release();
  }
  keyboard::CVantorKeyboardDevice* Keyboard() const { return wnd->CurrentKeyboardPage()->Keyboard(); }
  uint8_t SettingsByte(size_t byte) {
    uint8_t value = 0;
    keyboard.WithFirmware([&](emu::CKeyboardFirmware& f) { value = f.SettingsBlock(f.ActiveBlock())[byte]; });
    return value;
  }
  size_t CommandCount() {
    size_t count = 0;
    keyboard.WithFirmware([&](emu::CKeyboardFirmware& f) { count = f.CommandLog().size(); });
    return count;
  }
  void ClearLog() {
    keyboard.WithFirmware([](emu::CKeyboardFirmware& f) { f.ClearCommandLog(); });
  }
  // A notification through the window's dispatch, from any sender.
  void Send(CControlUI* sender, const char* type, int64_t wParam = 0) {
    TNotifyUI msg{type, sender, wParam, 0};
    wnd->DispatchNotify(msg);
  }

  emu::CVirtualBus bus;
  emu::CVirtualKeyboard keyboard;
  std::unique_ptr<CMainWnd> wnd;
};

constexpr size_t kPollingByte = 22;

TEST_F(MainWndFixture, NotificationsReachTheKeyboardByNameAndNumber) {
  CKeyboardPageUI* page = wnd->CurrentKeyboardPage();
  // A sender outside the layout, for names the layout does not have.
  auto stray = [](const std::string& name) {
    auto control = std::make_unique<COptionUI>();
    control->SetName(name);
    return control;
  };
  struct Case {
    const char* type;
    std::string name;
    bool fromLayout;
    int pollingAfter;  // the settings byte afterwards; -1: no command at all
  } cases[] = {
      {"selectchanged", "polling_rate_option_3", true, 3},
      {"selectchanged", "polling_rate_option_1", true, 1},
      {"selectchanged", "POLLING_RATE_OPTION_2", false, 2},  // case is ignored
      {"selectchanged", "polling_rate_option_9", false, -1},  // out of the option range
      {"selectchanged", "polling_rate_option_" + std::string(30, '7'), false, -1},
      {"click", "polling_rate_option_3", true, -1},  // the row is for "selectchanged"
      {"selectchanged", "xpolling_rate_option_3", false, -1},  // the prefix matches exactly
  };
  for (const Case& c : cases) {
    ClearLog();
    std::unique_ptr<COptionUI> own;
    CControlUI* sender = c.fromLayout ? page->FindSubControl(c.name) : nullptr;
    if (!c.fromLayout) {
      own = stray(c.name);
      sender = own.get();
    }
    ASSERT_NE(sender, nullptr) << c.name;
    Send(sender, c.type, 1);
    if (c.pollingAfter < 0) {
      EXPECT_EQ(CommandCount(), 0u) << c.type << " " << c.name;
    } else {
      EXPECT_GT(CommandCount(), 0u) << c.name;
      EXPECT_EQ(SettingsByte(kPollingByte), c.pollingAfter) << c.name;
    }
  }

  // "profile_fun_spread_btn" is compared with regard to case.
  CDeviceProfileUI* bar = page->ProfileBar();
  ASSERT_NE(bar, nullptr);
  bool shown = bar->IsProfileMenuVisible();
  auto wrongCase = stray("Profile_Fun_Spread_Btn");
  Send(wrongCase.get(), "click");
  EXPECT_EQ(bar->IsProfileMenuVisible(), shown);
  Send(page->FindSubControl("profile_fun_spread_btn"), "click");
  EXPECT_NE(bar->IsProfileMenuVisible(), shown);
}

TEST_F(MainWndFixture, WithoutCurrentDeviceDeviceActionsDoNothing) {
  keyboard.Unplug(KeyboardLink::Cable);
  ASSERT_TRUE(test::WaitFor([this] { return wnd->CurrentDevice() == nullptr; }, 5000));
  auto option = std::make_unique<COptionUI>();
  option->SetName("polling_rate_option_2");
  Send(option.get(), "selectchanged", 1);
  auto reset = std::make_unique<CButtonUI>();
  reset->SetName("default_btn");
  Send(reset.get(), "click");  // no box: nothing to reset
  EXPECT_EQ(wnd->CurrentKeyboardPage(), nullptr);
  EXPECT_TRUE(wnd->FindControl("No_device_Link")->IsVisible());
}

// Answers the next message box with its button, noting the text shown.
void AnswerNextBox(const char* button, std::string* text) {
  // The pending timer holds the poll; the poll itself only a weak reference.
  auto poll = std::make_shared<std::function<void()>>();
  std::weak_ptr<std::function<void()>> self = poll;
  *poll = [button, text, self] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* box = dynamic_cast<CMsgWnd*>(widget); box != nullptr && box->isVisible()) {
        *text = box->FindControl("MessageText")->GetText();
        QTest::mouseClick(box->FindControl(button)->GetWidget(), Qt::LeftButton);
        return;
      }
    }
    if (auto again = self.lock()) QTimer::singleShot(5, [again] { (*again)(); });
  };
  QTimer::singleShot(5, [poll] { (*poll)(); });
}

TEST_F(MainWndFixture, DefaultsAfterTheUserConfirms) {
  CKeyboardPageUI* page = wnd->CurrentKeyboardPage();
  Send(page->FindSubControl("polling_rate_option_3"), "selectchanged", 1);
  ASSERT_EQ(SettingsByte(kPollingByte), 3);
  auto button = std::make_unique<CButtonUI>();
  button->SetName("default_btn");

  std::string text;
  ClearLog();
  AnswerNextBox("cancel_btn", &text);
  Send(button.get(), "click");
  EXPECT_EQ(text, wnd->Translate("message_text_22"));
  EXPECT_EQ(CommandCount(), 0u);
  EXPECT_EQ(SettingsByte(kPollingByte), 3);

  AnswerNextBox("confirm_btn", &text);
  Send(button.get(), "click");
  EXPECT_GT(CommandCount(), 0u);
  EXPECT_EQ(SettingsByte(kPollingByte), Keyboard()->Stages().PollingRate());
  EXPECT_NE(Keyboard()->Stages().PollingRate(), 3) << "the default profile should not poll at option 3";
}

TEST(WorkToolBlock, DeviceKindsAsGoldenBytes) {
  std::vector<uint8_t> block = BuildWorkToolBlock(DevicePageKinds());
  ASSERT_EQ(block.size(), 1024u);
  const std::vector<uint8_t> head = {
      2, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0,  // fixed values, row count
      0x0F, 0x32, 0, 0, 0x00, 0x00, 0, 0, 2, 0, 0, 0,              // mouse
      0x0F, 0x32, 0, 0, 0x55, 0x50, 0, 0, 1, 0, 0, 0,              // keyboard
      0x0F, 0x32, 0, 0, 0x00, 0x00, 0, 0, 3, 0, 0, 0,              // mouse pad
      0x76, 0x0C, 0, 0, 0x00, 0x00, 0, 0, 7, 0, 0, 0,              // headset
  };
  EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.begin() + head.size()), head);
  for (size_t i = head.size(); i < block.size(); ++i) ASSERT_EQ(block[i], 0) << i;
  // More rows than fit: the block keeps its size and counts what it holds.
  std::vector<DeviceKindRow> many(200, DeviceKindRow{1, 2, 3});
  block = BuildWorkToolBlock(many);
  EXPECT_EQ(block.size(), 1024u);
  EXPECT_EQ(block[16], 83);
}

TEST_F(MainWndFixture, BusMessagesAnswerAndSwitch) {
  CBusBridge bridge;
  std::string path = test::ScratchFolder("bus_main") + "tarn.bus";
  ASSERT_TRUE(bridge.Start(path, [this](uint32_t id, const BusMessage& message, int peer) {
    wnd->OnBusMessage(id, message, peer);
  }));
  wnd->SetMessageBus(&bridge.Server());
  CMessageBusClient tool;
  ASSERT_TRUE(tool.Connect(path, kWorkToolPeer));
  test::Pump(50);
  ASSERT_TRUE(tool.Send(BusMessage{kToolMessage18Name, 0, 0, {}}));
  BusMessage reply;
  bool got = false;
  for (int i = 0; i < 100 && !got; ++i) {
    test::Pump(10);
    got = tool.Receive(reply, 10);
  }
  ASSERT_TRUE(got);
  EXPECT_EQ(reply.name, kCopyDataMessageName);
  EXPECT_EQ(reply.lParam, kWorkToolDataId);
  EXPECT_EQ(reply.data, BuildWorkToolBlock(DevicePageKinds()));

  // Sound data arrives with its bytes; tool message 17 switches lighting control.
  ASSERT_TRUE(tool.Send(BusMessage{kCopyDataMessageName, 0, 1, {9, 8, 7}}));
  ASSERT_TRUE(tool.Send(BusMessage{kToolMessage17Name, 1, 0, {}}));
  ASSERT_TRUE(test::WaitFor([this] { return !wnd->GetControlLight(); }));
  EXPECT_EQ(wnd->LastSoundData(1), (std::vector<uint8_t>{9, 8, 7}));
  EXPECT_FALSE(Keyboard()->m_bControlLight);
  ASSERT_TRUE(tool.Send(BusMessage{kToolMessage17Name, 1, 1, {}}));
  ASSERT_TRUE(test::WaitFor([this] { return wnd->GetControlLight(); }));
  EXPECT_TRUE(Keyboard()->m_bControlLight);

  // At the end the audio capture program is told 2, 4 and 5.
  CMessageBusClient audio;
  ASSERT_TRUE(audio.Connect(path, kAudioRecordPeer));
  test::Pump(50);
  wnd->OnMenuCommand("exit");
  std::vector<int64_t> codes;
  for (int i = 0; i < 100 && codes.size() < 3; ++i) {
    BusMessage message;
    if (audio.Receive(message, 10) && message.name == kToolMessage19Name) codes.push_back(message.wParam);
  }
  EXPECT_EQ(codes, (std::vector<int64_t>{2, 4, 5}));
  wnd->SetMessageBus(nullptr);
  bridge.Stop();
}

TEST(DesktopSettings, FirstKnownProgramOnThePath) {
  std::string first = test::ScratchFolder("desktop_path_a");
  std::string second = test::ScratchFolder("desktop_path_b");
  auto program = [](const std::string& file) {
    test::WriteFile(file, "#!/bin/sh\n");
    fs::permissions(file, fs::perms::owner_all);
  };
  program(first + "xfce4-keyboard-settings");
  program(second + "gnome-control-center");
  program(second + "xfce4-mouse-settings");
  test::WriteFile(first + "kcmshell5", "not executable");
  struct Case {
    int page;
    std::string path;
    std::string found;  // "" = none
    std::string argument;
  } cases[] = {
      {0, first + ":" + second, second + "gnome-control-center", "keyboard"},  // table order wins
      {1, second, second + "gnome-control-center", "mouse"},
      {0, first, first + "xfce4-keyboard-settings", ""},
      {1, first, "", ""},  // kcmshell5 there is not a program
      {2, first + ":" + second, "", ""},
      {-1, second, "", ""},
      {0, "", "", ""},
  };
  for (const Case& c : cases) {
    DesktopCommand command;
    bool found = FindDesktopSettingsCommand(c.page, c.path, command);
    EXPECT_EQ(found, !c.found.empty()) << c.page << " " << c.path;
    if (!found) continue;
    EXPECT_EQ(command.program, c.found);
    EXPECT_EQ(command.arguments.empty() ? "" : command.arguments[0], c.argument);
  }
}

// A private message bus with a stand-in for logind.
class PrivateDBus {
 public:
  bool Start() {
    m_daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
    if (!m_daemon.waitForStarted(3000)) return false;
    if (!m_daemon.waitForReadyRead(3000)) return false;
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    return !m_address.isEmpty();
  }
  ~PrivateDBus() {
    QDBusConnection::disconnectFromBus("tarn-test-watch");
    QDBusConnection::disconnectFromBus("tarn-test-login");
    m_daemon.terminate();
    m_daemon.waitForFinished(3000);
  }
  QDBusConnection Watcher() { return QDBusConnection::connectToBus(m_address, "tarn-test-watch"); }
  QDBusConnection Login() { return QDBusConnection::connectToBus(m_address, "tarn-test-login"); }

 private:
  QProcess m_daemon;
  QString m_address;
};

void SendPrepareForSleep(QDBusConnection& login, bool sleeping) {
  QDBusMessage signal = QDBusMessage::createSignal("/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                                                   "PrepareForSleep");
  signal << sleeping;
  login.send(signal);
}

TEST_F(MainWndFixture, SuspendAndResumeFromLogindWithAReplugBetween) {
  PrivateDBus dbus;
  if (!dbus.Start()) GTEST_SKIP() << "dbus-daemon is not available (install the dbus package)";
  QDBusConnection login = dbus.Login();
  ASSERT_TRUE(login.isConnected());
  ASSERT_TRUE(login.registerService("org.freedesktop.login1"));
  QDBusConnection watch = dbus.Watcher();
  ASSERT_TRUE(wnd->WatchSleep(&watch));
  keyboard::CVantorKeyboardDevice* device = Keyboard();
  ASSERT_TRUE(device->m_bControlLight);

  SendPrepareForSleep(login, true);
  ASSERT_TRUE(test::WaitFor([this] { return !wnd->IsServing(); }));
  EXPECT_FALSE(device->m_bControlLight);
  // Unplugged and plugged again while asleep: discovery waits, so nothing is
  // handled until resume, and nothing it saw meanwhile is lost.
  uint64_t passes = wnd->Pages()->DiscoveryPasses();
  keyboard.Unplug(KeyboardLink::Cable);
  test::Pump(300);
  EXPECT_EQ(wnd->CurrentDevice(), device);
  keyboard.Plug(bus, KeyboardLink::Cable, "kb-cable");
  test::Pump(300);
  EXPECT_LE(wnd->Pages()->DiscoveryPasses(), passes + 1);  // at most the pass under way

  SendPrepareForSleep(login, false);
  ASSERT_TRUE(test::WaitFor([this] { return wnd->IsServing(); }));
  EXPECT_TRUE(device->m_bControlLight);
  // The replugged keyboard serves again.
  ASSERT_TRUE(test::WaitFor([this] { return wnd->CurrentKeyboardPage() != nullptr; }, 8000));
  ASSERT_TRUE(test::WaitFor([this] { return Keyboard()->m_cmdChannel.IsOpen(); }, 8000));
  ClearLog();
  auto option = std::make_unique<COptionUI>();
  option->SetName("polling_rate_option_2");
  ASSERT_TRUE(test::WaitFor(
      [&] {
        Send(option.get(), "selectchanged", 1);
        return SettingsByte(kPollingByte) == 2;
      },
      8000));
}

TEST_F(MainWndFixture, CloseHidesToTrayAndExitEndsTheLoop) {
  CControlUI* close = wnd->FindControl("closebtn");
  ASSERT_NE(close, nullptr);
  QTest::mouseClick(close->GetWidget(), Qt::LeftButton);
  EXPECT_FALSE(wnd->isVisible());
  EXPECT_TRUE(wnd->IsTrayIconCreated());
  wnd->OnTrayEvent(CTrayIcon::kLeftClick);
  EXPECT_TRUE(wnd->isVisible());

  std::vector<std::string> lines;
  SetDebugSink([&lines](const std::string& line) { lines.push_back(line); });
  QTimer::singleShot(50, wnd.get(), [this] { wnd->OnMenuCommand("exit"); });
  int code = CWindowUI::MessageLoop();
  SetDebugSink(nullptr);
  EXPECT_EQ(code, 0);
  EXPECT_FALSE(wnd->isVisible());
  EXPECT_FALSE(wnd->IsTrayIconCreated());
  EXPECT_EQ(wnd->Pages(), nullptr);  // discovery and device threads joined, devices closed
  auto has = [&lines](const std::string& text) {
    for (const std::string& line : lines)
      if (line.find(text) != std::string::npos) return true;
    return false;
  };
  EXPECT_TRUE(has("退出测试"));
  EXPECT_TRUE(has("所有对象处于激发状态"));
}

TEST(WindowFit, LargeMonitorsTake144) {
  struct Case {
    int width, height, dpi;
  } cases[] = {{1920, 1080, 144}, {1366, 768, 96}, {1501, 961, 144}, {1500, 1080, 96},
               {2560, 960, 96},   {1280, 1024, 96}, {3840, 2160, 144}, {0, 0, 96}};
  for (const Case& c : cases) EXPECT_EQ(FitDpiForMonitor(c.width, c.height), c.dpi) << c.width << "x" << c.height;
}

}  // namespace
}  // namespace tarn
