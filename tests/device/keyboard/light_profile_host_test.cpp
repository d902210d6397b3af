// The engine against a real profile document on disk: the profile's lighting
// goes in, custom colours and groups come back out and are saved.
#include "device/keyboard/light_profile_host.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>

#include "device/keyboard/led_tables.h"
#include "device/keyboard/light_frame.h"

namespace tarn::keyboard {
namespace {

constexpr const char* kProfile = R"({"Device":[{
  "LightInfo":{"SelectItem":28,"Light":4,"Speed":2,"Fx":1,"MultiColor":0,"Red":11,"Green":22,"Blue":33,
               "ZZCCLedMode":0,"CustomGroup":1,"OldLedmode":0},
  "AudioLightInfo":{"AudioMode":2,"BkColorR":0,"BkColorG":0,"BkColorB":0,"FgColorR":9,"FgColorG":9,"FgColorB":9,
                    "7ColorFlags":0,"ColorTypeFlags":0},
  "LightList":[null,null,null,{"LEDREGMode":1,"LEDBrightness":2,"LEDSpeed":0,"LEDDirection":0,"LEDMultiColor":0,
                               "red":5,"green":6,"blue":7}],
  "CustomLightMode":{"LightColorInfo":[[],[{"Red":1,"Green":2,"Blue":3,"Alpha":255},
                                          {"Red":4,"Green":5,"Blue":6,"Alpha":128}]],
                     "CustomLightModeGroupIndex":1}}]})";

class ProfileHostTest : public ::testing::Test {
 protected:
  ProfileHostTest() {
    const char* home = std::getenv("TARN_TEST_HOME");
    path = std::string(home != nullptr ? home : "/tmp") + "/light_profile_host.Json";
    std::ofstream(path) << kProfile;
    profile.SetProfilePath(path);
    profile.Load();
  }
  std::unique_ptr<CKeyboardProfiledata> Reloaded() {
    auto fresh = std::make_unique<CKeyboardProfiledata>();
    fresh->SetProfilePath(path);
    fresh->Load();
    return fresh;
  }

  std::string path;
  CKeyboardProfiledata profile;
  int panelGroup = 1;
  int shown = -1;
  std::vector<std::pair<light::LedSnapshot, bool>> sent;
  CProfileLightHost host{profile,
                         {[this] { return panelGroup; }, [this](unsigned g) { shown = static_cast<int>(g); },
                          [this](const light::LedSnapshot& leds, bool scaled) { sent.push_back({leds, scaled}); }}};
  CManualClock clock{100};
  CSeededRandom random{1};
  CKeyboardLightEngine engine{clock, random, &host};
};

TEST_F(ProfileHostTest, ProfileLightingReachesTheEngine) {
  ApplyProfileLighting(engine, profile);
  const LightState s = engine.GetLightState();
  EXPECT_EQ(s.selectItem, 28);
  EXPECT_EQ(s.customGroup, 1);
  EXPECT_EQ(engine.GetAudioLightState().audioMode, 2);
  EXPECT_EQ(engine.Leds().Get(0), (LightColor{1, 2, 3, 255}));
  EXPECT_EQ(engine.Leds().Get(1), (LightColor{4, 5, 6, 128}));
  EXPECT_EQ(engine.Leds().Get(2), LightColor{});  // a position the group lacks is black
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_TRUE(sent[0].second);
  EXPECT_EQ(sent[0].first[1], (LightColor{4, 5, 6, 128}));
  uint32_t ticks = 100;
  engine.Pass(ticks);
  EXPECT_EQ(engine.Leds().Get(1), (LightColor{4, 5, 6, 255}));  // mode 28: brightness S
  EXPECT_EQ(engine.Leds().Get(3), (LightColor{5, 6, 7, 135}));  // the per-key list's static entry
}

TEST_F(ProfileHostTest, CustomColoursAndGroupAreSaved) {
  ApplyProfileLighting(engine, profile);
  uint32_t ticks = 100;
  engine.Pass(ticks);
  // The on-screen buttons are painted with their tint meanwhile; it must not
  // reach the saved colours.
  for (unsigned i = 0; i < kLedCount; ++i) PaintLightButton(engine.Leds().Get(i), true);
  engine.FillCustomColours(true);
  {
    const std::vector<LightColor> colours = Reloaded()->GetCustomLightColors(1, kLedCount);
    ASSERT_EQ(colours.size(), kLedCount);
    for (unsigned i = 0; i < kLedCount; ++i) {
      // LED 3 keeps the brightness its per-key entry gave it.
      ASSERT_EQ(colours[i], (LightColor{11, 22, 33, static_cast<uint8_t>(i == 3 ? 135 : 255)})) << i;
    }
  }
  engine.SetCustomGroup(2);
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(Reloaded()->GetCustomLightGroup(), 2);

  // Without a group on the panel nothing is stored.
  panelGroup = -1;
  engine.FillCustomColours(false);
  EXPECT_EQ(Reloaded()->GetCustomLightColors(1, 1)[0], (LightColor{11, 22, 33, 255}));
}

}  // namespace
}  // namespace tarn::keyboard
