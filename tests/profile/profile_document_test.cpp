#include <gtest/gtest.h>

#include <filesystem>

#include "profile/headset_profile.h"
#include "profile/json_file.h"
#include "profile/keyboard_profile.h"
#include "profile/mouse_profile.h"
#include "profile/profile_file.h"
#include "scratch.h"

namespace tarn {
namespace {

using test::ReadText;
using test::ScratchFolder;
using test::WriteText;

// A profile folder with a small default profile beside it.
class ProfileDocument : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = ScratchFolder();
    defaults = folder + "default.Json";
    path = folder + "p.Json";
    Json::Value d;
    Json::Value& s = d["Device"][0];
    s["LightInfo"]["SelectItem"] = 3;
    s["LightInfo"]["Light"] = 4;
    for (int i = 0; i < 5; ++i) {
      s["KeyList"][i]["Assignment"] = 0x200000 + i;
      s["KeyList"][i]["DefaultAssignment"] = 0x200000 + i;
    }
    ASSERT_EQ(WriteJsonFile(d, defaults), 0);
    doc.SetDefaultProfilePath(defaults);
    doc.SetProfilePath(path);
  }

  Json::Value Root() { return ReadJsonFile(path); }

  std::string folder, defaults, path;
  CKeyboardProfiledata doc;
};

TEST_F(ProfileDocument, MissingSectionIsCompletedFromTheDefaultAndWrittenBack) {
  Json::Value root;
  root["profilename"] = "Mine";
  root["profileUUID"] = "2024_03_05_09_07_03_042";
  ASSERT_EQ(WriteJsonFile(root, path), 0);

  Json::Value section = doc.Load();
  EXPECT_EQ(JsonInt(JsonMember(section, "LightInfo"), "SelectItem"), 3);
  Json::Value written = Root();
  EXPECT_EQ(JsonString(written, "profilename"), "Mine");
  EXPECT_EQ(JsonString(written, "profileUUID"), "2024_03_05_09_07_03_042");
  EXPECT_EQ(JsonElement(JsonMember(written, "Device"), 0), section);

  // A missing file is created the same way.
  std::filesystem::remove(path);
  doc.Load();
  EXPECT_EQ(JsonElement(JsonMember(Root(), "Device"), 0), section);
}

TEST_F(ProfileDocument, PresentSectionIsNotReplacedAndSaveKeepsOtherRootKeys) {
  Json::Value root;
  root["profilename"] = "Mine";
  root["Device"][0]["LightInfo"]["SelectItem"] = 9;
  ASSERT_EQ(WriteJsonFile(root, path), 0);
  doc.Load();
  EXPECT_EQ(doc.GetLightInfo().selectItem, 9);
  LightState s = doc.GetLightInfo();
  s.red = 200;
  doc.SetLightInfo(s);
  ASSERT_EQ(doc.Save(), 0);
  Json::Value written = Root();
  EXPECT_EQ(JsonString(written, "profilename"), "Mine");
  EXPECT_EQ(JsonInt(JsonMember(JsonElement(JsonMember(written, "Device"), 0), "LightInfo"), "Red"), 200);
}

TEST_F(ProfileDocument, UnparsableProfileIsKeptAsBackupBeforeItIsRewritten) {
  const std::string garbage = "{ \"profilename\" : \"Mine\", \"profileUUID\" : \"u1\", \"Device\" : [ {";
  for (const std::string& bad : {garbage, std::string("[1, 2, 3]"), std::string("\"just a string\"")}) {
    WriteText(path, bad);
    std::filesystem::remove(BackupPathFor(path));
    ASSERT_NO_THROW(doc.Load());
    EXPECT_EQ(ReadText(BackupPathFor(path)), bad);
    EXPECT_EQ(JsonInt(JsonMember(doc.Section(), "LightInfo"), "SelectItem"), 3);
    EXPECT_TRUE(Root().isObject());
  }
  // Saving over a file that broke after loading also keeps it first.
  WriteText(path, garbage);
  std::filesystem::remove(BackupPathFor(path));
  ASSERT_EQ(doc.Save(), 0);
  EXPECT_EQ(ReadText(BackupPathFor(path)), garbage);
}

