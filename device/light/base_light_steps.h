#pragma once
// The effect steps every device class shares (colour cycle, static colour,
// blink, four-colour breathing, four-colour blink, off), on the first count
// LED entries of a device. The phase variables are the device's own and live
// across steps.
#include <cstdint>

#include "device/light/led_colours.h"
#include "profile/profile_records.h"

namespace tarn::light {

// p = StepPhase(Fx, 192, p, 1); every LED W[p] at S.
void StepColourCycle(CLedColours& leds, unsigned count, const LightState& state, uint8_t& phase);

// Every LED (Red, Green, Blue) at S.
void StepStaticColour(CLedColours& leds, unsigned count, const LightState& state);

// Toggles when now has moved K[Speed] x 200 ms past the last toggle. A toggle
// moves the phase on: by 16 through the wheel (0 at 192 or more), or to the
// next of the four colours. On: colour(p), or F[p] with fourColours, at S;
// off: every LED 0.
void StepBlink(CLedColours& leds, unsigned count, const LightState& state, uint8_t& phase, uint8_t& blinkOn,
               uint32_t& lastToggle, uint32_t now, bool fourColours);

// p = StepPhase(Fx, 128, p, 1); when p becomes 0 the colour index moves on
// (0 after 3); every LED F[colour] at S x B[p] >> 8.
void StepFourColourBreathing(CLedColours& leds, unsigned count, const LightState& state, uint8_t& phase,
                             uint8_t& colour);

// Every LED's colour and brightness 0.
void StepLightsOff(CLedColours& leds, unsigned count);

}  // namespace tarn::light
