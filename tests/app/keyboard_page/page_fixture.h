#pragma once
// The keyboard page as the program builds it (the shipped layout, the real
// device object), in a window that hands its notifications to the page the
// way the main window routes them; the virtual keyboard on the cable.
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/keyboard_page/device_profile_ui.h"
#include "app/keyboard_page/keyboard_page_ui.h"
#include "device/hid_path.h"
#include "emulator/virtual_keyboard.h"
#include "platform/settings_file.h"
#include "profile/data_folders.h"
#include "tests/ui/ui_test_support.h"
#include "ui/controls/own_controls.h"
#include "ui/dialog_builder.h"
#include "ui/ui_string.h"

namespace tarn::test {

class CPageWindow : public CWindowUI {
 public:
  std::string GetSkinFile() const override { return m_layout; }
  void Notify(TNotifyUI& msg) override {
    log.push_back(msg.sType + ":" + (msg.pSender ? msg.pSender->GetName() : ""));
    if (page != nullptr) page->HandleNotify(msg);
  }
  CControlUI* CreateControl(const std::string& type) override {
    if (EqualsNoCase(type, "DeviceProfileUI"))
      return CDialogBuilder().Create("XML\\CustomControlXML\\DeviceProfile.xml", this, this, nullptr);
    return nullptr;
  }
  std::string m_layout;
  CKeyboardPageUI* page = nullptr;
  std::vector<std::string> log;
};

class KeyboardPageFixture : public ::testing::Test {
 public:
  void SetUp() override {
    App();
    RegisterOwnControls();
    RegisterKeyboardPage();
    CResourceManager::Instance().SetResourcePath(std::string(TARN_SOURCE_DIR) + "/skin/");
    CResourceManager::Instance().FreeImageCache();
    // Every test starts with an empty user folder (profiles, macros, list).
    std::filesystem::remove_all(GetDeviceUserFolder("keyboard"));
    m_userFolder = GetDeviceUserFolder("keyboard");
  }
  void TearDown() override {
    if (m_window) {
      m_window->page = nullptr;
      m_window.reset();
    }
  }
  // Builds a page from a layout file of the skin (or of a scratch skin).
  void BuildPage(const std::string& layout = "XML\\DeviceXml\\keyboarddevice.xml") {
    m_window = std::make_unique<CPageWindow>();
    m_window->m_layout = UseLayout("kb_page_window", R"(<Window size="800,600"><VerticalLayout name="root"/></Window>)");
    m_window->Create(nullptr, "keyboard");
    CResourceManager::Instance().SetResourcePath(m_skin.empty() ? std::string(TARN_SOURCE_DIR) + "/skin/" : m_skin);
    auto* root = dynamic_cast<CContainerUI*>(m_window->FindControl("root"));
    ASSERT_NE(root, nullptr);
    CDialogBuilder builder;
    CControlUI* built = builder.Create(layout, m_window.get(), m_window.get(), root);
    ASSERT_NE(built, nullptr) << builder.LastError();
    m_page = dynamic_cast<CKeyboardPageUI*>(built);
    ASSERT_NE(m_page, nullptr) << built->GetClass();
    auto device = std::make_unique<keyboard::CVantorKeyboardDevice>();
    device->m_strLayoutFile = layout;
    m_page->SetDevice(std::move(device));
    m_page->InitPage();
    m_window->page = m_page;
    m_window->resize(800, 600);
    m_window->show();
    Pump();
  }
  keyboard::CVantorKeyboardDevice& Device() { return *m_page->Keyboard(); }
  void Plug() {
    m_node = m_keyboard.Plug(m_bus, emu::KeyboardLink::Cable, "cable");
    ASSERT_TRUE(Device().OpenCommandLink(false, MakeHidInterfacePath(0x320F, 0x5055, 1, 4, m_node)));
    Device().OnDeviceConnected();
    Device().StopLightThread();
  }
  template <typename F>
  auto Firmware(F use) {
    decltype(use(std::declval<emu::CKeyboardFirmware&>())) result{};
    m_keyboard.WithFirmware([&](emu::CKeyboardFirmware& f) { result = use(f); });
    return result;
  }
  std::vector<uint8_t> Commands() {
    return Firmware([](emu::CKeyboardFirmware& f) {
      std::vector<uint8_t> commands;
      for (const auto& entry : f.CommandLog())
        if (commands.empty() || commands.back() != entry.command) commands.push_back(entry.command);
      return commands;
    });
  }
  void ClearLog() {
    m_keyboard.WithFirmware([](emu::CKeyboardFirmware& f) { f.ClearCommandLog(); });
  }
  template <class T>
  T* Control(const std::string& name) {
    return dynamic_cast<T*>(m_page->FindSubControl(name));
  }
  void Click(const std::string& name) {
    CControlUI* control = m_page->FindSubControl(name);
    ASSERT_NE(control, nullptr) << name;
    QWidget* widget = control->GetWidget();
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
  }

  std::string m_skin;
  std::string m_userFolder;
  std::string m_node;
  emu::CVirtualBus m_bus;
  emu::CVirtualKeyboard m_keyboard;
  std::unique_ptr<CPageWindow> m_window;
  CKeyboardPageUI* m_page = nullptr;
};

}  // namespace tarn::test
