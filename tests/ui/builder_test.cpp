// Building control trees from layouts: own classes by type name, lookup by
// name without regard to case, and what a broken layout leaves.
#include <gtest/gtest.h>

#include "tests/ui/ui_test_support.h"
#include "ui/basic_controls.h"
#include "ui/container.h"
#include "ui/dialog_builder.h"
#include "ui/input_controls.h"
#include "ui/list_control.h"
#include "ui/ui_string.h"

namespace tarn {
namespace {

using test::App;

// A control class of the program's own, as later parts add them.
class CDialKnobUI : public CButtonUI {
 public:
  std::string GetClass() const override { return "DialKnob"; }
  void DoInit() override { initCount++; }
  int initCount = 0;
};

class CPageUI : public CVerticalLayoutUI {
 public:
  std::string GetClass() const override { return "Page"; }
};

class BuilderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    CControlFactory::Instance().RegistControl("CDialKnobUI", [] { return new CDialKnobUI(); });
  }
  void TearDown() override { CControlFactory::Instance().UnregistControl("CDialKnobUI"); }
};

constexpr const char* kLayout = R"(<Window size="400,300">
  <VerticalLayout name="Root">
    <HorizontalLayout name="bar">
      <Button name="CloseBtn" text="x"/>
      <DialKnob name="knob_1" userdata="volume"/>
    </HorizontalLayout>
    <Page name="page">
      <Label name="inner_label" text="hello"/>
      <Combo name="combo"><ListLabelElement text="a"/><ListLabelElement text="b" selected="true"/></Combo>
    </Page>
  </VerticalLayout>
</Window>)";

TEST_F(BuilderTest, OwnClassesByTypeNameAndControlsFoundInAnyCase) {
  std::string file = test::UseLayout("builder", kLayout);
  test::CRecordingWindow window(file);
  int pagesMade = 0;
  window.create = [&pagesMade](const std::string& type) -> CControlUI* {
    if (!EqualsNoCase(type, "Page")) return nullptr;
    ++pagesMade;
    return new CPageUI();
  };
  ASSERT_TRUE(window.Create(nullptr, "t"));
  EXPECT_EQ(pagesMade, 1);

  // The registered class (under its class name "CDialKnobUI") came from type "DialKnob".
  auto* knob = window.FindControlAs<CDialKnobUI>("KNOB_1");
  ASSERT_NE(knob, nullptr);
  EXPECT_EQ(knob->initCount, 1);
  EXPECT_EQ(knob->GetUserData(), "volume");
  EXPECT_NE(dynamic_cast<CPageUI*>(window.FindControl("page")), nullptr);

  for (const char* name : {"closebtn", "CLOSEBTN", "CloseBtn", "cLoSeBtN"}) {
    CControlUI* found = window.FindControl(name);
    ASSERT_NE(found, nullptr) << name;
    EXPECT_EQ(found->GetClass(), "Button");
  }
  EXPECT_EQ(window.FindControl("root"), window.GetRoot());
  EXPECT_EQ(window.FindControl("missing"), nullptr);
  EXPECT_EQ(window.FindControl(""), nullptr);

  // Under a container: only its own sub-tree.
  auto* page = dynamic_cast<CContainerUI*>(window.FindControl("page"));
  ASSERT_NE(page, nullptr);
  EXPECT_NE(page->FindSubControl("INNER_LABEL"), nullptr);
  EXPECT_EQ(page->FindSubControl("closebtn"), nullptr);
  EXPECT_EQ(CWindowUI::FindSubControlByName(page, "Inner_Label"), page->FindSubControl("inner_label"));

  auto* combo = window.FindControlAs<CComboUI>("combo");
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->GetCount(), 2);
  EXPECT_EQ(combo->GetCurSel(), 1);
  EXPECT_EQ(window.GetInitSize(), QSize(400, 300));
}

