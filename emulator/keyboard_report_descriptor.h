#pragma once
// The report descriptor of the keyboard's interface 1 (cable and receiver
// alike): four top-level collections in this order, so that the consumer
// collection is number 3 and the vendor command collection number 4.
//   1 system control        (Generic Desktop 0x80), report id 1
//   2 keyboard key bitmap   (Generic Desktop 0x06), report id 2
//   3 notifications         (Consumer 0x01), report id kNotificationReportId:
//                           one 16-bit array value, usages 0..0xFFFF
//   4 commands              (vendor page 0xFF1C, usage 0x92), report id
//                           kCommandReportId: 63 bytes in and out
#include <cstdint>
#include <vector>

namespace tarn::emu {

const std::vector<uint8_t>& KeyboardInterfaceDescriptor();

}  // namespace tarn::emu
