#pragma once
// What the keyboard's lighting engine needs from the device object around
// it: the profile's custom colours and group, the light panel's group, and
// the custom light table command. A missing host leaves those out.
#include <vector>

#include "device/light/led_colours.h"
#include "profile/profile_records.h"

namespace tarn::keyboard {

class ILightEngineHost {
 public:
  virtual ~ILightEngineHost() = default;
  // The profile's custom colours of a group, count entries.
  virtual std::vector<LightColor> GetCustomColours(unsigned group, unsigned count) = 0;
  // Stores colours as the group's list in the profile and saves it.
  virtual void StoreCustomColours(unsigned group, const std::vector<LightColor>& colours) = 0;
  // The custom group stored in the profile.
  virtual unsigned GetProfileCustomGroup() = 0;
  // Stores the group in the profile and saves it.
  virtual void StoreCustomGroup(unsigned group) = 0;
  // Makes the light panel show the group.
  virtual void ShowCustomGroup(unsigned group) = 0;
  // The custom group selected on the light panel, or -1 for none.
  virtual int PanelCustomGroup() = 0;
  // Sends a custom light table built from the LED entries, each colour
  // scaled by the entry's brightness when scaled is set.
  virtual void SendCustomTable(const light::LedSnapshot& leds, bool scaled) = 0;
};

}  // namespace tarn::keyboard
