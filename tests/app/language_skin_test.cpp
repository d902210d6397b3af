// Languages: the switch and its fonts, the stored choice across a restart,
// a missing language list, and that every text id in use is in every
// language file. Skin: each row of the chooser, "main.ini", closing.
#include <QTest>

#include <gtest/gtest.h>
#include <json/json.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>

#include "app/language.h"
#include "app/main_wnd.h"
#include "app/skin_frame.h"
#include "keyset/catalogue_tables.h"
#include "platform/settings_file.h"
#include "profile/json_file.h"
#include "tests/ui/ui_test_support.h"
#include "ui/container.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

// A main window on a small layout: no device pages.
class CLanguageWnd : public CMainWnd {
 public:
  std::string GetSkinFile() const override { return "test_main.xml"; }
  bool TrayAvailable() const override { return true; }
};

constexpr const char* kTestMain = R"(<Window size="400,300">
  <VerticalLayout name="root">
    <HorizontalLayout height="40"><Control/><Button name="skinbtn" width="32" height="32"/></HorizontalLayout>
    <Label name="str_test" visible="false"/>
  </VerticalLayout>
</Window>)";

// Six languages, so that indices 3 and 4 exist (ids 3003 and 4004).
constexpr const char* kSixLanguages = R"({"Language": [
  {"Language_ID": 2052, "Language_file": "lan_cn.xml", "Language_name": "cn", "Language_text": "cn"},
  {"Language_ID": 1033, "Language_file": "lan_en.xml", "Language_name": "en", "Language_text": "en"},
  {"Language_ID": 1028, "Language_file": "lan_tw.xml", "Language_name": "tw", "Language_text": "tw"},
  {"Language_ID": 3003, "Language_file": "lan_en.xml", "Language_name": "en3", "Language_text": "en3"},
  {"Language_ID": 4004, "Language_file": "lan_tw.xml", "Language_name": "tw4", "Language_text": "tw4"},
  {"Language_ID": 5005, "Language_file": "lan_cn.xml", "Language_name": "cn5", "Language_text": "cn5"}]})";

class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::App();
    m_program = test::ScratchFolder("lang_program");
    fs::remove_all(m_program);
    fs::create_directories(m_program + "skin");
    fs::create_directories(m_program + "DefaultData");
    for (const char* file : {"lan_cn.xml", "lan_en.xml", "lan_tw.xml", "skin.xml"})
      fs::create_symlink(std::string(TARN_SOURCE_DIR) + "/skin/" + file, m_program + "skin/" + file);
    fs::create_directory_symlink(std::string(TARN_SOURCE_DIR) + "/skin/common", m_program + "skin/common");
    test::WriteFile(m_program + "skin/test_main.xml", kTestMain);
    test::WriteFile(m_program + "DefaultData/Language.config", kSixLanguages);
    m_oldDataDir = std::getenv("TARN_DATA_DIR") != nullptr ? std::getenv("TARN_DATA_DIR") : "";
    setenv("TARN_DATA_DIR", m_program.c_str(), 1);
    fs::remove(LanguageSettingsPath());
    CResourceManager::Instance().SetResourcePath(m_program + "skin/");
  }
  void TearDown() override {
    m_wnd.reset();
    setenv("TARN_DATA_DIR", m_oldDataDir.c_str(), 1);
    CResourceManager::Instance().Release();
  }
  CLanguageWnd& OpenWindow() {
    m_wnd = std::make_unique<CLanguageWnd>();
    m_wnd->Create(nullptr, "Tarn", CWindowUI::kStyleFrameless);
    m_wnd->show();
    EXPECT_TRUE(test::WaitFor([this] { return m_wnd->CurrentLanguage() >= 0; }));
    return *m_wnd;
  }
  static int StoredId() {
    int id = -1;
    return ReadStoredLanguageId(id) ? id : -1;
  }

  std::string m_program;
  std::string m_oldDataDir;
  std::unique_ptr<CLanguageWnd> m_wnd;
};

TEST(LanguageRules, FontsAreRebuiltAroundTheLanguagesWithOwnFaces) {
  struct Case {
    int from, to;
    bool rebuild;
  } cases[] = {{-1, 0, true}, {-1, 1, true}, {3, 4, false}, {3, 2, true}, {2, 3, true},
               {0, 1, true},  {1, 3, false}, {15, 1, true}, {1, 15, true}, {4, 14, false}};
  for (const Case& c : cases) EXPECT_EQ(LanguageSwitchRebuildsFonts(c.from, c.to), c.rebuild) << c.from << "→" << c.to;
}

