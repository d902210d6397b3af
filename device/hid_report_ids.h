#pragma once

#include <cstdint>

namespace tarn {

// Report ids on the keyboard's shared interface-1 node. Input reports are
// routed to a collection by this first byte, so the two must differ.

// Vendor command collection (page 0xFF1C, usage 0x92): every command and
// reply frame.
constexpr uint8_t kCommandReportId = 0x04;

// Consumer notification collection (page 0x0C, usage 1): 3 bytes, the id
// followed by the 16-bit little-endian notification code (0x0401, 0x0402,
// 0x10nn, 0x11nn).
constexpr uint8_t kNotificationReportId = 0x03;

// Length of a notification input report including the id byte.
constexpr uint8_t kNotificationReportLength = 3;

}  // namespace tarn
