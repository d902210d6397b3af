// The run options that put a keyboard without hardware on the bus, and the
// tool that serves one from another process.
#include "app/pages/virtual_devices.h"

#include <gtest/gtest.h>

#include <QProcess>

#include "app/pages/known_device_list.h"
#include "emulator/virtual_bus.h"
#include "pages_test_support.h"
#include "platform/paths.h"
#include "ui/input_controls.h"

namespace tarn {
namespace {

struct Args {
  explicit Args(std::vector<std::string> list) : strings(std::move(list)) {
    pointers.push_back(const_cast<char*>("tarn"));
    for (std::string& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
  }
  int argc() const { return static_cast<int>(pointers.size()) - 1; }
  char** argv() { return pointers.data(); }
  std::vector<std::string> strings;
  std::vector<char*> pointers;
};

TEST(VirtualDevices, OptionValues) {
  struct Case {
    std::vector<std::string> args;
    bool ok;
  };
  const Case cases[] = {
      {{}, true},
      {{"--other"}, true},
      {{"--virtual-keyboard=cable"}, true},
      {{"--virtual-keyboard=usb"}, false},
      {{"--virtual-keyboard="}, false},
      {{"--virtual-dir="}, false},
      {{"--virtual-dir=/tmp/nowhere", "--virtual-keyboard=receiver"}, true},
  };
  for (const Case& c : cases) {
    Args args(c.args);
    EXPECT_EQ(SetUpVirtualDevices(args.argc(), args.argv()), c.ok) << (c.args.empty() ? "" : c.args[0]);
    EXPECT_EQ(VirtualDevicesError().empty(), c.ok);
    TearDownVirtualDevices();
  }
}

TEST(VirtualDevices, BothLinksGiveTheKeyboardOnItsCable) {
  Args args({"--virtual-keyboard=both"});
  ASSERT_TRUE(SetUpVirtualDevices(args.argc(), args.argv()));
  {
    test::PagesWindow w;
    w.pages->BuildInitialPages();
    w.pages->StartDiscovery();
    CVantorUSBDevice* keyboard = w.pages->PageForRow(1)->GetDevice();
    EXPECT_TRUE(test::WaitFor([&] {
      return w.pages->CurrentDevice() == keyboard && keyboard->m_cmdChannel.IsOpen() &&
             w.pages->KnownDevices().Row(2).Connected;
    }));
    EXPECT_FALSE(keyboard->m_cmdChannel.IsReceiverMode());
  }
  TearDownVirtualDevices();
}

TEST(VirtualDevices, ToolServesTheKeyboardFromAnotherProcess) {
  const char* home = std::getenv("TARN_TEST_HOME");
  const std::string dir = std::string(home ? home : "/tmp") + "/vkbd";
  EnsureFolder(dir);
  QProcess tool;
  tool.start(TARN_VKBD, {QString::fromStdString("--dir=" + dir), "--plug=cable"});
  ASSERT_TRUE(tool.waitForStarted());
  ASSERT_TRUE(tool.waitForReadyRead(5000));
  EXPECT_TRUE(tool.readLine().startsWith("serving "));
  auto send = [&](const char* command) {
    tool.write(command);
    tool.write("\n");
    tool.waitForBytesWritten();
    EXPECT_TRUE(tool.waitForReadyRead(5000));
    EXPECT_EQ(tool.readLine().trimmed().toStdString(), "ok") << command;
  };
  {
    emu::CVirtualBus bus(dir);
    test::PagesWindow w;
    w.pages->BuildInitialPages();
    w.pages->StartDiscovery();
    CVantorUSBDevice* keyboard = w.pages->PageForRow(1)->GetDevice();
    CDeviceOptionUI* entry = w.pages->Entry(1);
    EXPECT_TRUE(test::WaitFor([&] { return entry->IsShown() && keyboard->m_cmdChannel.IsOpen(); }));
    send("battery 80");
    send("off");
    send("plug receiver");
    send("unplug cable");
    // The keyboard is off: the receiver link does not answer, the entry goes.
    EXPECT_TRUE(test::WaitFor([&] { return keyboard->m_cmdChannel.IsReceiverMode() && !entry->IsShown(); }, 8000));
    send("on");
    EXPECT_TRUE(test::WaitFor([&] { return entry->IsShown(); }, 8000));
    auto* power = dynamic_cast<CMpDevicePowerUI*>(w.Tab("device_power_switch")->GetItemAt(1));
    ASSERT_NE(power, nullptr);
    EXPECT_TRUE(test::WaitFor([&] { return power->FindSubControl("device_power_value")->GetText() == "80%"; }, 8000));
    EXPECT_FALSE(power->FindSubControl("device_wuxian_logo")->GetWidget()->isHidden()) << "on the receiver";
    send("unplug receiver");
    EXPECT_TRUE(test::WaitFor([&] { return !entry->IsShown() && !keyboard->m_cmdChannel.IsOpen(); }));
    EXPECT_TRUE(w.NoDeviceShown());
  }
  tool.write("quit\n");
  EXPECT_TRUE(tool.waitForFinished(5000));
  EXPECT_EQ(tool.exitCode(), 0);
}

}  // namespace
}  // namespace tarn
