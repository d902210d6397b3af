#include "device/keyboard/led_tables.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace tarn::keyboard {
namespace {

TEST(LedTables, ColumnMatrixHoldsEachLedOnce) {
  std::set<unsigned> seen;
  for (const auto& column : kColumnMatrix)
    for (uint8_t led : column) {
      if (led == kNoLed) continue;
      EXPECT_TRUE(seen.insert(led).second) << int(led);
    }
  EXPECT_EQ(seen.size(), 132u);
  EXPECT_EQ(*seen.rbegin(), 131u);
  const MatrixCell centre = FindInMatrix(51);
  EXPECT_EQ(centre.column, 10);
  EXPECT_EQ(centre.row, 2);
  EXPECT_FALSE(FindInMatrix(150).Valid());
  EXPECT_FALSE(FindInMatrix(170).Valid());
}

TEST(LedTables, PathsArePaddedAsDesigned) {
  EXPECT_EQ(kLedOrder[0], 15);
  EXPECT_EQ(kLedOrder[106], 77);
  EXPECT_EQ(kLedOrder[107], kNoLed);
  EXPECT_EQ(kLedOrder[125], kNoLed);
  EXPECT_EQ(kLedOrder[126], 0);
  EXPECT_EQ(kLedOrder[169], 0);
  EXPECT_EQ(kSnakePath[66], kNoLed);
  EXPECT_EQ(kSnakePath[109], 105);
  EXPECT_EQ(kSnakePath[110], kNoLed);
  EXPECT_EQ(kSnakePath[126], 0);
  EXPECT_EQ(kOrderLeds.size(), 107u);
  EXPECT_EQ(std::set<uint8_t>(kOrderLeds.begin(), kOrderLeds.end()).size(), 107u);
  EXPECT_EQ(IsInOrder(51), 51);
  EXPECT_EQ(IsInOrder(120), kNoLed);  // the left column is not on the path
  EXPECT_EQ(IsInOrder(200), kNoLed);
  for (uint8_t z : kSparkle) EXPECT_LE(z, 110);
  EXPECT_EQ(kStartLevels[0], 72);
  EXPECT_EQ(kStartLevels[137], 32);
  EXPECT_EQ(kStartLevels[138], 0);
  EXPECT_EQ(kStartColumns[20][0], 125);
  EXPECT_EQ(kRingMatrix[0][0], 51);
  EXPECT_EQ(kRingMatrix[11][2], 41);
  EXPECT_EQ(kRingMatrix[10][8], kNoLed);
  for (const auto& ring : kRingMatrix)
    for (uint8_t led : ring) EXPECT_TRUE(led == kNoLed || FindInMatrix(led).Valid()) << int(led);
  EXPECT_EQ(kStartColumns[22][6], 255);
}

TEST(LedTables, StepPeriods) {
  struct Case {
    unsigned row, speed, expected;
  } cases[] = {{1, 0, 10}, {1, 4, 1}, {5, 2, 5}, {16, 0, 3}, {18, 4, 3}, {30, 0, 1}, {30, 1, 0}, {29, 3, 3}, {1, 9, 1}};
  for (const auto& c : cases) EXPECT_EQ(StepPeriodOf(c.row, c.speed), c.expected) << c.row << " " << c.speed;
  for (unsigned row = 0; row < kPeriodRows; ++row)
    for (unsigned col = 5; col < kPeriodColumns; ++col) EXPECT_EQ(kStepPeriods[row][col], 0);
}

TEST(LedTables, RainRowsSweepEveryLedOnce) {
  EXPECT_EQ(kRainRows[0][0], 25);
  EXPECT_EQ(kRainRows[0][3], 51);
  const std::array<uint8_t, 9> last = {51, 21, 22, 23, 24, 48, 49, 50, 120};
  for (unsigned j = 0; j < last.size(); ++j) EXPECT_EQ(kRainRows[51][j], last[j]);
  std::map<unsigned, int> count;
  for (const auto& row : kRainRows) {
    bool centre = false;
    for (uint8_t led : row) {
      if (led == kNoLed) continue;
      ASSERT_TRUE(FindInMatrix(led).Valid()) << int(led);
      centre = centre || led == 51;
      ++count[led];
    }
    EXPECT_TRUE(centre);  // the sweep turns around LED 51
  }
  EXPECT_EQ(count.size(), 132u);  // every LED of the matrix is reached
  for (auto [led, n] : count) {
    if (led == 51) continue;
    EXPECT_EQ(n, led == 50 ? 2 : 1) << led;
  }
  // The sweep goes clockwise: a key above the centre comes before one to its
  // right, which comes before one below it.
  auto rowOf = [](unsigned led) {
    for (unsigned k = 1; k < kRainRowCount; ++k)
      for (uint8_t l : kRainRows[k])
        if (l == led) return k;
    return 0u;
  };
  EXPECT_LT(rowOf(30), rowOf(52));   // above, then right
  EXPECT_LT(rowOf(52), rowOf(92));   // right, then below
  EXPECT_LT(rowOf(92), rowOf(46));   // below, then left
}

TEST(LedTables, ScriptTablesComeFromTheMatrix) {
  EXPECT_EQ(kScriptRows[0], kColumnMatrix[0]);
  EXPECT_EQ(kScriptRows[1], kColumnMatrix[22]);
  EXPECT_EQ(kScriptRows[18], kColumnMatrix[9]);
  EXPECT_EQ(kScriptRows[19], kColumnMatrix[13]);
  EXPECT_EQ(kScriptPairs[0][0], kColumnMatrix[0][3]);
  EXPECT_EQ(kScriptPairs[0][1], kColumnMatrix[20][3]);
  EXPECT_EQ(kScriptPairs[15][0], 72);
  EXPECT_EQ(kScriptPairs[15][1], 72);
}

}  // namespace
}  // namespace tarn::keyboard