TEST_F(LanguageTest, SwitchTableStoresAndKeepsTheChoice) {
  // First start without a stored choice: index 0, fonts rebuilt, choice stored.
  CLanguageWnd& wnd = OpenWindow();
  EXPECT_EQ(wnd.CurrentLanguage(), 0);
  EXPECT_EQ(wnd.FontRebuildCount(), 1);
  EXPECT_EQ(StoredId(), 2052);
  EXPECT_EQ(wnd.Translate("menu_exit"), "退出");

  struct Step {
    int to;
    bool rebuild;
    int storedId;  // -1: nothing written
    const char* exitText;
  } steps[] = {
      {3, true, 3003, "Exit"},   {4, false, 4004, "結束"}, {3, false, 3003, "Exit"},
      {2, true, 1028, "結束"},   {3, true, 3003, "Exit"},  {3, false, -1, "Exit"},  // same index: no write
  };
  for (const Step& s : steps) {
    int rebuilds = wnd.FontRebuildCount();
    if (s.storedId < 0) fs::remove(LanguageSettingsPath());
    wnd.SwitchLanguage(s.to);
    EXPECT_EQ(wnd.CurrentLanguage(), s.to);
    EXPECT_EQ(wnd.FontRebuildCount() - rebuilds, s.rebuild ? 1 : 0) << "to " << s.to;
    EXPECT_EQ(StoredId(), s.storedId) << "to " << s.to;
    EXPECT_EQ(wnd.Translate("menu_exit"), s.exitText) << "to " << s.to;
  }

  // The choice outlives the program: the next start takes index 3 again.
  wnd.SwitchLanguage(4);
  m_wnd.reset();
  CLanguageWnd& again = OpenWindow();
  EXPECT_EQ(again.CurrentLanguage(), 4);
  EXPECT_EQ(again.Translate("menu_exit"), "結束");
  // Message 0xC11 switches too.
  ASSERT_TRUE(again.HandleMessage(kMsgLanguageChanged, 1, 0));
  EXPECT_EQ(again.CurrentLanguage(), 1);
  EXPECT_EQ(StoredId(), 1033);
}

TEST_F(LanguageTest, AStoredValueThatIsNoNumberLooksUpTheFallbackId) {
  CSettingsFile file(LanguageSettingsPath());
  file.Set(kLanguageSection, kLanguageKey, "English");
  ASSERT_TRUE(file.Save());
  int id = 0;
  ASSERT_TRUE(ReadStoredLanguageId(id));
  EXPECT_EQ(id, kUnreadableLanguageId);
  EXPECT_EQ(OpenWindow().CurrentLanguage(), 0);
}

TEST_F(LanguageTest, MissingLanguageListKeepsTheLoadedLanguageAndStoresNothing) {
  CLanguageWnd& wnd = OpenWindow();
  wnd.SwitchLanguage(1);
  ASSERT_EQ(StoredId(), 1033);
  fs::remove(m_program + "DefaultData/Language.config");
  wnd.SwitchLanguage(2);
  EXPECT_EQ(wnd.CurrentLanguage(), 1);
  EXPECT_EQ(wnd.Translate("menu_exit"), "Exit");
  EXPECT_EQ(StoredId(), 1033);
  // An index past the list is refused the same way.
  test::WriteFile(m_program + "DefaultData/Language.config", kSixLanguages);
  wnd.SwitchLanguage(9);
  EXPECT_EQ(wnd.CurrentLanguage(), 1);
  EXPECT_EQ(StoredId(), 1033);
}

// Every id the layouts, the data files and the code tables use.
std::set<std::string> TextIdsInUse() {
  std::set<std::string> ids;
  const std::regex attribute(R"re(\b(text|tooltip)="([A-Za-z][A-Za-z0-9_.]*)")re");
  for (const auto& entry : fs::recursive_directory_iterator(std::string(TARN_SOURCE_DIR) + "/skin")) {
    std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".xml" || name.rfind("lan_", 0) == 0) continue;
    std::ifstream in(entry.path());
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (std::sregex_iterator it(text.begin(), text.end(), attribute), end; it != end; ++it) ids.insert((*it)[2]);
  }
  Json::Value lights = ReadJsonFile(std::string(TARN_SOURCE_DIR) + "/DefaultData/default_light.json");
  std::function<void(const Json::Value&)> walk = [&](const Json::Value& value) {
    if (value.isObject()) {
      for (const std::string& key : value.getMemberNames()) {
        if (key == "LightName" && value[key].isString()) ids.insert(value[key].asString());
        walk(value[key]);
      }
    } else if (value.isArray()) {
      for (const Json::Value& item : value) walk(item);
    }
  };
  walk(lights);
  EXPECT_GT(ids.size(), 30u);
  ids.insert("correct_off_text");
  for (const auto& row : kKeyboardKeyTable) ids.insert(row.nameId);
  for (const auto* table : {kMouseButtonTable.data(), kDpiTable.data(), kSystemTable.data()}) (void)table;
  for (const auto& row : kMouseButtonTable) ids.insert(row.nameId);
  for (const auto& row : kDpiTable) ids.insert(row.nameId);
  for (const auto& row : kMediaTable) ids.insert(row.nameId);
  for (const auto& row : kSystemTable) ids.insert(row.nameId);
  for (const auto& row : kOfficeShortcutTable) ids.insert(row.nameId);
  for (const auto& row : kOfficeFunctionTable) ids.insert(row.nameId);
  for (const auto& row : kMouseFunctionTable) ids.insert(row.nameId);
  for (const char* name : kRecoilPatternNames) ids.insert(name);
  for (const char* name : {kColorKeyNameId, kNameOff, kNameMoveLeft, kNameMoveRight, kNameWheelUp, kNameWheelDown,
                           kNameFireKey})
    ids.insert(name);
  // Message keys and the texts code looks up.
  for (const char* name : {"message_text_2", "message_text_4", "message_text_5", "message_text_6", "message_text_7",
                           "message_text_16", "message_text_22", "message_text_25", "software_rev_text",
                           "device_permission_hint", "Key_Set", "Repeat_Delay_Time", "Repeat_input_text",
                           "no_device_text"})
    ids.insert(name);
  return ids;
}

