// The profile bar over the keyboard: switching profiles (timer 1055), the
// downloads a switch makes, deleting the current profile, and the bar's
// buttons with the main window's message box and file dialogs.
#include <filesystem>

#include "emulator/keyboard_firmware_layout.h"
#include "macro/macro_event.h"
#include "macro/macro_file.h"
#include "macro/macro_list.h"
#include "profile/json_file.h"
#include "profile/keyboard_profile.h"
#include "tests/app/keyboard_page/page_fixture.h"
#include "ui/basic_controls.h"
#include "ui/controls/device_key_button.h"
#include "ui/input_controls.h"

namespace tarn {
namespace {

using test::KeyboardPageFixture;

class ProfileBarTest : public KeyboardPageFixture {
 public:
  void SetUp() override {
    KeyboardPageFixture::SetUp();
    BuildPage();
    PageDialogs dialogs;
    dialogs.messageBox = [this](const std::string& key, int, const std::string& text) {
      m_messages.push_back(text.empty() ? key : key + "|" + text);
      return m_confirm ? 1 : 0;
    };
    dialogs.fileDialog = [this](bool save, const std::string& filter) {
      m_filters.push_back(filter);
      return save ? m_savePath : m_openPath;
    };
    m_page->SetDialogs(dialogs);
    m_bar = m_page->ProfileBar();
    ASSERT_NE(m_bar, nullptr);
    m_combo = Control<CComboUI>("device_profile_combo");
    ASSERT_NE(m_combo, nullptr);
  }
  // The user picks an item (the combo raises "itemselect" itself).
  void Choose(int index) { m_combo->setCurrentIndex(index); }
  void WaitForSwitches(int count) {
    ASSERT_TRUE(test::WaitFor([&] { return m_page->ProfileSwitchCount() >= count; }));
  }
  std::vector<uint8_t> KeyAt(int row) {
    return Firmware([&](emu::CKeyboardFirmware& f) {
      auto table = f.KeyTable();
      size_t p = static_cast<size_t>(emu::PositionOfIdentityRow(row));
      return std::vector<uint8_t>(table.begin() + 3 * p, table.begin() + 3 * p + 3);
    });
  }
  // Profile `index` gets polling rate 3 and a macro on key 43 (Q).
  void PrepareProfile(int index) {
    CMacroList list(m_userFolder);
    list.Load();
    ASSERT_FALSE(list.Add().empty());
    const MacroInfo& info = list.Macros()[0];
    std::vector<Json::Value> events = {MakeMacroEvent(kMacroKey, true, 0x04, 30),
                                       MakeMacroEvent(kMacroKey, false, 0x04, 40)};
    ASSERT_EQ(WriteMacroEventFile(m_userFolder + info.guid + kMacroFileExtension, info.guid, info.name, events), 0);
    CKeyboardProfiledata profile;
    profile.SetDefaultProfilePath(Device().Profile().GetDefaultProfilePath());
    profile.SetProfilePath(m_bar->GetProfileFilePath(index));
    profile.Load();
    StageWords words = profile.GetKeyboardStages();
    profile.SetKeyboardStages(words[0], (words[1] & 0xFFFF) | (3u << 16), words[2]);
    KeyList keys = profile.GetKeyList();
    ASSERT_GT(keys.size(), 43u);
    keys[43].current = KeyAssignment::Make(0x70, 0, 0, 43);
    profile.SetKeyList(keys);
    ASSERT_EQ(profile.Save(), 0);
  }

