// Drag selection on the select panel: the same buttons both ways, edges that
// only touch do not count, and a click without a drag selects nothing.
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include "tests/ui/ui_test_support.h"
#include "ui/controls/device_key_button.h"
#include "ui/controls/own_controls.h"
#include "ui/controls/select_panel.h"

namespace tarn {
namespace {

using test::App;

// Three keys in a row at x 10-30, 40-60, 70-90; y 10-30.
constexpr const char* kLayout = R"(<Window size="200,100"><VerticalLayout>
  <SelectPanel name="panel" width="200" height="100">
    <DeviceKeyButton name="key_0" float="true" pos="10,10,30,30"/>
    <DeviceKeyButton name="key_1" float="true" pos="40,10,60,30"/>
    <DeviceKeyButton name="key_2" float="true" pos="70,10,90,30"/>
    <Label name="not_a_key" float="true" pos="100,10,120,30"/>
  </SelectPanel></VerticalLayout></Window>)";

class SelectPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    RegisterOwnControls();
    m_window = std::make_unique<test::CRecordingWindow>(test::UseLayout("select_panel", kLayout));
    m_window->Create(nullptr, "t");
    m_window->show();
    test::Pump();
    m_panel = m_window->FindControlAs<CSelectPanelUI>("panel");
    ASSERT_NE(m_panel, nullptr);
  }
  void Drag(QPoint from, QPoint to) {
    QTest::mousePress(m_panel, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, m_panel->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(m_panel, &move);
    QTest::mouseRelease(m_panel, Qt::LeftButton, {}, to);
  }
  std::vector<bool> Selected() {
    std::vector<bool> out;
    for (const char* name : {"key_0", "key_1", "key_2"})
      out.push_back(m_window->FindControlAs<CDeviceKeyButtonUI>(name)->IsBandSelected());
    return out;
  }

  std::unique_ptr<test::CRecordingWindow> m_window;
  CSelectPanelUI* m_panel = nullptr;
};

TEST_F(SelectPanelTest, DragSelectsOverlappedKeysEitherWay) {
  struct Case {
    QPoint from, to;
    std::vector<bool> selected;
  } cases[] = {
      {{5, 5}, {45, 35}, {true, true, false}},
      {{45, 35}, {5, 5}, {true, true, false}},     // bottom-right to top-left
      {{45, 5}, {5, 35}, {true, true, false}},     // the other diagonal
      {{30, 5}, {40, 35}, {false, false, false}},  // touches key 0's right and key 1's left edge only
      {{29, 5}, {41, 35}, {true, true, false}},    // one pixel into each
      {{62, 0}, {99, 99}, {false, false, true}},
  };
  size_t ends = 0;
  for (const Case& c : cases) {
    Drag(c.from, c.to);
    EXPECT_EQ(Selected(), c.selected) << c.from.x() << "," << c.from.y() << " -> " << c.to.x() << "," << c.to.y();
    EXPECT_EQ(m_window->Of("click_select_end").size(), ++ends);
    EXPECT_EQ(m_window->Of("click_select_end").back().sender, "panel");
  }
}

TEST_F(SelectPanelTest, ClickWithoutMoveSelectsNothingAndKeepsTheLastSelection) {
  Drag({5, 5}, {45, 35});
  ASSERT_EQ(Selected(), (std::vector<bool>{true, true, false}));
  QTest::mouseClick(m_panel, Qt::LeftButton, {}, QPoint(100, 80));
  EXPECT_EQ(m_window->Of("click_select_end").size(), 1u);
  EXPECT_EQ(Selected(), (std::vector<bool>{true, true, false}));
  EXPECT_FALSE(m_panel->IsPressed());
  EXPECT_FALSE(m_panel->IsDragging());
}

TEST_F(SelectPanelTest, DisabledPanelDoesNotSelect) {
  m_panel->SetEnabled(false);
  Drag({5, 5}, {95, 35});
  EXPECT_EQ(Selected(), (std::vector<bool>{false, false, false}));
  EXPECT_TRUE(m_window->Of("click_select_end").empty());
}

}  // namespace
}  // namespace tarn
