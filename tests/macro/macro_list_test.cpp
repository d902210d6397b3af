#include "macro/macro_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "macro/macro_event.h"
#include "platform/paths.h"
#include "platform/settings_file.h"
#include "profile/json_file.h"

namespace tarn {
namespace {

class MacroListTest : public testing::Test {
 protected:
  void SetUp() override {
    static int serial = 0;
    m_home = std::string(std::getenv("TARN_TEST_HOME")) + "/list" + std::to_string(++serial);
    m_folder = m_home + "/Tarn/keyboard/";
    m_list = std::make_unique<CMacroList>(m_folder);
    m_list->SetIdSource([this] { return "2024_03_05_14_07_09_" + std::to_string(100 + m_ids++); });
  }

  void WriteText(const std::string& path, const std::string& text) {
    ASSERT_TRUE(EnsureFolder(m_home));
    ASSERT_TRUE(WriteFileAtomically(path, text));
  }

  std::vector<Json::Value> Events(std::initializer_list<uint8_t> buttons) {
    std::vector<Json::Value> events;
    for (uint8_t b : buttons) events.push_back(MakeMacroEvent(kMacroKey, true, b, 10));
    return events;
  }

  // A fresh list read back from the folder, as after a restart.
  CMacroList Reloaded() {
    CMacroList list(m_folder);
    list.Load();
    return list;
  }

  std::string m_home;
  std::string m_folder;
  std::unique_ptr<CMacroList> m_list;
  int m_ids = 0;
};

TEST_F(MacroListTest, MissingListIsEmptyAndFirstAddCreatesIt) {
  m_list->Load();
  EXPECT_EQ(m_list->Count(), 0u);
  EXPECT_EQ(m_list->Add(), "macro_1");
  const Json::Value stored = ReadJsonFile(m_folder + "macro.config");
  ASSERT_EQ(stored["MacroInfo"].size(), 1u);
  EXPECT_EQ(stored["MacroInfo"][0]["MacroName"].asString(), "macro_1");
  EXPECT_EQ(stored["MacroInfo"][0]["Guid"].asString(), "2024_03_05_14_07_09_100");
  EXPECT_FALSE(FileExists(m_folder + "2024_03_05_14_07_09_100.mac"));  // no events saved yet
}

TEST_F(MacroListTest, NewNamesTakeTheLowestFreeNumberWithoutCase) {
  WriteText(m_folder + "macro.config",
            R"({"MacroInfo": [{"MacroName": "macro_1", "Guid": "a"}, {"MacroName": "MACRO_3", "Guid": "b"}],
                "Other": 5})");
  m_list->Load();
  EXPECT_EQ(m_list->Add(), "macro_2");
  EXPECT_EQ(m_list->Add(), "macro_4");
  const CMacroList again = Reloaded();
  EXPECT_EQ(again.Names(), (std::vector<std::string>{"macro_1", "MACRO_3", "macro_2", "macro_4"}));
  EXPECT_EQ(ReadJsonFile(m_folder + "macro.config")["Other"].asInt(), 5);  // unknown members survive
}

TEST_F(MacroListTest, DamagedListIsKeptAsideBeforeItIsReplaced) {
  WriteText(m_folder + "macro.config", "{\"MacroInfo\": [{\"MacroName\": \"mine\", ");
  m_list->Load();
  EXPECT_EQ(m_list->Count(), 0u);
  EXPECT_EQ(m_list->Add(), "macro_1");
  std::string kept;
  ASSERT_TRUE(ReadWholeFile(m_folder + "macro.config.damaged", kept));
  EXPECT_EQ(kept, "{\"MacroInfo\": [{\"MacroName\": \"mine\", ");
  EXPECT_EQ(Reloaded().Names(), std::vector<std::string>{"macro_1"});
}

TEST_F(MacroListTest, FiftyMacrosAtMost) {
  for (int i = 0; i < 50; ++i) ASSERT_FALSE(m_list->Add().empty()) << i;
  EXPECT_EQ(m_list->Add(), "");
  EXPECT_EQ(Reloaded().Count(), 50u);
  const std::string source = m_home + "/in.mac";
  WriteText(source, R"({"Events": []})");
  EXPECT_EQ(m_list->Import(source).result, ImportResult::ListFull);
  EXPECT_EQ(Reloaded().Count(), 50u);
}

TEST_F(MacroListTest, IdsStayUniqueWithinOneMillisecond) {
  m_list->SetIdSource([] { return std::string("2024_03_05_14_07_09_042"); });
  WriteText(m_folder + "2024_03_05_14_07_09_042_1.mac", "{}");  // an old file under the same stamp
  m_list->Add();
  m_list->Add();
  m_list->Add();
  const auto& macros = m_list->Macros();
  EXPECT_EQ(macros[0].guid, "2024_03_05_14_07_09_042");
  EXPECT_EQ(macros[1].guid, "2024_03_05_14_07_09_042_2");
  EXPECT_EQ(macros[2].guid, "2024_03_05_14_07_09_042_3");
}

TEST_F(MacroListTest, RenameRules) {
  m_list->Add();
  m_list->Add();
  struct Case {
    std::string name;
    RenameResult result;
  };
  const Case cases[] = {
      {"macro_1", RenameResult::Duplicate},  // its own name
      {"MACRO_1", RenameResult::Duplicate},
      {"Macro_2", RenameResult::Duplicate},
      {"   ", RenameResult::Blank},
      {"\t\xe3\x80\x80", RenameResult::Blank},
      {"", RenameResult::Blank},
      {"bad\nname", RenameResult::Invalid},
      {"bad\x7f", RenameResult::Invalid},
      {"\xc3\x28", RenameResult::Invalid},
      {std::string(129, 'x'), RenameResult::Invalid},
      {"../../etc/passwd", RenameResult::Renamed},  // a name, never a path
      {"Combo \xe8\xbf\x9e\xe5\x87\xbb", RenameResult::Renamed},
  };
  for (const Case& c : cases) EXPECT_EQ(m_list->Rename(0, c.name), c.result) << c.name;
  EXPECT_EQ(m_list->Rename(2, "new"), RenameResult::NoSuchMacro);
  EXPECT_EQ(Reloaded().Names(), (std::vector<std::string>{"Combo \xe8\xbf\x9e\xe5\x87\xbb", "macro_2"}));
}

TEST_F(MacroListTest, EventsFollowTheirMacroThroughDeleteAndMove) {
  for (int i = 0; i < 4; ++i) m_list->Add();
  for (size_t n = 0; n < 4; ++n) ASSERT_TRUE(m_list->SaveEvents(n, Events({static_cast<uint8_t>(4 + n)})));
  const std::string deletedFile = m_list->EventFilePath(1);

  ASSERT_TRUE(m_list->Delete(1));
  EXPECT_FALSE(FileExists(deletedFile));
  CMacroList list = Reloaded();
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"macro_1", "macro_3", "macro_4"}));
  EXPECT_EQ(list.ReadEvents(1).events[0]["Button"].asInt(), 6);  // macro 2 is now number 1
  EXPECT_FALSE(list.Delete(3));

  std::vector<size_t> newNumberOf;
  ASSERT_TRUE(list.Move(0, 2, newNumberOf));
  EXPECT_EQ(newNumberOf, (std::vector<size_t>{2, 0, 1}));
  list = Reloaded();
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"macro_3", "macro_4", "macro_1"}));
  EXPECT_EQ(list.ReadEvents(2).events[0]["Button"].asInt(), 4);
  ASSERT_TRUE(list.Move(2, 0, newNumberOf));
  EXPECT_EQ(newNumberOf, (std::vector<size_t>{1, 2, 0}));
  EXPECT_EQ(Reloaded().Names(), (std::vector<std::string>{"macro_1", "macro_3", "macro_4"}));
  EXPECT_FALSE(list.Move(0, 3, newNumberOf));
}

