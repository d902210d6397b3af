// The profile list: its naming rules, limits and file effects, and how it
// copes with a list file that was damaged or written by someone else.
#include "profile/profile_list.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "profile/json_file.h"
#include "tests/profile/scratch.h"

namespace tarn {
namespace {

using test::ReadText;
using test::ScratchFolder;
using test::WriteText;

class ProfileListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_root = ScratchFolder();
    m_user = m_root + "user/";
    std::filesystem::create_directories(m_user);
    m_default = m_root + "default.Json";
    Json::Value def(Json::objectValue);
    def["profilename"] = "default";
    def["profileUUID"] = "0";
    def["Device"][0]["LightInfo"]["Light"] = 4;
    def["Device"][0]["CustomEQNameInfo"] = "factory";
    ASSERT_EQ(WriteJsonFile(def, m_default), 0);
    m_list.SetDeviceType(1);
    m_list.SetFolders(m_user, m_default);
    // Predictable, distinct UUIDs in creation order.
    m_list.SetUuidSource([this] { return "2024_01_01_00_00_00_" + std::to_string(100 + m_next++); });
  }
  Json::Value ListFile() { return ReadJsonFile(m_user + "ProfileList.ini"); }
  void WriteListFile(const std::string& text) { WriteText(m_user + "ProfileList.ini", text); }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const auto& e : m_list.Entries()) names.push_back(e.name);
    return names;
  }
  // Entries with the given names, through the list's own operations.
  void MakeProfiles(const std::vector<std::string>& names) {
    ASSERT_TRUE(m_list.Load());
    ASSERT_EQ(m_list.Rename(0, names[0]), kRenameDone);
    for (size_t i = 1; i < names.size(); ++i) {
      int index = m_list.Add();
      ASSERT_GE(index, 0);
      ASSERT_EQ(m_list.Rename(index, names[i]), kRenameDone);
    }
  }

  std::string m_root, m_user, m_default;
  int m_next = 0;
  CProfileList m_list;
};

TEST_F(ProfileListTest, FreshFolderGetsProfile1MadeFromTheDefault) {
  ASSERT_TRUE(m_list.Load());
  ASSERT_EQ(m_list.Count(), 1);
  EXPECT_EQ(m_list.Entries()[0].name, "profile1");
  EXPECT_EQ(m_list.GetSelectedUUID(), "2024_01_01_00_00_00_100");
  Json::Value list = ListFile();
  EXPECT_EQ(list["profileselect"].asInt(), 0);
  EXPECT_EQ(list["profilelist"][0]["profileUUID"].asString(), "2024_01_01_00_00_00_100");
  EXPECT_EQ(list["profilelist"][0]["profileislink"].asInt(), 0);
  EXPECT_EQ(list["profilelist"][0]["profilelinkmame"].asString(), "");
  Json::Value profile = ReadJsonFile(m_list.ProfileFilePath(0));
  EXPECT_EQ(profile["profilename"].asString(), "profile1");
  EXPECT_EQ(profile["profileUUID"].asString(), "2024_01_01_00_00_00_100");
  EXPECT_EQ(profile["Device"][0]["LightInfo"]["Light"].asInt(), 4);
}

TEST_F(ProfileListTest, NamingRules) {
  struct Case {
    std::vector<std::string> present;
    std::string op;  // "add", "copy" (of the first), "import Game.json"
    std::string expected;
  } cases[] = {
      {{"profile1", "Profile3"}, "add", "profile2"},
      {{"profile1", "PROFILE2"}, "add", "profile3"},
      {{"A", "A copy"}, "copy", "A copy copy"},
      {{"A", "a COPY", "A copy copy"}, "copy", "A copy copy copy"},
      {{"x"}, "import", "Game"},
      {{"x", "game"}, "import", "Game(1)"},
      {{"x", "Game", "Game(1)"}, "import", "Game(1)(2)"},
  };
  for (const Case& c : cases) {
    SetUp();
    MakeProfiles(c.present);
    int index = -1;
    if (c.op == "add") index = m_list.Add();
    if (c.op == "copy") index = m_list.Copy(0);
    if (c.op == "import") {
      Json::Value doc(Json::objectValue);
      doc["profilename"] = "inside";
      doc["profileUUID"] = "whatever";
      WriteJsonFile(doc, m_root + "Game.json");
      index = m_list.Import(m_root + "Game.json");
    }
    ASSERT_GE(index, 0) << c.expected;
    EXPECT_EQ(m_list.Entries()[static_cast<size_t>(index)].name, c.expected);
    EXPECT_EQ(ReadJsonFile(m_list.ProfileFilePath(index))["profilename"].asString(), c.expected);
  }
}

