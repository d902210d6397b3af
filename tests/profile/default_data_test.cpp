// The files shipped in DefaultData/: each one loads through the code that
// reads it, and the keyboard's factory key list is the key identity table.
#include <gtest/gtest.h>

#include <sstream>

#include "profile/data_folders.h"
#include "profile/device_name_lists.h"
#include "profile/headset_profile.h"
#include "profile/json_file.h"
#include "profile/keyboard_profile.h"
#include "profile/mouse_profile.h"
#include "scratch.h"

namespace tarn {
namespace {

using test::ScratchFolder;

// The key identity table, row by row, as type.param1.param2 in hexadecimal.
const char* const kIdentityRows =
    // 0-15
    "20.00.29 20.00.3A 20.00.3B 20.00.3C 20.00.3D 20.00.3E 20.00.3F 20.00.40 20.00.41 20.00.42 20.00.43 20.00.44 "
    "20.00.45 20.00.46 20.00.47 20.00.48 "
    // 16-20
    "A0.1B.00 A0.24.00 20.00.00 20.00.00 20.00.00 "
    // 21-34
    "20.00.35 20.00.1E 20.00.1F 20.00.20 20.00.21 20.00.22 20.00.23 20.00.24 20.00.25 20.00.26 20.00.27 20.00.2D "
    "20.00.2E 20.00.2A "
    // 35-41
    "20.00.49 20.00.4A 20.00.4B 20.00.53 20.00.54 20.00.55 20.00.56 "
    // 42-55
    "20.00.2B 20.00.14 20.00.1A 20.00.08 20.00.15 20.00.17 20.00.1C 20.00.18 20.00.0C 20.00.12 20.00.13 20.00.2F "
    "20.00.30 20.00.31 "
    // 56-61
    "20.00.4C 20.00.4D 20.00.4E 20.00.5F 20.00.60 20.00.61 "
    // 62-75
    "20.00.32 20.00.39 20.00.04 20.00.16 20.00.07 20.00.09 20.00.0A 20.00.0B 20.00.0D 20.00.0E 20.00.0F 20.00.33 "
    "20.00.34 20.00.28 "
    // 76-83
    "20.00.5C 20.00.5D 20.00.5E 20.00.8A 20.00.8B 20.00.90 20.00.91 20.00.88 "
    // 84-95
    "20.02.00 20.00.1D 20.00.1B 20.00.06 20.00.19 20.00.05 20.00.11 20.00.10 20.00.36 20.00.37 20.00.38 20.20.00 "
    // 96-104
    "20.00.52 20.00.59 20.00.5A 20.00.5B 20.00.87 20.00.89 20.00.64 20.00.85 20.00.00 "
    // 105-112
    "20.01.00 20.08.00 20.04.00 20.00.2C 20.40.00 A0.01.00 20.00.65 20.10.00 "
    // 113-119
    "20.00.50 20.00.51 20.00.4F 20.00.62 20.00.63 20.00.58 20.00.57 "
    // 120-125
    "D0.A2.01 D0.A2.02 D0.A2.03 D0.A2.04 D0.A2.05 20.80.00";

std::vector<KeyAssignment> IdentityTable() {
  std::vector<KeyAssignment> rows;
  std::istringstream in(kIdentityRows);
  std::string triple;
  while (in >> triple) {
    auto byte = [&](size_t at) { return static_cast<uint8_t>(std::stoi(triple.substr(at, 2), nullptr, 16)); };
    rows.push_back(KeyAssignment::Make(byte(0), byte(3), byte(6), static_cast<uint16_t>(rows.size())));
  }
  while (rows.size() < 170) rows.push_back(KeyAssignment::Make(0x20, 0, 0, static_cast<uint16_t>(rows.size())));
  return rows;
}

std::string Shipped(const std::string& name) { return GetDefaultDataFolder() + name; }

TEST(DefaultData, KeyboardProfileCarriesTheKeyIdentityTable) {
  std::vector<KeyAssignment> identity = IdentityTable();
  ASSERT_EQ(identity.size(), 170u);
  CKeyboardProfiledata doc;
  doc.SetDefaultProfilePath(GetDefaultProfilePath("keyboard"));
  doc.SetProfilePath(ScratchFolder() + "p.Json");
  ASSERT_TRUE(doc.Load().isObject());
  KeyList keys = doc.GetKeyList();
  ASSERT_EQ(keys.size(), 170u);
  for (size_t n = 0; n < 170; ++n) {
    EXPECT_EQ(keys[n].current, identity[n]) << "key " << n;
    EXPECT_EQ(keys[n].defaultAssignment, identity[n]) << "key " << n;
  }
  // Every other keyboard section reads as something usable.
  LightState light = doc.GetLightInfo();
  EXPECT_GT(light.light, 0);
  EXPECT_LE(light.speed, 4);
  EXPECT_EQ(doc.GetLightList().size(), 170u);
  StageWords stages = doc.GetKeyboardStages();
  EXPECT_LE(StageHigh(stages[0]), 3);  // repeat delay choice 0..3
  EXPECT_LE(StageHigh(stages[1]), 3);  // polling rate choice 0..3
  auto colours = doc.GetCustomLightColors(0, 170);
  EXPECT_EQ(colours.size(), 170u);
  EXPECT_EQ(doc.GetAudioLightInfo().colorTypeFlags, 1);
}

TEST(DefaultData, MouseProfileHasItsKeysStagesAndSettings) {
  const uint32_t mouseKeys[11] = {0x100100, 0x100200, 0x100400, 0x101000, 0x100800, 0x130100,
                                  0x130200, 0x130300, 0xA01B00, 0x169001, 0x147802};
  CMouseProfiledata doc;
  doc.SetDefaultProfilePath(GetDefaultProfilePath("mouse"));
  doc.SetProfilePath(ScratchFolder() + "m.Json");
  ASSERT_TRUE(doc.Load().isObject());
  KeyList keys = doc.GetKeyList();
  ASSERT_EQ(keys.size(), 11u);
  for (size_t n = 0; n < 11; ++n) {
    EXPECT_EQ(static_cast<uint32_t>(keys[n].current.ToInteger()), mouseKeys[n]) << n;
    EXPECT_EQ(keys[n].defaultAssignment, keys[n].current) << n;
  }
  auto stages = doc.GetDPIStages();
  ASSERT_EQ(stages.size(), 5u);
  for (const DPIStage& s : stages) EXPECT_EQ(s.active, 1);
  EXPECT_GE(doc.GetActiveDPIStage(), 0);
  EXPECT_LT(doc.GetActiveDPIStage(), 5);
  EXPECT_NE(doc.GetMouseStages()[0], 0u);
  EXPECT_EQ(doc.GetCorrectInfo().size(), 1u);
  EXPECT_EQ(doc.GetLightList().size(), 15u);
}

TEST(DefaultData, HeadsetProfileHoldsTheFactoryEqualiser) {
  CRo6533Profiledata doc;
  doc.SetDefaultProfilePath(GetDefaultProfilePath("HD"));
  doc.SetProfilePath(ScratchFolder() + "h.Json");
  ASSERT_TRUE(doc.Load().isObject());
  EXPECT_EQ(doc.GetEQValues(1), (std::vector<int32_t>{7, 11, 2, -3, -1, 4, 9, 12, 9, 5}));
  EXPECT_EQ(doc.GetEQValues(6), (std::vector<int32_t>{7, 14, -13, -6, -1, 8, 13, 7, 2, 6}));
  EXPECT_EQ(doc.GetEQValues(12), (std::vector<int32_t>{2, 1, -2, -4, -8, 4, 12, 16, 18, 15}));
  AudioStages stages = doc.GetAudioStages();
  EXPECT_GE(stages[1], 1);  // voice changer preset 1..4
  EXPECT_LE(stages[1], 4);
  EXPECT_LE(stages[5], 100);
  EXPECT_TRUE(doc.GetCustomEQNames().empty());
}

TEST(DefaultData, EveryDeviceKindHasADefaultProfileAndLightModes) {
  for (int category : {kCategoryKeyboard, kCategoryMouse, kCategoryMousePad, kCategoryHeadset}) {
    std::string folder = DeviceFolderName(category);
    Json::Value root = ReadJsonFile(GetDefaultProfilePath(folder));
    ASSERT_TRUE(root.isObject()) << folder;
    const Json::Value& section = JsonElement(JsonMember(root, "Device"), 0);
    ASSERT_TRUE(section.isObject()) << folder;
    EXPECT_TRUE(JsonMember(section, "LightInfo").isObject()) << folder;

    DeviceNameLists lists;
    LoadDeviceNameLists("", Shipped(kDefaultLightFile), "", DeviceVariantIndex(category), lists);
    ASSERT_FALSE(lists.lightModeNames.empty()) << folder;
    EXPECT_EQ(lists.lightModeVisible.size(), lists.lightModeNames.size());
    EXPECT_EQ(lists.lightModeCodes.size(), lists.lightModeNames.size());
    for (const std::string& name : lists.lightModeNames) EXPECT_FALSE(name.empty()) << folder;
    // The default profile's light mode is one the device offers.
    auto mode = static_cast<size_t>(JsonInt(JsonMember(section, "LightInfo"), "SelectItem"));
    ASSERT_LT(mode, lists.lightModeNames.size()) << folder;
    EXPECT_EQ(lists.lightModeVisible[mode], 1) << folder;
  }
  // The keyboard offers modes 0..30; its host-driven modes keep codes 29 and 30.
  DeviceNameLists keyboard;
  LoadDeviceNameLists("", Shipped(kDefaultLightFile), "", 0, keyboard);
  ASSERT_EQ(keyboard.lightModeCodes.size(), 31u);
  EXPECT_EQ(LightModeCode(keyboard, 29), 29);
  EXPECT_EQ(LightModeCode(keyboard, 30), 30);
  DeviceNameLists mouse;
  LoadDeviceNameLists("", Shipped(kDefaultLightFile), "", 1, mouse);
  EXPECT_EQ(mouse.lightModeCodes.size(), 10u);
}

TEST(DefaultData, LanguageListAudioStylesAndRecoilPatterns) {
  Json::Value languages = JsonMember(ReadJsonFile(Shipped(kLanguageFile)), "Language");
  ASSERT_GT(JsonArraySize(languages), 0u);
  for (Json::ArrayIndex i = 0; i < languages.size(); ++i) {
    EXPECT_TRUE(languages[i]["Language_ID"].isIntegral()) << i;
    EXPECT_FALSE(JsonString(languages[i], "Language_file").empty()) << i;
    EXPECT_FALSE(JsonString(languages[i], "Language_name").empty()) << i;
    EXPECT_FALSE(JsonString(languages[i], "Language_text").empty()) << i;
  }

  const Json::Value styles = JsonMember(JsonMember(ReadJsonFile(Shipped(kAudioFile)), "Device"), "AudioLightInfo");
  ASSERT_TRUE(styles.isObject());
  EXPECT_EQ(styles.size(), 17u);  // the style, four names, twelve colours
  for (int s = 0; s < 4; ++s) {
    EXPECT_FALSE(JsonString(styles, ("nStyleName" + std::to_string(s + 1)).c_str()).empty());
    for (const char* c : {"R", "G", "B"}) {
      Json::Value v = JsonMember(styles, ("nStyle" + std::string(c) + std::to_string(s)).c_str());
      ASSERT_TRUE(v.isIntegral());
      EXPECT_GE(v.asInt(), 0);
      EXPECT_LE(v.asInt(), 9);
    }
  }

  for (int gun = 0; gun < 4; ++gun) {
    Json::Value events = JsonMember(ReadJsonFile(Shipped("ShootData_" + std::to_string(gun) + ".Shoot")), "Events");
    ASSERT_EQ(JsonArraySize(events), 30u * 6u) << gun;
    for (Json::ArrayIndex shot = 0; shot < 30; ++shot) {
      const Json::Value& click = events[6 * shot];
      EXPECT_EQ(JsonInt(click, "Type"), 1);
      EXPECT_EQ(JsonString(click, "Action"), "down");
      EXPECT_EQ(JsonInt(click, "Button"), 1);
      EXPECT_EQ(JsonInt(events[6 * shot + 2], "Type"), 4);
      EXPECT_EQ(JsonInt(events[6 * shot + 3], "Type"), 5);
      EXPECT_TRUE(events[6 * shot + 3]["Delay"].isIntegral());
    }
  }
}

}  // namespace
}  // namespace tarn