TEST_F(ProfileDocument, NoDefaultProfileLeavesAMissingFileMissing) {
  doc.SetDefaultProfilePath(folder + "none.Json");
  EXPECT_TRUE(doc.Load().isNull());
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(doc.GetLightInfo(), LightState{});
  EXPECT_TRUE(doc.GetKeyList().empty());
}

TEST_F(ProfileDocument, SaveFailureIsReportedAndTheOldFileKept) {
  doc.Load();
  std::string before = ReadText(path);
  doc.SetProfilePath(folder + "p.Json/cannot");  // below a file
  EXPECT_NE(doc.Save(), 0);
  EXPECT_EQ(ReadText(path), before);
}

// Wrong types, huge strings and deep nesting: the document reads defaults and
// never throws.
TEST_F(ProfileDocument, HostileProfilesReadAsDefaults) {
  const std::string wrong = R"({"Device": [{
      "LightInfo": {"SelectItem": "5", "Light": [1], "Speed": {"x": 1}, "MultiColor": "yes", "Red": null},
      "AudioLightInfo": "none", "LightList": {"a": 1}, "KeyList": [{"Assignment": "0x700200"}, 7, null],
      "SystemStages": [1, 2], "CustomLightMode": {"LightColorInfo": "x", "CustomLightModeGroupIndex": "2"},
      "DPIStages": 3, "CorrectInfo": [{"CorrectName": 5}], "EQHzValueInfo": [1, "x"], "CustomEQNameInfo": [{"Name": 1}],
      "SystemSetStages": {"MagicEnable": {}}}]})";
  const std::string huge = "{\"Device\": [{\"LightInfo\": {\"Red\": \"" + std::string(10 << 20, 'r') + "\", \"Green\": 7}}]}";
  const std::string deep = "{\"Device\": [" + std::string(5000, '[') + std::string(5000, ']') + "]}";
  for (const std::string& text : {wrong, huge, deep}) {
    WriteText(path, text);
    CKeyboardProfiledata kb;
    kb.SetDefaultProfilePath(defaults);
    kb.SetProfilePath(path);
    ASSERT_NO_THROW({
      kb.Load();
      kb.GetLightInfo();
      kb.GetAudioLightInfo();
      kb.GetLightList();
      kb.GetKeyList();
      kb.GetKeyboardStages();
      kb.GetCustomLightColors(0, 3);
      kb.GetCustomLightGroup();
      kb.SetKeyList(kb.GetKeyList());
      kb.Save();
    });
  }
  // The wrong-typed file: every number reads 0, the key list keeps its length.
  WriteText(path, wrong);
  CMouseProfiledata mouse;
  CRo6533Profiledata headset;
  for (CBasicProfiledata* d : {static_cast<CBasicProfiledata*>(&mouse), static_cast<CBasicProfiledata*>(&headset)}) {
    d->SetProfilePath(path);
    ASSERT_NO_THROW(d->Load());
  }
  LightState light = mouse.GetLightInfo();
  EXPECT_EQ(light, LightState{});
  KeyList keys = mouse.GetKeyList();
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[0].current.ToInteger(), 0);
  EXPECT_TRUE(mouse.GetLightList().empty());
  EXPECT_TRUE(mouse.GetDPIStages().empty());
  ASSERT_EQ(mouse.GetCorrectInfo().size(), 1u);
  EXPECT_EQ(mouse.GetCorrectInfo()[0].name, "");
  EXPECT_EQ(mouse.GetMouseStages(), StageWords{});
  EXPECT_EQ(headset.GetAudioStages(), AudioStages{});
  EXPECT_EQ(headset.GetCustomEQNames(), std::vector<std::string>{""});
  EXPECT_EQ(headset.GetEQValues(2), std::vector<int32_t>(10, 0));
  // The huge string read as 0, the neighbour as itself.
  WriteText(path, huge);
  doc.Load();
  EXPECT_EQ(doc.GetLightInfo().red, 0);
  EXPECT_EQ(doc.GetLightInfo().green, 7);
}