TEST(LanguageFiles, EveryIdInUseIsInEveryFile) {
  test::App();
  CResourceManager::Instance().SetResourcePath(std::string(TARN_SOURCE_DIR) + "/skin/");
  std::set<std::string> ids = TextIdsInUse();
  std::vector<LanguageEntry> languages;
  ASSERT_TRUE(ReadLanguageList(std::string(TARN_SOURCE_DIR) + "/DefaultData/Language.config", languages));
  ASSERT_GE(languages.size(), 2u);
  for (const LanguageEntry& language : languages) {
    ASSERT_TRUE(CResourceManager::Instance().LoadLanguage(language.file)) << language.file;
    for (const std::string& id : ids)
      EXPECT_TRUE(CResourceManager::Instance().FindText(id).has_value()) << language.file << ": " << id;
  }
  CResourceManager::Instance().Release();
}

// ---------------------------------------------------------------- skin

CControlUI* NthNamed(CWindowUI* window, const std::string& name, int n) {
  for (CControlUI* control : window->AllControls())
    if (control->GetName() == name && n-- == 0) return control;
  return nullptr;
}

void ClickOn(CControlUI* control) {
  ASSERT_NE(control, nullptr);
  QTest::mouseClick(control->GetWidget(), Qt::LeftButton);
}

TEST_F(LanguageTest, SkinChooserRowsAndMainIni) {
  CLanguageWnd& wnd = OpenWindow();
  CControlUI* root = wnd.FindControl("root");
  CControlUI* anchor = wnd.FindControl("skinbtn");
  ClickOn(anchor);
  CSkinFrame* frame = nullptr;
  ASSERT_TRUE(test::WaitFor([&] {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (auto* found = dynamic_cast<CSkinFrame*>(widget); found != nullptr && found->isVisible()) frame = found;
    return frame != nullptr;
  }));
  QPointer<CSkinFrame> alive(frame);
  auto readIni = [] {
    CSettingsFile ini(SkinSettingsPath());
    ini.Load();
    return ini.GetString("SKINIMAGE", "FLAGS", "-") + "|" + ini.GetString("SKINIMAGE", "IMAGE", "-");
  };
  fs::remove(SkinSettingsPath());

  CControlUI* image = NthNamed(frame, "skin_image_btn", 1);
  ClickOn(image);
  EXPECT_EQ(root->GetBkImage(), image->GetUserData());
  EXPECT_EQ(root->GetBkColor(), 0u);
  EXPECT_EQ(readIni(), "1|" + image->GetUserData());

  CControlUI* color = NthNamed(frame, "skin_color_btn", 2);
  ClickOn(color);
  EXPECT_EQ(root->GetBkColor(), color->GetBkColor());
  EXPECT_EQ(root->GetBkImage(), "");
  EXPECT_EQ(readIni(), "1|" + image->GetUserData());  // colours are not written

  auto* tab = frame->FindControlAs<CTabLayoutUI>("skin_tab");
  ASSERT_NE(tab, nullptr);
  ClickOn(frame->FindControl("skin_color"));
  EXPECT_EQ(tab->GetCurSel(), 1);
  ClickOn(frame->FindControl("skin_image"));
  EXPECT_EQ(tab->GetCurSel(), 0);

  std::string own = m_program + "own.png";
  CSkinFrame::SetImageDialogHook([own] { return own; });
  ClickOn(frame->FindControl("skin_Custom"));
  EXPECT_EQ(root->GetBkImage(), own);
  EXPECT_EQ(readIni(), "1|" + image->GetUserData());
  CSkinFrame::SetImageDialogHook([] { return std::string(); });  // cancelled
  ClickOn(frame->FindControl("skin_Custom"));
  EXPECT_EQ(root->GetBkImage(), own);

  ClickOn(frame->FindControl("skin_reset"));
  EXPECT_EQ(root->GetBkImage(), kDefaultBackground);
  EXPECT_EQ(readIni(), std::string("0|") + kDefaultBackground);
  CSkinFrame::SetImageDialogHook(nullptr);

  // A click outside the pop-up closes it.
  QTest::mouseClick(frame, Qt::LeftButton, {}, QPoint(-30, -30));
  EXPECT_TRUE(test::WaitFor([&] { return alive == nullptr || !alive->isVisible(); }));
}

}  // namespace
}  // namespace tarn
