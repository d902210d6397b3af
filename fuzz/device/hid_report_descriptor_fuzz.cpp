// Report descriptors come from devices (and from other processes serving
// virtual ones): parse them, size their reports and read every field.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "device/hid_report_descriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tarn::HidReportDescriptor descriptor;
  if (!tarn::ParseHidReportDescriptor(data, size, descriptor)) return 0;
  std::vector<uint8_t> report(64, 0xA5);
  for (size_t c = 0; c < descriptor.collections.size(); ++c) {
    for (auto kind : {tarn::HidReportKind::Input, tarn::HidReportKind::Output, tarn::HidReportKind::Feature})
      (void)descriptor.ReportByteLength(c, kind);
    for (const tarn::HidReportField& f : descriptor.collections[c].fields) {
      for (uint32_t i = 0; i < f.reportCount && i < 64; ++i) {
        uint32_t value = 0;
        (void)tarn::ExtractHidBits(report.data(), report.size(), f.bitOffset + i * f.reportSize, f.reportSize, value);
        (void)f.UsageAt(i);
      }
    }
  }
  return 0;
}
