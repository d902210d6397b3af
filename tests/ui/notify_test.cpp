// Notifications come from real user actions on real widgets, with the right
// type and sender; the same changes made by code raise nothing.
#include <QContextMenuEvent>
#include <QTest>

#include <gtest/gtest.h>

#include "tests/ui/ui_test_support.h"
#include "ui/basic_controls.h"
#include "ui/color_palette.h"
#include "ui/container.h"
#include "ui/input_controls.h"
#include "ui/list_control.h"

namespace tarn {
namespace {

using test::Received;

constexpr const char* kLayout = R"(<Window size="600,400">
  <VerticalLayout name="root">
    <HorizontalLayout height="40">
      <Button name="ok_btn" text="ok" width="80"/>
      <Option name="rate_option_1" group="rate" width="60" selected="true"/>
      <Option name="rate_option_2" group="rate" width="60"/>
      <CheckBox name="lock_check" width="60"/>
      <Label name="title" text="t" menu="true" width="80"/>
    </HorizontalLayout>
    <HorizontalLayout height="40">
      <Combo name="mode_combo" width="120">
        <ListLabelElement text="m0"/><ListLabelElement text="m1"/><ListLabelElement text="m2"/>
      </Combo>
      <Slider name="speed_slider" min="0" max="4" value="2" width="200"/>
      <Edit name="num_edit" numberonly="true" minvalue="1" maxvalue="50" width="80"/>
      <Edit name="text_edit" width="80"/>
    </HorizontalLayout>
    <HorizontalLayout>
      <List name="name_list" width="200">
        <ListLabelElement text="a"/><ListLabelElement text="b"/><ListLabelElement text="c"/>
      </List>
      <ColorPalette name="pallet" width="120" height="100"/>
    </HorizontalLayout>
  </VerticalLayout>
</Window>)";

class NotifyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::App();
    window = std::make_unique<test::CRecordingWindow>(test::UseLayout("notify", kLayout));
    window->Create(nullptr, "notify");
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    test::WaitFor([this] { return !window->Of("windowinit").empty(); });
    window->log.clear();
  }

  template <class T>
  T* Get(const char* name) {
    T* control = window->FindControlAs<T>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }

  std::vector<Received> TakeActions() {
    test::Pump(5);
    auto actions = window->Actions();
    window->log.clear();
    return actions;
  }

  std::unique_ptr<test::CRecordingWindow> window;
};

std::string Describe(const std::vector<Received>& log) {
  std::string out;
  for (const auto& r : log) out += r.type + "(" + r.sender + "," + std::to_string(r.wParam) + ") ";
  return out;
}

TEST_F(NotifyTest, ClicksOnButtonsAndOptions) {
  struct Step {
    const char* control;
    std::vector<std::pair<std::string, std::string>> expected;  // type, sender
  } steps[] = {
      {"ok_btn", {{"click", "ok_btn"}}},
      {"rate_option_2", {{"click", "rate_option_2"}, {"selectchanged", "rate_option_2"}}},
      // The selected option of a group stays selected: no change to report.
      {"rate_option_2", {{"click", "rate_option_2"}}},
      {"rate_option_1", {{"click", "rate_option_1"}, {"selectchanged", "rate_option_1"}}},
      {"lock_check", {{"click", "lock_check"}, {"selectchanged", "lock_check"}}},
      {"lock_check", {{"click", "lock_check"}, {"selectchanged", "lock_check"}}},
  };
  for (const auto& step : steps) {
    auto* widget = Get<CControlUI>(step.control)->GetWidget();
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    auto actions = TakeActions();
    ASSERT_EQ(actions.size(), step.expected.size()) << step.control << ": " << Describe(actions);
    for (size_t i = 0; i < actions.size(); ++i) {
      EXPECT_EQ(actions[i].type, step.expected[i].first) << step.control;
      EXPECT_EQ(actions[i].sender, step.expected[i].second) << step.control;
    }
  }
  EXPECT_TRUE(Get<COptionUI>("rate_option_1")->IsSelected());
  EXPECT_FALSE(Get<COptionUI>("rate_option_2")->IsSelected());
  EXPECT_FALSE(Get<CCheckBoxUI>("lock_check")->GetCheck());
  // The selectchanged of a check box tells the new state.
  auto* check = Get<CCheckBoxUI>("lock_check");
  QTest::mouseClick(check, Qt::LeftButton, {}, check->rect().center());
  auto actions = TakeActions();
  ASSERT_EQ(actions.size(), 2u);
  EXPECT_EQ(actions[1].wParam, 1);

  // A disabled button cannot be clicked.
  auto* ok = Get<CButtonUI>("ok_btn");
  ok->SetEnabled(false);
  QTest::mouseClick(ok, Qt::LeftButton, {}, ok->rect().center());
  EXPECT_TRUE(TakeActions().empty());
}

