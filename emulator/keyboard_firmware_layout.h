#pragma once
// Factory layout of the virtual Tarn keyboard: which key sits at which of the
// firmware's key positions, and which LED lights it.
//
// The board is a full-size universal matrix of 6 rows by 21 columns. Its key
// identities are the 126 keys the host knows by on-screen index 0..125
// (grid cell row * 21 + column); four cells are unpopulated and hold the
// empty assignment 20.00.00. The firmware scans the matrix column by column,
// so its key position k is the cell (row k % 6, column k / 6): a host that
// assumed its own order would light and remap the wrong keys. The LED chain
// runs row by row in a serpentine (left to right, then right to left),
// skipping unpopulated cells, whose LED map byte is 0xFF.
#include <array>
#include <cstddef>
#include <cstdint>

namespace tarn::emu {

struct KeyAssignmentBytes {
  uint8_t type = 0;
  uint8_t param1 = 0;
  uint8_t param2 = 0;
  bool operator==(const KeyAssignmentBytes&) const = default;
};

constexpr int kGridRows = 6;
constexpr int kGridColumns = 21;
// Number of on-screen key indexes the host addresses (buttons key_0..key_169).
constexpr int kIdentityRowCount = 170;
// Key positions of the factory board (one per grid cell).
constexpr int kFactoryKeyCount = kGridRows * kGridColumns;
// LED map byte of a position without an LED.
constexpr uint8_t kNoLed = 0xFF;

// Factory assignment of on-screen key index `row` (0..169); rows beyond the
// keyboard's keys hold the empty assignment 20.00.00.
KeyAssignmentBytes FactoryAssignmentOfRow(int row);

// The on-screen key index at firmware key position `position`, -1 when out of
// range.
int IdentityRowAtPosition(int position);

// The firmware key position of the grid cell of on-screen key index `row`
// (0..125), -1 beyond the grid. Unpopulated cells have positions too; they
// hold the empty assignment.
int PositionOfIdentityRow(int row);

// The factory LED map: LED slot per key position, kNoLed for unlit cells.
const std::array<uint8_t, kFactoryKeyCount>& FactoryLedMap();

// Number of LEDs on the factory board.
int FactoryLedCount();

}  // namespace tarn::emu
