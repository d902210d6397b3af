#include "platform/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/paths.h"

namespace tarn {
namespace {

std::string TestFolder(const std::string& name) {
  std::string folder = std::string(std::getenv("TARN_TEST_HOME")) + "/" + name + "/";
  EnsureFolder(folder);
  return folder;
}

TEST(SettingsFile, RoundTripAndTypedReads) {
  std::string path = TestFolder("settings") + "sub/main.ini";
  ::unlink(path.c_str());
  CSettingsFile file(path);
  EXPECT_FALSE(file.Load());
  file.Set("Tarn", "LANGUAGE", "1");
  file.Set("skin", "bk", "line\nbreak");
  ASSERT_TRUE(file.Save());

  CSettingsFile again(path);
  ASSERT_TRUE(again.Load());
  EXPECT_EQ(again.GetInt("Tarn", "LANGUAGE", -1), 1);
  EXPECT_EQ(again.GetString("skin", "bk"), "linebreak");
  EXPECT_EQ(again.GetInt("Tarn", "missing", 7), 7);
  again.Set("Tarn", "bad", "12abc");
  EXPECT_EQ(again.GetInt("Tarn", "bad", 3), 3);
}

TEST(SettingsFile, FailedAtomicWriteReportsItAndLeavesNoTemporary) {
  std::string folder = TestFolder("failing");
  // A folder where the file should be: the rename fails, the folder stays.
  EnsureFolder(folder + "target");
  EXPECT_FALSE(WriteFileAtomically(folder + "target", "new"));
  EXPECT_TRUE(FolderExists(folder + "target"));
  std::string listing;
  FILE* ls = ::popen(("ls " + folder).c_str(), "r");
  char buffer[256];
  while (fgets(buffer, sizeof buffer, ls)) listing += buffer;
  ::pclose(ls);
  EXPECT_EQ(listing, "target\n");
}

TEST(SettingsFile, AtomicWriteReplacesAndLeavesNoTemporaries) {
  std::string folder = TestFolder("atomic");
  std::string path = folder + "file.txt";
  ASSERT_TRUE(WriteFileAtomically(path, "first"));
  ASSERT_TRUE(WriteFileAtomically(path, "second"));
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(path, bytes));
  EXPECT_EQ(bytes, "second");
  std::string listing;
  FILE* ls = ::popen(("ls " + folder).c_str(), "r");
  char buffer[256];
  while (fgets(buffer, sizeof buffer, ls)) listing += buffer;
  ::pclose(ls);
  EXPECT_EQ(listing, "file.txt\n");
}

TEST(Paths, JoinReadsBackslashesAsSlashes) {
  EXPECT_EQ(JoinPath("/a/b", "XML\\DeviceXml\\keyboarddevice.xml"), "/a/b/XML/DeviceXml/keyboarddevice.xml");
  EXPECT_EQ(JoinPath("/a/b/", "c"), "/a/b/c");
  EXPECT_EQ(UserDataFolder().back(), '/');
}

}  // namespace
}  // namespace tarn
