// The command channel against the emulated keyboard through the real
// transport: frames, chunking, result codes from injected faults, locking.
#include "device/device_channel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>

#include <atomic>
#include <future>
#include <numeric>
#include <thread>

#include "device/hid_path.h"
#include "emulator/virtual_keyboard.h"
#include "platform/debug_output.h"

namespace tarn {
namespace {

using emu::CKeyboardFirmware;
using emu::CVirtualBus;
using emu::CVirtualKeyboard;
using emu::Fault;
using emu::KeyboardLink;

class ChannelTest : public ::testing::Test {
 protected:
  // Opens the channel on the keyboard's command collection over `link`.
  void Connect(KeyboardLink link) {
    const bool receiver = link == KeyboardLink::Receiver;
    std::string node = m_keyboard.Plug(m_bus, link, receiver ? "rx" : "cable");
    std::string path = MakeHidInterfacePath(0x320F, receiver ? 0x5088 : 0x5055, 1, 4, node);
    ASSERT_TRUE(m_channel.OpenLink(receiver, path));
    m_channel.SetLinkMode(receiver ? 2 : 1);
    m_channel.m_bOpen = 1;
    m_link = link;
  }
  emu::CVirtualHidDevice& Node() { return *m_keyboard.Node(m_link); }
  std::deque<emu::FirmwareLogEntry> Log() {
    std::deque<emu::FirmwareLogEntry> log;
    m_keyboard.WithFirmware([&](CKeyboardFirmware& f) { log = f.CommandLog(); });
    return log;
  }
  void ClearLog() {
    m_keyboard.WithFirmware([](CKeyboardFirmware& f) { f.ClearCommandLog(); });
  }