TEST_F(MacroListTest, SavedFileCarriesTheCurrentName) {
  m_list->Add();
  ASSERT_EQ(m_list->Rename(0, "Reload"), RenameResult::Renamed);
  ASSERT_TRUE(m_list->SaveEvents(0, Events({4, 5})));
  const Json::Value stored = ReadJsonFile(m_list->EventFilePath(0));
  EXPECT_EQ(stored["MacroName"].asString(), "Reload");
  EXPECT_EQ(stored["Guid"].asString(), m_list->Macros()[0].guid);
  EXPECT_EQ(stored["Events"].size(), 2u);
}

// A changed "macro.config" may name any file; only plain ids are used.
TEST_F(MacroListTest, UnsafeIdsNameNoFile) {
  WriteText(m_folder + "macro.config", R"({"MacroInfo": [
      {"MacroName": "a", "Guid": "../../escaped"}, {"MacroName": "b", "Guid": ")" + m_home + R"(/abs"},
      {"MacroName": "c", "Guid": ""}, 42, {"MacroName": 7, "Guid": ["x"]}, {"MacroName": "ok", "Guid": "fine_1"}]})");
  m_list->Load();
  ASSERT_EQ(m_list->Count(), 6u);  // damaged entries keep their numbers
  for (size_t n = 0; n < 5; ++n) {
    EXPECT_EQ(m_list->EventFilePath(n), "") << n;
    EXPECT_FALSE(m_list->SaveEvents(n, Events({4}))) << n;
    EXPECT_EQ(m_list->ReadEvents(n).events.size(), 0u);
    EXPECT_FALSE(m_list->Export(n, m_home + "/out.mac"));
  }
  EXPECT_TRUE(m_list->SaveEvents(5, Events({4})));
  EXPECT_FALSE(FileExists(m_home + "/escaped.mac"));
  EXPECT_FALSE(FileExists(m_home + "/abs.mac"));
  EXPECT_TRUE(m_list->Delete(0));
  EXPECT_EQ(Reloaded().Names()[4], "ok");
}

