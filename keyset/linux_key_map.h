#pragma once
// Where a captured key's scan code comes from on Linux. Capture backends
// report the kernel's input key code (evdev KEY_*, which is the X11 key code
// minus 8); the catalogue recognises keys by scan code and extended flag.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "keyset/key_capture.h"

namespace tarn {

// The scan code and extended flag of a Linux key code; nothing for keys the
// catalogue cannot capture (media keys, mouse buttons, ...).
std::optional<ScanCode> ScanCodeOfLinuxKey(uint16_t linuxKey);

// The Linux key code of a scan code (the reverse direction, for playback
// and tests); nothing when no catalogue key has it.
std::optional<uint16_t> LinuxKeyOfScanCode(ScanCode code);

// X11 key codes are the kernel's key codes plus 8.
constexpr uint16_t LinuxKeyOfX11Keycode(unsigned x11Keycode) {
  return x11Keycode >= 8 ? static_cast<uint16_t>(x11Keycode - 8) : 0;
}

// The mapped keys, in catalogue row order (for tests and tools).
size_t LinuxKeyCount();
uint16_t LinuxKeyAt(size_t index);

}  // namespace tarn
