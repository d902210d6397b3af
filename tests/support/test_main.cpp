// Test entry point: every test process gets private user, settings and
// runtime folders under a fresh temporary folder, the source tree as its
// program folder and Qt's offscreen platform, however it is started.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#ifndef TARN_SOURCE_DIR
#error "TARN_SOURCE_DIR must name the source tree"
#endif

int main(int argc, char** argv) {
  std::string base = std::string(getenv("TMPDIR") ? getenv("TMPDIR") : "/tmp") + "/tarn-test-XXXXXX";
  if (mkdtemp(base.data()) == nullptr) return 2;
  setenv("TARN_TEST_HOME", base.c_str(), 1);
  setenv("XDG_DATA_HOME", (base + "/data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (base + "/config").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (base + "/run").c_str(), 1);
  setenv("TARN_DATA_DIR", TARN_SOURCE_DIR, 0);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  testing::InitGoogleTest(&argc, argv);
  int result = RUN_ALL_TESTS();
  std::string remove = "rm -rf '" + base + "'";
  if (system(remove.c_str()) != 0) return result == 0 ? 3 : result;
  return result;
}
