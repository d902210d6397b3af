#include "keyset/key_function.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(KeyFunction, ProfileIntegerRoundTrip) {
  const KeyFunction functions[] = {{0x00, 0, 0},    {0x10, 0x10, 0},   {0x12, 0x25, 0xFD}, {0x20, 0x81, 0x04},
                                   {0x30, 0x83, 1}, {0x71, 49, 255},   {0xD0, 0xA2, 5},    {0xFF, 0xFF, 0xFF}};
  for (const KeyFunction& f : functions) EXPECT_EQ(KeyFunctionFromCode(KeyFunctionToCode(f)), f);
  EXPECT_EQ(KeyFunctionToCode({0x20, 0x01, 0x06}), 0x200106u);
  EXPECT_EQ(KeyFunctionFromCode(0x7F300106u), (KeyFunction{0x30, 0x01, 0x06}));  // high byte carries nothing
}

TEST(KeyFunction, MovementCoding) {
  struct Case {
    KeyFunction f;
    Movement m;
  };
  const Case cases[] = {
      {MakeWheelMove(2, 5, true, 3), {2, 5, true, 3}},
      {MakeMouseMove(2, 5, true, 3), {2, 5, true, 3}},
      {MakeMouseMove(2, 5, false, 3), {2, 5, false, 3}},
      {MakeWheelMove(2, 5, false, 127), {2, 5, false, 127}},
      {MakeWheelMove(0, 0, true, 0), {0, 0, true, 128}},      // count 0 down is stored 0x80
      {MakeMouseMove(20, 17, false, 130), {4, 1, false, 2}},  // cut to 4, 4 and 7 bits
  };
  for (const Case& c : cases) {
    const Movement m = DecodeMovement(c.f);
    EXPECT_EQ(m.delay, c.m.delay);
    EXPECT_EQ(m.speed, c.m.speed);
    EXPECT_EQ(m.reverse, c.m.reverse);
    EXPECT_EQ(m.count, c.m.count);
  }
  EXPECT_EQ(MakeWheelMove(2, 5, true, 3), (KeyFunction{0x12, 0x25, 0xFD}));
  EXPECT_EQ(MakeMouseMove(2, 5, true, 3), (KeyFunction{0x11, 0x25, 0x83}));
  EXPECT_EQ(MakeWheelMove(0, 0, true, 0), (KeyFunction{0x12, 0x00, 0x80}));
  EXPECT_EQ(DecodeMovement({0x20, 0x25, 0x83}).count, 0);
}

}  // namespace
}  // namespace tarn
