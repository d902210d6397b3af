#include "device/light/base_light_steps.h"

#include "device/light/light_steps.h"
#include "device/light/light_tables.h"

namespace tarn::light {

namespace {
void Fill(CLedColours& leds, unsigned count, Rgb c, uint8_t a) {
  if (count > CLedColours::Count()) count = CLedColours::Count();
  for (unsigned i = 0; i < count; ++i) leds.Set(i, LightColor{c.r, c.g, c.b, a});
}
Rgb OwnColour(const LightState& s) { return {s.red, s.green, s.blue}; }
}  // namespace

void StepColourCycle(CLedColours& leds, unsigned count, const LightState& state, uint8_t& phase) {
  phase = StepPhase(state.fx, 192, phase, 1);
  Fill(leds, count, kColourWheel[phase], BrightnessOf(state.light));
}

void StepStaticColour(CLedColours& leds, unsigned count, const LightState& state) {
  Fill(leds, count, OwnColour(state), BrightnessOf(state.light));
}

void StepBlink(CLedColours& leds, unsigned count, const LightState& state, uint8_t& phase, uint8_t& blinkOn,
               uint32_t& lastToggle, uint32_t now, bool fourColours) {
  if (now - lastToggle >= BlinkPeriodOf(state.speed) * kBlinkUnitMs) {
    blinkOn = blinkOn != 0 ? 0 : 1;
    lastToggle = now;
    if (fourColours) {
      phase = phase >= 3 ? 0 : static_cast<uint8_t>(phase + 1);
    } else {
      phase = static_cast<uint8_t>(phase + 16);
      if (phase >= 192) phase = 0;
    }
  }
  if (blinkOn == 0) {
    StepLightsOff(leds, count);
    return;
  }
  const Rgb colour = fourColours ? kFourColours[phase & 3] : state.multiColor != 0 ? kColourWheel[phase] : OwnColour(state);
  Fill(leds, count, colour, BrightnessOf(state.light));
}

void StepFourColourBreathing(CLedColours& leds, unsigned count, const LightState& state, uint8_t& phase,
                             uint8_t& colour) {
  phase = StepPhase(state.fx, 128, phase, 1);
  if (phase == 0) colour = colour >= 3 ? 0 : static_cast<uint8_t>(colour + 1);
  Fill(leds, count, kFourColours[colour & 3], Scale8(BrightnessOf(state.light), kBreath[phase]));
}

void StepLightsOff(CLedColours& leds, unsigned count) { Fill(leds, count, {0, 0, 0}, 0); }

}  // namespace tarn::light