TEST_F(ProfileListTest, AddStopsAtFiftyButCopyAndImportDoNot) {
  ASSERT_TRUE(m_list.Load());
  for (int i = 1; i < 50; ++i) ASSERT_GE(m_list.Add(), 0) << i;
  EXPECT_EQ(m_list.Count(), 50);
  EXPECT_EQ(m_list.Add(), -1);
  EXPECT_EQ(m_list.Count(), 50);
  EXPECT_EQ(m_list.Copy(3), 50);
  WriteJsonFile(ReadJsonFile(m_list.ProfileFilePath(0)), m_root + "Game.json");
  EXPECT_EQ(m_list.Import(m_root + "Game.json"), 51);
  EXPECT_EQ(JsonArraySize(ListFile()["profilelist"]), 52u);
}

TEST_F(ProfileListTest, AddLeavesTheStoredSelectionAlone) {
  MakeProfiles({"a", "b"});
  ASSERT_TRUE(m_list.Select(0));
  ASSERT_EQ(m_list.Add(), 2);
  EXPECT_EQ(ListFile()["profileselect"].asInt(), 0);
  EXPECT_EQ(m_list.GetSelected(), 0);
  EXPECT_EQ(m_list.GetSelectedUUID(), m_list.Entries()[0].uuid);
}

TEST_F(ProfileListTest, DeleteNeedsTwoAndRecordsTheNeighbour) {
  ASSERT_TRUE(m_list.Load());
  EXPECT_FALSE(m_list.Delete(0));
  EXPECT_EQ(m_list.Count(), 1);
  EXPECT_TRUE(std::filesystem::exists(m_list.ProfileFilePath(0)));

  m_list.Add();
  m_list.Add();
  struct Case {
    int deleted;
    int recorded;
  } cases[] = {{0, 0}, {1, 0}};
  for (const Case& c : cases) {
    std::string gone = m_list.ProfileFilePath(c.deleted);
    ASSERT_TRUE(m_list.Select(c.deleted));
    ASSERT_TRUE(m_list.Delete(c.deleted));
    EXPECT_FALSE(std::filesystem::exists(gone));
    EXPECT_EQ(ListFile()["profileselect"].asInt(), c.recorded);
  }
  EXPECT_EQ(m_list.Count(), 1);
}

TEST_F(ProfileListTest, DeletingAProfileWhoseFileIsGoneStillRemovesIt) {
  MakeProfiles({"a", "b"});
  std::filesystem::remove(m_list.ProfileFilePath(1));
  EXPECT_TRUE(m_list.Delete(1));
  EXPECT_EQ(Names(), std::vector<std::string>{"a"});
}

