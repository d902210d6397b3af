#pragma once
// Four bit planes over the LED matrix that carry the ripple effects: byte c is
// column c, bit r is row r. Plane A spreads left and upwards, D left and
// downwards, B right and upwards, C right and downwards.
#include <array>
#include <cstdint>

#include "device/keyboard/led_tables.h"

namespace tarn::keyboard {

class CRipplePlanes {
 public:
  using Plane = std::array<uint8_t, kColumns>;

  void Clear();
  // Sets bit row of column in all four planes.
  void SetCell(unsigned column, unsigned row);
  // Bit row of column set in any plane.
  bool CellSet(unsigned column, unsigned row) const;
  // The four planes' bytes of a column ORed together.
  uint8_t ColumnBits(unsigned column) const;
  // When kind is 1: sets the cell of the first matrix position of led.
  void SeedRipple(unsigned led, int kind);
  // Moves every plane one cell along its direction and leaves a trail.
  void SpreadRipple();
  // Horizontal spread: A and C vanish, D moves towards column 0, B towards 22.
  void MergeRipple();

  Plane a{};
  Plane b{};
  Plane c{};
  Plane d{};
};

}  // namespace tarn::keyboard
