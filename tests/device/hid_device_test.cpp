// The HID transport on virtual nodes: the real read, write, routing and
// abort code runs on socket pairs served by the emulator.
#include "device/hid_device.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <future>
#include <map>
#include <mutex>
#include <thread>

#include "device/hid_enumeration.h"
#include "device/hid_path.h"
#include "device/hid_report_ids.h"
#include "emulator/keyboard_report_descriptor.h"
#include "emulator/virtual_bus.h"
#include "emulator/virtual_keyboard.h"
#include "emulator/virtual_socket_server.h"
#include "platform/debug_output.h"

namespace tarn {
namespace {

using emu::CVirtualBus;
using emu::CVirtualHidDevice;
using emu::CVirtualKeyboard;
using emu::KeyboardLink;
using emu::Report;

std::string PathFor(const std::string& node, uint16_t pid, int collection) {
  return MakeHidInterfacePath(0x320F, pid, 1, collection, node);
}

HidNodeInfo KeyboardInfo(uint16_t pid) {
  HidNodeInfo info;
  info.vendorId = 0x320F;
  info.productId = pid;
  info.interfaceNumber = 1;
  info.reportDescriptor = emu::KeyboardInterfaceDescriptor();
  return info;
}

// A device that answers every command frame with the same frame.
std::shared_ptr<CVirtualHidDevice> EchoDevice() {
  return std::make_shared<CVirtualHidDevice>(KeyboardInfo(0x5055), [](const uint8_t* r, size_t n) {
    return std::vector<Report>{Report(r, r + n)};
  });
}

TEST(HidDevice, EnumerationListsEveryCollectionOfEveryVirtualNode) {
  CVirtualBus bus;
  std::vector<std::unique_ptr<CVirtualKeyboard>> keyboards;
  std::map<std::string, uint16_t> nodes;
  for (int i = 0; i < 3; ++i) {
    keyboards.push_back(std::make_unique<CVirtualKeyboard>());
    KeyboardLink link = i == 1 ? KeyboardLink::Receiver : KeyboardLink::Cable;
    nodes[keyboards.back()->Plug(bus, link, "kb" + std::to_string(i))] = i == 1 ? 0x5088 : 0x5055;
  }
  CHidDevice scanner;
  ASSERT_TRUE(scanner.EnumerateHidPaths());
  std::map<std::string, std::vector<uint16_t>> collections;
  while (const char* path = scanner.NextHidPath()) {
    std::string node = NodeFromHidPath(path);
    if (!nodes.count(node)) continue;
    EXPECT_EQ(GetVidFromPath(path), 0x320F);
    EXPECT_EQ(GetPidFromPath(path), nodes[node]);
    EXPECT_EQ(GetInterfaceFromPath(path), 1);
    collections[node].push_back(GetCollectionFromPath(path));
  }
  EXPECT_EQ(scanner.NextHidPath(), nullptr);
  ASSERT_EQ(collections.size(), 3u);  // 12 interfaces: more than the first room of 8
  for (auto& [node, list] : collections) EXPECT_EQ(list, (std::vector<uint16_t>{1, 2, 3, 4})) << node;

  keyboards[0]->Unplug(KeyboardLink::Cable);
  std::vector<HidInterfaceEntry> entries;
  EnumerateHidInterfaces(entries);
  size_t left = 0;
  for (const auto& e : entries) left += nodes.count(e.node);
  EXPECT_EQ(left, 8u);

  scanner.FreeHidPaths();
  EXPECT_EQ(scanner.NextHidPath(), nullptr);
}

TEST(HidDevice, OpenReadsTheCollectionsCapabilities) {
  CVirtualBus bus;
  CVirtualKeyboard keyboard;
  std::string node = keyboard.Plug(bus, KeyboardLink::Receiver, "kb");
  struct Case {
    int collection;
    uint16_t page, usage, input, output;
  } cases[] = {{4, 0xFF1C, 0x92, 64, 64}, {3, 0x0C, 0x01, 3, 0}, {0, 0x01, 0x80, 2, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.collection);
    CHidDevice hid;
    ASSERT_TRUE(hid.OpenHidDevice(PathFor(node, 0x5088, c.collection), true, false, true, false));
    EXPECT_EQ(hid.Caps().UsagePage, c.page);
    EXPECT_EQ(hid.Caps().Usage, c.usage);
    EXPECT_EQ(hid.Caps().InputReportByteLength, c.input);
    EXPECT_EQ(hid.Caps().OutputReportByteLength, c.output);
    EXPECT_EQ(hid.Attributes().VendorID, 0x320F);
    EXPECT_EQ(hid.Attributes().ProductID, 0x5088);
    EXPECT_EQ(hid.CollectionNumber(), c.collection);
    EXPECT_EQ(hid.InterfaceNumber(), 1u);
    EXPECT_EQ(hid.InputReportBuffer().size(), c.input);
  }
  CHidDevice hid;
  EXPECT_FALSE(hid.OpenHidDevice(PathFor(node, 0x5088, 5), true, true, true, false));  // no such collection
  EXPECT_FALSE(hid.OpenHidDevice(PathFor("virtual/none", 0x5088, 4), true, true, true, false));
  EXPECT_FALSE(hid.OpenHidDevice(PathFor("/nonexistent/hidraw9", 0x5088, 4), true, true, true, false));
  EXPECT_FALSE(hid.OpenHidDevice(std::string(300, 'x'), true, true, true, false));
  EXPECT_FALSE(hid.IsOpen());
  hid.CloseHidDevice();  // harmless when closed
}

TEST(HidDevice, InputReportsGoToTheCollectionOfTheirReportId) {
  CVirtualBus bus;
  CVirtualKeyboard keyboard;
  std::string node = keyboard.Plug(bus, KeyboardLink::Cable, "kb");
  CHidDevice command, notify;
  ASSERT_TRUE(command.OpenHidDevice(PathFor(node, 0x5055, 4), true, true, true, false));
  ASSERT_TRUE(notify.OpenHidDevice(PathFor(node, 0x5055, 3), true, true, true, false));

  // A notification comes before the reply of the request.
  keyboard.Node(KeyboardLink::Cable)->InjectBeforeReply({kNotificationReportId, 0x01, 0x04});
  uint8_t request[64] = {kCommandReportId, 0x01, 0x00, 0x01};
  uint32_t n = 0;
  ASSERT_TRUE(command.WriteReport(request, 64, n, 1000));
  EXPECT_EQ(n, 64u);

  uint8_t reply[64] = {};
  ASSERT_TRUE(command.ReadReport(reply, 64, n, 1000));
  EXPECT_EQ(reply[0], kCommandReportId);
  EXPECT_EQ(reply[3], 0x01);
  uint8_t note[3] = {};
  ASSERT_TRUE(notify.ReadReport(note, 3, n, 1000));
  EXPECT_EQ(n, 3u);
  EXPECT_EQ(note[0], kNotificationReportId);
  ASSERT_TRUE(notify.UnpackInputReport(note, n));
  EXPECT_EQ(notify.FirstInputUsage(), 0x0401);
  // Nothing else is queued on either side.
  EXPECT_FALSE(command.ReadReport(reply, 64, n, 20));
  EXPECT_FALSE(notify.ReadReport(note, 3, n, 20));
}

TEST(HidDevice, NotificationReportsDecodeToTheirCode) {
  CVirtualBus bus;
  CVirtualKeyboard keyboard;
  std::string node = keyboard.Plug(bus, KeyboardLink::Cable, "kb");
  CHidDevice notify;
  ASSERT_TRUE(notify.OpenHidDevice(PathFor(node, 0x5055, 3), true, true, true, false));
  for (uint16_t code : {0x0401, 0x0402, 0x1003, 0x11A7, 0xFFFF}) {
    keyboard.Notify(KeyboardLink::Cable, code);
    std::vector<uint8_t> report(notify.Caps().InputReportByteLength);
    uint32_t n = 0;
    ASSERT_TRUE(notify.ReadReport(report.data(), static_cast<uint32_t>(report.size()), n, 1000));
    ASSERT_TRUE(notify.UnpackInputReport(report.data(), n));
    EXPECT_EQ(notify.FirstInputUsage(), code);
    auto table = notify.InputUsageTable();
    ASSERT_EQ(table.size(), 1u);
    EXPECT_TRUE(table[0].isButton);
    EXPECT_TRUE(table[0].decoded);
  }
}

TEST(HidDevice, CloseFromAnotherThreadEndsAnUnlimitedRead) {
  CVirtualBus bus;
  std::string node = bus.Plug("echo", EchoDevice());
  CHidDevice hid;
  ASSERT_TRUE(hid.OpenHidDevice(PathFor(node, 0x5055, 4), true, true, true, false));
  auto reader = std::async(std::launch::async, [&] {
    uint8_t buffer[64];
    uint32_t n = 99;
    bool ok = hid.ReadReport(buffer, 64, n, INFINITE);
    return std::make_pair(ok, n);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  hid.CloseHidDevice();
  auto [ok, n] = reader.get();  // would never return without the abort
  EXPECT_FALSE(ok);
  EXPECT_EQ(n, 0u);
  EXPECT_FALSE(hid.IsOpen());

  // The object opens again and works.
  ASSERT_TRUE(hid.OpenHidDevice(PathFor(node, 0x5055, 4), true, true, true, false));
  uint8_t frame[64] = {kCommandReportId, 0, 0, 0x33};
  uint32_t done = 0;
  ASSERT_TRUE(hid.WriteReport(frame, 64, done, 1000));
  ASSERT_TRUE(hid.ReadReport(frame, 64, done, 1000));
  EXPECT_EQ(frame[3], 0x33);
}

TEST(HidDevice, VanishedNodeFailsWaitingAndLaterTransfers) {
  CVirtualBus bus;
  std::string node = bus.Plug("echo", EchoDevice());
  CHidDevice hid;
  ASSERT_TRUE(hid.OpenHidDevice(PathFor(node, 0x5055, 4), true, true, true, false));
  auto reader = std::async(std::launch::async, [&] {
    uint8_t buffer[64];
    uint32_t n = 0;
    return hid.ReadReport(buffer, 64, n, INFINITE);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  bus.Unplug("echo");
  EXPECT_FALSE(reader.get());
  uint8_t frame[64] = {kCommandReportId};
  uint32_t n = 0;
  EXPECT_FALSE(hid.WriteReport(frame, 64, n, 1000));
  EXPECT_FALSE(hid.ReadReport(frame, 64, n, 1000));
  EXPECT_EQ(n, 0u);
}

TEST(HidDevice, PresenceCheckSeesAnUnplugEvenWhileTheNodeIsHeldButNotRead) {
  CVirtualBus bus;
  std::string node = bus.Plug("echo", EchoDevice());
  CHidDevice link;  // holds the node open; nothing reads it
  ASSERT_TRUE(link.OpenHidDevice(PathFor(node, 0x5055, 4), true, true, true, false));
  CHidDevice probe;
  EXPECT_TRUE(probe.OpenHidDevice(PathFor(node, 0x5055, 4), false, false, true, false));
  probe.CloseHidDevice();
  bus.Unplug("echo");
  EXPECT_FALSE(probe.OpenHidDevice(PathFor(node, 0x5055, 4), false, false, true, false));
}

TEST(HidDevice, WriteThatCannotGoTimesOutAndTheNextOneWorks) {
  // The device stops taking reports until the gate opens, so the socket
  // fills and a write has to wait.
  std::mutex gateLock;
  std::condition_variable gateCv;
  bool open = false;
  auto device = std::make_shared<CVirtualHidDevice>(KeyboardInfo(0x5055), [&](const uint8_t*, size_t) {
    std::unique_lock<std::mutex> lock(gateLock);
    gateCv.wait(lock, [&] { return open; });
    return std::vector<Report>{};
  });
  CVirtualBus bus;
  std::string node = bus.Plug("stuck", device);
  CHidDevice hid;
  ASSERT_TRUE(hid.OpenHidDevice(PathFor(node, 0x5055, 4), true, true, true, false));
  uint8_t frame[64] = {kCommandReportId};
  uint32_t n = 0;
  bool timedOut = false;
  for (int i = 0; i < 100000 && !timedOut; ++i) timedOut = !hid.WriteReport(frame, 64, n, 20);
  ASSERT_TRUE(timedOut);
  EXPECT_EQ(n, 0u);
  {
    std::lock_guard<std::mutex> lock(gateLock);
    open = true;
  }
  gateCv.notify_all();
  EXPECT_TRUE(hid.WriteReport(frame, 64, n, 5000));
  EXPECT_EQ(n, 64u);
}

TEST(HidDevice, RawOutputReportReachesTheDevice) {
  std::mutex lock;
  std::vector<Report> received;
  auto device = std::make_shared<CVirtualHidDevice>(KeyboardInfo(0x5055), [&](const uint8_t* r, size_t n) {
    std::lock_guard<std::mutex> guard(lock);
    received.emplace_back(r, r + n);
    return std::vector<Report>{};
  });
  CVirtualBus bus;
  std::string node = bus.Plug("raw", device);
  CHidDevice hid;
  EXPECT_FALSE(hid.SetOutputReport(nullptr, 0));
  ASSERT_TRUE(hid.OpenHidDevice(PathFor(node, 0x5055, 4), true, true, true, false));
  const uint8_t frame[5] = {0x04, 9, 8, 7, 6};
  ASSERT_TRUE(hid.SetOutputReport(frame, sizeof frame));
  for (int i = 0; i < 2000 && device->RequestCount() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  std::lock_guard<std::mutex> guard(lock);
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0], Report(frame, frame + 5));
}

TEST(HidDevice, DevicesOfAnotherProcessAttachThroughTheVirtualDir) {
  std::string dir = std::string(std::getenv("TARN_TEST_HOME")) + "/vdir";
  ::mkdir(dir.c_str(), 0700);
  emu::CVirtualSocketServer server(dir + "/echo.sock", EchoDevice());
  ASSERT_TRUE(server.IsListening());
  // A stray file and a dead socket are passed over.
  ::close(::open((dir + "/notes.txt").c_str(), O_CREAT | O_WRONLY, 0600));
  ::close(::open((dir + "/dead.sock").c_str(), O_CREAT | O_WRONLY, 0600));

  CVirtualBus bus(dir);
  std::vector<HidInterfaceEntry> entries;
  EnumerateHidInterfaces(entries);
  std::vector<HidInterfaceEntry> ours;
  for (auto& e : entries)
    if (e.node.rfind(dir, 0) == 0) ours.push_back(e);
  ASSERT_EQ(ours.size(), 4u);
  EXPECT_EQ(ours[3].node, dir + "/echo.sock");
  EXPECT_EQ(ours[3].usagePage, 0xFF1C);
  EXPECT_EQ(GetCollectionFromPath(ours[3].path), 4);

  CHidDevice hid;
  ASSERT_TRUE(hid.OpenHidDevice(ours[3].path, true, true, true, false));
  uint8_t frame[64] = {kCommandReportId, 0, 0, 0x42, 7};
  uint32_t n = 0;
  ASSERT_TRUE(hid.WriteReport(frame, 64, n, 1000));
  uint8_t reply[64] = {};
  ASSERT_TRUE(hid.ReadReport(reply, 64, n, 1000));
  EXPECT_EQ(n, 64u);
  EXPECT_EQ(reply[3], 0x42);
  EXPECT_EQ(reply[4], 7);
}

TEST(HidDevice, UnreadableNodeSaysWhyInTheDebugOutput) {
  // Rights only bite for an ordinary user, so the open runs in a child that
  // drops to one.
  std::string node = std::string(std::getenv("TARN_TEST_HOME")) + "/hidraw-locked";
  ::close(::open(node.c_str(), O_CREAT | O_WRONLY, 0600));
  ::chmod(node.c_str(), 0);
  std::string path = PathFor(node, 0x5055, 4);
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::getuid() == 0 && ::setuid(65534) != 0) ::_exit(3);
    std::string seen;
    SetDebugSink([&](const std::string& line) { seen += line; });
    CHidDevice hid;
    bool opened = hid.OpenHidDevice(path, true, true, true, false);
    bool said = seen.find(node) != std::string::npos && seen.find("Permission denied") != std::string::npos &&
                seen.find("no permission") != std::string::npos;
    ::_exit(opened ? 1 : said ? 0 : 2);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace tarn
