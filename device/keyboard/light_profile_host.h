#pragma once
// The lighting engine's view of the keyboard's profile document: the custom
// colours and group live in the profile and are saved at once; the light
// panel and the custom light table are reached through callbacks the device
// supplies.
#include <functional>
#include <vector>

#include "device/keyboard/light_engine.h"
#include "device/keyboard/light_engine_host.h"
#include "profile/keyboard_profile.h"

namespace tarn::keyboard {

class CProfileLightHost : public ILightEngineHost {
 public:
  struct Callbacks {
    // The custom group selected on the light panel, -1 for none.
    std::function<int()> panelGroup;
    // Makes the light panel show a custom group.
    std::function<void(unsigned group)> showGroup;
    // Builds the custom light table from the LED entries and sends it.
    std::function<void(const light::LedSnapshot& leds, bool scaled)> sendTable;
  };

  CProfileLightHost(CKeyboardProfiledata& profile, Callbacks callbacks);

  std::vector<LightColor> GetCustomColours(unsigned group, unsigned count) override;
  void StoreCustomColours(unsigned group, const std::vector<LightColor>& colours) override;
  unsigned GetProfileCustomGroup() override;
  void StoreCustomGroup(unsigned group) override;
  void ShowCustomGroup(unsigned group) override;
  int PanelCustomGroup() override;
  void SendCustomTable(const light::LedSnapshot& leds, bool scaled) override;

 private:
  CKeyboardProfiledata& m_profile;
  Callbacks m_callbacks;
};

// The lighting part of ApplyProfile: the profile's light state, sound light
// state, per-key list and user effects go into the engine.
void ApplyProfileLighting(CKeyboardLightEngine& engine, CKeyboardProfiledata& profile);

}  // namespace tarn::keyboard
