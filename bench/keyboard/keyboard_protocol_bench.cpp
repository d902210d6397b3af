// Measures, in one run against the virtual keyboard on its cable link:
//   - a full connect (information, key table, LED map, settings),
//   - a profile download (settings, macros, keys),
//   - the light frames RefreshLights sustains at its 5 ms cadence in a
//     host-driven mode, and the CPU time that costs the calling thread.
// Prints one line per measurement; the goal for the frames is 200 frames
// per second with under 3 % of one core.
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "device/hid_path.h"
#include "device/keyboard/keyboard_device.h"
#include "emulator/virtual_keyboard.h"
#include "macro/macro_event.h"
#include "macro/macro_file.h"
#include "macro/macro_list.h"
#include "platform/paths.h"
#include "profile/data_folders.h"

using namespace tarn;
using Clock = std::chrono::steady_clock;

namespace {

double ThreadCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  size_t index = static_cast<size_t>(p * static_cast<double>(values.size() - 1));
  return values[index];
}

// Ten macros of 100 events each, and keys that use them.
void MakeMacros(keyboard::CVantorKeyboardDevice& device) {
  std::string folder = GetDeviceUserFolder("keyboard");
  CMacroList list(folder);
  list.Load();
  while (list.Count() < 10) {
    if (list.Add().empty()) return;
  }
  for (size_t m = 0; m < 10; ++m) {
    std::vector<Json::Value> events;
    for (int e = 0; e < 50; ++e) {
      events.push_back(MakeMacroEvent(kMacroKey, true, static_cast<uint8_t>(4 + e % 26), 5));
      events.push_back(MakeMacroEvent(kMacroKey, false, static_cast<uint8_t>(4 + e % 26), 5));
    }
    list.SaveEvents(m, events);
  }
  KeyList keys = device.Keys();
  for (unsigned m = 0; m < 10 && m + 1 < keys.size(); ++m) {
    keys[m + 1].current = KeyAssignment::Make(0x70, static_cast<uint8_t>(m), 0, static_cast<uint16_t>(m + 1));
  }
  device.SetKeyList(keys);
}

}  // namespace

int main() {
  // A scratch user folder, so the benchmark never touches real profiles.
  std::string home = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/tarn-bench-XXXXXX";
  if (!mkdtemp(home.data())) return 1;
  setenv("XDG_DATA_HOME", home.c_str(), 1);

  emu::CVirtualBus bus;
  emu::CVirtualKeyboard virtualKeyboard;
  std::string node = virtualKeyboard.Plug(bus, emu::KeyboardLink::Cable, "bench");
  keyboard::CVantorKeyboardDevice device;
  device.m_strProfileName = "bench";
  if (!device.OpenCommandLink(false, MakeHidInterfacePath(0x320F, 0x5055, 1, 4, node))) {
    std::fprintf(stderr, "cannot open the virtual keyboard\n");
    return 1;
  }
  virtualKeyboard.WithFirmware([](emu::CKeyboardFirmware& f) { f.SetMacroMemoryUnits(255); });

  std::vector<double> connects;
  for (int i = 0; i < 20; ++i) {
    auto start = Clock::now();
    device.ReadKeyLayout();
    device.ReloadProfile();
    device.ReadSettings();
    connects.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::printf("connect (info, key table, LED map, profile, settings): median %.2f ms, p95 %.2f ms\n",
              Percentile(connects, 0.5), Percentile(connects, 0.95));

  MakeMacros(device);
  std::vector<double> downloads;
  for (int i = 0; i < 10; ++i) {
    auto start = Clock::now();
    int result = device.DownloadProfile();
    downloads.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    if (result != 0) std::fprintf(stderr, "download result %d\n", result);
  }
  std::printf("profile download (settings, 10 macros of 100 events, keys; three 10 ms waits): median %.2f ms, p95 %.2f ms\n",
              Percentile(downloads, 0.5), Percentile(downloads, 0.95));

  // Host-driven mode: every LED lit, frames every 5 ms for two seconds.
  LightState light = device.CurrentLightState();
  light.selectItem = 29;
  device.SetKeyboardLightState(light);
  for (int led = 0; led < 170; ++led) device.SetLedColor(led, 0xFF8040C0u);
  uint64_t packetsBefore = 0;
  virtualKeyboard.WithFirmware([&](emu::CKeyboardFirmware& f) { packetsBefore = f.LightFramePacketCount(); });
  const auto period = std::chrono::milliseconds(5);
  const int frames = 400;
  double cpuStart = ThreadCpuSeconds();
  auto wallStart = Clock::now();
  auto next = wallStart;
  for (int i = 0; i < frames; ++i) {
    device.RefreshLights();
    next += period;
    std::this_thread::sleep_until(next);
  }
  double wall = std::chrono::duration<double>(Clock::now() - wallStart).count();
  double cpu = ThreadCpuSeconds() - cpuStart;
  uint64_t packets = 0;
  virtualKeyboard.WithFirmware([&](emu::CKeyboardFirmware& f) { packets = f.LightFramePacketCount() - packetsBefore; });
  size_t perFrame = (device.CurrentLightFrame().size() + 55) / 56;
  std::printf("light frames: %.0f frames/s sent (%llu packets, %zu per frame), host thread CPU %.2f %% of one core (goal 200/s under 3 %%)\n",
              static_cast<double>(packets) / static_cast<double>(perFrame ? perFrame : 1) / wall,
              static_cast<unsigned long long>(packets), perFrame, 100.0 * cpu / wall);

  device.CloseCommandLinks();
  std::string remove = "rm -rf '" + home + "'";
  return std::system(remove.c_str()) == 0 ? 0 : 1;
}
