#pragma once
// A lighting engine on a manual clock and a seeded random source, with a
// host that records what the engine asks of the device.
#include <gtest/gtest.h>

#include <vector>

#include "device/keyboard/light_engine.h"
#include "device/light/light_tables.h"

namespace tarn::keyboard::testing {

class CRecordingHost : public ILightEngineHost {
 public:
  std::vector<LightColor> GetCustomColours(unsigned group, unsigned count) override {
    requestedGroups.push_back(group);
    std::vector<LightColor> list(count);
    for (unsigned i = 0; i < count; ++i)
      list[i] = LightColor{static_cast<uint8_t>(i), static_cast<uint8_t>(group), 7, 255};
    return list;
  }
  void StoreCustomColours(unsigned group, const std::vector<LightColor>& colours) override {
    storedGroup = static_cast<int>(group);
    stored = colours;
  }
  unsigned GetProfileCustomGroup() override { return profileGroup; }
  void StoreCustomGroup(unsigned group) override { storedCustomGroup = static_cast<int>(group); }
  void ShowCustomGroup(unsigned group) override { shownGroup = static_cast<int>(group); }
  int PanelCustomGroup() override { return panelGroup; }
  void SendCustomTable(const light::LedSnapshot& leds, bool scaled) override {
    tables.push_back(leds);
    tablesScaled.push_back(scaled);
  }

  std::vector<unsigned> requestedGroups;
  int storedGroup = -1;
  std::vector<LightColor> stored;
  unsigned profileGroup = 0;
  int storedCustomGroup = -1;
  int shownGroup = -1;
  int panelGroup = -1;
  std::vector<light::LedSnapshot> tables;
  std::vector<bool> tablesScaled;
};

class EngineTest : public ::testing::Test {
 protected:
  static LightState State(uint8_t mode, uint8_t light = 4, uint8_t speed = 4, uint8_t fx = 1, uint8_t multi = 0,
                          uint8_t r = 10, uint8_t g = 20, uint8_t b = 30) {
    LightState s;
    s.selectItem = mode;
    s.light = light;
    s.speed = speed;
    s.fx = fx;
    s.multiColor = multi;
    s.red = r;
    s.green = g;
    s.blue = b;
    return s;
  }
  void Apply(const LightState& s, const AudioLightState& audio = {}, const std::vector<LightListEntry>& list = {},
             const std::vector<LightEffectStep>& effects = {}) {
    engine.ApplyProfile(s, audio, list, effects);
  }
  // Runs n mode steps: enough ticks for any step period.
  void Step(int n = 1) {
    for (int i = 0; i < n; ++i) {
      uint32_t ticks = 100;
      engine.Pass(ticks);
    }
  }
  // Runs n passes without a due mode step.
  void Passes(int n) {
    for (int i = 0; i < n; ++i) {
      uint32_t ticks = 0;
      engine.Pass(ticks);
    }
  }
  LightColor Led(unsigned i) const { return engine.Leds().Get(i); }
  static LightColor At(light::Rgb c, uint8_t a) { return LightColor{c.r, c.g, c.b, a}; }

  CManualClock clock{1000};
  CSeededRandom random{1};
  CRecordingHost host;
  CKeyboardLightEngine engine{clock, random, &host};
};

}  // namespace tarn::keyboard::testing