TEST_F(ProfileDocument, LightInfoReadsBytesTheWayTheRecordKeepsThem) {
  doc.Load();
  struct Case {
    const char* key;
    Json::Value value;
    size_t byte;
    uint8_t expected;
  } cases[] = {
      {"MultiColor", 5, 4, 1},      {"MultiColor", 0, 4, 0},   {"MultiColor", true, 4, 1},
      {"Speed", 300, 2, 44},        {"Red", 255, 5, 255},      {"Blue", -1, 7, 255},
      {"ZZCCLedMode", 17, 11, 17},  {"CustomGroup", 2, 12, 2}, {"OldLedmode", 28, 13, 28},
      {"SelectItem", 2.7, 0, 2},
  };
  for (const Case& c : cases) {
    Json::Value section = doc.Section();
    LightState start;
    start.reserved[0] = start.reserved[1] = start.reserved[2] = 0xEE;
    doc.SetLightInfo(start);  // bytes 8-10 set in the held record
    Json::Value root;
    root["Device"][0]["LightInfo"] = JsonMember(doc.Section(), "LightInfo");
    root["Device"][0]["LightInfo"][c.key] = c.value;
    ASSERT_EQ(WriteJsonFile(root, path), 0);
    doc.Load();
    auto bytes = doc.GetLightInfo().Bytes();
    EXPECT_EQ(bytes[c.byte], c.expected) << c.key;
    EXPECT_EQ(bytes[8] | bytes[9] | bytes[10], 0) << "bytes 8-10 after reading " << c.key;
    EXPECT_EQ(doc.CurrentLightState().Bytes(), bytes);
  }
}

TEST_F(ProfileDocument, SetLightInfoWritesElevenIntegerKeys) {
  LightState s;
  s.selectItem = 28;
  s.multiColor = 1;
  s.red = 1;
  s.green = 2;
  s.blue = 3;
  s.reserved[1] = 9;
  s.oldLedMode = 4;
  doc.SetLightInfo(s);
  const Json::Value& info = JsonMember(doc.Section(), "LightInfo");
  EXPECT_EQ(info.getMemberNames().size(), 11u);
  for (const std::string& key : info.getMemberNames()) EXPECT_TRUE(info[key].isIntegral()) << key;
  EXPECT_EQ(info["MultiColor"].asInt(), 1);
  EXPECT_EQ(info["OldLedmode"].asInt(), 4);
  LightState back = doc.GetLightInfo();
  s.reserved[1] = 0;
  EXPECT_EQ(back, s);
}

TEST_F(ProfileDocument, MissingLightInfoGivesZerosAndKeepsTheHeldState) {
  doc.Load();
  LightState held = doc.GetLightInfo();
  ASSERT_EQ(held.selectItem, 3);
  WriteText(path, R"({"Device": [{"KeyList": []}]})");
  doc.Load();
  EXPECT_EQ(doc.GetLightInfo(), LightState{});
  EXPECT_EQ(doc.CurrentLightState(), held);
}

TEST_F(ProfileDocument, AudioLightInfoRoundTrip) {
  AudioLightState a{6, 1, 2, 3, 4, 5, 6, 1, 1};
  doc.SetAudioLightInfo(a);
  const Json::Value& info = JsonMember(doc.Section(), "AudioLightInfo");
  EXPECT_EQ(JsonInt(info, "7ColorFlags"), 1);
  EXPECT_EQ(JsonInt(info, "FgColorB"), 6);
  EXPECT_EQ(doc.GetAudioLightInfo(), a);
}

TEST_F(ProfileDocument, LightListMarksNullElementsAbsent) {
  WriteText(path, R"({"Device": [{"LightList": [
      {"LEDREGMode": 2, "LEDBrightness": 4, "LEDSpeed": 1, "LEDDirection": 7, "LEDMultiColor": 0,
       "red": 10, "green": 20, "blue": 300}, null]}]})");
  doc.Load();
  auto list = doc.GetLightList();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].regMode, 2);
  EXPECT_EQ(list[0].direction, 1);
  EXPECT_EQ(list[0].blue, 44);
  EXPECT_EQ(list[0].present, 1);
  EXPECT_EQ(list[1], LightListEntry{});
}

