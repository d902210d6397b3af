#include "platform/debug_output.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace tarn {
namespace {

TEST(DebugOutput, SilentOnStderrUnlessAsked) {
  ::unsetenv("TARN_DEBUG");
  ReloadDebugSetting();
  testing::internal::CaptureStderr();
  DebugOutput("hidden line");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_FALSE(DebugOutputActive());

  ::setenv("TARN_DEBUG", "1", 1);
  ReloadDebugSetting();
  testing::internal::CaptureStderr();
  DebugOutputF("软件标示：%d", 49320);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "软件标示：49320\n");
  ::unsetenv("TARN_DEBUG");
  ReloadDebugSetting();
}

TEST(DebugOutput, SinkReceivesLinesWithoutTrailingNewlines) {
  std::vector<std::string> lines;
  SetDebugSink([&](const std::string& line) { lines.push_back(line); });
  DebugOutput("one\n");
  DebugOutputF("%s %d", "two", 2);
  SetDebugSink({});
  DebugOutput("after removal");
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two 2"}));
}

}  // namespace
}  // namespace tarn
