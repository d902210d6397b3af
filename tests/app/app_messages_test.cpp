// Message names on the bus: a message is known by its registered name only.
#include <gtest/gtest.h>

#include "app/app_messages.h"
#include "app/bus_bridge.h"
#include "platform/message_bus.h"
#include "platform/paths.h"
#include "tests/ui/ui_test_support.h"

namespace tarn {
namespace {

TEST(AppMessages, RegistryGivesStableIdsInTheRegisteredRange) {
  auto& registry = CMessageRegistry::Instance();
  RegisterHookMessages();
  RegisterToolMessages();
  const AppMessageIds& ids = AppMessages();
  std::vector<uint32_t> tools = {ids.tool15, ids.tool16, ids.tool17, ids.tool18, ids.tool19};
  for (size_t i = 0; i < tools.size(); ++i) {
    EXPECT_GE(tools[i], kFirstRegisteredMessage);
    EXPECT_LE(tools[i], kLastRegisteredMessage);
    if (i > 0) {
      EXPECT_EQ(tools[i], tools[i - 1] + 1) << "registered in the order 15 to 19";
    }
  }
  EXPECT_EQ(registry.Find(kToolMessage19Name), ids.tool19);
  EXPECT_EQ(registry.NameOf(ids.tool19), "{4695579F-999A-41d4-9FAF-EFFCE93EBE19}");
  EXPECT_EQ(registry.Find("{4695579F-999A-41d4-9FAF-EFFCE93EBF19}"), 0u);
  // Names fold case as registered window messages did, nothing more.
  EXPECT_EQ(registry.Find("{4695579F-999A-41D4-9FAF-EFFCE93EBE19}"), ids.tool19);
  EXPECT_EQ(registry.RegisterMessage("Game_Start"), registry.Find("GAME_START"));
  EXPECT_NE(registry.Find("WM_HOOK_MOU_MSMACRO_MSG"), 0u);
  EXPECT_EQ(registry.RegisterMessage(""), 0u);
  uint32_t fresh = registry.RegisterMessage("test_message_once");
  EXPECT_EQ(registry.RegisterMessage("TEST_MESSAGE_ONCE"), fresh);
}

TEST(AppMessages, BusPeerReachesOnlyRegisteredNames) {
  test::App();
  RegisterToolMessages();
  uint32_t activation = CMessageRegistry::Instance().RegisterMessage(kActivationMessageName);
  EnsureFolder(RuntimeFolder());
  std::string path = RuntimeFolder() + "names.bus";

  struct Got {
    uint32_t id;
    int64_t w, l;
  };
  std::vector<Got> got;
  CBusBridge bridge;
  ASSERT_TRUE(bridge.Start(path, [&got](uint32_t id, const BusMessage& m, int) { got.push_back({id, m.wParam, m.lParam}); }));
  CMessageBusClient peer;
  ASSERT_TRUE(peer.Connect(path, "WorkTool"));

  struct Case {
    const char* name;
    uint32_t expected;  // 0: must not arrive
  } cases[] = {
      {"{4695579F-999A-41d4-9FAF-EFFCE93EBF19}", 0},
      {"{4695579F-999A-41d4-9FAF-EFFCE93EBE19}", AppMessages().tool19},
      {"{4695579F-999A-41d4-9FAF-EFFCE93EBF17}", AppMessages().tool17},
      {"Tarn", activation},
      {"Tarnx", 0},
      {"", 0},
  };
  int64_t n = 0;
  for (const auto& c : cases) {
    got.clear();
    ++n;
    ASSERT_TRUE(peer.Send({c.name, n, -n, {}}));
    // A marker after each message: once it is in, the message before it was too.
    ASSERT_TRUE(peer.Send({"Tarn", 1000 + n, 0, {}}));
    ASSERT_TRUE(test::WaitFor([&got, n] { return !got.empty() && got.back().w == 1000 + n; }));
    if (c.expected == 0) {
      EXPECT_EQ(got.size(), 1u) << c.name;
    } else {
      ASSERT_EQ(got.size(), 2u) << c.name;
      EXPECT_EQ(got[0].id, c.expected) << c.name;
      EXPECT_EQ(got[0].w, n);
      EXPECT_EQ(got[0].l, -n);
    }
  }
  bridge.Stop();
  // Nothing is delivered after Stop, even what was queued.
  got.clear();
  test::Pump(20);
  EXPECT_TRUE(got.empty());
}

}  // namespace
}  // namespace tarn
