// The device base object with its links and threads on the emulated keyboard.
#include "device/vantor_usb_device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <tuple>

#include "device/hid_path.h"
#include "emulator/virtual_keyboard.h"
#include "platform/debug_output.h"

namespace tarn {
namespace {

using emu::CKeyboardFirmware;
using emu::CVirtualBus;
using emu::CVirtualKeyboard;
using emu::KeyboardLink;

// Stands where the application's page and selector entry stand.
class RecordingPage : public IDevicePageHost {
 public:
  std::vector<int> KeyButtonIndices() override { return keys; }
  std::vector<int> LightButtonIndices() override { return lights; }
  bool IsLightButtonShown(int index) override { return hidden.count(index) == 0; }
  void PaintLightButton(int index, uint32_t rgb, uint8_t brightness) override {
    painted[index] = {rgb, brightness};
  }
  bool HasSwitch(const std::string& name) override { return true; }
  void SelectSwitchPage(const std::string& name, int page) override { pages.emplace_back(name, page); }
  void ShowAudioLightSetting(const AudioLightSetting& s) override { audio = s; }
  AudioLightSetting ReadAudioLightSetting() override { return audio; }
  void StartEntryTimer(int timerId, int intervalMs) override {
    std::lock_guard<std::mutex> lock(mutex);
    timers.emplace_back(timerId, intervalMs);
    cv.notify_all();
  }
  void PostToMainWindow(uint32_t, uintptr_t, intptr_t) override {}

  std::vector<int> keys, lights;
  std::set<int> hidden;
  std::map<int, std::pair<uint32_t, uint8_t>> painted;
  std::vector<std::pair<std::string, int>> pages;
  AudioLightSetting audio;
  std::mutex mutex;
  std::condition_variable cv;
  std::vector<std::pair<int, int>> timers;
};

class TestDevice : public CVantorUSBDevice {
 public:
  ~TestDevice() override {
    StopLightThread();
    CloseNotificationLink(false);
    CloseNotificationLink(true);
  }
  void OnNotification(uint16_t code) override {
    std::lock_guard<std::mutex> lock(mutex);
    codes.push_back(code);
    cv.notify_all();
  }
  void LightThreadStep() override { ++steps; }
  bool WaitForCodes(size_t count) {
    std::unique_lock<std::mutex> lock(mutex);
    return cv.wait_for(lock, std::chrono::seconds(5), [&] { return codes.size() >= count; });
  }
  std::mutex mutex;
  std::condition_variable cv;
  std::vector<uint16_t> codes;
  std::atomic<int> steps{0};
};

class DeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDebugSink([this](const std::string& line) {
      std::lock_guard<std::mutex> lock(m_linesMutex);
      m_lines.push_back(line);
    });
    m_device.SetPageHost(&m_page);
    m_device.m_nCategory = 1;
  }
  void TearDown() override { SetDebugSink(nullptr); }
  std::string Path(KeyboardLink link, int collection) {
    const bool receiver = link == KeyboardLink::Receiver;
    if (m_nodes[receiver].empty()) m_nodes[receiver] = m_keyboard.Plug(m_bus, link, receiver ? "rx" : "cable");
    return MakeHidInterfacePath(0x320F, receiver ? 0x5088 : 0x5055, 1, collection, m_nodes[receiver]);
  }
  size_t CountLines(const std::string& text) {
    std::lock_guard<std::mutex> lock(m_linesMutex);
    return static_cast<size_t>(std::count(m_lines.begin(), m_lines.end(), text));
  }

  CVirtualBus m_bus;
  CVirtualKeyboard m_keyboard;
  std::string m_nodes[2];
  RecordingPage m_page;
  TestDevice m_device;
  std::mutex m_linesMutex;
  std::vector<std::string> m_lines;
};

TEST_F(DeviceTest, NotificationDuringACommandReachesTheThreadAndTheReplyTheCommand) {
  for (KeyboardLink link : {KeyboardLink::Cable, KeyboardLink::Receiver}) {
    const bool receiver = link == KeyboardLink::Receiver;
    SCOPED_TRACE(receiver);
    ASSERT_TRUE(m_device.OpenCommandLink(receiver, Path(link, 4)));
    ASSERT_TRUE(m_device.OpenNotificationLink(receiver, Path(link, 3)));
    EXPECT_TRUE(m_device.IsNotificationLinkOpen(receiver));
    m_device.codes.clear();

    m_keyboard.Node(link)->InjectBeforeReply(
        [&] {
          std::vector<uint8_t> report;
          m_keyboard.WithFirmware([&](CKeyboardFirmware& f) { report = f.MakeNotificationReport(0x1005); });
          return report;
        }());
    uint8_t reply[64] = {};
    EXPECT_EQ(m_device.m_cmdChannel.Command(0x1A, nullptr, 6, 0, reply), 1);
    EXPECT_EQ(reply[3], 0x1A);
    ASSERT_TRUE(m_device.WaitForCodes(1));
    EXPECT_EQ(m_device.codes, std::vector<uint16_t>{0x1005});
  }
  EXPECT_EQ(CountLines("接收到自动添加设备的同步信息要求  TEST"), 2u);
}

