// The keyboard page: which buttons the picture gives, what the key buttons
// show for each function, the on-screen lights, and refreshes that the
// keyboard's notifications ask for.
#include <thread>

#include "macro/macro_list.h"
#include "tests/app/keyboard_page/page_fixture.h"
#include "ui/basic_controls.h"
#include "ui/controls/device_key_button.h"
#include "ui/controls/select_panel.h"

namespace tarn {
namespace {

using test::KeyboardPageFixture;

class KeyboardPageTest : public KeyboardPageFixture {};

TEST_F(KeyboardPageTest, ShippedPictureHasAKeyAndAnLedOnOneCapForEveryNamedRow) {
  BuildPage();
  auto* panel = dynamic_cast<CSelectPanelUI*>(m_page->KeyArea());
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->GetName(), "keyboard_device_key_light");
  for (int row = 0; row < 170; ++row) {
    const bool named = row <= 125 && row != 18 && row != 19 && row != 20 && row != 104;
    CDeviceKeyButtonUI* key = m_page->KeyButtonAt(row);
    CDeviceKeyButtonUI* light = m_page->LightButtonAt(row);
    ASSERT_EQ(key != nullptr, named) << row;
    ASSERT_EQ(light != nullptr, named) << row;
    if (!named) continue;
    EXPECT_EQ(key->parentWidget(), panel) << row;
    EXPECT_EQ(light->parentWidget(), panel) << row;
    EXPECT_TRUE(light->geometry().contains(key->geometry())) << row;
    EXPECT_TRUE(light->testAttribute(Qt::WA_TransparentForMouseEvents)) << row;
    EXPECT_FALSE(key->testAttribute(Qt::WA_TransparentForMouseEvents)) << row;
    // The key lies above its LED: a click at the cap's centre reaches the key.
    EXPECT_EQ(panel->childAt(key->geometry().center()), key) << row;
  }
  EXPECT_EQ(Device().m_keyButtons.size(), 170u);
  EXPECT_TRUE(Device().m_keyButtons[110]);
  EXPECT_FALSE(Device().m_lightButtons[104]);
  for (const char* name : {"text_test", "DeviceProfileItem", "LightControlItem", "MacroControlItem",
                           "KeySetControlItem", "polling_rate_option_0", "polling_rate_option_3",
                           "repeat_delay_check_0", "repeat_delay_check_3", "repeat_delay_time_label1",
                           "repeat_rate_slider", "winlockflag_option", "wflag_option", "6flag_option",
                           "repeat_input_richedit", "reset_repeat_btn", "device_function_switch",
                           "device_key_function_switch"})
    EXPECT_NE(m_page->FindSubControl(name), nullptr) << name;
}

TEST_F(KeyboardPageTest, ButtonsFillTheirSlotsByNameAndNumber) {
  m_skin = test::ScratchFolder("kb_page_slots");
  test::WriteFile(m_skin + "page.xml", R"(<Window><KeyboardDevice><VerticalLayout>
    <SelectPanel name="keyboard_device_key_light" width="400" height="100">
      <DeviceKeyButton name="light_12" float="true" pos="0,0,20,20"/>
      <DeviceKeyButton name="LIGHT_13" float="true" pos="20,0,40,20"/>
      <DeviceKeyButton name="Key_5" float="true" pos="40,0,60,20"/>
      <DeviceKeyButton name="key_x" float="true" pos="60,0,80,20"/>
      <DeviceKeyButton name="key_170" float="true" pos="80,0,100,20"/>
      <DeviceKeyButton name="key_1a" float="true" pos="100,0,120,20"/>
      <DeviceKeyButton name="key_" float="true" pos="120,0,140,20"/>
      <DeviceKeyButton name="lamp_3" float="true" pos="140,0,160,20"/>
      <DeviceKeyButton name="light_169" float="true" pos="160,0,180,20"/>
      <Button name="key_7" float="true" pos="180,0,200,20"/>
    </SelectPanel>
    <Label name="text_test" visible="false"/>
  </VerticalLayout></KeyboardDevice></Window>)");
  BuildPage("page.xml");
  EXPECT_EQ(m_page->LightButtonIndices(), (std::vector<int>{12, 13, 169}));
  EXPECT_EQ(m_page->KeyButtonIndices(), (std::vector<int>{5}));
  for (int led : {12, 13}) {
    CDeviceKeyButtonUI* light = m_page->LightButtonAt(led);
    ASSERT_NE(light, nullptr);
    EXPECT_TRUE(light->IsLightShown());
    EXPECT_EQ(light->GetLightColor(), 0xFFFFFFu);
    EXPECT_EQ(light->GetLightOpacity(), 255);
  }
  EXPECT_EQ(m_page->LightButtonAt(13)->GetName(), "LIGHT_13");
  EXPECT_TRUE(Device().m_lightButtons[13]);
  EXPECT_TRUE(Device().m_keyButtons[5]);
  EXPECT_FALSE(Device().m_keyButtons[7]);
}

TEST_F(KeyboardPageTest, PageWithoutLayoutNameCollectsNothing) {
  m_skin = test::ScratchFolder("kb_page_nolayout");
  test::WriteFile(m_skin + "page.xml", R"(<Window><KeyboardDevice><VerticalLayout>
    <SelectPanel name="keyboard_device_key_light"><DeviceKeyButton name="key_1"/></SelectPanel>
  </VerticalLayout></KeyboardDevice></Window>)");
  BuildPage("page.xml");
  Device().m_strLayoutFile.clear();
  m_page->BuildPage();
  EXPECT_TRUE(m_page->KeyButtonIndices().empty());
  EXPECT_EQ(m_page->KeyButtonAt(1), nullptr);
}

TEST_F(KeyboardPageTest, RepeatDelayChoiceShowsOneCheckAndItsTime) {
  BuildPage();
  struct Case {
    int n;
    int check;
    const char* label;
  } cases[] = {{0, 0, "Repeat_Delay_Time250ms"}, {1, 1, "Repeat_Delay_Time500ms"}, {3, 3, "Repeat_Delay_Time1000ms"},
               {7, 0, "Repeat_Delay_Time250ms"}, {-1, 0, "Repeat_Delay_Time250ms"}, {2, 2, "Repeat_Delay_Time750ms"}};
  for (const Case& c : cases) {
    m_page->SetRepeatDelayChoice(c.n);
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(Control<COptionUI>("repeat_delay_check_" + std::to_string(i))->IsSelected(), i == c.check) << c.n;
    EXPECT_EQ(Control<CLabelUI>("repeat_delay_time_label1")->GetText(), c.label);
  }
  m_page->SetPollingChoice(9);
  EXPECT_EQ(m_page->GetPollingChoice(), 0);
  m_page->SetPollingChoice(2);
  EXPECT_EQ(m_page->GetPollingChoice(), 2);
}

TEST_F(KeyboardPageTest, FnKeyCannotBePressedOnTheKeysPageOnly) {
  BuildPage();
  CDeviceKeyButtonUI* fn = m_page->KeyButtonAt(110);
  ASSERT_NE(fn, nullptr);
  struct Step {
    int page;
    bool enabled;
  } steps[] = {{1, true}, {2, false}, {3, false}, {4, false}, {1, true}, {5, true}, {2, false}};
  for (const Step& s : steps) {
    m_page->SetFunctionPage(s.page);
    EXPECT_EQ(fn->IsEnabled(), s.enabled) << s.page;
    EXPECT_EQ(Device().GetFunctionPage(), s.page);
  }
  // Chosen by the user through its page button.
  m_page->SetFunctionPage(1);
  Click("key_Op_tab");
  EXPECT_FALSE(fn->IsEnabled());
  EXPECT_TRUE(Control<COptionUI>("key_Op_tab")->IsSelected());
  EXPECT_FALSE(Control<COptionUI>("deng_Op_tab")->IsSelected());

  // A click on a key selects it; the disabled FN key cannot be chosen.
  m_page->SetFunctionPage(1);
  Click("key_43");
  EXPECT_EQ(Device().m_nSelectedKey, 43);
  m_page->SetFunctionPage(2);
  Click("key_110");
  EXPECT_EQ(Device().m_nSelectedKey, 43);
  m_page->SetFunctionPage(1);
  Click("key_110");
  EXPECT_EQ(Device().m_nSelectedKey, 110);
}

TEST_F(KeyboardPageTest, CaptionsAndMarksFollowTheFunctions) {
  CMacroList macros(m_userFolder);
  macros.Load();
  ASSERT_EQ(macros.Add(), "macro_1");
  BuildPage();
  m_page->ReloadProfile();
  m_page->RefreshPanels();
  struct Case {
    int key;
    KeyAssignment function;
    std::string caption;
    int defaultFlag;
  } cases[] = {
      {43, KeyAssignment::Make(0x20, 0x00, 0x14), "keyboard_key_Q", 1},
      {43, KeyAssignment::Make(0x20, 0x00, 0x04), "keyboard_key_A", 0},
      {44, KeyAssignment::Make(0x20, 0x00, 0x14), "keyboard_key_Q", 0},
      {43, KeyAssignment::Make(0x20, 0x01, 0x06), "keyboard_key_LCtrl+keyboard_key_C", 0},
      {43, KeyAssignment::Make(0x70, 0x00, 0x00), "macro_1", 0},
      {0, KeyAssignment::Make(0x00, 0x00, 0x00), "close_text", 0},
  };
  for (const Case& c : cases) {
    KeyList keys = Device().Keys();
    ASSERT_GT(keys.size(), static_cast<size_t>(c.key));
    KeyList fresh = keys;
    for (size_t i = 0; i < fresh.size(); ++i) fresh[i].current = fresh[i].defaultAssignment;
    fresh[static_cast<size_t>(c.key)].current = c.function;
    m_page->SetKeyList(fresh);
    CDeviceKeyButtonUI* button = m_page->KeyButtonAt(c.key);
    EXPECT_EQ(m_page->KeyCaption(c.key), c.caption);
    EXPECT_EQ(button->GetDefaultFlag(), c.defaultFlag) << c.caption;
    std::string tip = button->toolTip().toStdString();
    EXPECT_EQ(tip.substr(tip.find('\n') + 1), "Key_Set" + c.caption);
  }
  // A key that names a macro the list does not have goes back to its default.
  KeyList keys = Device().Keys();
  keys[45].current = KeyAssignment::Make(0x70, 0x03, 0x00, 45);
  m_page->SetKeyList(keys);
  EXPECT_EQ(m_page->KeyButtonAt(45)->GetDefaultFlag(), 0);
  m_page->CheckMacroKeys();
  EXPECT_TRUE(Device().Keys()[45].current == Device().Keys()[45].defaultAssignment);
  EXPECT_EQ(m_page->KeyButtonAt(45)->GetDefaultFlag(), 1);
  EXPECT_EQ(m_page->KeyCaption(45), "keyboard_key_E");
}

TEST_F(KeyboardPageTest, LedButtonsShowTheTintOnTheLightingPageOncePerFrame) {
  BuildPage();
  const int leds = static_cast<int>(m_page->LightButtonIndices().size());
  for (int i = 0; i < 170; ++i) Device().SetLedColor(i, MakeLedEntry(10, 20, 30, 128));
  Device().SetControlLight(true);
  m_page->SetFunctionPage(1);

  // Two refreshes within one frame repaint once.
  Device().RefreshLights();
  Device().RefreshLights();
  ASSERT_TRUE(test::WaitFor([&] { return m_page->LightFlushCount() == 1; }));
  EXPECT_EQ(m_page->LightRepaintCount(), leds);
  CDeviceKeyButtonUI* esc = m_page->LightButtonAt(0);
  EXPECT_EQ(esc->GetLightColor(), CKeyboardPageUI::kLightTint);
  EXPECT_EQ(esc->GetLightOpacity(), 128);

  // Unchanged LEDs are not repainted; a changed one is.
  Device().RefreshLights();
  test::Pump(60);
  EXPECT_EQ(m_page->LightRepaintCount(), leds);
  Device().SetLedColor(0, MakeLedEntry(10, 20, 30, 255));
  Device().RefreshLights();
  ASSERT_TRUE(test::WaitFor([&] { return m_page->LightRepaintCount() == leds + 1; }));
  test::Pump(60);
  EXPECT_EQ(m_page->LightRepaintCount(), leds + 1);
  QColor shown = esc->grab().toImage().pixelColor(esc->rect().center());
  EXPECT_EQ(shown, QColor(0xFD, 0xDD, 0xF9));

  // Away from the lighting page the LEDs show nothing.
  m_page->SetFunctionPage(2);
  Device().RefreshLights();
  ASSERT_TRUE(test::WaitFor([&] { return esc->GetLightOpacity() == 0; }));
  EXPECT_EQ(esc->GetLightColor(), 0u);
  Device().SetControlLight(false);
}

TEST_F(KeyboardPageTest, NotificationRefreshRunsOnTheUiThread) {
  BuildPage();
  Plug();
  ASSERT_EQ(m_page->GetPollingChoice(), Device().Stages().PollingRate());
  // The device's state changes without the page being told ...
  keyboard::KeyboardStages stages = Device().Stages();
  stages.SetPollingRate(stages.PollingRate() == 3 ? 1 : 3);
  Device().SetStages(stages.words[0], stages.words[1], stages.words[2]);
  int expected = stages.PollingRate();
  ASSERT_TRUE(Device().OpenNotificationLink(false, MakeHidInterfacePath(0x320F, 0x5055, 1, 3, m_node)));
  m_keyboard.Notify(emu::KeyboardLink::Cable, 0x1003);
  // ... the keyboard's notification asks for a refresh; the notification
  // thread leaves the controls alone, the UI thread shows the change.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_NE(m_page->GetPollingChoice(), expected);
  ASSERT_TRUE(test::WaitFor([&] { return m_page->GetPollingChoice() == expected; }));
  EXPECT_EQ(Device().ActiveBlock(), 3);
  Device().CloseNotificationLink(false);
}

}  // namespace
}  // namespace tarn