TEST_F(ProfileListTest, RenameResults) {
  MakeProfiles({"Alpha", "Beta"});
  ASSERT_TRUE(m_list.Select(0));
  struct Case {
    std::string name;
    int result;
    std::string stored;
  } cases[] = {
      {"  ", kRenameBlank, "Alpha"},
      {"\t", kRenameBlank, "Alpha"},
      {"beta", kRenameTaken, "Alpha"},
      {"ALPHA", kRenameDone, "ALPHA"},
      {" Gamma ", kRenameDone, " Gamma "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(m_list.Rename(0, c.name), c.result) << c.name;
    EXPECT_EQ(ListFile()["profilelist"][0]["profilename"].asString(), c.stored);
    EXPECT_EQ(ReadJsonFile(m_list.ProfileFilePath(0))["profilename"].asString(), c.stored);
  }
}

TEST_F(ProfileListTest, CopyCarriesSettingsExportWritesTheProfileAsLoaded) {
  MakeProfiles({"A"});
  Json::Value changed = ReadJsonFile(m_list.ProfileFilePath(0));
  changed["Device"][0]["LightInfo"]["Light"] = 1;
  WriteJsonFile(changed, m_list.ProfileFilePath(0));
  int copy = m_list.Copy(0);
  Json::Value copied = ReadJsonFile(m_list.ProfileFilePath(copy));
  EXPECT_EQ(copied["Device"][0]["LightInfo"]["Light"].asInt(), 1);
  EXPECT_EQ(copied["profileUUID"].asString(), m_list.Entries()[1].uuid);

  ASSERT_TRUE(m_list.Export(0, m_root + "out.json"));
  Json::Value out = ReadJsonFile(m_root + "out.json");
  EXPECT_EQ(out["profilename"].asString(), "A");
  EXPECT_EQ(out["Device"][0]["LightInfo"]["Light"].asInt(), 1);

  // A profile whose file does not read exports (and copies) as the default
  // profile under its own name, never as null.
  WriteText(m_list.ProfileFilePath(0), "{ broken");
  ASSERT_TRUE(m_list.Export(0, m_root + "broken.json"));
  Json::Value fallback = ReadJsonFile(m_root + "broken.json");
  ASSERT_TRUE(fallback.isObject());
  EXPECT_EQ(fallback["profilename"].asString(), "A");
  EXPECT_EQ(fallback["Device"][0]["LightInfo"]["Light"].asInt(), 4);
  int second = m_list.Copy(0);
  EXPECT_EQ(ReadJsonFile(m_list.ProfileFilePath(second))["Device"][0]["LightInfo"]["Light"].asInt(), 4);
}

TEST_F(ProfileListTest, ImportTakesTheFileNameAndRefusesOtherDocuments) {
  ASSERT_TRUE(m_list.Load());
  WriteText(m_root + "NoUuid.json", R"({"profilename":"x"})");
  WriteText(m_root + "Array.json", "[1,2]");
  EXPECT_EQ(m_list.Import(m_root + "NoUuid.json"), -1);
  EXPECT_EQ(m_list.Import(m_root + "Array.json"), -1);
  EXPECT_EQ(m_list.Count(), 1);
}

TEST_F(ProfileListTest, ResetKeepsOnlyAHeadsetsEqualiser) {
  for (int type : {1, 7}) {
    SetUp();
    m_list.SetDeviceType(type);
    MakeProfiles({"mine"});
    Json::Value doc = ReadJsonFile(m_list.ProfileFilePath(0));
    doc["Device"][0]["CustomEQNameInfo"] = "my names";
    doc["Device"][0]["CustomEQHzValueInfo"] = "my curve";
    doc["Device"][0]["LightInfo"]["Light"] = 0;
    WriteJsonFile(doc, m_list.ProfileFilePath(0));
    ASSERT_TRUE(m_list.Reset(0));
    Json::Value reset = ReadJsonFile(m_list.ProfileFilePath(0));
    EXPECT_EQ(reset["profilename"].asString(), "mine");
    EXPECT_EQ(reset["Device"][0]["LightInfo"]["Light"].asInt(), 4);
    EXPECT_EQ(reset["Device"][0]["CustomEQNameInfo"].asString(), type == 7 ? "my names" : "factory");
    EXPECT_EQ(reset["Device"][0]["CustomEQHzValueInfo"].asString(), type == 7 ? "my curve" : "");
  }
}

TEST_F(ProfileListTest, StoredSelectionOutsideTheListOrOfWrongTypeSelectsTheFirst) {
  for (const char* select : {"5", "-1", "\"1\"", "1.5e3", "true", "[1]"}) {
    SetUp();
    WriteListFile(std::string(R"({"profilelist":[{"profilename":"a","profileUUID":"u1"},)"
                              R"({"profilename":"b","profileUUID":"u2"}],"profileselect":)") +
                  select + "}");
    ASSERT_TRUE(m_list.Load()) << select;
    EXPECT_EQ(m_list.GetSelected(), 0) << select;
    EXPECT_EQ(m_list.GetSelectedUUID(), "u1") << select;
  }
  WriteListFile(R"({"profilelist":[{"profilename":"a","profileUUID":"u1"},)"
                R"({"profilename":"b","profileUUID":"u2"}],"profileselect":1})");
  ASSERT_TRUE(m_list.Load());
  EXPECT_EQ(m_list.GetSelectedUUID(), "u2");
}

TEST_F(ProfileListTest, UnsafeOrMissingUuidsGetFreshOnesAndNothingLeavesTheFolder) {
  // A file beside the user folder that a crafted list would point at.
  WriteText(m_root + "victim.Json", R"({"keep":1})");
  const std::string uuids[] = {R"("../victim")", R"("")", R"("a/b")", R"("a\\b")", R"("x\u0001y")", "7", "null",
                               R"("..")",        R"("ok")"};
  std::string text = R"({"profileselect":0,"profilelist":[)";
  for (size_t i = 0; i < std::size(uuids); ++i) {
    text += (i ? "," : "") + std::string(R"({"profilename":"p)") + std::to_string(i) + R"(","profileUUID":)" +
            uuids[i] + "}";
  }
  text += R"(,{"profilename":"twin","profileUUID":"ok"}]})";
  WriteListFile(text);
  ASSERT_TRUE(m_list.Load());
  ASSERT_EQ(m_list.Count(), 10);
  std::set<std::string> seen;
  for (int i = 0; i < m_list.Count(); ++i) {
    const std::string& uuid = m_list.Entries()[static_cast<size_t>(i)].uuid;
    EXPECT_TRUE(IsPlainFileStem(uuid)) << uuid;
    EXPECT_TRUE(seen.insert(uuid).second) << "shared " << uuid;
    EXPECT_EQ(std::filesystem::path(m_list.ProfileFilePath(i)).parent_path(),
              std::filesystem::path(m_user).parent_path());
  }
  EXPECT_EQ(m_list.Entries()[8].uuid, "ok");
  // The repaired list is what is stored.
  EXPECT_EQ(ListFile()["profilelist"][0]["profileUUID"].asString(), m_list.Entries()[0].uuid);
  // Deleting the entry that named "../victim" touches nothing outside.
  EXPECT_TRUE(m_list.Delete(0));
  EXPECT_EQ(ReadText(m_root + "victim.Json"), R"({"keep":1})");
}

TEST_F(ProfileListTest, UnparsableListIsKeptAndRebuiltFromTheProfileFiles) {
  WriteText(m_user + "2024_02_01_00_00_00_000.Json", R"({"profilename":"Later","profileUUID":"x"})");
  WriteText(m_user + "2023_12_31_00_00_00_000.Json", R"({"profilename":"Earlier"})");
  WriteText(m_user + "2024_01_15_00_00_00_000.Json", R"({"profilename":"earlier"})");
  WriteText(m_user + "2024_03_01_00_00_00_000.Json", "not json");
  WriteText(m_user + "macro.config", R"({"MacroInfo":[]})");
  WriteListFile("{\"profilelist\": [ oops");
  ASSERT_TRUE(m_list.Load());
  EXPECT_EQ(ReadText(m_user + "ProfileList.ini.bak"), "{\"profilelist\": [ oops");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Earlier", "earlier(1)", "Later"}));
  EXPECT_EQ(m_list.Entries()[0].uuid, "2023_12_31_00_00_00_000");
  EXPECT_EQ(m_list.Entries()[2].uuid, "2024_02_01_00_00_00_000");
  EXPECT_EQ(JsonArraySize(ListFile()["profilelist"]), 3u);
}

TEST_F(ProfileListTest, SelectRecordsIndexAndUuid) {
  MakeProfiles({"a", "b", "c"});
  EXPECT_TRUE(m_list.Select(2));
  EXPECT_EQ(ListFile()["profileselect"].asInt(), 2);
  EXPECT_EQ(m_list.GetSelectedUUID(), m_list.Entries()[2].uuid);
  EXPECT_FALSE(m_list.Select(3));
  EXPECT_EQ(ListFile()["profileselect"].asInt(), 2);

  // Rereading follows the file but keeps the selected UUID.
  Json::Value list = ListFile();
  list["profilelist"].resize(1);
  list["profileselect"] = 0;
  WriteJsonFile(list, m_user + "ProfileList.ini");
  std::string selected = m_list.GetSelectedUUID();
  EXPECT_EQ(m_list.Reread(), 1);
  EXPECT_EQ(m_list.GetSelectedUUID(), selected);
}

}  // namespace
}  // namespace tarn
