#pragma once
// Small file helpers for the profile tests: a fresh folder per test and raw
// reads and writes that bypass the code under test.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tarn::test {

inline std::string ScratchFolder() {
  static std::atomic<int> counter{0};
  const char* home = std::getenv("TARN_TEST_HOME");
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "_" + info->name() : "scratch";
  for (char& c : name)
    if (c == '/') c = '_';
  std::string folder = std::string(home ? home : "/tmp") + "/" + name + "_" + std::to_string(counter++) + "/";
  std::filesystem::create_directories(folder);
  return folder;
}

inline void WriteText(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline std::string SourcePath(const std::string& relative) { return std::string(TARN_SOURCE_DIR) + "/" + relative; }

}  // namespace tarn::test
