#include "device/keyboard/ripple_planes.h"

namespace tarn::keyboard {

void CRipplePlanes::Clear() {
  a.fill(0);
  b.fill(0);
  c.fill(0);
  d.fill(0);
}

void CRipplePlanes::SetCell(unsigned column, unsigned row) {
  if (column >= kColumns || row >= 8) return;
  const uint8_t bit = static_cast<uint8_t>(1u << row);
  a[column] |= bit;
  b[column] |= bit;
  c[column] |= bit;
  d[column] |= bit;
}

bool CRipplePlanes::CellSet(unsigned column, unsigned row) const {
  if (column >= kColumns || row >= 8) return false;
  return (ColumnBits(column) >> row) & 1u;
}

uint8_t CRipplePlanes::ColumnBits(unsigned column) const {
  if (column >= kColumns) return 0;
  return static_cast<uint8_t>(a[column] | b[column] | c[column] | d[column]);
}

void CRipplePlanes::SeedRipple(unsigned led, int kind) {
  if (kind != 1) return;
  const MatrixCell cell = FindInMatrix(led);
  if (cell.Valid()) SetCell(static_cast<unsigned>(cell.column), static_cast<unsigned>(cell.row));
}

void CRipplePlanes::SpreadRipple() {
  // The order matters: each plane reads neighbours it has not yet shifted.
  a[0] = static_cast<uint8_t>(a[0] >> 1);
  for (unsigned col = 0; col < kColumns - 1; ++col) {
    d[col] = static_cast<uint8_t>((d[col] << 1) | d[col + 1]);
    a[col] = static_cast<uint8_t>(a[col] | a[col + 1]);
    a[col + 1] = static_cast<uint8_t>(a[col + 1] >> 1);
  }
  d[kColumns - 1] = static_cast<uint8_t>(d[kColumns - 1] << 1);
  b[kColumns - 1] = static_cast<uint8_t>(b[kColumns - 1] >> 1);
  c[kColumns - 1] = static_cast<uint8_t>(c[kColumns - 1] << 1);
  for (int col = static_cast<int>(kColumns) - 2; col >= 0; --col) {
    b[col + 1] = static_cast<uint8_t>(b[col + 1] | b[col]);
    b[col] = static_cast<uint8_t>(b[col] >> 1);
    c[col + 1] = static_cast<uint8_t>(c[col + 1] | c[col]);
    c[col] = static_cast<uint8_t>(c[col] << 1);
  }
}

void CRipplePlanes::MergeRipple() {
  a.fill(0);
  for (unsigned col = 0; col < kColumns - 1; ++col) d[col] = d[col + 1];
  d[kColumns - 1] = 0;
  for (int col = static_cast<int>(kColumns) - 2; col >= 0; --col) b[col + 1] = b[col];
  b[0] = 0;
  c.fill(0);
}

}  // namespace tarn::keyboard
