#pragma once
// Turning a captured keystroke into a key function. A keystroke is
// recognised by its scan code and extended-key flag (the form the keyboard
// hook reports); see linux_key_map.h for where these come from on Linux.
#include <cstdint>
#include <optional>

#include "keyset/key_function.h"

namespace tarn {

struct ScanCode {
  uint8_t scan = 0;
  bool extended = false;

  friend constexpr bool operator==(const ScanCode&, const ScanCode&) = default;
};

// The first row among the capturable rows 0-112 of the keyboard key table
// with this scan code and extended flag, or -1.
int FindCaptureRow(ScanCode code);

// The modifier check box of the key panel that modifier row 0-7 selects:
// (row + 1) mod 5 + (row + 1) div 5, so left and right Ctrl give 1, Shift 2,
// Alt 3, Win 4. Other rows give -1.
int ModifierCheckOfRow(int row);

// The modifier bit a check box stands for: 1 << (n - 1) for n = 1 to 4, 0 for
// check box 0 or none.
uint8_t ModifierBitOfCheck(int check);

// What one captured keystroke does to the key panel.
struct KeyCapture {
  int row = -1;             // keyboard key table row
  bool modifier = false;    // rows 0-7: a modifier check box, the key text cleared
  int modifierCheck = 0;    // the check box selected afterwards (0-4)
  const char* keyText = ""; // name id for the panel's key text, "" when cleared
  KeyFunction function;     // the code applied at once
};

// Capture of one key event (press or release). `currentCheck` is the check
// box already chosen, -1 when none. A keystroke that matches no row, or a
// row that is not a keyboard key, gives nothing. A captured right-hand
// modifier is stored as the left-hand one.
std::optional<KeyCapture> CaptureKeystroke(ScanCode code, int currentCheck);

}  // namespace tarn