TEST_F(ProfileDocument, KeyIntegerEncoding) {
  KeyAssignment macro = KeyAssignment::Make(0x70, 0x02, 0x00);
  EXPECT_EQ(macro.ToInteger(), 0x70 * 65536 + 0x02 * 256);
  KeyAssignment back = KeyAssignment::FromInteger(4, 0x70 * 65536 + 0x02 * 256);
  EXPECT_EQ(back.type, 0x70);
  EXPECT_EQ(back.param1, 0x02);
  EXPECT_EQ(back.param2, 0x00);
  EXPECT_EQ(back.keyIndex, 4);
  EXPECT_EQ(KeyAssignment::FromInteger(0, 0x7FABCDEF).ToInteger(), 0xABCDEF);  // bits above 23 dropped
  // Equality looks at the function only.
  EXPECT_EQ(KeyAssignment::Make(0x20, 0, 0x29, 1), KeyAssignment::Make(0x20, 0, 0x29, 7));
  EXPECT_FALSE(KeyAssignment::Make(0x20, 0, 0x29) == KeyAssignment::Make(0x20, 0, 0x2A));

  doc.Load();
  KeyList keys = doc.GetKeyList();
  keys[2].current = macro;
  doc.SetKeyList(keys);
  EXPECT_EQ(JsonElement(JsonMember(doc.Section(), "KeyList"), 2)["Assignment"].asInt(), 0x700200);
  KeyList again = doc.GetKeyList();
  EXPECT_EQ(again[2].current, macro);
  EXPECT_EQ(again[2].current.keyIndex, 2);
  EXPECT_EQ(again[2].defaultAssignment, KeyAssignment::FromInteger(2, 0x200002));
}

TEST_F(ProfileDocument, SetKeyListOnALongerListChangesOnlyItsOwnPositions) {
  doc.Load();
  Json::Value before = doc.Section();
  KeyList three(3);
  for (int i = 0; i < 3; ++i) three[i].current = KeyAssignment::Make(0x10, static_cast<uint8_t>(i + 1), 0);
  doc.SetKeyList(three);
  const Json::Value& keys = JsonMember(doc.Section(), "KeyList");
  ASSERT_EQ(JsonArraySize(keys), 5u);
  for (Json::ArrayIndex i = 0; i < 5; ++i) {
    EXPECT_EQ(keys[i]["DefaultAssignment"], before["KeyList"][i]["DefaultAssignment"]) << i;
    if (i < 3)
      EXPECT_EQ(keys[i]["Assignment"].asInt(), 0x100000 + static_cast<int>(i + 1) * 256) << i;
    else
      EXPECT_EQ(keys[i]["Assignment"], before["KeyList"][i]["Assignment"]) << i;
  }
  EXPECT_EQ(doc.CurrentKeyList().size(), 3u);
}

TEST_F(ProfileDocument, OtherProfileIsEditedAndSavedApart) {
  doc.Load();
  std::string other = folder + "other.Json";
  Json::Value root;
  root["profilename"] = "Other";
  root["Device"][0]["KeyList"][0]["Assignment"] = 0x700100;
  root["Device"][0]["KeyList"][0]["DefaultAssignment"] = 0x200029;
  ASSERT_EQ(WriteJsonFile(root, other), 0);
  doc.LoadOther(other);
  KeyList keys = doc.GetOtherKeyList();
  ASSERT_EQ(keys.size(), 1u);
  keys[0].current = keys[0].defaultAssignment;
  doc.SetOtherKeyList(keys);
  ASSERT_EQ(doc.SaveOtherTo(other), 0);
  Json::Value written = ReadJsonFile(other);
  EXPECT_EQ(JsonString(written, "profilename"), "Other");
  EXPECT_EQ(written["Device"][0]["KeyList"][0]["Assignment"].asInt(), 0x200029);
  EXPECT_EQ(doc.GetKeyList().size(), 5u);  // the current profile is untouched
}

