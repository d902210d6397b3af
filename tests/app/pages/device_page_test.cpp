// The device page as its device object's host: the picture's buttons, LED
// painting and the function switches.
#include <gtest/gtest.h>

#include "pages_test_support.h"

namespace tarn {
namespace {

constexpr const char* kPicture = R"(<KeyboardDevice>
  <VerticalLayout>
    <HorizontalLayout name="SelectPanel">
      <Button name="key_0"/><Button name="key_5"/><Button name="key_10"/><Button name="key_x"/>
      <Button name="key_"/><Button name="key_-1"/><Button name="keyx_2"/><Button name="key_0042"/>
      <Button name="light_3"/><Button name="light_4"/><Button name="light_abc"/><Button name="LIGHT_1"/>
    </HorizontalLayout>
    <Button name="key_7"/>
    <TabLayout name="device_function_switch"><Control/><Control/><Control/><Control/></TabLayout>
    <TabLayout name="device_key_function_switch"><Control/><Control/><Control/></TabLayout>
  </VerticalLayout>
</KeyboardDevice>)";

struct PageFixture : ::testing::Test {
  void SetUp() override {
    test::App();
    RegisterDevicePageControls();
    page = dynamic_cast<CDevicePageUI*>(CDialogBuilder().CreateFromText(kPicture, nullptr));
    ASSERT_NE(page, nullptr);
    page->SetDevice(std::make_unique<CVantorUSBDevice>());
    device = page->GetDevice();
    device->SetKeyCount(10);
    device->SetLedCount(4);
    page->InitPage();
  }
  void TearDown() override { delete page; }
  CDevicePageUI* page = nullptr;
  CVantorUSBDevice* device = nullptr;
};

TEST_F(PageFixture, InitDeviceTakesNumberedButtonsInRangeOnly) {
  std::vector<int> keys, lights;
  for (int i = 0; i < 10; ++i)
    if (device->m_keyButtons[static_cast<size_t>(i)]) keys.push_back(i);
  for (int i = 0; i < 4; ++i)
    if (device->m_lightButtons[static_cast<size_t>(i)]) lights.push_back(i);
  // key_10 and light_4 are out of range, key_7 lies outside the panel,
  // "key_0042" is key 42; names without a number are no buttons.
  EXPECT_EQ(keys, (std::vector<int>{0, 5}));
  EXPECT_EQ(lights, (std::vector<int>{1, 3}));
  for (int i : lights) {
    EXPECT_EQ(page->PaintedColor(i), 0xFFFFFFu);
    EXPECT_EQ(page->PaintedBrightness(i), 255);
  }
}

TEST_F(PageFixture, RefreshLightsPaintsShownButtonsOnlyWhileControllingLights) {
  device->SetLedColor(3, MakeLedEntry(0x10, 0x20, 0x30, 128));
  device->SetLedColor(1, MakeLedEntry(0xFF, 0, 0, 64));
  device->SetLedColor(9, MakeLedEntry(1, 2, 3, 4));  // no such LED: ignored
  EXPECT_EQ(device->GetLedColor(9), 0u);
  EXPECT_EQ(device->GetLedColor(3), MakeLedEntry(0x10, 0x20, 0x30, 128));
  device->RefreshLights();
  EXPECT_EQ(page->PaintedColor(3), 0xFFFFFFu) << "not while the device drives its lights";
  device->SetControlLight(true);
  page->LightButton(1)->SetVisible(false);
  device->RefreshLights();
  EXPECT_EQ(page->PaintedColor(3), 0x102030u);
  EXPECT_EQ(page->PaintedBrightness(3), 128);
  EXPECT_EQ(page->LightButton(3)->GetBkColor(), 0x80102030u);
  EXPECT_EQ(page->PaintedColor(1), 0xFFFFFFu) << "a hidden button is not painted";
}

TEST_F(PageFixture, FunctionPagesByCategory) {
  struct Case {
    int page;
    int category;
    int function;     // page of "device_function_switch" afterwards
    int keyFunction;  // page of "device_key_function_switch" afterwards
  };
  // Before each case both switches show page 2 (the key function switch's last).
  const Case cases[] = {
      {2, 1, 0, 1}, {6, 2, 0, 1}, {3, 1, 1, 2}, {8, 3, 1, 2}, {4, 1, 3, 2}, {4, 2, 3, 2}, {4, 3, 0, 2},
      {4, 7, 0, 2}, {7, 1, 0, 2}, {5, 7, 2, 2}, {1, 1, 0, 0}, {0, 2, 0, 0}, {9, 1, 0, 0}, {-3, 1, 0, 0},
  };
  auto* function = dynamic_cast<CTabLayoutUI*>(page->FindSubControl("device_function_switch"));
  auto* keyFunction = dynamic_cast<CTabLayoutUI*>(page->FindSubControl("device_key_function_switch"));
  for (const Case& c : cases) {
    function->SelectItem(2);
    keyFunction->SelectItem(2);
    device->m_nCategory = c.category;
    device->SetFunctionPage(c.page);
    EXPECT_EQ(device->GetFunctionPage(), c.page);
    EXPECT_EQ(function->GetCurSel(), c.function) << "page " << c.page << " category " << c.category;
    EXPECT_EQ(keyFunction->GetCurSel(), c.keyFunction) << "page " << c.page << " category " << c.category;
  }
  device->SelectKey(12);
  EXPECT_EQ(device->m_nSelectedKey, 12);
}

}  // namespace
}  // namespace tarn