TEST_F(NotifyTest, ChangesMadeByCodeRaiseNothing) {
  Get<COptionUI>("rate_option_2")->Selected(true);
  EXPECT_FALSE(Get<COptionUI>("rate_option_1")->IsSelected());  // the group still excludes
  Get<CCheckBoxUI>("lock_check")->SetCheck(true);
  Get<CComboUI>("mode_combo")->SelectItem(2);
  Get<CComboUI>("mode_combo")->AddItem("m3");
  Get<CSliderUI>("speed_slider")->SetValue(4);
  Get<CSliderUI>("speed_slider")->SetMaxValue(2);  // clamps the value
  Get<CEditUI>("text_edit")->SetText("typed by code");
  Get<CListUI>("name_list")->SelectItem(1);
  Get<CListUI>("name_list")->AddItem("d");
  Get<CListUI>("name_list")->RemoveAt(1);
  Get<CColorPaletteUI>("pallet")->SetSelectColor(0xFF00FF00);
  Get<CLabelUI>("title")->SetText("new");
  auto actions = TakeActions();
  EXPECT_TRUE(actions.empty()) << Describe(actions);
  EXPECT_EQ(Get<CSliderUI>("speed_slider")->GetValue(), 2);
  EXPECT_EQ(Get<CComboUI>("mode_combo")->GetCurSel(), 2);
}

TEST_F(NotifyTest, ComboSelectionByUser) {
  auto* combo = Get<CComboUI>("mode_combo");
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Down);
  auto actions = TakeActions();
  ASSERT_EQ(actions.size(), 1u) << Describe(actions);
  EXPECT_EQ(actions[0].type, "itemselect");
  EXPECT_EQ(actions[0].sender, "mode_combo");
  EXPECT_EQ(actions[0].wParam, 1);
  EXPECT_EQ(actions[0].lParam, 0);
  // After a selection by code, the user's next move reports the right old index.
  combo->SelectItem(0);
  QTest::keyClick(combo, Qt::Key_End);
  actions = TakeActions();
  ASSERT_EQ(actions.size(), 1u) << Describe(actions);
  EXPECT_EQ(actions[0].wParam, 2);
  EXPECT_EQ(actions[0].lParam, 0);
}

TEST_F(NotifyTest, SliderMovesByKeysClicksAndDrag) {
  auto* slider = Get<CSliderUI>("speed_slider");
  slider->setFocus();
  QTest::keyClick(slider, Qt::Key_Right);
  auto actions = TakeActions();
  ASSERT_EQ(actions.size(), 1u) << Describe(actions);
  EXPECT_EQ(actions[0].type, "valuechanged");
  EXPECT_EQ(actions[0].sender, "speed_slider");
  EXPECT_EQ(actions[0].wParam, 3);

  // A drag from the handle to the left end: moves while dragging, then one
  // valuechanged with the final value.
  slider->SetValue(4);
  QPoint handle(slider->width() - 4, slider->height() / 2);
  QTest::mousePress(slider, Qt::LeftButton, {}, handle);
  for (int x = slider->width() - 4; x >= 0; x -= 10) {
    QMouseEvent move(QEvent::MouseMove, QPointF(x, handle.y()), slider->mapToGlobal(QPointF(x, handle.y())),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(slider, &move);
  }
  QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(0, handle.y()));
  actions = TakeActions();
  ASSERT_GE(actions.size(), 2u) << Describe(actions);
  for (size_t i = 0; i + 1 < actions.size(); ++i) EXPECT_EQ(actions[i].type, "movevaluechanged") << Describe(actions);
  EXPECT_EQ(actions.back().type, "valuechanged");
  EXPECT_EQ(actions.back().wParam, 0);
  EXPECT_EQ(slider->GetValue(), 0);
}

