// Hot-plug end to end: the emulated keyboard on a virtual bus, the real
// discovery thread, hand-over, links, heartbeat timers and selector.
#include <dirent.h>
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

#include "app/pages/known_device_list.h"
#include "emulator/keyboard_report_descriptor.h"
#include "emulator/virtual_bus.h"
#include "emulator/virtual_keyboard.h"
#include "pages_test_support.h"

namespace tarn {
namespace {

using emu::KeyboardLink;

enum class Act { PlugCable, PlugReceiver, UnplugCable, UnplugReceiver, KeyboardOff, KeyboardOn, VanishOnNextCommand,
                 PlugInterface2, ReplugCable, Expect };

// What the user and the main window see, and the links behind it.
struct State {
  bool cableRows = false;     // rows 0 and 1 assigned
  bool receiverRows = false;  // rows 2 and 3 assigned
  bool open = false;
  bool receiverMode = false;
  bool shown = false;  // the keyboard's entry is shown and selected
  bool connected = false;  // the heartbeat ran OnDeviceConnected (the light thread runs)
  bool cableNodeUsed = false;  // the cable node now plugged in was spoken to
};

struct Step {
  Act act;
  State expect{};
};

struct Scenario {
  const char* name;
  std::vector<Step> steps;
};

constexpr int kKeyboardEntry = 1;
constexpr int kKeyboardPage = 1;

struct HotplugFixture {
  test::PagesWindow w;
  emu::CVirtualBus bus;
  emu::CVirtualKeyboard keyboard;
  std::shared_ptr<emu::CVirtualHidDevice> interface2;

  HotplugFixture() {
    w.pages->BuildInitialPages();
    w.pages->StartDiscovery();
  }
  CVantorUSBDevice* Keyboard() { return w.pages->PageForRow(kKeyboardPage)->GetDevice(); }

  std::string Describe() {
    const CKnownDeviceList& list = w.pages->KnownDevices();
    CVantorUSBDevice* kb = Keyboard();
    CDeviceOptionUI* entry = w.pages->Entry(kKeyboardEntry);
    std::ostringstream out;
    out << "rows " << list.Row(0).Connected << list.Row(1).Connected << list.Row(2).Connected
        << list.Row(3).Connected << " open " << kb->m_cmdChannel.IsOpen() << " receiver "
        << kb->m_cmdChannel.IsReceiverMode() << " shown " << entry->IsShown() << " selected " << entry->IsSelected()
        << " no-device " << w.NoDeviceShown() << " pages " << w.Tab("device_switch")->GetCurSel() << "/"
        << w.Tab("device_power_switch")->GetCurSel() << " light " << kb->IsLightThreadRunning();
    return out.str();
  }

  bool Matches(const State& s) {
    const CKnownDeviceList& list = w.pages->KnownDevices();
    CVantorUSBDevice* kb = Keyboard();
    CDeviceOptionUI* entry = w.pages->Entry(kKeyboardEntry);
    const int page = s.shown ? kKeyboardPage : 0;
    return (list.Row(0).Connected && list.Row(1).Connected) == s.cableRows &&
           (list.Row(2).Connected && list.Row(3).Connected) == s.receiverRows &&
           !list.Row(0).Connected == !list.Row(1).Connected && kb->m_cmdChannel.IsOpen() == s.open &&
           (!s.open || kb->m_cmdChannel.IsReceiverMode() == s.receiverMode) && entry->IsShown() == s.shown &&
           entry->IsSelected() == s.shown && w.NoDeviceShown() == !s.shown &&
           w.Tab("device_switch")->GetCurSel() == page && w.Tab("device_power_switch")->GetCurSel() == page &&
           (!s.connected || kb->IsLightThreadRunning()) && (w.pages->CurrentDevice() == kb) == s.shown &&
           (!s.cableNodeUsed || keyboard.Node(KeyboardLink::Cable)->RequestCount() > 0);
  }