TEST_F(ProfileDocument, LightEffectsComeFromTheSelectedModesFile) {
  std::string config = folder + "quvex_light.config";
  WriteText(config, R"({"LightInfo": [[{"LightName": "a", "Guid": "first"}, {"LightName": "b", "Guid": "second"}]]})");
  WriteText(folder + "second.light", R"({"LEDEffectList": [
      {"LEDREGMode": 1, "LEDBrightness": 4, "LEDSpeed": 2, "LEDDirection": 1, "LEDMultiColor": 3,
       "red": 9, "green": 8, "blue": 7, "Time": 1500, "Cyle": 70000}, {}]})");
  doc.Load();
  LightState s;
  s.selectItem = 1;
  doc.SetLightInfo(s);
  doc.LoadLightConfig(config);
  auto steps = doc.GetLightEffects();
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[0].multiColor, 3);
  EXPECT_EQ(steps[0].time, 1500u);
  EXPECT_EQ(steps[0].cycle, 70000u);
  EXPECT_EQ(steps[1], LightEffectStep{});
  // Mode 0 names a file that does not exist; mode 5 has no entry.
  for (uint8_t mode : {0, 5}) {
    s.selectItem = mode;
    doc.SetLightInfo(s);
    EXPECT_TRUE(doc.GetLightEffects().empty()) << int(mode);
  }
  doc.LoadLightConfig(folder + "missing.config");
  EXPECT_TRUE(doc.GetLightEffects().empty());
}

TEST_F(ProfileDocument, KeyboardStagesAndCustomColours) {
  doc.Load();
  EXPECT_EQ(doc.GetKeyboardStages(), StageWords{});
  doc.SetKeyboardStages(PackStageWord(30, 500), PackStageWord(1, 3), PackStageWord(0, 1));
  const Json::Value& st = JsonMember(doc.Section(), "SystemStages");
  EXPECT_EQ(JsonInt(st, "RepeatDelay"), 500);
  EXPECT_EQ(JsonInt(st, "PollingRate"), 3);
  EXPECT_EQ(JsonInt(st, "WinFlag"), 1);
  EXPECT_EQ(doc.GetKeyboardStages(), (StageWords{PackStageWord(30, 500), PackStageWord(1, 3), PackStageWord(0, 1)}));

  // A group the document lacks reads as black and is written back as black.
  auto colours = doc.GetCustomLightColors(1, 4);
  EXPECT_EQ(colours, std::vector<LightColor>(4));
  const Json::Value& group1 = doc.Section()["CustomLightMode"]["LightColorInfo"][1];
  ASSERT_EQ(JsonArraySize(group1), 4u);
  for (Json::ArrayIndex i = 0; i < 4; ++i)
    for (const char* key : {"Red", "Green", "Blue", "Alpha"}) EXPECT_EQ(group1[i][key], Json::Value(0)) << key;

  doc.SetCustomLightColors({{255, 0, 0, 255}, {0, 255, 0, 128}}, 2);
  // Asking for more than are stored fills the gap.
  colours = doc.GetCustomLightColors(2, 3);
  EXPECT_EQ(colours, (std::vector<LightColor>{{255, 0, 0, 255}, {0, 255, 0, 128}, {0, 0, 0, 0}}));
  EXPECT_EQ(JsonArraySize(doc.Section()["CustomLightMode"]["LightColorInfo"][2]), 3u);
  EXPECT_TRUE(doc.GetCustomLightColors(-1, 4).empty());

  EXPECT_EQ(doc.GetCustomLightGroup(), 0);
  doc.SetCustomLightGroup(2);
  EXPECT_EQ(doc.GetCustomLightGroup(), 2);
  ASSERT_EQ(doc.Save(), 0);
  doc.Load();
  EXPECT_EQ(doc.GetCustomLightGroup(), 2);
  EXPECT_EQ(doc.GetCustomLightColors(2, 2)[1], (LightColor{0, 255, 0, 128}));
}