TEST_F(MacroListTest, ExportWritesCrLfAndImportsBack) {
  m_list->Add();
  std::vector<Json::Value> events = Events({4, 5, 6});
  events[1]["Delay"] = "70000";
  ASSERT_TRUE(m_list->SaveEvents(0, events));
  const std::string exported = m_home + "/shared/out.mac";
  ASSERT_TRUE(EnsureFolder(m_home + "/shared"));
  ASSERT_TRUE(m_list->Export(0, exported));
  std::string text;
  ASSERT_TRUE(ReadWholeFile(exported, text));
  EXPECT_NE(text.find("\r\n"), std::string::npos);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      EXPECT_EQ(text[i - 1], '\r') << i;
    }
  }

  const ImportOutcome outcome = m_list->Import(exported);
  EXPECT_EQ(outcome.result, ImportResult::Imported);
  EXPECT_EQ(outcome.name, "macro_2");
  const MacroEvents read = m_list->ReadEvents(1);
  ASSERT_EQ(read.events.size(), 3u);
  EXPECT_EQ(read.events[1]["Delay"].asString(), "65535");
  const Json::Value stored = ReadJsonFile(m_list->EventFilePath(1));
  EXPECT_EQ(stored["MacroName"].asString(), "macro_2");  // not the name inside the file
  EXPECT_EQ(stored["Guid"].asString(), m_list->Macros()[1].guid);

  // A macro never saved exports as an empty macro.
  m_list->Add();
  ASSERT_TRUE(m_list->Export(2, m_home + "/empty.mac"));
  EXPECT_EQ(ReadMacroEventFile(m_home + "/empty.mac").result, MacroReadResult::Ok);
}

TEST_F(MacroListTest, ImportingHostileFiles) {
  struct Case {
    const char* file;
    std::string text;
    ImportResult result;
    size_t events;
    size_t dropped;
  };
  std::string many = R"({"Events": [)";
  for (int i = 0; i < 4005; ++i) many += std::string(i ? "," : "") + R"({"Type": 10, "Action": "down", "Button": 4})";
  many += "]}";
  const Case cases[] = {
      {"named.mac", R"({"Events": [], "MacroName": "../../../evil\n", "Guid": "../../x"})", ImportResult::Imported, 0, 0},
      {"types.mac", R"({"Events": [{"Type": "1"}, null, {"Type": 1, "Button": 1, "Action": "down", "Delay": "5"}]})",
       ImportResult::EventsDropped, 1, 2},
      {"shape.mac", R"({"Events": 12, "Version": "64"})", ImportResult::NoEvents, 0, 0},
      {"array.mac", R"([1, 2, 3])", ImportResult::NoEvents, 0, 0},
      {"many.mac", many, ImportResult::EventsDropped, 4000, 5},
      {"garbage.mac", "MZ\x90\x00garbage", ImportResult::NotJson, 0, 0},
      {"empty.mac", "", ImportResult::NotJson, 0, 0},
      {"huge.mac", std::string(kMaxMacroImportSize + 1, ' '), ImportResult::CannotRead, 0, 0},
  };
  size_t expectedCount = 0;
  for (const Case& c : cases) {
    const std::string path = m_home + "/" + c.file;
    WriteText(path, c.text);
    const ImportOutcome outcome = m_list->Import(path);
    EXPECT_EQ(outcome.result, c.result) << c.file;
    EXPECT_EQ(outcome.dropped, c.dropped) << c.file;
    const bool imported = c.result == ImportResult::Imported || c.result == ImportResult::EventsDropped ||
                          c.result == ImportResult::NoEvents;
    EXPECT_EQ(outcome.name.empty(), !imported) << c.file;
    if (imported) ++expectedCount;
    ASSERT_EQ(m_list->Count(), expectedCount) << c.file;
    if (imported) {
      EXPECT_EQ(m_list->ReadEvents(m_list->Count() - 1).events.size(), c.events) << c.file;
    }
  }
  EXPECT_EQ(m_list->Import(m_home + "/absent.mac").result, ImportResult::CannotRead);
  EXPECT_EQ(m_list->Import(m_home).result, ImportResult::CannotRead);  // a folder
  EXPECT_EQ(m_list->Import("").result, ImportResult::CannotRead);
  EXPECT_EQ(Reloaded().Count(), expectedCount);
  EXPECT_FALSE(FileExists(m_home + "/x.mac"));
}

}  // namespace
}  // namespace tarn