TEST_F(NotifyTest, EditTypingReturnFocusAndLimits) {
  auto* edit = Get<CEditUI>("num_edit");
  auto* other = Get<CEditUI>("text_edit");
  QTest::mouseClick(edit, Qt::LeftButton);
  ASSERT_TRUE(test::WaitFor([edit] { return edit->hasFocus(); }));
  QTest::keyClicks(edit, "7a9");  // the letter is refused
  EXPECT_EQ(edit->GetText(), "79");
  QTest::keyClick(edit, Qt::Key_Return);  // 79 is above the maximum 50
  EXPECT_EQ(edit->GetText(), "50");
  QTest::mouseClick(other, Qt::LeftButton);
  ASSERT_TRUE(test::WaitFor([other] { return other->hasFocus(); }));
  test::Pump(5);

  std::vector<std::pair<std::string, std::string>> expected = {
      {"setfocus", "num_edit"}, {"textchanged", "num_edit"},  {"textchanged", "num_edit"}, {"return", "num_edit"},
      {"killfocus", "num_edit"}, {"setfocus", "text_edit"}};
  std::vector<Received> seen;
  for (const auto& r : window->log) {
    if (r.sender == "num_edit" || r.sender == "text_edit") seen.push_back(r);
  }
  ASSERT_EQ(seen.size(), expected.size()) << Describe(seen);
  for (size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].type, expected[i].first) << Describe(seen);
    EXPECT_EQ(seen[i].sender, expected[i].second) << Describe(seen);
  }

  // Below the minimum: brought up when the user leaves the edit.
  window->log.clear();
  QTest::mouseClick(edit, Qt::LeftButton);
  ASSERT_TRUE(test::WaitFor([edit] { return edit->hasFocus(); }));
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_0);
  QTest::mouseClick(other, Qt::LeftButton);
  ASSERT_TRUE(test::WaitFor([other] { return other->hasFocus(); }));
  EXPECT_EQ(edit->GetText(), "1");
  edit->SetMaxChar(2);
  edit->SetText("");
  QTest::keyClicks(edit, "12345");
  EXPECT_EQ(edit->GetText(), "12");
}

TEST_F(NotifyTest, ListSelectClickAndActivate) {
  auto* list = Get<CListUI>("name_list");
  QRect second = list->visualItemRect(list->item(1));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
  auto actions = TakeActions();
  ASSERT_EQ(actions.size(), 2u) << Describe(actions);
  EXPECT_EQ(actions[0].type, "itemselect");
  EXPECT_EQ(actions[0].wParam, 1);
  EXPECT_EQ(actions[0].lParam, -1);
  EXPECT_EQ(actions[1].type, "itemclick");
  EXPECT_EQ(actions[1].wParam, 1);
  for (const auto& r : actions) EXPECT_EQ(r.sender, "name_list");

  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
  actions = TakeActions();
  bool activated = false;
  for (const auto& r : actions) activated |= r.type == "itemactivate" && r.wParam == 1;
  EXPECT_TRUE(activated) << Describe(actions);

  list->setFocus();
  QTest::keyClick(list, Qt::Key_Return);
  actions = TakeActions();
  ASSERT_EQ(actions.size(), 2u) << Describe(actions);
  EXPECT_EQ(actions[0].type, "itemactivate");
  EXPECT_EQ(actions[1].type, "return");
}

