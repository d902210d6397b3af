#include "device/device_frame.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/debug_output.h"

namespace tarn {
namespace {

TEST(DeviceFrame, GoldenFrames) {
  Frame begin = BuildFrame(0x01, nullptr, 0, 0);
  Frame expected{};
  expected[0] = 0x04;
  expected[1] = 0x01;
  expected[2] = 0x00;
  expected[3] = 0x01;
  EXPECT_EQ(begin, expected);

  // 0x06 with 29 bytes of 0xFF at offset 0x0123: 6 + 29 + 0x23 + 0x01 + 29 * 255
  std::vector<uint8_t> payload(29, 0xFF);
  Frame write = BuildFrame(0x06, payload.data(), payload.size(), 0x0123);
  uint16_t sum = 0x06 + 29 + 0x23 + 0x01 + 29 * 255;
  EXPECT_EQ(write[1], sum & 0xFF);
  EXPECT_EQ(write[2], sum >> 8);
  EXPECT_EQ(write[4], 29);
  EXPECT_EQ(write[5], 0x23);
  EXPECT_EQ(write[6], 0x01);
  EXPECT_EQ(write[7], 0);
  EXPECT_EQ(write[8 + 28], 0xFF);
  EXPECT_EQ(write[8 + 29], 0);
  EXPECT_TRUE(FrameChecksumValid(write.data()));

  // A full payload of 0xFF wraps the 16-bit sum: 0x0B + 56 + 56 * 255 = 0x3843.
  std::vector<uint8_t> full(70, 0xFF);
  Frame wrap = BuildFrame(0x0B, full.data(), full.size(), 0);
  EXPECT_EQ(wrap[4], 56);  // clipped to one packet
  EXPECT_EQ(wrap[1] | wrap[2] << 8, (0x0B + 56 + 56 * 255) & 0xFFFF);
  wrap[63] ^= 1;
  EXPECT_FALSE(FrameChecksumValid(wrap.data()));
}

TEST(DeviceFrame, StatusByteGivesTheResult) {
  Frame reply = BuildFrame(0x05, nullptr, 0, 0);
  const std::pair<uint8_t, int> cases[] = {{0x00, 1}, {0x01, 1}, {0xFD, 1}, {0xFE, -103}, {0xFF, -102}};
  for (auto [status, result] : cases) {
    reply[7] = status;
    EXPECT_EQ(ReplyStatusResult(reply.data()), result) << int(status);
  }
}

TEST(DeviceFrame, DumpLinesHaveTheirGrouping) {
  uint8_t bytes[64];
  for (int i = 0; i < 64; ++i) bytes[i] = static_cast<uint8_t>(i * 5);
  EXPECT_EQ(FormatFrameLine(bytes),
            "00 05 0a 0f   14 19 1e 23   28 2d 32 37   3c 41 46 4b  50 55 5a 5f  64 69 6e 73  78 7d 82 87  8c 91 96 9b");
  std::vector<std::string> lines;
  SetDebugSink([&](const std::string& line) { lines.push_back(line); });
  DebugDumpFrame("命令", bytes);
  SetDebugSink(nullptr);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "命令");
  EXPECT_EQ(lines[2].substr(0, 14), "a0 a5 aa af   ");
}

}  // namespace
}  // namespace tarn
