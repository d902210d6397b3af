#include <gtest/gtest.h>

#include <filesystem>

#include "platform/paths.h"
#include "profile/data_folders.h"
#include "profile/device_name_lists.h"
#include "profile/json_file.h"
#include "profile/keyboard_profile.h"
#include "scratch.h"

namespace tarn {
namespace {

using test::ScratchFolder;
using test::WriteText;

TEST(DataFolders, DeviceFolderNamesAndVariants) {
  struct Case {
    int category;
    const char* folder;
    int variant;
    const char* macros;
  } cases[] = {
      {kCategoryKeyboard, "keyboard", 0, "macro.config"},
      {kCategoryMouse, "mouse", 1, "macro.config"},
      {kCategoryMousePad, "MousePad", 2, "quvex_macro.config"},
      {kCategoryHeadset, "HD", 3, "quvex_macro.config"},
      {5, "", -1, "quvex_macro.config"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DeviceFolderName(c.category), c.folder) << c.category;
    EXPECT_EQ(DeviceVariantIndex(c.category), c.variant) << c.category;
    EXPECT_EQ(MacroDocumentName(c.category), c.macros) << c.category;
  }
}

TEST(DataFolders, UserFoldersAreCreatedWhenTheirPathIsFormed) {
  std::string tarn = UserDataFolder();
  ASSERT_EQ(tarn.substr(tarn.size() - 5), "Tarn/");
  std::filesystem::remove_all(tarn);
  EXPECT_EQ(GetAppDataFolder(), tarn);
  EXPECT_TRUE(std::filesystem::is_directory(tarn));
  std::filesystem::remove_all(tarn);
  EXPECT_EQ(GetDeviceUserFolder("keyboard"), tarn + "keyboard/");
  EXPECT_TRUE(std::filesystem::is_directory(tarn + "keyboard"));
  EXPECT_EQ(GetDefaultProfilePath("MousePad"), ProgramFolder() + "DefaultData/MousePad.Json");

  // First use of the keyboard: its first profile file is made from the
  // shipped default as soon as it is loaded.
  std::filesystem::remove_all(tarn);
  CKeyboardProfiledata doc;
  doc.SetDefaultProfilePath(GetDefaultProfilePath(DeviceFolderName(kCategoryKeyboard)));
  doc.SetProfilePath(GetDeviceUserFolder("keyboard") + "profile1.Json");
  doc.Load();
  Json::Value written = ReadJsonFile(tarn + "keyboard/profile1.Json");
  EXPECT_EQ(JsonArraySize(JsonMember(JsonElement(JsonMember(written, "Device"), 0), "KeyList")), 170u);
  EXPECT_EQ(GetDefaultDataFolder(), ProgramFolder() + "DefaultData/");
}

TEST(DataFolders, NameListsComeFromTheVariantsEntries) {
  std::string folder = ScratchFolder();
  WriteText(folder + "macro.config", R"({"MacroInfo": [{"MacroName": "one", "Guid": "g1"}, {"Guid": "g2"}]})");
  WriteText(folder + "default_light.json", R"({"DefaultLightName": [
      [{"LightName": "kb0", "visible": 1, "value": 7}, {"LightName": "kb1", "visible": 0, "value": 7}],
      [{"LightName": "ms0", "visible": true, "value": 3}]], "AreaLightName": []})");
  WriteText(folder + "quvex_light.config", "{\"LightInfo\": [[], [{\"LightName\": \"\xe5\x91\xbc\xe5\x90\xb8\", \"Guid\": \"x\"}]]}");

  DeviceNameLists mouse;
  LoadDeviceNameLists(folder + "macro.config", folder + "default_light.json", folder + "quvex_light.config", 1, mouse);
  EXPECT_EQ(mouse.macroNames, (std::vector<std::string>{"one", ""}));
  EXPECT_EQ(mouse.lightModeNames, std::vector<std::string>{"ms0"});
  EXPECT_EQ(mouse.lightModeCodes, std::vector<int>{3});
  EXPECT_EQ(mouse.userLightNames, std::vector<std::string>{"\xe5\x91\xbc\xe5\x90\xb8"});  // shown unchanged