  CVirtualBus m_bus;
  CVirtualKeyboard m_keyboard;
  CDeviceChannel m_channel;
  KeyboardLink m_link = KeyboardLink::Cable;
};

TEST_F(ChannelTest, ShortRequestGoesOutAsAWholeFrame) {
  Connect(KeyboardLink::Cable);
  Frame full = BuildFrame(0x01, nullptr, 0, 0);
  uint8_t reply[64] = {};
  uint32_t n = 0;
  // Only the first 10 bytes are given; the firmware ignores anything that is
  // not exactly 64 bytes, so an answer proves the padding.
  ASSERT_EQ(m_channel.Exchange(full.data(), 10, reply, sizeof reply, n), 1);
  EXPECT_EQ(n, 64u);
  EXPECT_EQ(reply[3], 0x01);
  auto log = Log();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_TRUE(log[0].answered);
  EXPECT_TRUE(log[0].paddingClean);

  // A longer request is cut to 64 bytes.
  std::vector<uint8_t> big(100, 0xEE);
  std::copy(full.begin(), full.end(), big.begin());
  EXPECT_EQ(m_channel.Exchange(big.data(), big.size(), reply, sizeof reply, n), 1);
}

TEST_F(ChannelTest, ExchangeWritesCommandAndReplyDumps) {
  Connect(KeyboardLink::Cable);
  std::vector<std::string> lines;
  SetDebugSink([&](const std::string& line) { lines.push_back(line); });
  Frame request = BuildFrame(0x1A, nullptr, 6, 0);
  uint8_t reply[64];
  uint32_t n = 0;
  int result = m_channel.Exchange(request.data(), request.size(), reply, sizeof reply, n);
  SetDebugSink(nullptr);
  ASSERT_EQ(result, 1);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "命令");
  EXPECT_EQ(lines[1], FormatFrameLine(request.data()));
  EXPECT_EQ(lines[3], "返回");
  EXPECT_EQ(lines[4], FormatFrameLine(reply));
  EXPECT_EQ(lines[5], FormatFrameLine(reply + 32));
}

TEST_F(ChannelTest, BlocksGoInChunksOfTheLink) {
  struct Case {
    KeyboardLink link;
    size_t length;
    size_t packets;
    size_t lastLength;
  } cases[] = {{KeyboardLink::Cable, 512, 10, 8},
               {KeyboardLink::Receiver, 512, 22, 8},
               {KeyboardLink::Cable, 312, 6, 32},
               {KeyboardLink::Receiver, 312, 13, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    Connect(c.link);
    ClearLog();
    std::vector<uint8_t> table(c.length);
    std::iota(table.begin(), table.end(), uint8_t{3});
    // Custom light group 1 starts at 512.
    ASSERT_EQ(m_channel.SendBlock(0x0B, table.data(), table.size(), 512), 1);
    auto log = Log();
    ASSERT_EQ(log.size(), c.packets);
    const size_t chunk = c.link == KeyboardLink::Cable ? 56 : 24;
    for (size_t i = 0; i < log.size(); ++i) {
      EXPECT_EQ(log[i].command, 0x0B);
      EXPECT_EQ(log[i].offset, 512 + i * chunk) << i;
      EXPECT_EQ(log[i].length, i + 1 < log.size() ? chunk : (c.lastLength ? c.lastLength : chunk)) << i;
      EXPECT_TRUE(log[i].answered);
    }
    m_keyboard.WithFirmware([&](CKeyboardFirmware& f) {
      auto group = f.CustomLightGroup(1);
      EXPECT_TRUE(std::equal(table.begin(), table.end(), group.begin()));
    });
  }
}

TEST_F(ChannelTest, FetchedBlockEqualsTheDeviceMemory) {
  for (KeyboardLink link : {KeyboardLink::Cable, KeyboardLink::Receiver}) {
    Connect(link);
    m_keyboard.WithFirmware([](CKeyboardFirmware& f) {
      for (size_t i = 0; i < 16 * 29; ++i) f.SetSettingsByte(i, static_cast<uint8_t>(i * 7 + 1));
    });
    std::vector<uint8_t> settings(16 * 29);
    ASSERT_EQ(m_channel.FetchBlock(0x05, settings.data(), settings.size()), 1);
    m_keyboard.WithFirmware([&](CKeyboardFirmware& f) {
      auto memory = f.SettingsMemory();
      EXPECT_TRUE(std::equal(settings.begin(), settings.end(), memory.begin()));
    });
  }
}

TEST_F(ChannelTest, InjectedFaultsGiveTheirResults) {
  struct Case {
    const char* name;
    Fault fault;
    int times;
    int expected;
  } cases[] = {
      {"wrong command once is read past", Fault::WrongCommandOnce, 1, 1},
      {"wrong command twice answers nothing", Fault::WrongCommandTwice, 1, 0},
      {"status 0xFF", Fault::StatusError, 1, -102},
      {"status 0xFE", Fault::StatusBusy, 1, -103},
      {"no reply", Fault::NoReply, 1, 0},
  };
  Connect(KeyboardLink::Cable);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Node().InjectFault(c.fault, c.times);
    EXPECT_EQ(m_channel.Command(0x1A, nullptr, 6, 0), c.expected);
    // The channel is sound again for the next command.
    EXPECT_EQ(m_channel.Command(0x1A, nullptr, 6, 0), 1);
  }
}

TEST_F(ChannelTest, ReceiverWaitsLongerThanTheCableAndLateRepliesAreDropped) {
  // A reply 1.5 s late: past the cable's time-out, within the receiver's.
  for (KeyboardLink link : {KeyboardLink::Cable, KeyboardLink::Receiver}) {
    Connect(link);
    Node().SetReplyDelay(1500);
    EXPECT_EQ(m_channel.Command(0x1A, nullptr, 6, 0), link == KeyboardLink::Cable ? 0 : 1);
    Node().SetReplyDelay(0);
  }
  // The cable's late 0x1A reply (battery 40 %) must not answer the next
  // 0x1A, asked after the battery changed.
  Connect(KeyboardLink::Cable);
  m_keyboard.WithFirmware([](CKeyboardFirmware& f) { f.SetPowerStatus(40, 2); });
  Node().SetReplyDelay(1500);
  EXPECT_EQ(m_channel.Command(0x1A, nullptr, 6, 0), 0);
  Node().SetReplyDelay(0);
  std::this_thread::sleep_for(std::chrono::milliseconds(800));  // the late reply is there by now
  std::array<uint8_t, 6> now{};
  m_keyboard.WithFirmware([&](CKeyboardFirmware& f) {
    f.SetPowerStatus(90, 1);
    now = f.PowerStatus();
  });
  uint8_t reply[64];
  EXPECT_EQ(m_channel.Command(0x1A, nullptr, 6, 0, reply), 1);
  EXPECT_TRUE(std::equal(now.begin(), now.end(), reply + 8));
}

TEST_F(ChannelTest, ReceiverWithNothingBehindItGivesMinus101) {
  Connect(KeyboardLink::Receiver);
  m_keyboard.WithFirmware([](CKeyboardFirmware& f) { f.SetKeyboardOn(false); });
  EXPECT_EQ(m_channel.Command(0x1A, nullptr, 6, 0), -101);
  uint8_t block[24];
  EXPECT_EQ(m_channel.FetchBlock(0x03, block, sizeof block), -101);
  m_keyboard.WithFirmware([](CKeyboardFirmware& f) { f.SetKeyboardOn(true); });
  EXPECT_EQ(m_channel.Command(0x1A, nullptr, 6, 0), 1);
}

TEST_F(ChannelTest, ClosedOrVanishedLinksFailWithoutWaiting) {
  EXPECT_EQ(m_channel.Command(0x01, nullptr, 0, 0), 0);  // never opened
  Connect(KeyboardLink::Cable);
  m_channel.m_hidWired.CloseHidDevice();  // open flag still set: the write fails
  EXPECT_EQ(m_channel.Command(0x01, nullptr, 0, 0), -1);

  Connect(KeyboardLink::Cable);
  // The keyboard disappears while a block is on its way.
  ClearLog();
  std::vector<uint8_t> table(512, 0x11);
  auto device = m_keyboard.Node(KeyboardLink::Cable);
  device->InjectFault(Fault::WrongCommandOnce, 2);  // two ordinary packets (read past)
  device->InjectFault(Fault::Vanish);
  int result = m_channel.SendBlock(0x0B, table.data(), table.size());
  EXPECT_EQ(result, 0);  // the write got out; the reply never came
  EXPECT_EQ(Log().size(), 2u);
  EXPECT_EQ(m_channel.Command(0x01, nullptr, 0, 0), -1);
}

TEST_F(ChannelTest, ConcurrentExchangesNeverTakeEachOthersReplies) {
  Connect(KeyboardLink::Cable);
  Node().SetReplyDelay(1);
  std::atomic<int> failures{0};
  auto worker = [&](uint8_t command, uint8_t length) {
    for (int i = 0; i < 60; ++i) {
      Frame request = BuildFrame(command, nullptr, length, 0);
      uint8_t reply[64];
      uint32_t n = 0;
      int result = m_channel.Exchange(request.data(), request.size(), reply, sizeof reply, n);
      if (result != 1 || reply[3] != command) ++failures;
    }
  };
  std::thread a(worker, 0x1A, 6);
  std::thread b(worker, 0x03, 24);
  std::thread c(worker, 0x1C, 0);
  a.join();
  b.join();
  c.join();
  EXPECT_EQ(failures.load(), 0);
}

TEST_F(ChannelTest, LightFramesAreDroppedWhileACommandRuns) {
  Connect(KeyboardLink::Cable);
  Frame frame = BuildFrame(0x12, nullptr, 56, 0);
  uint8_t reply[64];
  uint32_t n = 0;
  EXPECT_EQ(m_channel.SendLightFrame(frame.data(), frame.size(), reply, sizeof reply, n), 1);

  Node().SetReplyDelay(300);
  auto command = std::async(std::launch::async, [&] { return m_channel.Command(0x1A, nullptr, 6, 0); });
  while (!m_channel.IsBusy()) std::this_thread::yield();
  std::mutex linesMutex;
  std::vector<std::string> lines;
  SetDebugSink([&](const std::string& line) {
    std::lock_guard<std::mutex> lock(linesMutex);
    lines.push_back(line);
  });
  EXPECT_EQ(m_channel.SendLightFrame(frame.data(), frame.size(), reply, sizeof reply, n), 0);
  SetDebugSink(nullptr);
  // The command's own dump may land here too; the frame says it was dropped.
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "放弃灯光数据"), 1);
  EXPECT_EQ(command.get(), 1);
  Node().SetReplyDelay(0);
  uint64_t frames = 0;
  m_keyboard.WithFirmware([&](CKeyboardFirmware& f) { frames = f.LightFramePacketCount(); });
  EXPECT_EQ(frames, 1u);

  // Never through the receiver.
  Connect(KeyboardLink::Receiver);
  EXPECT_EQ(m_channel.SendLightFrame(frame.data(), frame.size(), reply, sizeof reply, n), 0);
}

