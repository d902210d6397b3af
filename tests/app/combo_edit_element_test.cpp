// The editable list element: built from its own layout, selected by a
// press, toggled with Ctrl, "itemclick" on release, "return" on Return.
#include <QTest>

#include <gtest/gtest.h>

#include "app/combo_edit_element.h"
#include "app/control_classes.h"
#include "tests/ui/ui_test_support.h"
#include "ui/list_control.h"

namespace tarn {
namespace {

class CListWindow : public CWindowUI {
 public:
  std::string GetSkinFile() const override { return "test_list.xml"; }
  void Notify(TNotifyUI& msg) override { log.push_back(msg.sType); }
  std::vector<std::string> log;
};

TEST(ComboEditElement, BuildsItsRowAndFollowsTheListRules) {
  test::App();
  std::string skin = test::ScratchFolder("combo_edit_skin");
  test::WriteFile(skin + "test_list.xml", R"(<Window size="300,200"><VerticalLayout name="root">
    <List name="macro_list">
      <ComboEditContainerElement name="row0" height="26"/>
      <ComboEditContainerElement name="row1" height="26"/>
    </List></VerticalLayout></Window>)");
  test::WriteFile(skin + "XML/CustomControlXML/ComboEditElementItem.xml",
                  "<HorizontalLayout><Label name=\"text1\"/><Label name=\"text2\"/><Edit name=\"delay_edit\"/>"
                  "</HorizontalLayout>");
  CResourceManager::Instance().SetResourcePath(skin);
  RegisterControlClasses();
  CListWindow window;
  window.Create(nullptr, "list");
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  auto* list = window.FindControlAs<CListUI>("macro_list");
  auto* row0 = window.FindControlAs<CComboEditContainerElementUI>("row0");
  auto* row1 = window.FindControlAs<CComboEditContainerElementUI>("row1");
  ASSERT_NE(list, nullptr);
  ASSERT_NE(row0, nullptr);
  ASSERT_NE(row1, nullptr);
  EXPECT_NE(row0->Text1(), nullptr);
  EXPECT_NE(row0->Text2(), nullptr);
  EXPECT_NE(row0->DelayEdit(), nullptr);

  window.log.clear();
  QTest::mouseClick(row1, Qt::LeftButton, {}, QPoint(2, 2));
  test::Pump();
  EXPECT_EQ(list->GetCurSel(), 1);
  EXPECT_NE(std::find(window.log.begin(), window.log.end(), "itemclick"), window.log.end());

  // Ctrl toggles the row without moving the current selection (apart in
  // time, so that no two presses make a double click).
  const int apart = QApplication::doubleClickInterval() + 30;
  test::Pump(apart);
  QTest::mousePress(row0, Qt::LeftButton, Qt::ControlModifier, QPoint(2, 2));
  QTest::mouseRelease(row0, Qt::LeftButton, Qt::ControlModifier, QPoint(2, 2));
  EXPECT_TRUE(list->item(0)->isSelected());
  EXPECT_EQ(list->GetCurSel(), 1);
  test::Pump(apart);
  QTest::mousePress(row0, Qt::LeftButton, Qt::ControlModifier, QPoint(2, 2));
  QTest::mouseRelease(row0, Qt::LeftButton, Qt::ControlModifier, QPoint(2, 2));
  EXPECT_FALSE(list->item(0)->isSelected());
  EXPECT_EQ(list->GetCurSel(), 1);

  window.log.clear();
  row1->setFocus();
  QTest::keyClick(row1, Qt::Key_Return);
  test::Pump();
  EXPECT_NE(std::find(window.log.begin(), window.log.end(), "return"), window.log.end());
  EXPECT_NE(std::find(window.log.begin(), window.log.end(), "itemactivate"), window.log.end());
  CResourceManager::Instance().Release();
}

}  // namespace
}  // namespace tarn
