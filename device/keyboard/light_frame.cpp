#include "device/keyboard/light_frame.h"

#include <algorithm>

namespace tarn::keyboard {

std::vector<uint8_t> BuildCustomLightTable(const light::LedSnapshot& leds, const KeyLedMap& keyLed,
                                           unsigned keyCount, bool scaled) {
  const unsigned count = std::min(keyCount, kMaxKeyCount);
  std::vector<uint8_t> table(static_cast<std::size_t>(count) * 3, 0);
  for (unsigned i = 0; i < kLedCount; ++i) {
    const unsigned s = keyLed[i];
    if (s == kNoSlot || s >= count) continue;
    const LightColor c = leds[i];
    const unsigned a = scaled ? c.alpha : 256u;
    table[3 * s] = static_cast<uint8_t>((c.red * a) >> 8);
    table[3 * s + 1] = static_cast<uint8_t>((c.green * a) >> 8);
    table[3 * s + 2] = static_cast<uint8_t>((c.blue * a) >> 8);
  }
  return table;
}

std::vector<uint8_t> BuildLightFrame(const light::LedSnapshot& leds, const KeyLedMap& keyLed, unsigned keyCount) {
  return BuildCustomLightTable(leds, keyLed, keyCount, true);
}

LightButtonPaint PaintLightButton(LightColor entry, bool visibleOnLightingPage) {
  if (!visibleOnLightingPage) return {};
  const uint32_t colour = kButtonTintRed + kButtonTintBlue * 256u + kButtonTintGreen * 65536u;
  return {colour, entry.alpha};
}

bool SendsLightFrame(uint8_t mode, bool receiverLink) { return !receiverLink && (mode == 29 || mode == 30); }

}  // namespace tarn::keyboard