TEST_F(BuilderTest, WindowCallbackComesBeforeRegistryAndBuiltins) {
  std::string file = test::UseLayout("builder_order", R"(<VerticalLayout>
      <DialKnob name="k"/><Button name="b"/></VerticalLayout>)");
  test::CRecordingWindow window(file);
  window.create = [](const std::string& type) -> CControlUI* {
    if (EqualsNoCase(type, "dialknob") || EqualsNoCase(type, "button")) return new CLabelUI();
    return nullptr;
  };
  window.Create(nullptr, "t");
  EXPECT_EQ(window.FindControl("k")->GetClass(), "Label");
  EXPECT_EQ(window.FindControl("b")->GetClass(), "Label");
}

TEST_F(BuilderTest, SubtreeBuiltIntoContainerAndAttributesByName) {
  std::string file = test::UseLayout("builder_sub", R"(<VerticalLayout name="root"/>)");
  test::CRecordingWindow window(file);
  window.Create(nullptr, "t");
  auto* root = dynamic_cast<CContainerUI*>(window.GetRoot());
  ASSERT_NE(root, nullptr);

  CDialogBuilder builder;
  CControlUI* sub = builder.CreateFromText(R"(<HorizontalLayout name="panel">
      <Option name="opt_1" group="g"/><Option name="opt_2" group="g" selected="true"/>
      <Edit name="edit" maxchar="4" numberonly="true"/></HorizontalLayout>)",
                                           &window, &window, root);
  ASSERT_NE(sub, nullptr) << builder.LastError();
  EXPECT_EQ(root->GetItemAt(0), sub);
  EXPECT_EQ(window.FindControl("OPT_2"), window.FindControl("opt_2"));
  auto* edit = window.FindControlAs<CEditUI>("edit");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->GetMaxChar(), 4);
  EXPECT_TRUE(edit->IsNumberOnly());

  CControlUI* opt = window.FindControl("opt_1");
  EXPECT_TRUE(opt->SetAttribute("bkcolor", "#FF112233"));
  EXPECT_EQ(opt->GetBkColor(), 0xFF112233u);
  EXPECT_FALSE(opt->SetAttribute("shoesize", "44"));  // unknown, yet kept
  EXPECT_EQ(opt->GetAttribute("ShoeSize"), "44");
  EXPECT_TRUE(opt->SetAttribute("visible", "false"));
  EXPECT_FALSE(opt->IsVisible());
  EXPECT_TRUE(opt->SetAttribute("enabled", "false"));
  EXPECT_FALSE(opt->IsEnabled());
}

TEST_F(BuilderTest, BrokenLayoutsGiveErrorsNotCrashes) {
  struct Case {
    const char* xml;
    bool builds;
  } cases[] = {
      {"<VerticalLayout><Button name='a'>", false},     // not well-formed
      {"", false},                                        // no root
      {"<Window size='10,10'><Font id='1'/></Window>", false},  // no control
      {"<NoSuchControl/>", false},
      {"<VerticalLayout><NoSuchControl><Button name='lost'/></NoSuchControl><Button name='kept'/></VerticalLayout>",
       true},
      {"<Button name='b'><Label name='child'/></Button>", true},  // a button holds no children
  };
  for (const auto& c : cases) {
    CDialogBuilder builder;
    CControlUI* root = builder.CreateFromText(c.xml, nullptr);
    EXPECT_EQ(root != nullptr, c.builds) << c.xml;
    if (root == nullptr) {
      EXPECT_FALSE(builder.LastError().empty()) << c.xml;
    } else {
      EXPECT_EQ(CWindowUI::FindSubControlByName(root, "lost"), nullptr);
      EXPECT_EQ(CWindowUI::FindSubControlByName(root, "child"), nullptr);
      delete root;
    }
  }
  std::string deep;
  for (int i = 0; i < 200; ++i) deep += "<VerticalLayout>";
  for (int i = 0; i < 200; ++i) deep += "</VerticalLayout>";
  CDialogBuilder builder;
  CControlUI* root = builder.CreateFromText(deep, nullptr);
  EXPECT_FALSE(builder.LastError().empty());
  delete root;

  // A window whose layout file is missing still comes up, empty.
  CResourceManager::Instance().SetResourcePath(test::ScratchFolder("builder_missing"));
  test::CRecordingWindow window("nowhere.xml");
  window.Create(nullptr, "t");
  EXPECT_NE(window.GetRoot(), nullptr);
  EXPECT_FALSE(window.GetBuildError().empty());
  EXPECT_EQ(window.FindControl("anything"), nullptr);
}

