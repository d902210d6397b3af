// The keyboard's command protocol end to end: the real channel and transport
// against the virtual keyboard's firmware model.
#include "device/keyboard/keyboard_device.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "device/hid_path.h"
#include "emulator/keyboard_firmware_layout.h"
#include "emulator/virtual_keyboard.h"
#include "macro/macro_event.h"
#include "macro/macro_file.h"
#include "macro/macro_list.h"
#include "platform/settings_file.h"
#include "profile/data_folders.h"

namespace tarn::keyboard {
namespace {

using emu::CKeyboardFirmware;
using emu::CVirtualBus;
using emu::CVirtualKeyboard;
using emu::Fault;
using emu::KeyboardLink;

class KeyboardDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override { m_device.m_strProfileName = "profile1"; }
  void TearDown() override { m_device.CloseCommandLinks(); }

  void Open(KeyboardLink link) {
    const bool receiver = link == KeyboardLink::Receiver;
    std::string node = m_keyboard.Plug(m_bus, link, receiver ? "rx" : "cable");
    ASSERT_TRUE(m_device.OpenCommandLink(
        receiver, MakeHidInterfacePath(0x320F, receiver ? 0x5088 : 0x5055, 1, 4, node)));
  }
  template <typename F>
  auto Firmware(F use) {
    decltype(use(std::declval<CKeyboardFirmware&>())) result{};
    m_keyboard.WithFirmware([&](CKeyboardFirmware& f) { result = use(f); });
    return result;
  }
  // Commands the firmware answered since the last clear, consecutive repeats
  // (the packets of one block) folded into one.
  std::vector<uint8_t> Commands() {
    return Firmware([](CKeyboardFirmware& f) {
      std::vector<uint8_t> commands;
      for (const auto& entry : f.CommandLog()) {
        if (commands.empty() || commands.back() != entry.command) commands.push_back(entry.command);
      }
      return commands;
    });
  }
  void ClearLog() {
    m_keyboard.WithFirmware([](CKeyboardFirmware& f) { f.ClearCommandLog(); });
  }
  std::string ProfileBytes() {
    std::string bytes;
    ReadWholeFile(m_device.GetProfilePath(), bytes);
    return bytes;
  }
  // Stops the light thread that a connect starts; these tests look at the
  // command traffic only.
  void Connect() {
    m_device.OnDeviceConnected();
    m_device.StopLightThread();
  }

