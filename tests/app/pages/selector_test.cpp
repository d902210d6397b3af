// The selector entries and power elements, driven by control names.
#include <gtest/gtest.h>

#include "pages_test_support.h"
#include "ui/basic_controls.h"
#include "ui/input_controls.h"

namespace tarn {
namespace {

using test::PagesWindow;

struct SelectorFixture : ::testing::Test {
  PagesWindow w;
  void SetUp() override {
    w.pages->BuildInitialPages();
    // The mouse pad and headset pages come with their first interface; one
    // that cannot be opened still builds its page.
    w.pages->HandleMessage(kMsgDeviceFound, 8, 0);
    w.pages->HandleMessage(kMsgDeviceFound, 10, 0);
    ASSERT_EQ(w.pages->PageCount(), 4);
  }
  CDeviceOptionUI* Entry(int i) { return w.pages->Entry(i); }
  int SelectedShown() {
    for (int i = 0; i < 4; ++i)
      if (Entry(i)->IsShown() && Entry(i)->IsSelected()) return i;
    return -1;
  }
  void Click(const char* name) {
    TNotifyUI msg{"click", w.Find(name)};
    EXPECT_TRUE(w.pages->HandleNotify(msg));
  }
};

TEST_F(SelectorFixture, PagesAreBuiltInOrderWithHiddenEntries) {
  const char* folders[] = {"mouse", "keyboard", "MousePad", "HD"};
  const int types[] = {2, 1, 3, 7};
  for (int i = 0; i < 4; ++i) {
    CDeviceOptionUI* entry = Entry(i);
    ASSERT_NE(entry, nullptr);
    EXPECT_FALSE(entry->IsShown()) << i;
    EXPECT_EQ(entry->GetBoundPageName(), "device_switch");
    EXPECT_EQ(entry->GetBoundPageIndex(), i);
    EXPECT_EQ(entry->GetPowerTarget(), "device_power_switch");
    EXPECT_EQ(entry->GetPowerPage(), i);
    EXPECT_EQ(entry->GetDeviceType(), types[i]);
    EXPECT_EQ(entry->NameLabel()->GetText(), folders[i]);
    EXPECT_EQ(entry->SelectOption()->GetGroup(), "tab_header_device");
    EXPECT_EQ(entry->GetDevice()->m_strFolder, folders[i]);
    EXPECT_EQ(entry->GetDevice()->m_nKind, i);
  }
  EXPECT_EQ(Entry(1)->GetDevice()->m_nCategory, 1);
  EXPECT_EQ(Entry(1)->GetDevice()->KeyCount(), 170);
  EXPECT_EQ(Entry(2)->GetDevice()->m_bSyncEnabled, false);
  EXPECT_EQ(Entry(3)->GetDevice()->GetDeviceIndex(), 3);
  EXPECT_TRUE(w.NoDeviceShown());
  EXPECT_EQ(w.pages->CurrentDevice(), nullptr);
}

TEST_F(SelectorFixture, PreviousAndNextStopAtTheEndsAndSkipHiddenEntries) {
  w.pages->ShowEntry(0, true, false);
  w.pages->ShowEntry(1, true, false);
  w.pages->ShowEntry(3, true, true);  // entry 2 stays hidden
  EXPECT_EQ(SelectedShown(), 3);
  EXPECT_EQ(w.Tab("device_switch")->GetCurSel(), 3);
  Click("device_select_next");
  EXPECT_EQ(SelectedShown(), 3) << "next on the last shown entry";
  Click("device_select_prev");
  EXPECT_EQ(SelectedShown(), 1) << "the hidden entry 2 is skipped";
  EXPECT_EQ(w.Tab("device_switch")->GetCurSel(), 1);
  EXPECT_EQ(w.Tab("device_power_switch")->GetCurSel(), 1);
  EXPECT_EQ(w.pages->CurrentDevice(), Entry(1)->GetDevice());
  Click("device_select_prev");
  EXPECT_EQ(SelectedShown(), 0);
  Click("device_select_prev");
  EXPECT_EQ(SelectedShown(), 0) << "prev on the first shown entry";
  Click("device_select_next");
  EXPECT_EQ(SelectedShown(), 1);
}

TEST_F(SelectorFixture, LosingTheSelectedEntrySelectsAnotherAndTheLastShowsNoDevice) {
  int lostCalls = 0;
  w.pages->SetBeforeCurrentLostCallback([&] { ++lostCalls; });
  w.pages->ShowEntry(1, true, true);
  w.pages->ShowEntry(2, true, false);
  EXPECT_FALSE(w.NoDeviceShown());
  w.pages->HideLostEntry(1);
  EXPECT_EQ(lostCalls, 1);
  EXPECT_EQ(SelectedShown(), 2);
  EXPECT_EQ(w.Tab("device_switch")->GetCurSel(), 2);
  w.pages->HandleMessage(kMsgLinkState, 2, 0);  // the pad's link stopped answering
  EXPECT_EQ(lostCalls, 2);
  EXPECT_TRUE(w.NoDeviceShown());
  EXPECT_EQ(w.Tab("device_switch")->GetCurSel(), 0);
  EXPECT_EQ(w.Tab("device_power_switch")->GetCurSel(), 0);
  // It answers again: shown, and selected since nothing else is shown.
  w.pages->HandleMessage(kMsgLinkState, 2, 1);
  EXPECT_EQ(SelectedShown(), 2);
  w.pages->HandleMessage(kMsgLinkState, 3, 1);
  EXPECT_TRUE(Entry(3)->IsShown());
  EXPECT_EQ(SelectedShown(), 2) << "a second device does not take the selection";
}

TEST_F(SelectorFixture, SynchroNeedsTwoEntriesAndSyncLightNeedsTwoDevices) {
  std::vector<bool> possible;
  w.pages->SetSyncPossibleCallback([&](bool on) { possible.push_back(on); });
  w.pages->ShowEntry(0, true, true);
  w.pages->ShowEntry(1, true, false);
  EXPECT_EQ(possible.back(), true);
  Entry(0)->SetSynchroSelected(true);
  Entry(1)->SetSynchroSelected(true);
  EXPECT_EQ(Entry(0)->SelectOption()->GetAttribute("normalimage"), "common/device_ico/ms_device_synchro_normal.png");
  w.pages->ShowEntry(0, true, true);
  EXPECT_TRUE(Entry(0)->IsSynchroSelected()) << "two synchro entries stay";
  Entry(1)->SetSynchroSelected(false);
  EXPECT_TRUE(Entry(0)->IsSynchroSelected());
  w.pages->ShowEntry(0, true, true);
  EXPECT_FALSE(Entry(0)->IsSynchroSelected()) << "synchro on one entry is cleared";
  EXPECT_EQ(Entry(0)->SelectOption()->GetAttribute("normalimage"), "common/device_ico/ms_device_normal.png");

  for (CVantorUSBDevice* d : w.pages->Devices()) d->m_cmdChannel.m_bSyncLight = 1;
  w.pages->HideLostEntry(1);
  EXPECT_EQ(possible.back(), false);
  for (CVantorUSBDevice* d : w.pages->Devices()) EXPECT_EQ(d->m_cmdChannel.m_bSyncLight, 0);
}

TEST(DeviceOptionImages, ByTypeAndRole) {
  struct Case {
    int type, role;
    const char* stem;
  };
  const Case cases[] = {{1, 0, "kb_device"},      {2, 0, "ms_device"},     {3, 1, "soft_mp_device"},
                        {3, 0, "hard_mp_device"}, {4, 0, "hd_device"},     {7, 0, "hd_device"},
                        {5, 0, "hub_device"},     {9, 0, "unknow_device"}, {0, 0, "unknow_device"}};
  test::App();
  for (const Case& c : cases) {
    DeviceOptionImages images = DeviceOptionImagesFor(c.type, c.role);
    const std::string base = std::string("common/device_ico/") + c.stem;
    EXPECT_EQ(images.normal, base + "_normal.png") << c.type << "/" << c.role;
    EXPECT_EQ(images.selected, base + "_selected.png");
    EXPECT_EQ(images.synchroNormal, base + "_synchro_normal.png");
    EXPECT_EQ(images.synchroSelected, base + "_synchro_selected.png");
    EXPECT_EQ(images.tooltip, std::string(c.stem) + "_name_text");
  }
  // An entry from its layout applies them; a pad of an unknown role changes nothing.
  CDeviceOptionUI* entry = dynamic_cast<CDeviceOptionUI*>(
      CDialogBuilder().Create("XML\\CustomControlXML\\DeviceOption.xml", nullptr));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->Images().normal, "common/device_ico/unknow_device_normal.png");
  entry->SetDeviceType(1, 0);
  EXPECT_EQ(entry->SelectOption()->GetAttribute("selectedimage"), "common/device_ico/kb_device_selected.png");
  EXPECT_EQ(entry->SelectOption()->GetAttribute("disabledimage"), "common/device_ico/kb_device_normal.png");
  EXPECT_EQ(entry->SelectOption()->GetToolTip(), "kb_device_name_text");
  entry->SetDeviceType(3, 2);
  EXPECT_EQ(entry->GetDeviceType(), 1);
  EXPECT_EQ(entry->SelectOption()->GetAttribute("normalimage"), "common/device_ico/kb_device_normal.png");
  delete entry->GetWidget();
}

TEST(MpDevicePower, StatusBlocks) {
  test::App();
  CResourceManager::Instance().SetResourcePath(std::string(TARN_SOURCE_DIR) + "/skin");
  struct Case {
    int type;
    std::vector<uint8_t> block;
    const char* text;
    int progress;
    bool barShown;
    const char* statusImage;
    int logo;  // 1 shown, 0 hidden, -1 untouched
    const char* phone;
  };
  const Case cases[] = {
      {1, {80, 0, 0, 0}, "80%", 20, true, "file='power/powered.png'", 0, nullptr},
      {1, {80, 0, 0, 1}, "80%", 20, true, "file='power/powered.png'", 1, nullptr},
      {1, {55, 1, 0, 0}, "55%", 45, true, "file='power/powering.png'", 0, nullptr},
      {2, {55, 1, 0, 1}, "55%", 45, false, "file='power/wuxian_powering.png'", 1, nullptr},
      {1, {100, 2, 0, 1}, "100%", 0, true, "file='power/power.png'", 1, nullptr},
      {1, {250, 0, 0, 0}, "100%", 0, true, "file='power/powered.png'", 0, nullptr},
      {1, {}, "0%", 100, true, "file='power/powered.png'", 0, nullptr},
      {3, {10, 0, 0, 1, 0, 1}, "10%", 90, true, "file='power/powered.png'", -1, "Phone_type_iphone"},
      {3, {10, 0, 0, 0, 0, 2}, "10%", 90, true, "file='power/powered.png'", -1, "Phone_type_samsung"},
      {3, {10, 0, 0, 0, 0, 3}, "10%", 90, true, "file='power/powered.png'", -1, "Phone_type_other"},
      {3, {10, 0, 0, 0, 0, 9}, "10%", 90, true, "file='power/powered.png'", -1, "Phone_type_no_device"},
  };
  for (const Case& c : cases) {
    auto* power = dynamic_cast<CMpDevicePowerUI*>(
        CDialogBuilder().Create("XML\\CustomControlXML\\MpDevicePower.xml", nullptr));
    ASSERT_NE(power, nullptr);
    power->SetKind(c.type, 0);
    power->SetPowerStatus(c.block.data(), c.block.size());
    auto* bar = dynamic_cast<CProgressUI*>(power->FindSubControl("device_Power_progress"));
    EXPECT_EQ(power->FindSubControl("device_power_value")->GetText(), c.text) << c.text;
    EXPECT_EQ(bar->GetValue(), c.progress) << c.text;
    EXPECT_EQ(!bar->GetWidget()->isHidden(), c.barShown) << c.text;
    EXPECT_EQ(power->FindSubControl("device_power_status")->GetBkImage(), c.statusImage) << c.text;
    CControlUI* logo = power->FindSubControl("device_wuxian_logo");
    if (c.logo >= 0) {
      EXPECT_EQ(!logo->GetWidget()->isHidden(), c.logo == 1) << c.text;
    } else {
      EXPECT_TRUE(logo->GetWidget()->isHidden()) << "pads leave the logo alone";
    }
    CControlUI* phone = power->FindSubControl("device_phone_type");
    if (c.phone) {
      EXPECT_EQ(phone->GetToolTip(), c.phone);
      EXPECT_EQ(phone->GetBkImage(), std::string("file='power/") + c.phone + ".png'");
    } else {
      EXPECT_TRUE(phone->GetBkImage().empty());
    }
    power->ShowPower(false);
    EXPECT_TRUE(power->FindSubControl("device_power_Layout")->GetWidget()->isHidden());
    delete power->GetWidget();
  }
}

}  // namespace
}  // namespace tarn