TEST_F(DeviceTest, SyncRequestsStartTheEntryTimerAndOtherCodesGoToTheHandler) {
  ASSERT_TRUE(m_device.OpenNotificationLink(false, Path(KeyboardLink::Cable, 3)));
  for (uint16_t code : {0x0401, 0x1102, 0x0402, 0x0404}) m_keyboard.Notify(KeyboardLink::Cable, code);
  ASSERT_TRUE(m_device.WaitForCodes(2));
  {
    std::unique_lock<std::mutex> lock(m_page.mutex);
    ASSERT_TRUE(m_page.cv.wait_for(lock, std::chrono::seconds(5), [&] { return m_page.timers.size() >= 2; }));
    EXPECT_EQ(m_page.timers, (std::vector<std::pair<int, int>>{{1002, 50}, {1002, 50}}));
  }
  EXPECT_EQ(m_device.codes, (std::vector<uint16_t>{0x1102, 0x0404}));
  EXPECT_EQ(m_device.LastSyncCode(), 0x0402);
  EXPECT_EQ(CountLines("接收到自动添加设备的同步信息要求"), 2u);
  EXPECT_EQ(CountLines("接收到自动添加设备的同步信息要求  TEST"), 4u);
}

TEST_F(DeviceTest, ClosingANotificationLinkEndsItsBlockedThread) {
  ASSERT_TRUE(m_device.OpenNotificationLink(false, Path(KeyboardLink::Cable, 3)));
  ASSERT_TRUE(m_device.OpenNotificationLink(true, Path(KeyboardLink::Receiver, 3)));
  std::this_thread::sleep_for(std::chrono::milliseconds(30));  // both threads sit in their reads
  m_device.CloseNotificationLink(false);
  m_device.CloseNotificationLink(true);
  EXPECT_FALSE(m_device.IsNotificationLinkOpen(false));
  EXPECT_FALSE(m_device.IsNotificationLinkOpen(true));
  EXPECT_EQ(CountLines("MS 设备同步线程设定退出"), 2u);
  EXPECT_EQ(CountLines("线程退出：：对象处于激发状态"), 2u);
  EXPECT_EQ(CountLines("线程退出：：对象处于非激发状态，超时"), 0u);

  // A keyboard unplugged under a reading thread does not hang it either.
  ASSERT_TRUE(m_device.OpenNotificationLink(false, Path(KeyboardLink::Cable, 3)));
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  m_keyboard.Unplug(KeyboardLink::Cable);
  m_device.CloseNotificationLink(false);
  EXPECT_EQ(CountLines("线程退出：：对象处于激发状态"), 3u);
}