  CVirtualBus m_bus;
  CVirtualKeyboard m_keyboard;
  CVantorKeyboardDevice m_device;
};

TEST_F(KeyboardDeviceTest, ConnectReadsLayoutThenSettingsInOrder) {
  Open(KeyboardLink::Cable);
  // The keyboard runs settings block 2 in a custom colour.
  Firmware([](CKeyboardFirmware& f) {
    f.SetSettingsByte(0, 2);
    const size_t base = 2 * kSettingsBlockSize;
    const uint8_t block[] = {0, 6, 3, 1, 1, 1, 10, 20, 30};
    for (size_t i = 0; i < sizeof block; ++i) f.SetSettingsByte(base + i, block[i]);
    f.SetSettingsByte(base + 19, 1);
    f.SetSettingsByte(base + 25, 4);
    f.ClearCommandLog();
    return 0;
  });
  Connect();
  EXPECT_EQ(Commands(), (std::vector<uint8_t>{0x01, 0x03, 0x07, 0x1B, 0x02, 0x05}));
  EXPECT_EQ(Firmware([](CKeyboardFirmware& f) { return f.CommandCount(0x07); }), 7u) << "378 bytes in 56-byte chunks";
  EXPECT_FALSE(Firmware([](CKeyboardFirmware& f) { return f.IsTransactionOpen(); }));

  // The maps follow the firmware's own key order, not the on-screen order.
  KeyMaps maps = m_device.Maps();
  for (int row : {0, 1, 56, 108, 125}) {
    int position = emu::PositionOfIdentityRow(row);
    EXPECT_EQ(maps.keyPos[row], position) << row;
    EXPECT_EQ(maps.keyLed[row], emu::FactoryLedMap()[position]) << row;
  }
  EXPECT_EQ(m_device.Info().KeyCount(), 126u);

  LightState light = m_device.CurrentLightState();
  EXPECT_EQ(light.selectItem, 6);
  EXPECT_EQ(light.light, 3);
  EXPECT_EQ(light.speed, 3);
  EXPECT_EQ(light.multiColor, 0);
  EXPECT_EQ(light.red, 10);
  EXPECT_EQ(light.customGroup, 4);
  EXPECT_EQ(m_device.Stages().WFlag(), 1);
  EXPECT_EQ(m_device.ActiveBlock(), 2);

  // What was read is in the profile file.
  CKeyboardProfiledata stored;
  stored.SetProfilePath(m_device.GetProfilePath());
  stored.Load();
  EXPECT_EQ(stored.GetLightInfo().selectItem, 6);
  EXPECT_EQ(stored.GetKeyboardStages()[2] & 0xFFFF, 1u);
}

TEST_F(KeyboardDeviceTest, EachSettingsControlReachesItsByteWithOneTransaction) {
  Open(KeyboardLink::Cable);
  Connect();
  struct Case {
    const char* control;
    std::function<int(CVantorKeyboardDevice&)> change;
    size_t byte;
    uint8_t value;
  } cases[] = {
      {"polling rate", [](CVantorKeyboardDevice& d) { return d.SetPollingRate(3); }, 22, 3},
      {"win lock", [](CVantorKeyboardDevice& d) { return d.SetWinLockFlag(true); }, 21, 1},
      {"w flag", [](CVantorKeyboardDevice& d) { return d.SetWFlag(true); }, 19, 1},
      {"6 flag", [](CVantorKeyboardDevice& d) { return d.SetKey6Flag(true); }, 20, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    ClearLog();
    EXPECT_EQ(c.change(m_device), 1);
    EXPECT_EQ(Commands(), (std::vector<uint8_t>{0x01, 0x06, 0x02}));
    EXPECT_EQ(Firmware([&](CKeyboardFirmware& f) { return f.SettingsMemory()[c.byte]; }), c.value);
  }
  // Repeat rate and delay live in the profile only.
  ClearLog();
  m_device.SetRepeat(20);
  m_device.SetRepeatDelay(2);
  EXPECT_TRUE(Commands().empty());
  CKeyboardProfiledata stored;
  stored.SetProfilePath(m_device.GetProfilePath());
  stored.Load();
  StageWords words = stored.GetKeyboardStages();
  EXPECT_EQ(words[0], (2u << 16) | 20u);
  EXPECT_EQ(words[1] >> 16, 3u) << "polling rate saved";
  EXPECT_EQ(words[2], (1u << 16) | 1u);
}

TEST_F(KeyboardDeviceTest, HostDrivenModesAreWrittenAsFE) {
  Open(KeyboardLink::Cable);
  Connect();
  LightState light = m_device.CurrentLightState();
  light.selectItem = 29;
  m_device.SetKeyboardLightState(light);
  ASSERT_EQ(m_device.WriteSettingsRecord(nullptr, 0, 1, 0, 0), 1);
  EXPECT_EQ(Firmware([](CKeyboardFirmware& f) { return f.SettingsMemory()[1]; }), 0xFE);
  // Reading 0xFE back keeps the mode.
  m_device.ReadSettings();
  EXPECT_EQ(m_device.CurrentLightState().selectItem, 29);
}

// Macros: two keys share macro 1, one uses macro 0, one a macro that does
// not exist.
class KeyboardMacroTest : public KeyboardDeviceTest {
 protected:
  void SetUp() override {
    KeyboardDeviceTest::SetUp();
    std::string folder = GetDeviceUserFolder("keyboard");
    CMacroList list(folder);
    list.Load();
    for (int m = 0; m < 2; ++m) {
      ASSERT_FALSE(list.Add().empty());
      std::vector<Json::Value> events;
      for (int e = 0; e <= m; ++e) {
        events.push_back(MakeMacroEvent(kMacroKey, true, static_cast<uint8_t>(4 + e), 10));
        events.push_back(MakeMacroEvent(kMacroKey, false, static_cast<uint8_t>(4 + e), 20));
      }
      const MacroInfo& info = list.Macros()[static_cast<size_t>(m)];
      ASSERT_EQ(WriteMacroEventFile(folder + info.guid + kMacroFileExtension, info.guid, info.name, events), 0);
    }
  }
  void AssignKeys() {
    KeyList keys = m_device.Keys();
    ASSERT_GE(keys.size(), 5u);
    keys[1].current = KeyAssignment::Make(0x70, 1, 0, 1);
    keys[2].current = KeyAssignment::Make(0x70, 1, 0, 2);
    keys[3].current = KeyAssignment::Make(0x71, 0, 0, 3);
    keys[4].current = KeyAssignment::Make(0x70, 7, 0, 4);
    m_device.SetKeyList(keys);
  }
  std::vector<uint8_t> KeyAt(int row) {
    return Firmware([&](CKeyboardFirmware& f) {
      auto table = f.KeyTable();
      size_t p = static_cast<size_t>(emu::PositionOfIdentityRow(row));
      return std::vector<uint8_t>(table.begin() + 3 * p, table.begin() + 3 * p + 3);
    });
  }
};

TEST_F(KeyboardMacroTest, ProfileDownloadSendsSettingsMacrosThenKeys) {
  Open(KeyboardLink::Cable);
  Connect();
  AssignKeys();
  ClearLog();
  ASSERT_EQ(m_device.DownloadProfile(), 0);
  EXPECT_EQ(Commands(), (std::vector<uint8_t>{0x01, 0x06, 0x02, 0x03, 0x01, 0x15, 0x02, 0x03, 0x01, 0x09, 0x02}));

  std::vector<emu::FirmwareMacro> macros;
  ASSERT_TRUE(Firmware([&](CKeyboardFirmware& f) { return f.DecodeMacroImage(macros); }));
  ASSERT_EQ(macros.size(), 2u) << "macro 1 once, then macro 0";
  EXPECT_EQ(macros[0].size(), 4u);
  EXPECT_EQ(macros[1].size(), 2u);
  EXPECT_EQ(macros[1][0], (emu::FirmwareMacroEvent{10, 0x80 | kMacroKey, 4}));
  EXPECT_EQ(macros[1][1], (emu::FirmwareMacroEvent{20, kMacroKey, 4}));

  EXPECT_EQ(KeyAt(1), (std::vector<uint8_t>{0x70, 0, 0}));
  EXPECT_EQ(KeyAt(2), (std::vector<uint8_t>{0x70, 0, 0}));
  EXPECT_EQ(KeyAt(3), (std::vector<uint8_t>{0x71, 1, 0}));
  EXPECT_EQ(KeyAt(4), (std::vector<uint8_t>{0x20, 0, 0x3D})) << "missing macro: the key's default";
  EXPECT_EQ(KeyAt(5), (std::vector<uint8_t>{0x20, 0, 0x3E}));
}

TEST_F(KeyboardMacroTest, ImageOverTheMacroMemoryIsRefusedAndNoKeysAreWritten) {
  Open(KeyboardLink::Cable);
  Connect();
  AssignKeys();
  // Macros 1 and 0 need 16 + 12 + 4 * 6 = 52 bytes; leave 48.
  Firmware([](CKeyboardFirmware& f) {
    f.SetMacroMemoryUnits(0);
    return 0;
  });
  EXPECT_EQ(m_device.DownloadMacroNumbers(m_device.GetMacroNumbers()), 52 / 4 + 1);
  ClearLog();
  EXPECT_EQ(m_device.DownloadProfile(), 52 / 4 + 1);
  std::vector<uint8_t> commands = Commands();
  EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x15), 0);
  EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x09), 0);
  // Four bytes over one 128-byte unit: 16 + 6 * 2 + 4 * (2 + 24) = 132.
  {
    CMacroList list(GetDeviceUserFolder("keyboard"));
    list.Load();
    std::vector<Json::Value> events;
    for (int e = 0; e < 24; ++e) events.push_back(MakeMacroEvent(kMacroKey, e % 2 == 0, 4, 1));
    ASSERT_TRUE(list.SaveEvents(1, events));
  }
  Firmware([](CKeyboardFirmware& f) {
    f.SetMacroMemoryUnits(1);
    return 0;
  });
  EXPECT_EQ(m_device.DownloadMacroNumbers(m_device.GetMacroNumbers()), 2);
}