TEST(MouseProfile, DpiStagesMergeByPositionAndNeverShrink) {
  std::string path = ScratchFolder() + "m.Json";
  CMouseProfiledata doc;
  doc.SetProfilePath(path);
  std::vector<DPIStage> five;
  for (uint16_t i = 0; i < 5; ++i) five.push_back({1, 0, static_cast<uint16_t>(10 + i), 0, 0, 0, static_cast<uint8_t>(i)});
  doc.SetDPIStages(five);
  ASSERT_EQ(doc.GetDPIStages(), five);

  WriteText(path, R"({"Device": [{"DPIStages": {"StageActive": 1, "StageDPIs": [
      {"StageActive": 0, "StageXY": 1, "StageDPIX": 70000, "StageDPIY": 9, "StageColorR": 1, "StageColorG": 2, "StageColorB": 3},
      {"StageDPIX": 20}]}}]})");
  doc.Load();
  auto merged = doc.GetDPIStages();
  ASSERT_EQ(merged.size(), 5u);
  EXPECT_EQ(merged[0], (DPIStage{0, 1, 70000 & 0xFFFF, 9, 1, 2, 3}));
  EXPECT_EQ(merged[1], (DPIStage{0, 0, 20, 0, 0, 0, 0}));
  for (size_t i = 2; i < 5; ++i) EXPECT_EQ(merged[i], five[i]) << i;
  EXPECT_EQ(doc.GetActiveDPIStage(), 1);

  // Without "DPIStages" nothing changes, the active stage included.
  WriteText(path, R"({"Device": [{"LightInfo": {}}]})");
  doc.Load();
  EXPECT_EQ(doc.GetDPIStages(), merged);
  EXPECT_EQ(doc.GetActiveDPIStage(), 1);

  doc.SetActiveDPIStage(4);
  EXPECT_EQ(doc.Section()["DPIStages"]["StageActive"].asInt(), 4);
  doc.SetDPIStages(five);
  const Json::Value& stage = doc.Section()["DPIStages"]["StageDPIs"][3];
  EXPECT_EQ(stage.getMemberNames().size(), 7u);
  EXPECT_EQ(stage["StageDPIX"].asInt(), 13);
}

TEST(MouseProfile, MouseStagesAndReportRate) {
  CMouseProfiledata doc;
  doc.SetMouseStages(PackStageWord(500, 10), PackStageWord(1, 3), PackStageWord(3, 2));
  const Json::Value& s = doc.Section()["SystemStages"];
  EXPECT_EQ(s["ScorllPage"].asInt(), 3);
  EXPECT_EQ(s["WheelScorlllinse"].asInt(), 3);
  EXPECT_EQ(doc.Section()["ReportStages"]["StageActive"].asInt(), 2);
  EXPECT_EQ(doc.GetMouseStages(), (StageWords{PackStageWord(500, 10), PackStageWord(1, 3), PackStageWord(3, 2)}));

  std::string path = ScratchFolder() + "m.Json";
  doc.SetProfilePath(path);
  WriteText(path, R"({"Device": [{"SystemStages": {"WheelScorlllinse": 5}}]})");
  doc.Load();
  EXPECT_EQ(doc.GetMouseStages()[2], 5u);  // no "ReportStages": high half 0
  WriteText(path, R"({"Device": [{"ReportStages": {"StageActive": 4}}]})");
  doc.Load();
  EXPECT_EQ(doc.GetMouseStages(), StageWords{});  // no "SystemStages": all zero

  WriteText(path, R"({"Device": [{"CorrectInfo": [{"CorrectPixThresh": 3, "CorrectMinSq": 4, "CorrectSelect": 1,
      "CorrectName": "\u7b2c\u4e00"}]}]})");
  doc.Load();
  auto records = doc.GetCorrectInfo();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0], (CorrectRecord{3, 4, 1, "\xe7\xac\xac\xe4\xb8\x80"}));
}

