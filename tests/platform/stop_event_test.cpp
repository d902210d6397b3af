#include "platform/stop_event.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace tarn {
namespace {

TEST(StopEvent, ManualResetWakesEveryWaiterAndStaysSet) {
  CStopEvent event;
  EXPECT_FALSE(event.IsSet());
  EXPECT_FALSE(event.Wait(10));
  bool first = false, second = false;
  std::thread a([&] { first = event.Wait(-1); });
  std::thread b([&] { second = event.Wait(5000); });
  event.Set();
  a.join();
  b.join();
  EXPECT_TRUE(first);
  EXPECT_TRUE(second);
  EXPECT_TRUE(event.IsSet());
  event.Set();
  event.Reset();
  EXPECT_FALSE(event.IsSet());
}

TEST(StopEvent, ShortWaitsReallyWait) {
  CStopEvent event;
  auto start = std::chrono::steady_clock::now();
  int returns = 0;
  while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(50)) {
    event.Wait(1);
    ++returns;
  }
  // A 1 ms wait that returned at once would come back many thousand times.
  EXPECT_LE(returns, 60);
}

}  // namespace
}  // namespace tarn
