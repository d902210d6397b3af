#pragma once
// What a refresh of the lights produces: the device frame (command 0x12),
// the custom light table (command 0x0B) and the paint of an on-screen light
// button. Pure functions over a snapshot of the LED entries.
#include <array>
#include <cstdint>
#include <vector>

#include "device/keyboard/keyboard_memory.h"
#include "device/keyboard/led_tables.h"
#include "device/light/led_colours.h"

namespace tarn::keyboard {

// LED slot of each on-screen LED index; 255 = the keyboard has no slot.
using KeyLedMap = std::array<uint8_t, kLedCount>;
inline constexpr uint8_t kNoSlot = 255;

// KeyCount x 3 bytes: for every LED i with slot s, its colour scaled by its
// brightness ((c x A) >> 8) at bytes 3s to 3s+2; the rest 0. A key count
// above 170 is cut to 170; slots beyond the key count are left out.
std::vector<uint8_t> BuildLightFrame(const light::LedSnapshot& leds, const KeyLedMap& keyLed, unsigned keyCount);

// The custom light table: as the frame, with the colours unscaled when
// scaled is false.
std::vector<uint8_t> BuildCustomLightTable(const light::LedSnapshot& leds, const KeyLedMap& keyLed,
                                           unsigned keyCount, bool scaled);

// How an on-screen light button is painted. The light button's colour format
// is red + blue x 256 + green x 65536.
struct LightButtonPaint {
  uint32_t colour = 0;
  uint8_t brightness = 0;
  bool operator==(const LightButtonPaint&) const = default;
};

// The tint a visible light button shows on the lighting page; it never
// reaches the keyboard.
inline constexpr uint8_t kButtonTintRed = 253;
inline constexpr uint8_t kButtonTintGreen = 221;
inline constexpr uint8_t kButtonTintBlue = 249;

// A visible button on the lighting page shows the tint at the LED's
// brightness; any other button is dark.
LightButtonPaint PaintLightButton(LightColor entry, bool visibleOnLightingPage);

// How often the device's selector entry refreshes the lights: every 5 ms on
// a cable, every 500 ms through the receiver (the screen still animates).
inline constexpr int LightRefreshIntervalMs(bool receiverLink) { return receiverLink ? 500 : 5; }

// Whether a refresh sends the frame to the keyboard: only on a cable and only
// in the host-driven modes 29 and 30.
bool SendsLightFrame(uint8_t mode, bool receiverLink);

}  // namespace tarn::keyboard