TEST(HeadsetProfile, EqualiserPresetIndexMapping) {
  struct Case {
    int preset;
    int index;
  } cases[] = {{0, 1}, {1, 1}, {2, 2}, {12, 12}, {13, -1}, {14, 1}, {200, 1}, {-3, 1}};
  for (const Case& c : cases) EXPECT_EQ(CRo6533Profiledata::PresetArrayIndex(c.preset), c.index) << c.preset;

  CRo6533Profiledata doc;
  std::vector<int32_t> values{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  doc.SetEQValues(0, values);
  EXPECT_EQ(doc.Section()["EQHzValueInfo"][1][9]["value"].asInt(), 10);
  EXPECT_EQ(doc.GetEQValues(0), values);  // preset 0 reads array 1
  EXPECT_EQ(doc.GetEQValues(15), values);

  Json::Value before = doc.Section();
  doc.SetEQValues(13, std::vector<int32_t>(10, 99));
  doc.GetEQValues(13);
  EXPECT_EQ(doc.Section(), before);  // the custom preset lives elsewhere

  // A missing preset reads as zeros and is written as zeros.
  EXPECT_EQ(doc.GetEQValues(5), std::vector<int32_t>(10, 0));
  ASSERT_EQ(JsonArraySize(doc.Section()["EQHzValueInfo"][5]), 10u);
  EXPECT_EQ(doc.Section()["EQHzValueInfo"][5][0]["value"], Json::Value(0));

  doc.SetCustomEQValues(2, values);
  EXPECT_EQ(doc.GetCustomEQValues(2), values);
  EXPECT_EQ(doc.GetCustomEQValues(0), std::vector<int32_t>(10, 0));
  EXPECT_EQ(JsonArraySize(doc.Section()["CustomEQHzValueInfo"]), 3u);

  doc.SetCustomEQNames({"Rock", "\xe7\xac\xac\xe4\xb8\x80"});
  EXPECT_EQ(doc.GetCustomEQNames(), (std::vector<std::string>{"Rock", "\xe7\xac\xac\xe4\xb8\x80"}));
  doc.SetCustomEQNames({"Only"});
  EXPECT_EQ(doc.GetCustomEQNames().size(), 1u);

  AudioStages stages{1, 2, 3, 4, 5, 6, 7, -8};
  doc.SetAudioStages(stages);
  EXPECT_EQ(doc.Section()["SystemSetStages"]["MicMoniterValue"].asInt(), -8);
  EXPECT_EQ(doc.GetAudioStages(), stages);
}

TEST(ProfileDocumentPaths, EmptyPathsAndBadIndexesAreIgnored) {
  CBasicProfiledata doc;
  doc.SetProfilePath("a.Json");
  doc.SetProfilePath("");
  EXPECT_EQ(doc.GetProfilePath(), "a.Json");
  doc.SetDefaultProfilePath("d.Json");
  doc.SetDefaultProfilePath("");
  EXPECT_EQ(doc.GetDefaultProfilePath(), "d.Json");
  for (int bad : {-1, 16, 1 << 30}) {
    doc.SetDeviceIndex(bad);
    EXPECT_EQ(doc.GetDeviceIndex(), 0) << bad;
  }
  doc.SetDeviceIndex(2);
  EXPECT_EQ(doc.GetDeviceIndex(), 2);
}

TEST(ProfileDocumentPaths, SectionIndexAddressesItsOwnElement) {
  std::string folder = ScratchFolder();
  std::string path = folder + "p.Json";
  WriteText(path, R"({"Device": [{"LightInfo": {"Red": 1}}, {"LightInfo": {"Red": 2}}]})");
  CBasicProfiledata doc;
  doc.SetProfilePath(path);
  doc.SetDeviceIndex(1);
  doc.Load();
  EXPECT_EQ(doc.GetLightInfo().red, 2);
  LightState s = doc.GetLightInfo();
  s.red = 3;
  doc.SetLightInfo(s);
  ASSERT_EQ(doc.Save(), 0);
  Json::Value root = ReadJsonFile(path);
  EXPECT_EQ(root["Device"][0]["LightInfo"]["Red"].asInt(), 1);
  EXPECT_EQ(root["Device"][1]["LightInfo"]["Red"].asInt(), 3);
}

}  // namespace
}  // namespace tarn