  DeviceNameLists keyboard;
  LoadDeviceNameLists(folder + "macro.config", folder + "default_light.json", folder + "quvex_light.config", 0, keyboard);
  EXPECT_EQ(keyboard.lightModeNames, (std::vector<std::string>{"kb0", "kb1"}));
  EXPECT_EQ(keyboard.lightModeVisible, (std::vector<uint8_t>{1, 0}));
  EXPECT_TRUE(keyboard.userLightNames.empty());
  // Codes map both ways; a code no mode has stands for itself.
  EXPECT_EQ(LightModeCode(keyboard, 1), 7);
  EXPECT_EQ(LightModeIndex(keyboard, 7), 0);
  EXPECT_EQ(LightModeIndex(keyboard, 12), 12);
  EXPECT_EQ(LightModeCode(keyboard, 5), 5);

  // Files that vanish keep the last lists, except the macro names.
  std::filesystem::remove(folder + "default_light.json");
  std::filesystem::remove(folder + "quvex_light.config");
  std::filesystem::remove(folder + "macro.config");
  LoadDeviceNameLists(folder + "macro.config", folder + "default_light.json", folder + "quvex_light.config", 1, mouse);
  EXPECT_TRUE(mouse.macroNames.empty());
  EXPECT_EQ(mouse.lightModeNames, std::vector<std::string>{"ms0"});
  EXPECT_EQ(mouse.userLightNames.size(), 1u);
  // So does a variant the files do not have.
  LoadDeviceNameLists("", GetDefaultDataFolder() + kDefaultLightFile, "", 9, mouse);
  EXPECT_EQ(mouse.lightModeNames, std::vector<std::string>{"ms0"});
}

TEST(DataFolders, LoadDeviceFilesReadsTheDeviceFolders) {
  std::string user = GetDeviceUserFolder("mouse");
  WriteText(user + "macro.config", R"({"MacroInfo": [{"MacroName": "m"}]})");
  WriteText(user + "quvex_light.config", R"({"LightInfo": [[{"LightName": "k"}], [{"LightName": "u"}]]})");
  DeviceNameLists lists;
  LoadDeviceFiles(kCategoryMouse, lists);
  EXPECT_EQ(lists.macroNames, std::vector<std::string>{"m"});
  EXPECT_EQ(lists.userLightNames, std::vector<std::string>{"u"});
  EXPECT_EQ(lists.lightModeNames.size(), 10u);  // the shipped mouse modes
}

TEST(DataFolders, UserCopiesAreSeededFromTheShippedFiles) {
  std::string folder = ScratchFolder();
  std::string shipped = GetDefaultDataFolder() + "ShootData_2.Shoot";
  std::string user = folder + "mouse/ShootData_2.Shoot";
  // Missing: copied as it is.
  ASSERT_TRUE(EnsureUserCopy(shipped, user));
  EXPECT_EQ(test::ReadText(user), test::ReadText(shipped));
  // A user's own readable file is left alone.
  WriteText(user, R"({"Events": []})");
  ASSERT_TRUE(EnsureUserCopy(shipped, user));
  EXPECT_EQ(test::ReadText(user), R"({"Events": []})");
  // An unreadable one is replaced, and kept beside it.
  WriteText(user, "{ broken");
  ASSERT_TRUE(EnsureUserCopy(shipped, user));
  EXPECT_EQ(test::ReadText(user), test::ReadText(shipped));
  EXPECT_EQ(test::ReadText(user + ".bak"), "{ broken");
  // Nothing to copy from.
  EXPECT_FALSE(EnsureUserCopy(folder + "none.json", folder + "copy.json"));
  EXPECT_FALSE(std::filesystem::exists(folder + "copy.json"));
}

}  // namespace
}  // namespace tarn