  void Run(const Step& step) {
    switch (step.act) {
      case Act::PlugCable: keyboard.Plug(bus, KeyboardLink::Cable, "kb-cable"); break;
      case Act::PlugReceiver: keyboard.Plug(bus, KeyboardLink::Receiver, "kb-receiver"); break;
      case Act::UnplugCable: keyboard.Unplug(KeyboardLink::Cable); break;
      case Act::ReplugCable:  // out and in again between two discovery passes
        keyboard.Unplug(KeyboardLink::Cable);
        keyboard.Plug(bus, KeyboardLink::Cable, "kb-cable");
        break;
      case Act::UnplugReceiver: keyboard.Unplug(KeyboardLink::Receiver); break;
      case Act::KeyboardOff: keyboard.WithFirmware([](emu::CKeyboardFirmware& f) { f.SetKeyboardOn(false); }); break;
      case Act::KeyboardOn: keyboard.WithFirmware([](emu::CKeyboardFirmware& f) { f.SetKeyboardOn(true); }); break;
      case Act::VanishOnNextCommand: keyboard.Node(KeyboardLink::Cable)->InjectFault(emu::Fault::Vanish); break;
      case Act::PlugInterface2: {
        HidNodeInfo info = keyboard.Node(KeyboardLink::Cable) ? keyboard.Node(KeyboardLink::Cable)->Info()
                                                               : HidNodeInfo{};
        info.vendorId = 0x320F;
        info.productId = 0x5055;
        info.interfaceNumber = 2;
        info.reportDescriptor = emu::KeyboardInterfaceDescriptor();
        interface2 = std::make_shared<emu::CVirtualHidDevice>(info, [](const uint8_t*, size_t) {
          return std::vector<emu::Report>{};
        });
        bus.Plug("kb-interface2", interface2);
        break;
      }
      case Act::Expect: break;
    }
  }
};

Step Do(Act act) { return {act, {}}; }
Step Expect(State s) { return {Act::Expect, s}; }

const State kNone{};
const State kCableUsed{true, false, true, false, true, true, true};
const State kCable{true, false, true, false, true, true};
const State kCableWithReceiver{true, true, true, false, true, false};
const State kReceiver{false, true, true, true, true, false};
const State kReceiverHidden{false, true, true, true, false, false};

TEST(Hotplug, Scenarios) {
  const Scenario scenarios[] = {
      {"cable only", {Do(Act::PlugCable), Expect(kCable)}},
      {"receiver added on the cable, cable removed and back",
       {Do(Act::PlugCable), Expect(kCable), Do(Act::PlugReceiver), Expect(kCableWithReceiver),
        Do(Act::UnplugCable), Expect(kReceiver), Do(Act::PlugCable), Expect(kCableWithReceiver)}},
      {"receiver alone with the keyboard off, then on",
       {Do(Act::KeyboardOff), Do(Act::PlugReceiver), Expect(kReceiverHidden), Do(Act::KeyboardOn), Expect(kReceiver)}},
      {"the only device unplugged", {Do(Act::PlugCable), Expect(kCable), Do(Act::UnplugCable), Expect(kNone)}},
      {"receiver removed while on the cable",
       {Do(Act::PlugCable), Do(Act::PlugReceiver), Expect(kCableWithReceiver), Do(Act::UnplugReceiver),
        Expect(kCable)}},
      {"interface 2 is not ours", {Do(Act::PlugCable), Do(Act::UnplugCable), Do(Act::PlugInterface2), Expect(kNone)}},
      {"replug within a pass", {Do(Act::PlugCable), Expect(kCableUsed), Do(Act::ReplugCable), Expect(kCableUsed)}},
      {"vanishing in OnDeviceConnected", {Do(Act::PlugCable), Do(Act::VanishOnNextCommand), Expect(kNone)}},
      {"enumeration empty", {Expect(kNone)}},
  };
  for (const Scenario& scenario : scenarios) {
    SCOPED_TRACE(scenario.name);
    HotplugFixture f;
    int stepNumber = 0;
    for (const Step& step : scenario.steps) {
      ++stepNumber;
      f.Run(step);
      if (step.act != Act::Expect) {
        test::Pump(20);
        continue;
      }
      // A negative state is checked after discovery had time to act.
      if (!step.expect.cableRows && !step.expect.receiverRows) test::Pump(400);
      EXPECT_TRUE(test::WaitFor([&] { return f.Matches(step.expect); }, 8000))
          << "step " << stepNumber << ": " << f.Describe();
    }
    EXPECT_GE(f.w.activations, 1) << "the window is brought up after the first pass";
    f.keyboard.WithFirmware([](emu::CKeyboardFirmware& fw) {
      EXPECT_FALSE(fw.IsTransactionOpen()) << "every 0x01 is closed with 0x02";
    });
  }
}

TEST(Hotplug, StopWithAHandOverPendingDoesNotWaitForTheUiThread) {
  HotplugFixture f;
  f.keyboard.Plug(f.bus, KeyboardLink::Cable, "kb-cable");
  // The UI thread does not run its events: discovery waits in its hand-over.
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  const auto start = std::chrono::steady_clock::now();
  f.w.window->pages = nullptr;
  f.w.pages.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
  test::Pump(50);  // the abandoned hand-over finds nobody
}

size_t CountEntries(const char* folder) {
  size_t n = 0;
  if (DIR* dir = ::opendir(folder)) {
    while (dirent* e = ::readdir(dir))
      if (e->d_name[0] != '.') ++n;
    ::closedir(dir);
  }
  return n;
}

TEST(Hotplug, PlugCyclesLeaveNoDescriptorsOrThreads) {
  HotplugFixture f;
  CDeviceOptionUI* entry = f.w.pages->Entry(kKeyboardEntry);
  auto cycle = [&](bool waitConnected) {
    f.keyboard.Plug(f.bus, KeyboardLink::Cable, "kb-cable");
    ASSERT_TRUE(test::WaitFor([&] { return entry->IsShown(); }));
    if (waitConnected) {
      ASSERT_TRUE(test::WaitFor([&] { return f.Keyboard()->IsLightThreadRunning(); }));
    }
    f.keyboard.Unplug(KeyboardLink::Cable);
    ASSERT_TRUE(test::WaitFor([&] { return !entry->IsShown() && !f.w.pages->KnownDevices().Row(1).Connected; }));
  };
  cycle(true);  // warm up: the light thread and Qt's own helpers exist from here on
  test::Pump(100);
  const size_t fds = CountEntries("/proc/self/fd");
  const size_t threads = CountEntries("/proc/self/task");
  for (int i = 0; i < 200; ++i) cycle(i % 50 == 0);
  test::Pump(100);
  EXPECT_EQ(CountEntries("/proc/self/fd"), fds);
  EXPECT_EQ(CountEntries("/proc/self/task"), threads);
}

}  // namespace
}  // namespace tarn

