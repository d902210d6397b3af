#include "device/worker_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/debug_output.h"

namespace tarn {
namespace {

// The debug output drops a line's trailing newline.
std::string Line(const char* text) {
  std::string line(text);
  while (!line.empty() && line.back() == '\n') line.pop_back();
  return line;
}

class WorkerThreadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDebugSink([this](const std::string& line) {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_lines.push_back(line);
    });
  }
  void TearDown() override { SetDebugSink(nullptr); }
  std::vector<std::string> Lines() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lines;
  }
  std::mutex m_mutex;
  std::vector<std::string> m_lines;
};

TEST_F(WorkerThreadTest, StopEndsALoopOnItsEventAndSaysSo) {
  CWorkerThread thread;
  std::atomic<int> passes{0};
  thread.Start([&](const CStopEvent& stop) {
    while (!stop.Wait(1)) ++passes;
  });
  while (passes < 3) std::this_thread::yield();
  EXPECT_TRUE(thread.IsRunning());
  EXPECT_TRUE(thread.Stop(1000));
  EXPECT_FALSE(thread.IsRunning());
  EXPECT_EQ(Lines(), std::vector<std::string>{Line(CWorkerThread::kEndedLine)});
  EXPECT_TRUE(thread.Stop(1000));  // stopping a stopped thread says nothing
  EXPECT_EQ(Lines().size(), 1u);

  // It starts again with the event reset.
  passes = 0;
  thread.Start([&](const CStopEvent& stop) {
    while (!stop.Wait(1)) ++passes;
  });
  while (passes < 3) std::this_thread::yield();
  EXPECT_TRUE(thread.Stop(1000));
}

TEST_F(WorkerThreadTest, ThreadThatOverrunsItsWaitIsReportedAndWaitedFor) {
  CWorkerThread thread;
  std::atomic<bool> finished{false};
  thread.Start([&](const CStopEvent& stop) {
    stop.Wait(-1);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // ignores the stop for a while
    finished = true;
  });
  EXPECT_FALSE(thread.Stop(20));
  EXPECT_EQ(Lines(), std::vector<std::string>{Line(CWorkerThread::kTimedOutLine)});
  EXPECT_TRUE(finished);  // not killed: it ran to its end before Stop returned
}

TEST_F(WorkerThreadTest, ThreadCanAskToStopItself) {
  CWorkerThread thread;
  std::atomic<bool> asked{false};
  thread.Start([&](const CStopEvent& stop) {
    EXPECT_FALSE(thread.Stop(500));  // must neither block nor throw
    asked = true;
    EXPECT_TRUE(stop.IsSet());
  });
  while (!asked) std::this_thread::yield();
  EXPECT_TRUE(thread.Stop(1000));
}

TEST_F(WorkerThreadTest, StartingAgainStopsTheRunningThreadFirst) {
  CWorkerThread thread;
  std::atomic<int> running{0};
  std::atomic<int> maxRunning{0};
  auto body = [&](const CStopEvent& stop) {
    int now = ++running;
    maxRunning = std::max(maxRunning.load(), now);
    while (!stop.Wait(1)) {
    }
    --running;
  };
  thread.Start(body);
  thread.Start(body);
  thread.Start(body);
  EXPECT_TRUE(thread.Stop(1000));
  EXPECT_EQ(maxRunning.load(), 1);
  EXPECT_EQ(Lines().size(), 3u);
}

}  // namespace
}  // namespace tarn