TEST_F(DeviceTest, LightThreadStepsOnlyWhileOpenAndNotSynchronised) {
  m_device.StartLightThread();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(m_device.steps.load(), 0);  // command channel not open
  ASSERT_TRUE(m_device.OpenCommandLink(false, Path(KeyboardLink::Cable, 4)));
  auto waitSteps = [&](int atLeast) {
    for (int i = 0; i < 5000 && m_device.steps < atLeast; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return m_device.steps.load() >= atLeast;
  };
  EXPECT_TRUE(waitSteps(3));
  m_device.m_cmdChannel.m_bSyncLight = 1;
  std::this_thread::sleep_for(std::chrono::milliseconds(10));
  int frozen = m_device.steps;
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(m_device.steps.load(), frozen);
  m_device.m_cmdChannel.m_bSyncLight = 0;
  EXPECT_TRUE(waitSteps(frozen + 3));
  m_device.StopLightThread();
  EXPECT_EQ(CountLines("KB灯光线程设定退出"), 1u);

  m_device.m_nCategory = 2;
  m_device.StartLightThread();
  m_device.StopLightThread();
  EXPECT_EQ(CountLines("MS灯光线程设定退出"), 1u);
}

TEST_F(DeviceTest, ControlLightTellsAKeyboardWhenSwitchedOn) {
  ASSERT_TRUE(m_device.OpenCommandLink(false, Path(KeyboardLink::Cable, 4)));
  auto requests = [&] {
    uint64_t count = 0;
    m_keyboard.WithFirmware([&](CKeyboardFirmware& f) { count = f.HostLightRequestCount(); });
    return count;
  };
  m_device.SetControlLight(true);
  EXPECT_TRUE(m_device.m_bControlLight);
  EXPECT_EQ(requests(), 1u);
  m_device.SetControlLight(false);
  EXPECT_FALSE(m_device.m_bControlLight);
  EXPECT_EQ(requests(), 1u);
  m_device.SetControlLight(true);
  EXPECT_EQ(requests(), 2u);
  m_device.m_nCategory = 2;  // a mouse does not get the keyboard's command
  m_device.SetControlLight(true);
  EXPECT_EQ(requests(), 2u);
}

TEST_F(DeviceTest, LedEntriesAndTheirButtons) {
  m_device.SetKeyCount(4);
  m_device.SetLedCount(3);
  m_page.keys = {0, 3, 4, -1};
  m_page.lights = {0, 2, 9};
  m_device.InitDevice();
  EXPECT_EQ(m_device.m_keyButtons, (std::vector<bool>{true, false, false, true}));
  EXPECT_EQ(m_device.m_lightButtons, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(m_page.painted.size(), 2u);
  EXPECT_EQ(m_page.painted[2], std::make_pair(0xFFFFFFu, uint8_t{255}));

  m_device.SetLedColor(0, MakeLedEntry(0x12, 0x34, 0x56, 3));
  m_device.SetLedColor(2, MakeLedEntry(1, 2, 3, 4));
  m_device.SetLedColor(3, 0xFFFFFFFF);  // out of range: ignored
  m_device.SetLedColor(-1, 0xFFFFFFFF);
  EXPECT_EQ(m_device.GetLedColor(0), MakeLedEntry(0x12, 0x34, 0x56, 3));
  EXPECT_EQ(m_device.GetLedColor(3), 0u);
  EXPECT_EQ(m_device.GetLedColor(-5), 0u);

  m_page.painted.clear();
  m_device.RefreshLights();  // the application does not drive the lights yet
  EXPECT_TRUE(m_page.painted.empty());
  m_device.m_bControlLight = true;
  m_page.hidden = {2};
  m_device.RefreshLights();
  ASSERT_EQ(m_page.painted.size(), 1u);
  EXPECT_EQ(m_page.painted[0], std::make_pair(0x123456u, uint8_t{3}));

  m_device.StepLightsOff();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(m_device.GetLedColor(i), 0u);
}

TEST_F(DeviceTest, FunctionPagesSelectTheirSwitchPages) {
  using Pages = std::vector<std::pair<std::string, int>>;
  const std::string f = "device_function_switch", k = "device_key_function_switch";
  struct Case {
    int page, category;
    Pages expected;
  } cases[] = {
      {2, 1, {{f, 0}, {k, 1}}}, {6, 1, {{f, 0}, {k, 1}}}, {3, 1, {{f, 1}}},          {8, 1, {{f, 1}}},
      {4, 1, {{f, 3}}},         {4, 2, {{f, 3}}},         {4, 7, {{f, 0}, {k, 2}}}, {7, 1, {{f, 0}, {k, 2}}},
      {5, 1, {{f, 2}}},         {1, 1, {{f, 0}, {k, 0}}}, {0, 1, {{f, 0}, {k, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page);
    m_page.pages.clear();
    m_device.m_nCategory = c.category;
    m_device.SetFunctionPage(c.page);
    EXPECT_EQ(m_page.pages, c.expected);
    EXPECT_EQ(m_device.GetFunctionPage(), c.page);
  }
}

TEST_F(DeviceTest, StoredStates) {
  EXPECT_EQ(m_device.GetFunctionPage(), 1);
  m_device.SetLightState(0x04030201, 0x08070605, 0x0C0B0A09, 0x0E0D);
  for (int i = 0; i < 14; ++i) EXPECT_EQ(m_device.m_lightState[static_cast<size_t>(i)], i + 1);
  m_device.SetAudioLightState(3, 0xFF0000, 0x00FF00);
  EXPECT_EQ(m_page.audio.mode, 3);
  m_page.audio.foreColor = 0x0000FF;  // the user changed it on the panel
  EXPECT_EQ(m_device.GetAudioLightState().foreColor, 0x0000FFu);
  m_device.SetDeviceIndex(2);
  EXPECT_EQ(m_device.GetDeviceIndex(), 2);
  m_device.SelectKey(17);
  EXPECT_EQ(m_device.m_nSelectedKey.load(), 17);
  m_device.SetLedMap({5, 6, 7});
  EXPECT_EQ(m_device.m_ledMap, (std::vector<uint8_t>{5, 6, 7}));
  EXPECT_TRUE(m_device.IsLinkAlive());
}

}  // namespace
}  // namespace tarn