TEST_F(KeyboardMacroTest, AFailingStepStopsTheDownloadAndSaysSo) {
  Open(KeyboardLink::Cable);
  Connect();
  AssignKeys();
  for (Fault fault : {Fault::StatusError, Fault::StatusBusy}) {
    ClearLog();
    m_keyboard.Node(KeyboardLink::Cable)->InjectFault(fault, 1);
    EXPECT_EQ(m_device.DownloadProfile(), fault == Fault::StatusError ? -102 : -103);
    std::vector<uint8_t> commands = Commands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x15), 0);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x09), 0);
    EXPECT_FALSE(Firmware([](CKeyboardFirmware& f) { return f.IsTransactionOpen(); }));
  }
}

TEST_F(KeyboardDeviceTest, TimedOutSettingsReadLeavesTheProfileByteForByte) {
  Open(KeyboardLink::Cable);
  Connect();
  std::string before = ProfileBytes();
  ASSERT_FALSE(before.empty());
  m_keyboard.Node(KeyboardLink::Cable)->InjectFault(Fault::NoReply, 1);
  EXPECT_LT(m_device.ReadSettings(), 0);
  EXPECT_EQ(ProfileBytes(), before);
}

TEST_F(KeyboardDeviceTest, ImpossibleKeyCountsStopBeforeAnyTable) {
  Open(KeyboardLink::Cable);
  for (uint8_t count : {171, 200, 255}) {
    SCOPED_TRACE(count);
    Firmware([&](CKeyboardFirmware& f) {
      f.SetKeyCount(count);
      f.ClearCommandLog();
      return 0;
    });
    EXPECT_NE(m_device.ReadKeyLayout(), 1);
    EXPECT_EQ(Commands(), (std::vector<uint8_t>{0x01, 0x03, 0x02})) << "transaction closed, no table read";
    KeyMaps maps = m_device.Maps();
    EXPECT_EQ(maps.keyPos[0], kNoPosition) << "maps keep what they had";
    EXPECT_NE(m_device.WriteKeyTable(0, m_device.Keys()), 1);
    EXPECT_EQ(Firmware([](CKeyboardFirmware& f) { return f.CommandCount(0x09); }), 0u);
  }
}

