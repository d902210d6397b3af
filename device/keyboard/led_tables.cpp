#include "device/keyboard/led_tables.h"

namespace tarn::keyboard {

MatrixCell FindInMatrix(unsigned led) {
  if (led >= kLedCount) return {};
  for (unsigned c = 0; c < kColumns; ++c)
    for (unsigned r = 0; r < kRows; ++r)
      if (kColumnMatrix[c][r] == led) return {static_cast<int>(c), static_cast<int>(r)};
  return {};
}

uint8_t IsInOrder(unsigned led) {
  if (led >= kLedCount) return kNoLed;
  for (uint8_t o : kLedOrder)
    if (o == led) return static_cast<uint8_t>(led);
  return kNoLed;
}

}  // namespace tarn::keyboard
