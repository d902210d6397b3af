#include "device/keyboard/ripple_planes.h"

#include <gtest/gtest.h>

namespace tarn::keyboard {
namespace {

TEST(RipplePlanes, SpreadMovesEachPlaneItsWay) {
  // One bit at column 5, row 2 in a single plane at a time.
  struct Case {
    char plane;
    unsigned colA, rowA, colB, rowB;
  } cases[] = {
      {'a', 4, 2, 5, 1},  // left and up
      {'d', 4, 2, 5, 3},  // left and down
      {'b', 6, 2, 5, 1},  // right and up
      {'c', 6, 2, 5, 3},  // right and down
  };
  for (const auto& c : cases) {
    CRipplePlanes p;
    CRipplePlanes::Plane& plane = c.plane == 'a' ? p.a : c.plane == 'b' ? p.b : c.plane == 'c' ? p.c : p.d;
    plane[5] = 1 << 2;
    p.SpreadRipple();
    CRipplePlanes::Plane expected{};
    expected[c.colA] |= static_cast<uint8_t>(1 << c.rowA);
    expected[c.colB] |= static_cast<uint8_t>(1 << c.rowB);
    EXPECT_EQ(plane, expected) << c.plane;
  }
}

TEST(RipplePlanes, SpreadAtTheEdgesDropsBits) {
  CRipplePlanes p;
  p.a[0] = 1;     // row 0 of column 0 moves up and out
  p.b[22] = 1;    // right edge: only moves up and out
  p.SpreadRipple();
  EXPECT_EQ(p.a[0], 0);
  EXPECT_EQ(p.b[22], 0);
}

TEST(RipplePlanes, SeedAndMerge) {
  CRipplePlanes p;
  p.SeedRipple(51, 0);  // only kind 1 seeds
  EXPECT_EQ(p.ColumnBits(10), 0);
  p.SeedRipple(51, 1);
  for (auto* plane : {&p.a, &p.b, &p.c, &p.d}) EXPECT_EQ((*plane)[10], 1 << 2);
  EXPECT_TRUE(p.CellSet(10, 2));
  p.SeedRipple(300, 1);  // not an LED: nothing
  p.MergeRipple();
  EXPECT_EQ(p.a[10], 0);
  EXPECT_EQ(p.c[10], 0);
  EXPECT_EQ(p.d[9], 1 << 2);
  EXPECT_EQ(p.d[10], 0);
  EXPECT_EQ(p.b[11], 1 << 2);
  EXPECT_EQ(p.b[10], 0);
  p.Clear();
  for (unsigned c = 0; c < kColumns; ++c) EXPECT_EQ(p.ColumnBits(c), 0);
}

}  // namespace
}  // namespace tarn::keyboard