  CDeviceProfileUI* m_bar = nullptr;
  CComboUI* m_combo = nullptr;
  std::vector<std::string> m_messages;
  std::vector<std::string> m_filters;
  std::string m_openPath, m_savePath;
  bool m_confirm = true;
};

TEST_F(ProfileBarTest, TwoChoicesWithinTheDelaySwitchOnce) {
  Click("device_add_btn");
  Click("device_add_btn");
  ASSERT_EQ(m_combo->GetCount(), 3);
  EXPECT_EQ(m_combo->GetCurSel(), 0) << "adding keeps the current profile";
  Choose(1);
  Choose(2);
  EXPECT_TRUE(m_page->IsProfileSwitchPending());
  WaitForSwitches(1);
  test::Pump(600);
  EXPECT_EQ(m_page->ProfileSwitchCount(), 1);
  EXPECT_EQ(Device().m_strProfileName, m_bar->List().Entries()[2].uuid);
  EXPECT_EQ(ReadJsonFile(m_userFolder + "ProfileList.ini")["profileselect"].asInt(), 2);
  EXPECT_EQ(m_bar->GetEditedName(), "profile3");
}

TEST_F(ProfileBarTest, SwitchSendsSettingsMacrosThenKeys) {
  Plug();
  Click("device_add_btn");
  PrepareProfile(1);
  ClearLog();
  Choose(1);
  WaitForSwitches(1);
  EXPECT_EQ(Commands(), (std::vector<uint8_t>{0x01, 0x06, 0x02, 0x03, 0x01, 0x15, 0x02, 0x03, 0x01, 0x09, 0x02}));
  EXPECT_EQ(Firmware([](emu::CKeyboardFirmware& f) { return f.SettingsBlock(f.ActiveBlock())[22]; }), 3);
  std::vector<emu::FirmwareMacro> macros;
  ASSERT_TRUE(Firmware([&](emu::CKeyboardFirmware& f) { return f.DecodeMacroImage(macros); }));
  ASSERT_EQ(macros.size(), 1u);
  ASSERT_EQ(macros[0].size(), 2u);
  EXPECT_EQ(macros[0][0], (emu::FirmwareMacroEvent{30, 0x80 | kMacroKey, 0x04}));
  EXPECT_EQ(KeyAt(43), (std::vector<uint8_t>{0x70, 0, 0}));
  EXPECT_EQ(m_page->GetPollingChoice(), 3);
  EXPECT_EQ(m_page->KeyCaption(43), "macro_1");
  EXPECT_TRUE(m_messages.empty());
}

TEST_F(ProfileBarTest, FailedMacroDownloadShowsItsMessageAndLeavesTheKeys) {
  struct Case {
    const char* name;
    std::function<void(ProfileBarTest&)> fault;
    std::string message;
  } cases[] = {
      {"macro memory too small",
       [](ProfileBarTest& t) {
         t.Firmware([](emu::CKeyboardFirmware& f) {
           f.SetMacroMemoryUnits(0);
           return 0;
         });
       },
       "message_text_16|message_text_16 8"},
      {"keyboard refuses",
       [](ProfileBarTest& t) { t.m_keyboard.Node(emu::KeyboardLink::Cable)->InjectFault(emu::Fault::StatusError, 3); },
       "message_text_7"},
  };
  Plug();
  Click("device_add_btn");
  PrepareProfile(1);
  // Macro memory 0: the image of one macro with two events, 30 bytes, is
  // (30 - 0) / 4 + 1 = 8 events over.
  int switches = 0;
  for (const Case& c : cases) {
    m_messages.clear();
    c.fault(*this);
    ClearLog();
    Choose(1);
    WaitForSwitches(++switches);
    std::vector<uint8_t> commands = Commands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x09), 0) << c.name;
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x15), 0) << c.name;
    EXPECT_EQ(m_messages, std::vector<std::string>{c.message}) << c.name;
    EXPECT_NE(KeyAt(43), (std::vector<uint8_t>{0x70, 0, 0})) << c.name;
    Firmware([](emu::CKeyboardFirmware& f) {
      f.SetMacroMemoryUnits(32);
      return 0;
    });
    Choose(0);
    WaitForSwitches(++switches);
  }
}

TEST_F(ProfileBarTest, DeletingTheCurrentProfileSwitchesToItsNeighbour) {
  Plug();
  Click("device_add_btn");
  Click("device_add_btn");
  Choose(2);
  WaitForSwitches(1);
  std::string deleted = m_bar->GetProfileFilePath(2);
  std::string neighbour = m_bar->List().Entries()[1].uuid;
  ASSERT_TRUE(std::filesystem::exists(deleted));
  Click("device_sub_btn");
  EXPECT_EQ(m_combo->GetCount(), 2);
  WaitForSwitches(2);
  EXPECT_EQ(Device().m_strProfileName, neighbour);
  EXPECT_EQ(m_combo->GetCurSel(), 1);
  // The page saves the current profile on every change; the deleted one
  // must not come back.
  Click("6flag_option");
  test::Pump(100);
  EXPECT_FALSE(std::filesystem::exists(deleted));
  EXPECT_EQ(ReadJsonFile(m_userFolder + "ProfileList.ini")["profileselect"].asInt(), 1);
}

TEST_F(ProfileBarTest, ConfirmedResetIsAppliedAndWrittenToTheKeyboard) {
  Plug();
  PrepareProfile(0);
  m_page->RunProfileSwitch();
  ASSERT_EQ(KeyAt(43), (std::vector<uint8_t>{0x70, 0, 0}));
  ASSERT_EQ(m_page->GetPollingChoice(), 3);
  ClearLog();
  Click("device_reset_btn");
  EXPECT_EQ(m_messages, std::vector<std::string>{"message_text_22"});
  // Settings, the (now empty) macro set, then the keys of the default profile.
  EXPECT_EQ(Commands(), (std::vector<uint8_t>{0x01, 0x06, 0x02, 0x03, 0x01, 0x09, 0x02}));
  EXPECT_EQ(KeyAt(43), (std::vector<uint8_t>{0x20, 0x00, 0x14}));
  EXPECT_NE(m_page->GetPollingChoice(), 3);
  EXPECT_EQ(m_page->KeyButtonAt(43)->GetDefaultFlag(), 1);
}

