// Language texts, the resource index, fonts and display scaling.
#include <gtest/gtest.h>

#include "tests/ui/ui_test_support.h"
#include "ui/basic_controls.h"
#include "ui/input_controls.h"

namespace tarn {
namespace {

class ResourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::App();
    folder = test::ScratchFolder("resources");
    test::WriteFile(folder + "lan_a.xml", R"(<Language name="A">
        <Text id="Key_Set" value="Key setting"/><Text id="tip" value="Tip A"/><Text id="item_1">One</Text></Language>)");
    test::WriteFile(folder + "lan_b.xml", R"(<Language name="B">
        <Text id="Key_Set" value="Tasten"/><Text id="tip" value="Tip B"/><Text id="item_1" value="Eins"/></Language>)");
    test::WriteFile(folder + "XML/page.xml", R"(<Window size="200,100">
        <Font id="3" name="DejaVu Sans" size="20"/>
        <VerticalLayout name="root">
          <Label name="str_test"/>
          <Label name="caption" text="Key_Set" tooltip="tip" font="3" width="100" height="30"/>
          <Label name="raw" text="Key_Set" resourcetext="false"/>
          <Combo name="combo"><ListLabelElement text="item_1"/></Combo>
          <Control name="spacer" float="true" pos="10,20,50,60"/>
        </VerticalLayout></Window>)");
    test::WriteFile(folder + "res.xml", R"(<Res><Layouts><Layout id="XML_PAGE" path="XML\page.xml"/></Layouts></Res>)");
    auto& resources = CResourceManager::Instance();
    resources.SetResourcePath(folder);
    ASSERT_TRUE(resources.LoadResource("res.xml"));
    ASSERT_TRUE(resources.LoadLanguage("lan_a.xml"));
  }
  void TearDown() override {
    CResourceManager::Instance().Release();
    CWindowUI::SetAllDPI(96);
  }
  std::string folder;
};

TEST_F(ResourceTest, TextIdsResolveThroughTheLanguageAndReload) {
  test::CRecordingWindow window("XML_PAGE");  // an id of the index
  window.Create(nullptr, "t");
  ASSERT_EQ(window.GetBuildError(), "");
  CControlUI* caption = window.FindControl("caption");
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->GetText(), "Key setting");
  EXPECT_EQ(caption->GetToolTip(), "Tip A");
  EXPECT_EQ(dynamic_cast<QLabel*>(caption->GetWidget())->text().toStdString(), "Key setting");
  EXPECT_EQ(window.FindControl("raw")->GetText(), "Key_Set");
  EXPECT_EQ(window.FindControlAs<CComboUI>("combo")->GetItemText(0), "One");

  // Translating in code: give the id to the hidden label, read the text back.
  CControlUI* probe = window.FindControl("str_test");
  struct Case {
    const char* id;
    const char* text;
  } cases[] = {{"Key_Set", "Key setting"}, {"no_such_id", "no_such_id"}, {"", ""}};
  for (const auto& c : cases) {
    probe->SetText(c.id);
    EXPECT_EQ(probe->GetText(), c.text) << c.id;
  }

  ASSERT_TRUE(CResourceManager::Instance().LoadLanguage("lan_b.xml"));
  CResourceManager::Instance().ReloadText();
  EXPECT_EQ(caption->GetText(), "Tasten");
  EXPECT_EQ(caption->GetToolTip(), "Tip B");
  EXPECT_EQ(window.FindControlAs<CComboUI>("combo")->GetItemText(0), "Eins");

  // A missing language file leaves every id as it is.
  EXPECT_FALSE(CResourceManager::Instance().LoadLanguage("lan_missing.xml"));
  CResourceManager::Instance().ReloadText();
  EXPECT_EQ(caption->GetText(), "Key_Set");

  // A text query answer comes before the language file.
  struct Query : IQueryControlText {
    std::string QueryControlText(const std::string& id, const std::string&) override {
      return id == "Key_Set" ? "asked" : "";
    }
  } query;
  CResourceManager::Instance().SetTextQueryInterface(&query);
  CResourceManager::Instance().ReloadText();
  EXPECT_EQ(caption->GetText(), "asked");
  CResourceManager::Instance().SetTextQueryInterface(nullptr);
}