TEST_F(KeyboardDeviceTest, BlockNotificationsMoveTheActiveBlock) {
  Open(KeyboardLink::Cable);
  Connect();
  m_device.OnNotification(0x1123);
  EXPECT_EQ(m_device.ActiveBlock(), 3);
  EXPECT_EQ(m_device.Settings()[17], 2);
  m_device.OnNotification(0x1005);
  EXPECT_EQ(m_device.ActiveBlock(), 5);
  EXPECT_EQ(m_device.Settings()[17], 2);
  m_device.OnNotification(0x0404);
  EXPECT_EQ(m_device.ActiveBlock(), 5);
}

TEST_F(KeyboardDeviceTest, LightFramesOnlyOnTheCableInHostModes) {
  for (KeyboardLink link : {KeyboardLink::Receiver, KeyboardLink::Cable}) {
    const bool cable = link == KeyboardLink::Cable;
    SCOPED_TRACE(cable);
    m_device.CloseCommandLinks();
    Open(link);
    Connect();
    LightState light = m_device.CurrentLightState();
    for (uint8_t mode : {6, 29}) {
      light.selectItem = mode;
      m_device.SetKeyboardLightState(light);
      m_device.SetLedColor(0, MakeLedEntry(200, 100, 50, 128));
      m_device.RefreshLights();
      uint64_t packets = Firmware([](CKeyboardFirmware& f) { return f.LightFramePacketCount(); });
      EXPECT_EQ(packets > 0, cable && mode == 29) << int(mode);
    }
    m_keyboard.Unplug(link);
  }
  // Esc's slot carries its colour scaled by brightness.
  std::vector<uint8_t> frame = m_device.CurrentLightFrame();
  uint8_t slot = m_device.Maps().keyLed[0];
  auto sent = Firmware([](CKeyboardFirmware& f) {
    auto span = f.LightFrame();
    return std::vector<uint8_t>(span.begin(), span.end());
  });
  ASSERT_GT(sent.size(), 3u * slot + 2);
  EXPECT_EQ(sent[3 * slot], (200 * 128) >> 8);
  EXPECT_EQ(sent[3 * slot + 1], (100 * 128) >> 8);
  EXPECT_EQ(sent[3 * slot + 2], (50 * 128) >> 8);
  EXPECT_EQ(std::vector<uint8_t>(sent.begin(), sent.begin() + static_cast<long>(frame.size())), frame);
}

