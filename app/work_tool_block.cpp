#include "app/work_tool_block.h"

#include "app/pages/device_tables.h"

namespace tarn {
namespace {

void PutValue(std::vector<uint8_t>& block, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) block[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

std::vector<DeviceKindRow> DevicePageKinds() {
  std::vector<DeviceKindRow> rows;
  for (const DevicePageRow& row : DevicePageTable()) rows.push_back({row.vendorId, row.productId, row.deviceType});
  return rows;
}

std::vector<uint8_t> BuildWorkToolBlock(const std::vector<DeviceKindRow>& rows) {
  std::vector<uint8_t> block(kWorkToolBlockSize, 0);
  const uint32_t head[] = {2, 3, 0, 2};
  for (size_t i = 0; i < 4; ++i) PutValue(block, i * 4, head[i]);
  constexpr size_t kFirstRow = 20;
  constexpr size_t kRowSize = 12;
  size_t fit = (kWorkToolBlockSize - kFirstRow) / kRowSize;
  size_t count = rows.size() < fit ? rows.size() : fit;
  PutValue(block, 16, static_cast<uint32_t>(count));
  for (size_t i = 0; i < count; ++i) {
    size_t at = kFirstRow + i * kRowSize;
    PutValue(block, at, rows[i].vendorId);
    PutValue(block, at + 4, rows[i].productId);
    PutValue(block, at + 8, rows[i].deviceType);
  }
  return block;
}

}  // namespace tarn
