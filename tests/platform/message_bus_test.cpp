#include "platform/message_bus.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <condition_variable>
#include <mutex>

#include "platform/paths.h"

namespace tarn {
namespace {

struct Inbox {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::pair<int, BusMessage>> messages;

  bool WaitFor(size_t count) {
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, std::chrono::seconds(5), [&] { return messages.size() >= count; });
  }
};

TEST(BusFrame, EncodesLittleEndianFields) {
  BusMessage message{"Tarn", 0, 1, {0xAB}};
  std::vector<uint8_t> frame = EncodeBusFrame(message);
  std::vector<uint8_t> expected = {27, 0, 0, 0,  4, 0, 'T', 'a', 'r', 'n', 0, 0, 0, 0, 0, 0, 0, 0,
                                   1,  0, 0, 0,  0, 0, 0,   0,   1,   0,   0, 0, 0xAB};
  EXPECT_EQ(frame, expected);
  auto decoded = DecodeBusFrame(frame.data() + 4, frame.size() - 4);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->name, "Tarn");
  EXPECT_EQ(decoded->lParam, 1);
  EXPECT_EQ(decoded->data, std::vector<uint8_t>{0xAB});
  // A data length that disagrees with the frame is refused.
  frame.back() = 0;
  frame.push_back(0);
  EXPECT_FALSE(DecodeBusFrame(frame.data() + 4, frame.size() - 4 - 2));
}

TEST(MessageBus, RoundTripWithAnotherProcess) {
  std::string path = RuntimeFolder() + "bus-test.sock";
  Inbox inbox;
  CMessageBusServer server;
  ASSERT_TRUE(server.Start(path, [&](int peer, const BusMessage& message) {
    std::lock_guard<std::mutex> lock(inbox.mutex);
    inbox.messages.emplace_back(peer, message);
    inbox.changed.notify_all();
  }));

  pid_t child = ::fork();
  if (child == 0) {
    CMessageBusClient client;
    if (!client.Connect(path, "WorkTool")) ::_exit(2);
    BusMessage hello{"{4695579F-999A-41d4-9FAF-EFFCE93EBF18}", 7, -3, {1, 2, 3}};
    if (!client.Send(hello)) ::_exit(3);
    BusMessage reply;
    if (!client.Receive(reply, 5000)) ::_exit(4);
    ::_exit(reply.name == "answer" && reply.data.size() == 1024 ? 0 : 5);
  }

  ASSERT_TRUE(inbox.WaitFor(1));
  auto [peer, message] = inbox.messages[0];
  EXPECT_EQ(message.name, "{4695579F-999A-41d4-9FAF-EFFCE93EBF18}");
  EXPECT_EQ(message.wParam, 7);
  EXPECT_EQ(message.lParam, -3);
  EXPECT_EQ(message.data, (std::vector<uint8_t>{1, 2, 3}));
  BusMessage answer{"answer", 0, 0, std::vector<uint8_t>(1024, 0x5A)};
  EXPECT_TRUE(server.SendToNamed("WorkTool", answer));
  EXPECT_FALSE(server.SendToNamed("Nobody", answer));

  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  server.Stop();
  EXPECT_NE(::access(path.c_str(), F_OK), 0) << "socket file left behind";
}

TEST(MessageBus, BroadcastReachesEveryPeerAndGarbageDropsOnlyTheSender) {
  std::string path = RuntimeFolder() + "bus-broadcast.sock";
  CMessageBusServer server;
  ASSERT_TRUE(server.Start(path, [](int, const BusMessage&) {}));
  CMessageBusClient a, b;
  ASSERT_TRUE(a.Connect(path, "a"));
  ASSERT_TRUE(b.Connect(path));
  int bad = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
  ASSERT_EQ(::connect(bad, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  for (int i = 0; i < 100 && server.PeerCount() != 3; ++i) ::usleep(10000);
  BusMessage garbage{std::string(3, '\xff'), 0, 0, {}};
  std::vector<uint8_t> frame = EncodeBusFrame(garbage);
  frame[0] = 0xFF;  // announces a frame far over the limit
  frame[3] = 0x7F;
  ASSERT_EQ(::send(bad, frame.data(), frame.size(), MSG_NOSIGNAL),
            static_cast<ssize_t>(frame.size()));
  for (int i = 0; i < 100 && server.PeerCount() != 2; ++i) ::usleep(10000);
  EXPECT_EQ(server.PeerCount(), 2);
  EXPECT_EQ(server.Broadcast(BusMessage{"{4695579F-999A-41d4-9FAF-EFFCE93EBF16}", 1, 0, {}}), 2);
  BusMessage got;
  ASSERT_TRUE(a.Receive(got, 2000));
  EXPECT_EQ(got.wParam, 1);
  ASSERT_TRUE(b.Receive(got, 2000));
  ::close(bad);
}

}  // namespace
}  // namespace tarn
