#include "device/light/light_steps.h"

namespace tarn::light {

uint8_t StepPhase(uint8_t dir, uint8_t period, uint8_t p, uint8_t n) {
  if (dir != 0) {
    p = static_cast<uint8_t>(p + n);
    if (p >= period) p = 0;
  } else {
    p = static_cast<uint8_t>(p - n);
    if (p >= period) p = static_cast<uint8_t>(period - n);
  }
  return p;
}

uint8_t FadeLevel(uint8_t c, int style) {
  auto down = [c](int by) { return static_cast<uint8_t>(c - by); };
  if (style == 0) {
    if (c & 0x80) return down(40);
    if (c & 0x40) return down(30);
    if (c & 0x20) return down(15);
    if (c > 16) return down(8);
    return c != 0 ? down(1) : c;
  }
  if (style == 29) {
    if (c >= 0x90) return down(45);
    if (c >= 0x80) return down(40);
    if (c >= 0x70) return down(35);
    if (c >= 0x60) return down(30);
    if (c >= 0x50) return down(25);
    if (c >= 0x40) return down(20);
    if (c >= 0x20) return down(10);
    if (c > 16) return down(5);
    return c != 0 ? down(1) : c;
  }
  if (c & 0x80) return down(40);
  if (c & 0x40) return down(30);
  if (c & 0x20) return down(10);
  if (c > 16) return down(8);
  return c != 0 ? down(1) : c;
}

void FadeLed(uint8_t* levels, unsigned count, unsigned led, int style) {
  if (levels != nullptr && led < count) levels[led] = FadeLevel(levels[led], style);
}

}  // namespace tarn::light