TEST_F(ChannelTest, QuietExchangeNeitherLogsNorMatchesCommands) {
  Frame frame = BuildFrame(0x12, nullptr, 56, 0);
  uint8_t reply[64];
  uint32_t n = 0;
  EXPECT_EQ(m_channel.ExchangeQuiet(frame.data(), frame.size(), reply, sizeof reply, n), 0);  // not open
  Connect(KeyboardLink::Cable);
  std::vector<std::string> lines;
  SetDebugSink([&](const std::string& line) { lines.push_back(line); });
  Node().InjectFault(Fault::WrongCommandOnce);
  EXPECT_EQ(m_channel.ExchangeQuiet(frame.data(), frame.size(), reply, sizeof reply, n), 1);
  SetDebugSink(nullptr);
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(reply[3], 0x12 ^ 0x80);  // the first reply, whatever it carries
  EXPECT_FALSE(m_channel.IsBusy());
  // The reply left behind does not answer the next command.
  EXPECT_EQ(m_channel.Command(0x1A, nullptr, 6, 0, reply), 1);
  EXPECT_EQ(reply[3], 0x1A);
}

TEST_F(ChannelTest, LinkModesAndDataSize) {
  EXPECT_EQ(m_channel.ChunkSize(), 24);  // a new channel
  EXPECT_FALSE(m_channel.IsReceiverMode());
  const std::pair<int, uint8_t> modes[] = {{2, 24}, {1, 56}, {2, 24}, {0, 56}, {7, 56}};
  for (auto [mode, chunk] : modes) {
    m_channel.SetLinkMode(mode);
    EXPECT_EQ(m_channel.ChunkSize(), chunk) << mode;
    EXPECT_EQ(m_channel.IsReceiverMode(), mode == 2) << mode;
  }
  EXPECT_EQ(m_channel.DataSize(), 512);
  EXPECT_TRUE(m_channel.SetDataSize(300));
  EXPECT_FALSE(m_channel.SetDataSize(513));
  EXPECT_EQ(m_channel.DataSize(), 300);
  EXPECT_TRUE(m_channel.SetDataSize(512));
  EXPECT_EQ(m_channel.DataSize(), 512);
}

}  // namespace
}  // namespace tarn
