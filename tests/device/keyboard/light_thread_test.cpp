// The light thread: pacing, pause and skip, start and stop, and mode switches
// from another thread while it runs (run under ThreadSanitizer too).
#include "device/keyboard/light_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "device/keyboard/light_engine.h"
#include "platform/debug_output.h"

namespace tarn::keyboard {
namespace {

using namespace std::chrono_literals;

// Collects debug lines for the duration of a test.
class CDebugLines {
 public:
  CDebugLines() {
    SetDebugSink([this](const std::string& line) {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_lines.push_back(line);
    });
  }
  ~CDebugLines() { SetDebugSink({}); }
  std::vector<std::string> Lines() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lines;
  }

 private:
  std::mutex m_mutex;
  std::vector<std::string> m_lines;
};

class LightThreadTest : public ::testing::Test {
 protected:
  LightThreadTest() {
    LightState s;
    s.selectItem = 4;  // colour cycle: one phase per step
    s.light = 4;
    s.speed = 4;
    s.fx = 1;
    engine.ApplyProfile(s, {}, {}, {});
  }
  // Moves the manual clock on until pred holds or the time is up.
  template <typename Pred>
  bool DriveUntil(Pred pred, std::chrono::milliseconds limit = 5s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
      clock.Advance(2);
      if (pred()) return true;
      std::this_thread::sleep_for(1ms);
    }
    return pred();
  }

  CManualClock clock{5000};
  CSeededRandom random{7};
  CKeyboardLightEngine engine{clock, random};
  std::atomic<bool> open{true};
  std::atomic<bool> sync{false};
  CKeyboardLightThread thread{engine, clock, [this] { return open.load(); }, [this] { return sync.load(); }};
};

TEST_F(LightThreadTest, StepsWhileTheClockMovesAndLogsItsEnd) {
  CDebugLines lines;
  thread.Start();
  EXPECT_TRUE(thread.Running());
  EXPECT_TRUE(DriveUntil([&] { return engine.Phase() >= 5; }));
  thread.Stop();
  EXPECT_FALSE(thread.Running());
  const auto all = lines.Lines();
  ASSERT_GE(all.size(), 2u);
  EXPECT_EQ(all[all.size() - 2], "KB灯光线程设定退出");
  EXPECT_EQ(all.back(), "线程退出：：对象处于激发状态");
  // Without the clock moving nothing more happens.
  const uint8_t phase = engine.Phase();
  thread.Start();
  std::this_thread::sleep_for(30ms);
  EXPECT_EQ(engine.Phase(), phase);
  EXPECT_EQ(thread.WorkPasses(), 0u);
}

TEST_F(LightThreadTest, RestartStopsTheRunningThreadFirst) {
  CDebugLines lines;
  thread.Start();
  thread.Start();
  thread.Stop();
  thread.Stop();  // a second stop has nothing to stop
  const auto all = lines.Lines();
  const auto count = [&](const std::string& text) { return std::count(all.begin(), all.end(), text); };
  EXPECT_EQ(count("KB灯光线程设定退出"), 2);
  EXPECT_EQ(count("线程退出：：对象处于激发状态"), 2);
}

TEST_F(LightThreadTest, PausesWhileTheChannelIsClosedAndSkipsDuringSyncLighting) {
  for (std::atomic<bool>* flag : {&open, &sync}) {
    const bool blockingValue = flag == &sync;
    flag->store(blockingValue);
    thread.Start();
    const uint8_t phase = engine.Phase();
    for (int i = 0; i < 40; ++i) {
      clock.Advance(5);
      std::this_thread::sleep_for(1ms);
    }
    EXPECT_EQ(engine.Phase(), phase);
    EXPECT_EQ(thread.WorkPasses(), 0u);
    flag->store(!blockingValue);
    EXPECT_TRUE(DriveUntil([&] { return engine.Phase() != phase; }));
    thread.Stop();
  }
}

TEST_F(LightThreadTest, StopsPromptlyWhilePaused) {
  open = false;
  thread.Start();
  std::this_thread::sleep_for(20ms);
  const auto before = std::chrono::steady_clock::now();
  thread.Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - before, 500ms);
}

// Mode switches, list reloads, audio input and frame reads from other threads
// while the light thread runs on the real clock; restarts under load.
TEST(LightThreadLoad, ModeSwitchesWhileRunning) {
  CSeededRandom random{3};
  CKeyboardLightEngine engine{SystemClock(), random};
  CKeyboardLightThread thread{engine, SystemClock(), [] { return true; }, [] { return false; }};
  thread.Start();
  std::atomic<bool> done{false};
  std::thread reader([&] {
    uint32_t sum = 0;
    while (!done) {
      const light::LedSnapshot snap = engine.Leds().Snapshot();
      for (const LightColor& c : snap) sum += c.alpha;
      std::this_thread::yield();
    }
    EXPECT_GE(sum, 0u);
  });
  std::thread audio([&] {
    std::array<int32_t, 500> values{};
    int32_t n = 0;
    while (!done) {
      values.fill(n++ % 3000);
      engine.OnAudioSpectrum(values.data(), 500);
      engine.OnAudioLevels(values.data(), 6);
      engine.SetKeyMark(static_cast<unsigned>(n) % kLedCount, static_cast<uint8_t>(n % 3));
      std::this_thread::sleep_for(1ms);
    }
  });
  LightListEntry key;
  key.regMode = 2;
  key.present = 1;
  LightEffectStep effect;
  effect.regMode = 4;
  effect.time = 3;
  const auto end = std::chrono::steady_clock::now() + 1500ms;
  for (int i = 0; std::chrono::steady_clock::now() < end; ++i) {
    LightState s;
    s.selectItem = static_cast<uint8_t>(i % 32);
    s.light = static_cast<uint8_t>(i % 5);
    s.speed = 4;
    s.fx = static_cast<uint8_t>(i % 2);
    s.multiColor = static_cast<uint8_t>((i / 2) % 2);
    AudioLightState a;
    a.audioMode = static_cast<uint8_t>(i % 7);
    engine.ApplyProfile(s, a, std::vector<LightListEntry>(static_cast<std::size_t>(i % 170), key),
                        std::vector<LightEffectStep>(static_cast<std::size_t>(i % 4), effect));
    engine.FillCustomColours(i % 2 == 0);
    engine.SetKeyColour(static_cast<unsigned>(i) % kLedCount);
    if (i % 50 == 0) thread.Start();  // restart under load
    std::this_thread::sleep_for(2ms);
  }
  done = true;
  reader.join();
  audio.join();
  thread.Stop();
  EXPECT_FALSE(thread.Running());
}

}  // namespace
}  // namespace tarn::keyboard