namespace tarn {
namespace {

TEST(Hotplug, HeldDiscoveryHandlesNothingUntilReleased) {
  HotplugFixture f;
  f.w.pages->HoldDiscovery(true);
  f.keyboard.Plug(f.bus, KeyboardLink::Cable, "kb-cable");
  test::Pump(600);
  EXPECT_TRUE(f.Matches(kNone)) << f.Describe();
  f.w.pages->HoldDiscovery(false);
  EXPECT_TRUE(test::WaitFor([&] { return f.Matches(kCable); })) << f.Describe();
  // Lost while held: handled once released.
  f.w.pages->HoldDiscovery(true);
  f.keyboard.Unplug(KeyboardLink::Cable);
  test::Pump(600);
  EXPECT_TRUE(f.w.pages->Entry(kKeyboardEntry)->IsShown());
  f.w.pages->HoldDiscovery(false);
  EXPECT_TRUE(test::WaitFor([&] { return f.Matches(kNone); })) << f.Describe();
}

}  // namespace
}  // namespace tarn

namespace tarn {
namespace {

TEST(Hotplug, SwitchToASilentReceiverAsksOnce) {
  HotplugFixture f;
  f.keyboard.Plug(f.bus, KeyboardLink::Cable, "kb-cable");
  f.keyboard.Plug(f.bus, KeyboardLink::Receiver, "kb-receiver");
  ASSERT_TRUE(test::WaitFor([&] { return f.Matches(kCableWithReceiver); })) << f.Describe();
  auto receiver = f.keyboard.Node(KeyboardLink::Receiver);
  const uint64_t before = receiver->RequestCount();
  receiver->InjectFault(emu::Fault::NoReply, 3);
  f.keyboard.Unplug(KeyboardLink::Cable);
  // Each unanswered request costs the receiver's 5 s time-out on the UI thread.
  ASSERT_TRUE(test::WaitFor([&] { return f.Keyboard()->m_cmdChannel.IsReceiverMode(); }, 30000));
  EXPECT_EQ(receiver->RequestCount() - before, 1u) << "one link query, then nothing more while it is silent";
}

}  // namespace
}  // namespace tarn