TEST_F(BuilderTest, ChildWindowsKeepTheirControls) {
  std::string file = test::UseLayout("builder_child", R"(<VerticalLayout name="root">
      <Button name="same_name"/><Option name="opt" group="g" selected="true"/></VerticalLayout>)");
  test::CRecordingWindow owner(file);
  owner.Create(nullptr, "owner");
  test::CRecordingWindow child(file);
  child.Create(&owner, "child");
  ASSERT_EQ(child.parentWidget(), &owner);
  EXPECT_EQ(owner.FindControl("same_name")->GetWindow(), &owner);
  EXPECT_EQ(child.FindControl("same_name")->GetWindow(), &child);
  EXPECT_EQ(owner.AllControls().size(), 3u);
  // Option groups are per window: selecting in the child leaves the owner's.
  dynamic_cast<COptionUI*>(child.FindControl("opt"))->Selected(true);
  EXPECT_TRUE(dynamic_cast<COptionUI*>(owner.FindControl("opt"))->IsSelected());
}

TEST_F(BuilderTest, TabLayoutShowsOnePageAtATime) {
  CDialogBuilder builder;
  CControlUI* root = builder.CreateFromText(R"(<TabLayout name="tabs" selectedid="1">
      <VerticalLayout name="p0"/><VerticalLayout name="p1"/><VerticalLayout name="p2"/></TabLayout>)",
                                            nullptr);
  auto* tabs = dynamic_cast<CTabLayoutUI*>(root);
  ASSERT_NE(tabs, nullptr);
  auto shown = [tabs]() {
    std::string pages;
    for (int i = 0; i < tabs->GetCount(); ++i) pages += tabs->GetItemAt(i)->IsVisible() ? '1' : '0';
    return pages;
  };
  EXPECT_EQ(tabs->GetCurSel(), 1);
  EXPECT_EQ(shown(), "010");
  EXPECT_TRUE(tabs->SelectItem(2));
  EXPECT_EQ(shown(), "001");
  EXPECT_FALSE(tabs->SelectItem(3));
  EXPECT_FALSE(tabs->SelectItem(-1));
  EXPECT_EQ(tabs->GetCurSel(), 2);
  EXPECT_TRUE(tabs->Remove(tabs->GetItemAt(0)));
  EXPECT_EQ(tabs->GetCount(), 2);
  delete root;
}

TEST_F(BuilderTest, ListsTakeTextItemsAndContainerElements) {
  CDialogBuilder builder;
  CControlUI* root = builder.CreateFromText(R"(<List name="list">
      <ListLabelElement text="first" userdata="1"/>
      <ListContainerElement name="row"><Label name="cell" text="c"/></ListContainerElement>
    </List>)",
                                            nullptr);
  auto* list = dynamic_cast<CListUI*>(root);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->GetCount(), 2);
  EXPECT_EQ(list->GetItemText(0), "first");
  EXPECT_EQ(list->GetItemUserData(0), "1");
  ASSERT_NE(list->GetItemAt(1), nullptr);
  EXPECT_EQ(list->GetItemAt(1)->GetName(), "row");
  EXPECT_NE(CWindowUI::FindSubControlByName(list, "CELL"), nullptr);
  EXPECT_TRUE(list->RemoveAt(1));
  EXPECT_FALSE(list->RemoveAt(1));
  test::Pump(5);
  EXPECT_EQ(CWindowUI::FindSubControlByName(list, "cell"), nullptr);
  EXPECT_EQ(list->GetCount(), 1);
  delete root;
}

}  // namespace
}  // namespace tarn
