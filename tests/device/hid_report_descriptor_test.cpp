#include "device/hid_report_descriptor.h"

#include <gtest/gtest.h>

#include "emulator/keyboard_report_descriptor.h"

namespace tarn {
namespace {

TEST(HidReportDescriptor, KeyboardInterfaceHasFourCollectionsWithTheirReports) {
  const auto& bytes = emu::KeyboardInterfaceDescriptor();
  HidReportDescriptor d;
  ASSERT_TRUE(ParseHidReportDescriptor(bytes.data(), bytes.size(), d));
  ASSERT_EQ(d.collections.size(), 4u);
  EXPECT_TRUE(d.usesReportIds);
  struct Expect {
    uint16_t page, usage, input, output;
  } expected[] = {{0x01, 0x80, 2, 0}, {0x01, 0x06, 16, 0}, {0x0C, 0x01, 3, 0}, {0xFF1C, 0x92, 64, 64}};
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(d.collections[i].usagePage, expected[i].page);
    EXPECT_EQ(d.collections[i].usage, expected[i].usage);
    EXPECT_EQ(d.ReportByteLength(i, HidReportKind::Input), expected[i].input);
    EXPECT_EQ(d.ReportByteLength(i, HidReportKind::Output), expected[i].output);
    EXPECT_EQ(d.ReportByteLength(i, HidReportKind::Feature), 0);
  }
  const HidReportField& notify = d.collections[2].fields.at(0);
  EXPECT_TRUE(notify.isArray);
  EXPECT_EQ(notify.logicalMax, 0xFFFF);
  EXPECT_EQ(notify.usageMin, 0);
  EXPECT_EQ(notify.usageMax, 0xFFFF);
}

TEST(HidReportDescriptor, MalformedDescriptorsAreRefused) {
  const std::vector<std::vector<uint8_t>> bad = {
      {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01},        // collection never ends
      {0xC0},                                      // end without a collection
      {0x06, 0x1C},                                // item cut short
      {0xA1, 0x01, 0x85, 0x00, 0xC0},              // report id 0
      {0xA1, 0x01, 0x75, 0x40, 0x95, 0x01, 0x81, 0x02, 0xC0},  // 64-bit field
      {0xB4},                                      // pop without push
  };
  for (const auto& bytes : bad) {
    HidReportDescriptor d;
    EXPECT_FALSE(ParseHidReportDescriptor(bytes.data(), bytes.size(), d)) << bytes.size();
  }
}

TEST(HidReportDescriptor, BitsAreTakenLittleEndianAcrossBytes) {
  const uint8_t data[] = {0xB4, 0x5A, 0x0F};
  uint32_t v = 0;
  ASSERT_TRUE(ExtractHidBits(data, sizeof data, 0, 16, v));
  EXPECT_EQ(v, 0x5AB4u);
  ASSERT_TRUE(ExtractHidBits(data, sizeof data, 4, 12, v));
  EXPECT_EQ(v, 0x5ABu);
  ASSERT_TRUE(ExtractHidBits(data, sizeof data, 20, 4, v));
  EXPECT_EQ(v, 0x0u);
  EXPECT_FALSE(ExtractHidBits(data, sizeof data, 20, 5, v));  // past the end
}

}  // namespace
}  // namespace tarn