TEST_F(KeyboardDeviceTest, TheLightThreadStepsTheEngineAfterAConnect) {
  Open(KeyboardLink::Cable);
  m_device.OnDeviceConnected();
  ASSERT_TRUE(m_device.IsLightThreadRunning());
  LightState light = m_device.CurrentLightState();
  light.selectItem = 6;  // static
  light.light = 4;
  light.red = 255;
  light.green = 0;
  light.blue = 0;
  m_device.SetKeyboardLightState(light);
  uint32_t esc = 0;
  for (int i = 0; i < 200 && (esc & 0xFF) == 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    esc = m_device.GetLedColor(0);
  }
  EXPECT_NE(esc & 0xFF, 0u) << "the static step lit Esc red";
  EXPECT_EQ(esc & 0xFFFF00, 0u);
  std::vector<uint8_t> frame = m_device.CurrentLightFrame();
  uint8_t slot = m_device.Maps().keyLed[0];
  ASSERT_GT(frame.size(), 3u * slot);
  EXPECT_GT(frame[3 * slot], 0);
  m_device.StopLightThread();
  EXPECT_FALSE(m_device.IsLightThreadRunning());
}

TEST_F(KeyboardDeviceTest, ReceiverWithTheKeyboardOffIsNotAlive) {
  Open(KeyboardLink::Receiver);
  Firmware([](CKeyboardFirmware& f) {
    f.SetKeyboardOn(false);
    f.SetPowerStatus(80, 2);
    return 0;
  });
  EXPECT_FALSE(m_device.IsLinkAlive());
  m_device.PollDeviceStatus();
  EXPECT_EQ(m_device.PowerStatus()[0], 0) << "nothing polled without a link";
  Firmware([](CKeyboardFirmware& f) {
    f.SetKeyboardOn(true);
    return 0;
  });
  EXPECT_TRUE(m_device.IsLinkAlive());
  m_device.PollDeviceStatus();
  auto power = m_device.PowerStatus();
  EXPECT_EQ(power[0], 80);
  EXPECT_EQ(power[1], 2);
  EXPECT_EQ(power[3], 1) << "reached through the receiver";
}

}  // namespace
}  // namespace tarn::keyboard
