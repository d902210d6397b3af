#include "app/notify_router.h"

#include <gtest/gtest.h>

#include "tests/ui/ui_test_support.h"
#include "ui/basic_controls.h"

namespace tarn {
namespace {

TEST(NotifyRouter, FullNameFirstThenPrefixAndNumber) {
  test::App();
  std::vector<std::string> seen;
  CNotifyRouter router;
  router.OnName("click", "closebtn", [&](TNotifyUI&) { seen.push_back("close"); });
  router.OnName("click", "macro_inset_moveleftkey_btn", [&](TNotifyUI&) { seen.push_back("left"); }, true);
  router.OnName("click", "key_3", [&](TNotifyUI&) { seen.push_back("key three by name"); });
  router.OnPrefix("click", "key_", [&](TNotifyUI&, int n) { seen.push_back("key " + std::to_string(n)); });
  router.OnPrefix("click", "DPI_color_option_", [&](TNotifyUI&, int n) { seen.push_back("dpi " + std::to_string(n)); });
  router.OnPrefix("click", "color_option_", [&](TNotifyUI&, int n) { seen.push_back("colour " + std::to_string(n)); });
  router.OnPrefix("selectchanged", "polling_rate_option_",
                  [&](TNotifyUI&, int n) { seen.push_back("rate " + std::to_string(n)); });

  struct Case {
    const char* type;
    const char* name;
    const char* expected;  // "" = not routed
  } cases[] = {
      {"click", "CloseBtn", "close"},
      {"click", "macro_inset_moveleftkey_btn", "left"},
      {"click", "Macro_Inset_MoveLeftKey_Btn", ""},  // this one compares with case
      {"click", "key_3", "key three by name"},
      {"click", "KEY_12", "key 12"},
      {"click", "key_", ""},
      {"click", "DPI_color_option_2", "dpi 2"},
      {"click", "color_option_2", "colour 2"},
      {"click", "xcolor_option_2", ""},  // a prefix matches whole, never as a tail
      {"click", "key_000000000000000000000000000007", ""},  // 30 digits: no number
      {"click", "key_2147483648", ""},
      {"click", "key_999999999", "key 999999999"},
      {"selectchanged", "polling_rate_option_3", "rate 3"},
      {"click", "polling_rate_option_3", ""},
      {"selectchanged", "closebtn", ""},
  };
  for (const auto& c : cases) {
    CButtonUI sender;
    sender.SetName(c.name);
    TNotifyUI msg{c.type, &sender, 0, 0};
    seen.clear();
    bool routed = router.Route(msg);
    EXPECT_EQ(routed, c.expected[0] != '\0') << c.type << " " << c.name;
    EXPECT_EQ(seen.empty() ? "" : seen[0], c.expected) << c.type << " " << c.name;
  }
  TNotifyUI anonymous{"click", nullptr, 0, 0};
  EXPECT_FALSE(router.Route(anonymous));
}

}  // namespace
}  // namespace tarn
