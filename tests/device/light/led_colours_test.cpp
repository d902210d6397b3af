#include "device/light/led_colours.h"

#include <gtest/gtest.h>

#include <thread>

namespace tarn::light {
namespace {

TEST(LedColours, StoresEntriesAndIgnoresBadIndex) {
  CLedColours leds;
  leds.Set(0, {1, 2, 3, 4});
  leds.Set(169, {250, 251, 252, 253});
  leds.Set(170, {9, 9, 9, 9});
  EXPECT_EQ(leds.Get(0), (LightColor{1, 2, 3, 4}));
  EXPECT_EQ(leds.Get(169), (LightColor{250, 251, 252, 253}));
  EXPECT_EQ(leds.Get(170), LightColor{});
  const LedSnapshot snap = leds.Snapshot();
  EXPECT_EQ(snap[169], (LightColor{250, 251, 252, 253}));
  leds.Clear();
  EXPECT_EQ(leds.Get(0), LightColor{});
}

TEST(LedColours, ReaderNeverSeesATornEntry) {
  // The writer alternates two entries whose four bytes all differ; a reader
  // must only ever see one of them whole.
  CLedColours leds;
  const LightColor a{10, 20, 30, 40};
  const LightColor b{200, 210, 220, 230};
  leds.Set(5, a);
  std::atomic<bool> stop{false};
  std::thread writer([&] {
    for (int i = 0; i < 200000 && !stop; ++i) leds.Set(5, (i & 1) ? a : b);
  });
  for (int i = 0; i < 200000; ++i) {
    const LightColor c = leds.Get(5);
    ASSERT_TRUE(c == a || c == b);
  }
  stop = true;
  writer.join();
}

}  // namespace
}  // namespace tarn::light
