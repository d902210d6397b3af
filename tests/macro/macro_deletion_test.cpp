#include "macro/macro_deletion.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "macro/macro_event.h"
#include "platform/paths.h"
#include "platform/settings_file.h"
#include "profile/json_file.h"

namespace tarn {
namespace {

constexpr int kKey = 0x200004;  // default of every key: A

// A profile whose keys run the given macros (-1: a plain key).
std::string ProfileText(std::initializer_list<int> macros) {
  std::string keys;
  for (int m : macros) {
    const int assignment = m < 0 ? 0x200005 : 0x700000 + m * 256 + 1;
    keys += std::string(keys.empty() ? "" : ",") + R"({"Assignment": )" + std::to_string(assignment) +
            R"(, "DefaultAssignment": )" + std::to_string(kKey) + "}";
  }
  return R"({"Device": [{"KeyList": [)" + keys + R"(]}], "profilename": "p"})";
}

std::vector<int> Assignments(const std::string& path) {
  std::vector<int> out;
  const Json::Value keys = ReadJsonFile(path)["Device"][0]["KeyList"];
  for (const Json::Value& k : keys) out.push_back(k["Assignment"].asInt());
  return out;
}

class MacroDeletionTest : public testing::Test {
 protected:
  void SetUp() override {
    m_folder = std::string(std::getenv("TARN_TEST_HOME")) + "/deletion/";
    ASSERT_TRUE(EnsureFolder(m_folder));
    m_list = std::make_unique<CMacroList>(m_folder);
    for (int i = 0; i < 3; ++i) m_list->Add();
    for (size_t n = 0; n < 3; ++n) {
      ASSERT_TRUE(m_list->SaveEvents(n, {MakeMacroEvent(kMacroKey, true, static_cast<uint8_t>(4 + n), 0)}));
    }
  }

  std::string Write(const std::string& name, const std::string& text) {
    const std::string path = m_folder + name;
    EXPECT_TRUE(WriteFileAtomically(path, text));
    return path;
  }

  std::string m_folder;
  std::unique_ptr<CMacroList> m_list;
};

TEST_F(MacroDeletionTest, DeletingMacroOneOfThreeRepairsEveryProfile) {
  const std::string current = Write("current.Json", ProfileText({0, 1, 2, -1}));
  const std::string other = Write("other.Json", ProfileText({2, 1, 1}));
  const std::string untouched = Write("untouched.Json", ProfileText({0, -1}));
  std::string untouchedBefore;
  ASSERT_TRUE(ReadWholeFile(untouched, untouchedBefore));

  CBasicProfiledata document;
  document.SetProfilePath(current);
  document.Load();
  const MacroDeletionOutcome outcome =
      DeleteMacroAndRepairKeys(*m_list, document, {other, untouched, current}, 1);
  EXPECT_TRUE(outcome.deleted);
  EXPECT_TRUE(outcome.currentChanged);
  EXPECT_EQ(outcome.profilesWritten, 2u);
  EXPECT_EQ(outcome.writeFailures, 0u);

  EXPECT_EQ(Assignments(current), (std::vector<int>{0x700001, kKey, 0x700101, 0x200005}));
  EXPECT_EQ(Assignments(other), (std::vector<int>{0x700101, kKey, kKey}));
  std::string untouchedAfter;
  ASSERT_TRUE(ReadWholeFile(untouched, untouchedAfter));
  EXPECT_EQ(untouchedAfter, untouchedBefore);  // no key changed: not written

  CMacroList reloaded(m_folder);
  reloaded.Load();
  ASSERT_EQ(reloaded.Count(), 2u);
  EXPECT_EQ(reloaded.ReadEvents(1).events[0]["Button"].asInt(), 6);  // the former macro 2
}

TEST_F(MacroDeletionTest, NoSuchMacroChangesNothing) {
  const std::string current = Write("current.Json", ProfileText({0, 2}));
  CBasicProfiledata document;
  document.SetProfilePath(current);
  document.Load();
  const MacroDeletionOutcome outcome = DeleteMacroAndRepairKeys(*m_list, document, {}, 3);
  EXPECT_FALSE(outcome.deleted);
  EXPECT_FALSE(outcome.currentChanged);
  EXPECT_EQ(Assignments(current), (std::vector<int>{0x700001, 0x700201}));
  EXPECT_EQ(m_list->Count(), 3u);
}

}  // namespace
}  // namespace tarn
