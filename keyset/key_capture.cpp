#include "keyset/key_capture.h"

#include "keyset/catalogue_tables.h"

namespace tarn {

int FindCaptureRow(ScanCode code) {
  for (int row = 0; row < kCaptureRowCount; ++row) {
    const KeyboardKeyRow& r = kKeyboardKeyTable[row];
    if (r.scanCode == code.scan && r.extended == (code.extended ? 1 : 0)) return row;
  }
  return -1;
}

int ModifierCheckOfRow(int row) {
  if (row < 0 || row >= kModifierRowCount) return -1;
  return (row + 1) % 5 + (row + 1) / 5;
}

uint8_t ModifierBitOfCheck(int check) {
  if (check < 1 || check > 4) return 0;
  return static_cast<uint8_t>(1u << (check - 1));
}

std::optional<KeyCapture> CaptureKeystroke(ScanCode code, int currentCheck) {
  const int row = FindCaptureRow(code);
  if (row < 0) return std::nullopt;
  const KeyboardKeyRow& r = kKeyboardKeyTable[row];
  if (r.function.type != kFnKeyboardKey) return std::nullopt;

  KeyCapture capture;
  capture.row = row;
  if (row < kModifierRowCount) {
    capture.modifier = true;
    capture.modifierCheck = ModifierCheckOfRow(row);
    capture.keyText = "";
    capture.function = KeyFunction{kFnKeyboardKey, ModifierBitOfCheck(capture.modifierCheck), 0};
  } else {
    capture.modifierCheck = (currentCheck >= 0 && currentCheck <= 4) ? currentCheck : 0;
    capture.keyText = r.nameId;
    capture.function = KeyFunction{kFnKeyboardKey, ModifierBitOfCheck(capture.modifierCheck), r.function.param2};
  }
  return capture;
}

}  // namespace tarn