TEST_F(ResourceTest, DisplayScalingScalesLayoutSizesAndFonts) {
  test::CRecordingWindow window("XML_PAGE");
  window.Create(nullptr, "t");
  QWidget* caption = window.FindControl("caption")->GetWidget();
  QWidget* spacer = window.FindControl("spacer")->GetWidget();
  struct Case {
    int dpi;
    QSize window, caption;
    int fontPixels;
    QRect spacer;
  } cases[] = {
      {96, {200, 100}, {100, 30}, 20, QRect(10, 20, 40, 40)},
      {144, {300, 150}, {150, 45}, 30, QRect(15, 30, 60, 60)},
      {192, {400, 200}, {200, 60}, 40, QRect(20, 40, 80, 80)},
  };
  for (const auto& c : cases) {
    window.SetDPI(c.dpi);
    EXPECT_EQ(window.GetDPI(), c.dpi);
    EXPECT_EQ(window.size(), c.window) << c.dpi;
    EXPECT_EQ(caption->minimumSize(), c.caption) << c.dpi;
    EXPECT_EQ(caption->maximumSize(), c.caption) << c.dpi;
    EXPECT_EQ(caption->font().pixelSize(), c.fontPixels) << c.dpi;
    EXPECT_EQ(spacer->geometry(), c.spacer) << c.dpi;
  }
  window.SetDPI(5);  // nonsense is ignored
  EXPECT_EQ(window.GetDPI(), 192);

  // SetAllDPI reaches every window, and windows made later start with it.
  test::CRecordingWindow other("XML_PAGE");
  other.Create(nullptr, "t");
  CWindowUI::SetAllDPI(144);
  EXPECT_EQ(window.GetDPI(), 144);
  EXPECT_EQ(other.size(), QSize(300, 150));
  test::CRecordingWindow later("XML_PAGE");
  later.Create(nullptr, "t");
  EXPECT_EQ(later.size(), QSize(300, 150));
}

TEST_F(ResourceTest, IndexPathsAndFontTable) {
  auto& resources = CResourceManager::Instance();
  struct Case {
    const char* in;
    std::string out;
  } cases[] = {
      {"XML_PAGE", folder + "XML/page.xml"},
      {"xml_page", folder + "XML/page.xml"},
      {"common\\bk.png", folder + "common/bk.png"},
      {"/abs/file.png", "/abs/file.png"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(resources.ResolvePath(c.in), c.out) << c.in;
  EXPECT_EQ(ImageFileOf("file='a/b.png' corner='1,1,1,1'"), "a/b.png");
  EXPECT_EQ(ImageFileOf("a/b.png"), "a/b.png");

  EXPECT_FALSE(resources.LoadResource("missing_res.xml"));
  EXPECT_EQ(resources.ResolvePath("XML_PAGE"), folder + "XML/page.xml");  // the old index stays
  EXPECT_FALSE(resources.SetResourceType(ResourceType::Zip));
  EXPECT_TRUE(resources.SetResourceType(ResourceType::File));

  resources.RemoveAllFonts();
  resources.AddFont(50, "DejaVu Sans", 18, true);
  resources.SetDefaultFont("DejaVu Sans", 14);
  EXPECT_TRUE(resources.GetFont(50).bold());
  EXPECT_EQ(resources.GetFont(50, 1.5).pixelSize(), 27);
  EXPECT_EQ(resources.GetFont(99).pixelSize(), 14);  // unknown id: the default font
  resources.RemoveAllFonts();
  EXPECT_FALSE(resources.HasFont(50));
}

}  // namespace
}  // namespace tarn
