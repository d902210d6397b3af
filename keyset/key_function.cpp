#include "keyset/key_function.h"

namespace tarn {

namespace {
uint8_t Nibbles(unsigned delay, unsigned speed) { return static_cast<uint8_t>((delay % 16) * 16 + speed % 16); }
}  // namespace

KeyFunction MakeMouseMove(unsigned delay, unsigned speed, bool right, unsigned count) {
  const unsigned low = count % 128;
  return KeyFunction{kFnMouseMove, Nibbles(delay, speed), static_cast<uint8_t>(right ? low + 128 : low)};
}

KeyFunction MakeWheelMove(unsigned delay, unsigned speed, bool down, unsigned count) {
  const uint8_t param2 = down ? static_cast<uint8_t>(((128 - count % 256) % 256) | 0x80) : static_cast<uint8_t>(count % 128);
  return KeyFunction{kFnWheel, Nibbles(delay, speed), param2};
}

Movement DecodeMovement(KeyFunction f) {
  Movement m;
  if (f.type != kFnMouseMove && f.type != kFnWheel) return m;
  m.delay = f.param1 / 16;
  m.speed = f.param1 % 16;
  m.reverse = (f.param2 & 0x80) != 0;
  if (!m.reverse) {
    m.count = f.param2;
  } else if (f.type == kFnMouseMove) {
    m.count = f.param2 % 128;
  } else {
    m.count = static_cast<uint8_t>(128 - f.param2 % 128);
  }
  return m;
}

}  // namespace tarn
