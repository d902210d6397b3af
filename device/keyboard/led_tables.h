#pragma once
// The keyboard's LED geometry and the tables of its software effects. LED
// indices are the on-screen LED indices (the number N of "light_" N); 170
// marks "no LED" and 255 "none" in the start columns.
#include <array>
#include <cstddef>
#include <cstdint>

namespace tarn::keyboard {

inline constexpr unsigned kLedCount = 170;
inline constexpr uint8_t kNoLed = 170;
inline constexpr unsigned kColumns = 23;
inline constexpr unsigned kRows = 6;

// Column matrix M[c][r]: LED of column c, row r.
inline constexpr std::array<std::array<uint8_t, kRows>, kColumns> kColumnMatrix = {{
    {170, 120, 121, 122, 123, 124}, {170, 21, 42, 63, 84, 105}, {0, 22, 43, 64, 102, 106},
    {1, 23, 44, 65, 85, 20},        {2, 24, 45, 66, 86, 107},   {3, 25, 46, 67, 87, 126},
    {4, 26, 47, 68, 88, 127},       {18, 27, 48, 69, 89, 108},  {5, 28, 49, 70, 90, 128},
    {6, 29, 50, 71, 91, 129},       {7, 30, 51, 72, 92, 109},   {8, 31, 52, 73, 93, 125},
    {9, 32, 53, 74, 94, 110},       {10, 33, 54, 62, 100, 111}, {11, 34, 55, 75, 19, 130},
    {12, 101, 103, 79, 95, 112},    {13, 35, 56, 82, 80, 113},  {14, 36, 57, 83, 96, 114},
    {15, 37, 58, 17, 81, 115},      {170, 38, 59, 76, 97, 116}, {170, 39, 60, 77, 98, 104},
    {170, 40, 61, 78, 99, 117},     {170, 41, 16, 119, 118, 131},
}};

// Ring matrix R[k][j]: ring k around LED 51 (ring 0 is LED 51 alone).
inline constexpr unsigned kRingCount = 12;
inline constexpr std::array<std::array<uint8_t, 12>, kRingCount> kRingMatrix = {{
    {51, 170, 170, 170, 170, 170, 170, 170, 170, 170, 170, 170},
    {30, 50, 71, 72, 52, 31, 170, 170, 170, 170, 170, 170},
    {8, 29, 49, 70, 91, 92, 93, 73, 53, 32, 170, 170},
    {7, 28, 48, 69, 90, 109, 94, 74, 54, 33, 9, 62},
    {6, 27, 47, 68, 89, 110, 95, 75, 55, 34, 10, 11},
    {5, 26, 46, 67, 88, 108, 111, 112, 56, 35, 12, 125},
    {4, 25, 45, 66, 87, 113, 96, 57, 36, 13, 170, 170},
    {3, 24, 44, 65, 86, 114, 115, 58, 37, 15, 14, 170},
    {2, 23, 43, 64, 85, 107, 97, 76, 59, 38, 170, 170},
    {1, 22, 42, 63, 84, 106, 116, 98, 77, 60, 39, 102},
    {0, 21, 105, 117, 99, 78, 61, 40, 170, 170, 170, 170},
    {118, 119, 41, 170, 170, 170, 170, 170, 170, 170, 170, 170},
}};

namespace detail {
// The walk part of the LED order O (positions 0-106).
inline constexpr auto kOrderWalk = std::to_array<uint8_t>({
    15, 14, 13, 12, 11, 10, 9,  8,  7,  6,  5,  4,  3,  2,  1,  0,  21, 42, 63, 84, 105, 106, 107, 108, 109, 125, 110,
    111, 112, 113, 114, 115, 116, 117, 118, 119, 41, 40, 39, 38, 37, 36, 35, 34, 33, 32, 31, 30, 29, 28, 27, 26, 25,
    24, 23, 22, 43, 64, 102, 85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99, 78, 61, 60, 59, 58, 57, 56,
    55, 54, 53, 52, 51, 50, 49, 48, 47, 46, 45, 44, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 62, 75, 76, 77});
static_assert(kOrderWalk.size() == 107);
// The walk part of the snake path Q (positions 0-109).
inline constexpr auto kSnakeWalk = std::to_array<uint8_t>({
    0,  1,  2,  3,  4,  5,  6,   7,   8,   9,   10,  11,  12,  13,  14,  15,  17,  18,  19,  20,  41,  40,
    39, 38, 37, 36, 35, 34, 33,  32,  31,  30,  29,  28,  27,  26,  25,  24,  23,  22,  21,  42,  43,  44,
    45, 46, 47, 48, 49, 50, 51,  52,  53,  54,  55,  56,  57,  58,  59,  60,  61,  119, 78,  77,  76,  75,
    170, 74, 73, 72, 71, 70, 69, 68,  67,  66,  65,  64,  63,  84,  170, 85,  86,  87,  88,  89,  90,  91,
    92, 93, 94, 95, 96, 97, 98,  99,  118, 117, 116, 115, 114, 113, 112, 111, 110, 109, 108, 107, 106, 105});
static_assert(kSnakeWalk.size() == 110);

// Positions walkLength..125 hold 170 and 126..169 hold 0, as in the tables
// the effects were designed with.
template <std::size_t N>
constexpr std::array<uint8_t, 170> PadPath(const std::array<uint8_t, N>& walk) {
  std::array<uint8_t, 170> out{};
  for (std::size_t i = 0; i < 170; ++i) out[i] = i < N ? walk[i] : (i < 126 ? 170 : 0);
  return out;
}

inline constexpr auto kStartLevelValues = std::to_array<uint8_t>({
    72,  52,  32,  12,  182, 162, 72,  52,  32,  12,  182, 162, 120, 100, 80,  60,  40,  20,  92,  82,  72,  62,  52,
    42,  160, 140, 120, 100, 80,  60,  80,  70,  60,  50,  20,  10,  90,  30,  0,   160, 130, 100, 50,  30,  10,  180,
    160, 140, 32,  22,  12,  2,   182, 172, 120, 100, 80,  60,  40,  20,  20,  5,   185, 170, 155, 140, 60,  35,  15,
    180, 155, 130, 120, 110, 100, 90,  80,  70,  192, 162, 132, 102, 72,  32,  80,  70,  60,  50,  20,  10,  100, 95,
    90,  85,  80,  75,  90,  80,  70,  60,  50,  40,  140, 110, 80,  50,  20,  180, 70,  55,  40,  25,  10,  190, 120,
    100, 80,  60,  40,  20,  92,  82,  72,  62,  52,  42,  60,  50,  40,  30,  20,  10,  192, 162, 132, 102, 72,  32});
static_assert(kStartLevelValues.size() == 138);
constexpr std::array<uint8_t, 139> BuildStartLevels() {
  std::array<uint8_t, 139> l{};
  for (std::size_t i = 0; i < kStartLevelValues.size(); ++i) l[i] = kStartLevelValues[i];
  return l;  // L[138] = 0
}
}  // namespace detail

// LED order O: the path that the path effects walk.
inline constexpr std::array<uint8_t, kLedCount> kLedOrder = detail::PadPath(detail::kOrderWalk);
// Snake path Q: a serpentine walk over the rows.
inline constexpr std::array<uint8_t, kLedCount> kSnakePath = detail::PadPath(detail::kSnakeWalk);

// The distinct LEDs of O in walk order: what "each LED of O" visits, so that
// the zero padding of O does not step LED 0 many times a pass.
inline constexpr unsigned kOrderLedCount = 107;
inline constexpr std::array<uint8_t, kOrderLedCount> kOrderLeds = detail::kOrderWalk;

// Sparkle list Z: positions in O for the random picks of the sparkle mode.
inline constexpr auto kSparkle = std::to_array<uint8_t>({
    88, 24, 101, 57, 16, 69, 35, 34, 36, 51, 78, 18,  12, 66, 97, 9,  33, 41, 55, 52, 48,  95, 77, 70, 104, 10,
    23, 39, 3,   102, 17, 65, 22, 105, 31, 4, 85, 76, 15, 60, 54, 21, 106, 83, 94, 6,  61,  49, 20, 5,  14,  107,
    68, 98, 71,  27, 81, 1,  0,  87, 46, 75, 37, 73,  32, 79, 8,  29, 72, 56, 44, 99, 13,  47, 42, 93, 108, 91,
    80, 86, 89,  43, 28, 58, 59, 109, 38, 53, 2,  62, 64, 90, 96, 74, 110, 92, 40, 25, 26, 7,  30,  50, 84, 45});
static_assert(kSparkle.size() == 104);

// Start columns G[c][r]: 7 rows per column (255 = none), for the entry
// steps of the twinkle modes.
inline constexpr std::array<std::array<uint8_t, 7>, kColumns> kStartColumns = {{
    {255, 255, 255, 255, 255, 255, 105}, {255, 255, 21, 42, 63, 84, 106}, {255, 0, 22, 43, 64, 85, 107},
    {255, 1, 23, 44, 65, 86, 255},       {255, 2, 24, 45, 66, 87, 255},   {255, 3, 25, 46, 67, 88, 255},
    {255, 4, 26, 47, 68, 89, 108},       {255, 255, 27, 48, 69, 90, 255}, {255, 5, 28, 49, 70, 91, 255},
    {255, 6, 29, 50, 71, 92, 109},       {255, 7, 30, 51, 72, 93, 109},   {255, 8, 31, 52, 73, 94, 110},
    {255, 9, 32, 53, 74, 255, 111},      {255, 10, 33, 54, 75, 255, 255}, {255, 11, 34, 55, 255, 95, 112},
    {255, 12, 34, 55, 255, 95, 112},     {255, 13, 35, 56, 255, 255, 113}, {255, 14, 36, 57, 255, 96, 114},
    {255, 15, 37, 58, 255, 255, 115},    {255, 17, 38, 59, 76, 97, 116},  {125, 18, 39, 60, 77, 98, 116},
    {255, 19, 40, 61, 78, 99, 117},      {255, 20, 41, 255, 119, 118, 255},
}};

// Start levels L: column c, row r starts at L[6c + r].
inline constexpr std::array<uint8_t, 139> kStartLevels = detail::BuildStartLevels();

// Rain rows H[k]: the LED sets the rain mode lights together, one per phase.
// A clockwise sweep around LED 51 (the centre, lit in every set) that starts
// pointing to the top left, passes over the right side and the bottom and
// comes back to the left. Sets 0 and 51 are fixed by the effect's design;
// sets 1-50 hold every other LED of the column matrix, sorted by its
// clockwise angle around LED 51 on the matrix grid (nearer first on a tie)
// and cut into 50 runs of nearly equal length, so each LED falls in exactly
// one set and the sweep moves at an even pace.
inline constexpr unsigned kRainRowCount = 52;
inline constexpr std::array<std::array<uint8_t, 12>, kRainRowCount> kRainRows = {{
    {25, 26, 50, 51, 170, 170, 170, 170, 170, 170, 170, 170},  // 0
    {51, 0, 1, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 1
    {51, 27, 2, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 2
    {51, 3, 28, 4, 170, 170, 170, 170, 170, 170, 170, 170},  // 3
    {51, 18, 29, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 4
    {51, 5, 6, 30, 170, 170, 170, 170, 170, 170, 170, 170},  // 5
    {51, 7, 8, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 6
    {51, 31, 9, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 7
    {51, 10, 32, 11, 170, 170, 170, 170, 170, 170, 170, 170},  // 8
    {51, 12, 33, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 9
    {51, 13, 14, 34, 170, 170, 170, 170, 170, 170, 170, 170},  // 10
    {51, 15, 101, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 11
    {51, 35, 36, 37, 170, 170, 170, 170, 170, 170, 170, 170},  // 12
    {51, 38, 39, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 13
    {51, 40, 41, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 14
    {51, 52, 53, 54, 170, 170, 170, 170, 170, 170, 170, 170},  // 15
    {51, 55, 103, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 16
    {51, 56, 57, 58, 170, 170, 170, 170, 170, 170, 170, 170},  // 17
    {51, 59, 60, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 18
    {51, 61, 16, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 19
    {51, 119, 78, 77, 170, 170, 170, 170, 170, 170, 170, 170},  // 20
    {51, 76, 17, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 21
    {51, 83, 82, 118, 170, 170, 170, 170, 170, 170, 170, 170},  // 22
    {51, 99, 79, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 23
    {51, 98, 97, 75, 170, 170, 170, 170, 170, 170, 170, 170},  // 24
    {51, 81, 131, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 25
    {51, 117, 96, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 26
    {51, 104, 62, 80, 170, 170, 170, 170, 170, 170, 170, 170},  // 27
    {51, 116, 115, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 28
    {51, 95, 114, 74, 170, 170, 170, 170, 170, 170, 170, 170},  // 29
    {51, 19, 113, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 30
    {51, 112, 100, 130, 170, 170, 170, 170, 170, 170, 170, 170},  // 31
    {51, 73, 94, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 32
    {51, 111, 110, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 33
    {51, 93, 125, 72, 170, 170, 170, 170, 170, 170, 170, 170},  // 34
    {51, 92, 109, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 35
    {51, 129, 91, 128, 170, 170, 170, 170, 170, 170, 170, 170},  // 36
    {51, 71, 90, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 37
    {51, 108, 127, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 38
    {51, 89, 126, 70, 170, 170, 170, 170, 170, 170, 170, 170},  // 39
    {51, 88, 107, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 40
    {51, 20, 87, 106, 170, 170, 170, 170, 170, 170, 170, 170},  // 41
    {51, 69, 86, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 42
    {51, 105, 124, 85, 170, 170, 170, 170, 170, 170, 170, 170},  // 43
    {51, 68, 102, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 44
    {51, 84, 67, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 45
    {51, 123, 66, 65, 170, 170, 170, 170, 170, 170, 170, 170},  // 46
    {51, 64, 63, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 47
    {51, 122, 47, 46, 170, 170, 170, 170, 170, 170, 170, 170},  // 48
    {51, 45, 44, 170, 170, 170, 170, 170, 170, 170, 170, 170},  // 49
    {51, 43, 42, 121, 170, 170, 170, 170, 170, 170, 170, 170},  // 50
    {51, 21, 22, 23, 24, 48, 49, 50, 120, 170, 170, 170},  // 51
}};

// Script tables of the scripted show (mode 14), taken from the column
// matrix. Stage 0 sweeps whole columns (six LEDs each) in from both sides:
// row j is column j / 2 from the left for even j and column 22 - j / 2 from
// the right for odd j, so the sweeps stop short of columns 10-12.
// Stage 1 then closes in on LED 72 (column 10, row 3) in pairs along row 3:
// pair k is (M[c][3], M[20 - c][3]) with c = 10k / 15, so pair 15 is LED 72
// alone.
inline constexpr unsigned kScriptRowCount = 20;
inline constexpr unsigned kScriptPairCount = 16;
namespace detail {
constexpr std::array<std::array<uint8_t, 6>, kScriptRowCount> BuildScriptRows() {
  std::array<std::array<uint8_t, 6>, kScriptRowCount> rows{};
  for (unsigned j = 0; j < kScriptRowCount; ++j) {
    const unsigned c = (j % 2 == 0) ? j / 2 : 22 - j / 2;
    rows[j] = kColumnMatrix[c];
  }
  return rows;
}
constexpr std::array<std::array<uint8_t, 2>, kScriptPairCount> BuildScriptPairs() {
  std::array<std::array<uint8_t, 2>, kScriptPairCount> pairs{};
  for (unsigned k = 0; k < kScriptPairCount; ++k) {
    const unsigned c = 10 * k / 15;
    pairs[k] = {kColumnMatrix[c][3], kColumnMatrix[20 - c][3]};
  }
  return pairs;
}
}  // namespace detail
inline constexpr std::array<std::array<uint8_t, 6>, kScriptRowCount> kScriptRows = detail::BuildScriptRows();
inline constexpr std::array<std::array<uint8_t, 2>, kScriptPairCount> kScriptPairs = detail::BuildScriptPairs();

// Step period P[mode][speed]: ticks between two steps of a mode. Only the
// first five columns (speeds 0-4) are used; the rest stay 0.
inline constexpr unsigned kPeriodRows = 31;
inline constexpr unsigned kPeriodColumns = 15;
namespace detail {
constexpr std::array<std::array<uint8_t, kPeriodColumns>, kPeriodRows> BuildStepPeriods() {
  std::array<std::array<uint8_t, kPeriodColumns>, kPeriodRows> p{};
  for (unsigned m = 0; m < kPeriodRows; ++m) {
    const std::array<uint8_t, 5> row = (m == 16 || m == 18) ? std::array<uint8_t, 5>{3, 3, 3, 3, 3}
                                       : (m == 30)          ? std::array<uint8_t, 5>{1, 0, 0, 0, 0}
                                                            : std::array<uint8_t, 5>{10, 8, 5, 3, 1};
    for (unsigned s = 0; s < 5; ++s) p[m][s] = row[s];
  }
  return p;
}
}  // namespace detail
inline constexpr auto kStepPeriods = detail::BuildStepPeriods();
inline uint8_t StepPeriodOf(unsigned row, unsigned speed) {
  return kStepPeriods[row < kPeriodRows ? row : 0][speed < 5 ? speed : 4];
}

// Column and row of an LED in the column matrix (first match).
struct MatrixCell {
  int column = -1;
  int row = -1;
  bool Valid() const { return column >= 0; }
};
MatrixCell FindInMatrix(unsigned led);

// led when it occurs in the LED order O, else 170.
uint8_t IsInOrder(unsigned led);

}  // namespace tarn::keyboard
