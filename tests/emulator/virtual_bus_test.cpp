// The virtual bus seen from a plain socket: what a host process meets.
#include "emulator/virtual_bus.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

#include "emulator/keyboard_report_descriptor.h"
#include "emulator/virtual_socket_protocol.h"
#include "emulator/virtual_socket_server.h"

namespace tarn::emu {
namespace {

std::shared_ptr<CVirtualHidDevice> Echo() {
  HidNodeInfo info;
  info.vendorId = 0x320F;
  info.productId = 0x5055;
  info.interfaceNumber = 1;
  info.reportDescriptor = KeyboardInterfaceDescriptor();
  return std::make_shared<CVirtualHidDevice>(info, [](const uint8_t* r, size_t n) {
    return std::vector<Report>{Report(r, r + n)};
  });
}

ssize_t RecvWithin(int fd, uint8_t* buffer, size_t size, int ms) {
  pollfd p{fd, POLLIN, 0};
  if (::poll(&p, 1, ms) != 1) return -2;
  return ::recv(fd, buffer, size, 0);
}

TEST(VirtualBus, ListsPluggedDevicesAndClosesConnectionsOnUnplug) {
  CVirtualBus bus;
  std::string a = bus.Plug("a", Echo());
  std::string b = bus.Plug("b", Echo());
  EXPECT_TRUE(bus.ServesNode(a));
  EXPECT_FALSE(bus.ServesNode("/dev/hidraw0"));
  EXPECT_EQ(bus.ListNodes().size(), 2u);

  HidNodeInfo info;
  int fd = bus.OpenNode(a, info);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(info.productId, 0x5055);
  // One message is one report, both ways.
  uint8_t report[64] = {0x04, 1, 2, 3};
  ASSERT_EQ(::send(fd, report, sizeof report, 0), 64);
  uint8_t back[128];
  EXPECT_EQ(RecvWithin(fd, back, sizeof back, 2000), 64);
  EXPECT_EQ(back[3], 3);

  bus.Unplug("a");
  EXPECT_EQ(RecvWithin(fd, back, sizeof back, 2000), 0);  // the host sees the end
  ::close(fd);
  EXPECT_EQ(bus.OpenNode(a, info), -1);
  ASSERT_EQ(bus.ListNodes().size(), 1u);
  EXPECT_EQ(bus.ListNodes()[0].name, b);
}

TEST(VirtualBus, FaultsApplyToTheNextRequestsInOrder) {
  auto device = Echo();
  CVirtualBus bus;
  HidNodeInfo info;
  int fd = bus.OpenNode(bus.Plug("d", device), info);
  ASSERT_GE(fd, 0);
  device->InjectFault(Fault::NoReply);
  device->InjectFault(Fault::WrongCommandTwice);
  device->InjectFault(Fault::StatusBusy);
  device->InjectFault(Fault::BadChecksum);
  uint8_t request[64] = {0x04, 0, 0, 0x21};
  uint8_t reply[64];
  auto exchange = [&](std::vector<uint8_t>& commands, std::vector<uint8_t>& statuses) {
    ASSERT_EQ(::send(fd, request, 64, 0), 64);
    ssize_t n;
    while ((n = RecvWithin(fd, reply, 64, 200)) == 64) {
      commands.push_back(reply[3]);
      statuses.push_back(reply[7]);
    }
  };
  std::vector<uint8_t> commands, statuses;
  exchange(commands, statuses);
  EXPECT_TRUE(commands.empty());
  exchange(commands, statuses);
  EXPECT_EQ(commands, (std::vector<uint8_t>{0xA1, 0xA1, 0x21}));
  commands.clear();
  statuses.clear();
  exchange(commands, statuses);
  EXPECT_EQ(statuses, std::vector<uint8_t>{0xFE});
  exchange(commands, statuses);
  uint32_t sum = 0;
  for (int i = 3; i < 64; ++i) sum += reply[i];
  EXPECT_NE(reply[1] | reply[2] << 8, static_cast<int>(sum & 0xFFFF));
  EXPECT_EQ(device->RequestCount(), 4u);
  ::close(fd);
}

TEST(VirtualBus, SocketServerGreetsEveryConnection) {
  std::string path = std::string(std::getenv("TARN_TEST_HOME")) + "/greet.sock";
  CVirtualSocketServer server(path, Echo());
  ASSERT_TRUE(server.IsListening());
  CVirtualBus bus(std::getenv("TARN_TEST_HOME"));
  EXPECT_TRUE(bus.ServesNode(path));
  for (int round = 0; round < 2; ++round) {
    HidNodeInfo info;
    int fd = bus.OpenNode(path, info);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(info.vendorId, 0x320F);
    EXPECT_EQ(info.interfaceNumber, 1);
    EXPECT_EQ(info.reportDescriptor, KeyboardInterfaceDescriptor());
    ::close(fd);
  }
  std::vector<uint8_t> hello = EncodeVirtualHello(HidNodeInfo{});
  hello[0] = 'X';
  HidNodeInfo info;
  EXPECT_FALSE(DecodeVirtualHello(hello.data(), hello.size(), info));
  EXPECT_FALSE(DecodeVirtualHello(hello.data(), 10, info));
}

}  // namespace
}  // namespace tarn::emu