TEST_F(ProfileBarTest, ProfileChangeNotificationReloadsTheList) {
  Plug();
  // Another instance of the list (as another program would) adds a profile.
  CProfileList other;
  other.SetFolders(m_userFolder, Device().Profile().GetDefaultProfilePath());
  other.Load();
  ASSERT_GE(other.Add(), 0);
  EXPECT_EQ(m_combo->GetCount(), 1);
  ASSERT_TRUE(Device().OpenNotificationLink(false, MakeHidInterfacePath(0x320F, 0x5055, 1, 3, m_node)));
  m_keyboard.Notify(emu::KeyboardLink::Cable, keyboard::kNotifyProfileChanged);
  // The selector entry's sync timer (not part of this page) runs the sync.
  ASSERT_TRUE(test::WaitFor([&] { return Device().LastSyncCode() == keyboard::kNotifyProfileChanged; }));
  EXPECT_EQ(m_combo->GetCount(), 1);
  Device().OnDeviceSyncRequest();
  ASSERT_TRUE(test::WaitFor([&] { return m_combo->GetCount() == 2; }));
  EXPECT_EQ(m_combo->GetItemText(1), "profile2");
  EXPECT_EQ(m_combo->GetCurSel(), 0);
  EXPECT_EQ(m_page->ProfileSwitchCount(), 0);
  Device().CloseNotificationLink(false);
}

TEST_F(ProfileBarTest, BarButtonsWithDialogs) {
  Click("profile_fun_spread_btn");
  EXPECT_TRUE(m_bar->IsProfileMenuVisible());
  test::Pump();

  // Rename: blank and taken names are refused with their messages.
  Click("device_add_btn");
  struct Rename {
    std::string name;
    std::vector<std::string> messages;
    std::string stored;
  } renames[] = {{"  ", {"message_text_25"}, "profile1"},
                 {"PROFILE2", {"message_text_5"}, "profile1"},
                 {"Work", {}, "Work"}};
  for (const Rename& r : renames) {
    m_messages.clear();
    m_bar->SetEditedName(r.name);
    Click("device_profile_edit_save_btn");
    EXPECT_EQ(m_messages, r.messages) << r.name;
    EXPECT_EQ(m_combo->GetItemText(0), r.stored);
    EXPECT_EQ(m_combo->itemData(0, Qt::ToolTipRole).toString().toStdString(), r.stored);
  }

  // Export, then import the exported file under its file name.
  m_savePath = test::ScratchFolder("bar_dialogs") + "Game.json";
  Click("device_export_btn");
  ASSERT_EQ(ReadJsonFile(m_savePath)["profilename"].asString(), "Work");
  m_openPath = m_savePath;
  Click("device_import_btn");
  EXPECT_EQ(m_combo->GetItemText(2), "Game");
  EXPECT_EQ(m_filters, (std::vector<std::string>{"Profile Files(*.json)", "Profile Files(*.json)"}));
  test::WriteFile(m_openPath, "[]");
  Click("device_import_btn");
  EXPECT_EQ(m_combo->GetCount(), 3);

  // Reset asks first; declined, nothing changes.
  Json::Value changed = ReadJsonFile(m_bar->GetProfileFilePath(0));
  changed["Device"][0]["marker"] = 1;
  WriteJsonFile(changed, m_bar->GetProfileFilePath(0));
  m_confirm = false;
  m_messages.clear();
  Click("device_reset_btn");
  EXPECT_EQ(m_messages, std::vector<std::string>{"message_text_22"});
  EXPECT_EQ(ReadJsonFile(m_bar->GetProfileFilePath(0))["Device"][0]["marker"].asInt(), 1);
  m_confirm = true;
  Click("device_reset_btn");
  EXPECT_FALSE(JsonHas(ReadJsonFile(m_bar->GetProfileFilePath(0))["Device"][0], "marker"));
  EXPECT_EQ(ReadJsonFile(m_bar->GetProfileFilePath(0))["profilename"].asString(), "Work");

  Click("device_copy_btn");
  EXPECT_EQ(m_combo->GetItemText(3), "Work copy");
  EXPECT_FALSE(Control<COptionUI>("cursor_Op_tab")->IsVisible()) << "a keyboard has no cursor page";
  EXPECT_TRUE(Control<COptionUI>("deng_Op_tab")->IsSelected());
}

}  // namespace
}  // namespace tarn
