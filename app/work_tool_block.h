#pragma once
// The answer to tool message 18: the kinds of device this program serves,
// as a 1024-byte block of 32-bit little-endian values for the "WorkTool"
// peer: 2, 3, 0, 2, then the row count, then per row VendorId, ProductId
// and DeviceType; the rest zero.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarn {

constexpr size_t kWorkToolBlockSize = 1024;
constexpr int64_t kWorkToolDataId = 5;  // the block's dwData
constexpr const char* kWorkToolPeer = "WorkTool";
constexpr const char* kCopyDataMessageName = "WM_COPYDATA";

struct DeviceKindRow {
  uint32_t vendorId;
  uint32_t productId;
  uint32_t deviceType;
};

// The rows of the device-page table.
std::vector<DeviceKindRow> DevicePageKinds();
// Rows that do not fit in the block are left out.
std::vector<uint8_t> BuildWorkToolBlock(const std::vector<DeviceKindRow>& rows);

}  // namespace tarn
