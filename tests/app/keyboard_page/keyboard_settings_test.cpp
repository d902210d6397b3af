// The keyboard settings controls, clicked for real: each reaches its byte of
// the keyboard's settings block in one transaction and lands in the profile
// file; the repeat controls are stored only.
#include "profile/json_file.h"
#include "profile/keyboard_profile.h"
#include "tests/app/keyboard_page/page_fixture.h"
#include "ui/basic_controls.h"
#include "ui/input_controls.h"

namespace tarn {
namespace {

using test::KeyboardPageFixture;

class KeyboardSettingsTest : public KeyboardPageFixture {
 protected:
  void SetUp() override {
    KeyboardPageFixture::SetUp();
    BuildPage();
    Plug();
    m_page->SetFunctionPage(4);  // the settings page is the one shown
    test::Pump();
  }
  uint8_t SettingsByte(size_t byte) {
    return Firmware([&](emu::CKeyboardFirmware& f) { return f.SettingsBlock(f.ActiveBlock())[byte]; });
  }
  keyboard::KeyboardStages StoredStages() {
    CKeyboardProfiledata stored;
    stored.SetProfilePath(Device().GetProfilePath());
    stored.SetDefaultProfilePath(Device().Profile().GetDefaultProfilePath());
    stored.Load();
    StageWords words = stored.GetKeyboardStages();
    keyboard::KeyboardStages stages;
    for (int i = 0; i < 3; ++i) stages.words[i] = words[static_cast<size_t>(i)];
    return stages;
  }
};

TEST_F(KeyboardSettingsTest, EachSentControlReachesItsSettingsByte) {
  struct Case {
    const char* control;
    size_t byte;
    uint8_t value;
    int (*stored)(const keyboard::KeyboardStages&);
  } cases[] = {
      {"polling_rate_option_2", 22, 2, [](const keyboard::KeyboardStages& s) -> int { return s.PollingRate(); }},
      {"polling_rate_option_3", 22, 3, [](const keyboard::KeyboardStages& s) -> int { return s.PollingRate(); }},
      {"polling_rate_option_0", 22, 0, [](const keyboard::KeyboardStages& s) -> int { return s.PollingRate(); }},
      {"winlockflag_option", 21, 1, [](const keyboard::KeyboardStages& s) -> int { return s.WinFlag(); }},
      {"wflag_option", 19, 1, [](const keyboard::KeyboardStages& s) -> int { return s.WFlag(); }},
      {"6flag_option", 20, 1, [](const keyboard::KeyboardStages& s) -> int { return s.Key6Flag(); }},
      {"6flag_option", 20, 0, [](const keyboard::KeyboardStages& s) -> int { return s.Key6Flag(); }},
      {"winlockflag_option", 21, 0, [](const keyboard::KeyboardStages& s) -> int { return s.WinFlag(); }},
  };
  for (const Case& c : cases) {
    ClearLog();
    Click(c.control);
    EXPECT_EQ(Commands(), (std::vector<uint8_t>{0x01, 0x06, 0x02})) << c.control;
    EXPECT_EQ(SettingsByte(c.byte), c.value) << c.control;
    EXPECT_EQ(c.stored(StoredStages()), c.value) << c.control;
    EXPECT_EQ(c.stored(Device().Stages()), c.value) << c.control;
  }
}

TEST_F(KeyboardSettingsTest, RepeatControlsAreStoredAndNothingIsSent) {
  auto* slider = Control<CSliderUI>("repeat_rate_slider");
  ASSERT_NE(slider, nullptr);
  slider->setFocus();
  ClearLog();
  int before = slider->GetValue();
  for (int i = 0; i < 3; ++i) QTest::keyClick(slider, Qt::Key_Right);
  ASSERT_NE(slider->GetValue(), before);
  Click("repeat_delay_check_2");
  EXPECT_TRUE(Commands().empty());
  EXPECT_EQ(StoredStages().Repeat(), slider->GetValue());
  EXPECT_EQ(StoredStages().RepeatDelay(), 2);
  EXPECT_EQ(m_page->GetRepeatDelayChoice(), 2);
  EXPECT_EQ(Control<CLabelUI>("repeat_delay_time_label1")->GetText(), "Repeat_Delay_Time750ms");

  // Reset returns both to the default profile's values, shown and saved.
  CKeyboardProfiledata defaults;
  defaults.SetProfilePath(Device().Profile().GetDefaultProfilePath());
  defaults.Load();
  StageWords words = defaults.GetKeyboardStages();
  ASSERT_NE(StageLow(words[0]), slider->GetValue()) << "the test needs a changed repeat rate";
  Click("reset_repeat_btn");
  EXPECT_TRUE(Commands().empty());
  EXPECT_EQ(slider->GetValue(), StageLow(words[0]));
  EXPECT_EQ(m_page->GetRepeatDelayChoice(), StageHigh(words[0]) <= 3 ? StageHigh(words[0]) : 0);
  EXPECT_EQ(StoredStages().Repeat(), StageLow(words[0]));
  EXPECT_EQ(StoredStages().RepeatDelay(), StageHigh(words[0]) <= 3 ? StageHigh(words[0]) : 0);
}

TEST_F(KeyboardSettingsTest, RefreshShowsTheStoredStages) {
  keyboard::KeyboardStages stages;
  stages.SetRepeat(7);
  stages.SetRepeatDelay(3);
  stages.SetPollingRate(1);
  stages.SetWinFlag(1);
  stages.SetWFlag(0);
  stages.SetKey6Flag(1);
  m_page->SetStages(stages.words[0], stages.words[1], stages.words[2]);
  EXPECT_EQ(StoredStages().Repeat(), 7);
  m_page->RefreshPanels();
  EXPECT_EQ(m_page->GetRepeatRate(), 7);
  EXPECT_EQ(m_page->GetRepeatDelayChoice(), 3);
  EXPECT_EQ(m_page->GetPollingChoice(), 1);
  EXPECT_TRUE(m_page->GetWinLockFlag());
  EXPECT_FALSE(m_page->GetWFlag());
  EXPECT_TRUE(m_page->GetKey6Flag());
  auto* edit = Control<CEditUI>("repeat_input_richedit");
  EXPECT_EQ(edit->GetText(), "");
  EXPECT_EQ(edit->placeholderText().toStdString(), "Repeat_input_text");
  EXPECT_EQ(m_page->GetStages()[0], stages.words[0]);
}

}  // namespace
}  // namespace tarn