TEST_F(NotifyTest, PaletteDoubleClickAndContextMenu) {
  auto* pallet = Get<CColorPaletteUI>("pallet");
  QPoint at(pallet->width() / 3, pallet->height() / 4);
  QTest::mouseClick(pallet, Qt::LeftButton, {}, at);
  auto actions = TakeActions();
  ASSERT_EQ(actions.size(), 1u) << Describe(actions);
  EXPECT_EQ(actions[0].type, "colorchanged");
  EXPECT_EQ(actions[0].sender, "pallet");
  EXPECT_EQ(static_cast<uint32_t>(actions[0].wParam), pallet->ColorAt(at));
  EXPECT_EQ(pallet->GetSelectColor(), pallet->ColorAt(at));
  EXPECT_NE(pallet->ColorAt(QPoint(0, 0)), pallet->ColorAt(QPoint(pallet->width() / 2, 0)));

  auto* title = Get<CLabelUI>("title");
  QTest::mouseDClick(title, Qt::LeftButton, {}, QPoint(3, 4));
  actions = TakeActions();
  ASSERT_FALSE(actions.empty());
  EXPECT_EQ(actions.back().type, "dbclick");
  EXPECT_EQ(actions.back().sender, "title");

  QPoint local(5, 5);
  QContextMenuEvent menu(QContextMenuEvent::Mouse, local, title->mapToGlobal(local));
  QApplication::sendEvent(title, &menu);
  actions = TakeActions();
  ASSERT_EQ(actions.size(), 1u);
  EXPECT_EQ(actions[0].type, "menu");
  EXPECT_EQ(actions[0].wParam, title->mapToGlobal(local).x());
  // Without menu="true" a right click raises nothing.
  auto* ok = Get<CButtonUI>("ok_btn");
  QContextMenuEvent none(QContextMenuEvent::Mouse, local, ok->mapToGlobal(local));
  QApplication::sendEvent(ok, &none);
  EXPECT_TRUE(TakeActions().empty());
}

TEST_F(NotifyTest, TimersWindowEventsAndSendNotify) {
  auto* label = Get<CLabelUI>("title");
  ASSERT_TRUE(label->SetTimer(7, 5));
  ASSERT_TRUE(test::WaitFor([this] { return window->Of("timer").size() >= 2; }));
  for (const auto& r : window->Of("timer")) {
    EXPECT_EQ(r.sender, "title");
    EXPECT_EQ(r.wParam, 7);
  }
  label->KillTimer(7);
  EXPECT_FALSE(label->HasTimer(7));
  test::Pump(10);
  window->log.clear();
  test::Pump(30);
  EXPECT_TRUE(window->Of("timer").empty());

  ASSERT_TRUE(window->SetTimer(1032, 5));
  ASSERT_TRUE(test::WaitFor([this] { return !window->timers.empty(); }));
  EXPECT_EQ(window->timers.front(), 1032);
  window->KillTimer(1032);

  window->resize(640, 480);
  test::Pump(5);
  auto sizes = window->Of("windowsize");
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.back().sender, "root");
  EXPECT_EQ(sizes.back().wParam, 640);
  EXPECT_EQ(sizes.back().lParam, 480);

  // SendNotify reaches Notify and every added receiver; a removed one no more.
  struct Receiver : INotifyUI {
    std::vector<std::string> types;
    void Notify(TNotifyUI& msg) override { types.push_back(msg.sType); }
  } extra;
  window->AddNotifier(&extra);
  label->SendNotify("click_select_end", 3, 4);
  window->RemoveNotifier(&extra);
  label->SendNotify("click_select_end", 5, 6);
  label->SendNotify("later", 0, 0, true);
  EXPECT_TRUE(window->Of("later").empty());
  ASSERT_TRUE(test::WaitFor([this] { return !window->Of("later").empty(); }));
  auto own = window->Of("click_select_end");
  ASSERT_EQ(own.size(), 2u);
  EXPECT_EQ(own[0].wParam, 3);
  EXPECT_EQ(own[0].lParam, 4);
  EXPECT_EQ(extra.types, std::vector<std::string>{"click_select_end"});
}

TEST(NotifyWindow, WindowInitArrivesOnceFromTheLoop) {
  test::App();
  test::CRecordingWindow window(test::UseLayout("notify_init", "<VerticalLayout name='root'/>"));
  window.Create(nullptr, "t");
  EXPECT_TRUE(window.Of("windowinit").empty());  // not before the loop runs
  ASSERT_TRUE(test::WaitFor([&window] { return !window.Of("windowinit").empty(); }));
  test::Pump(20);
  ASSERT_EQ(window.Of("windowinit").size(), 1u);
  EXPECT_EQ(window.Of("windowinit")[0].sender, "root");
}

}  // namespace
}  // namespace tarn
