#include "device/device_frame.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/debug_output.h"

namespace tarn {

uint16_t FrameChecksum(const uint8_t* frame) {
  uint32_t sum = 0;
  for (size_t i = 3; i < kFrameLength; ++i) sum += frame[i];
  return static_cast<uint16_t>(sum);
}

void SealFrame(uint8_t* frame) {
  uint16_t sum = FrameChecksum(frame);
  frame[1] = static_cast<uint8_t>(sum);
  frame[2] = static_cast<uint8_t>(sum >> 8);
}

bool FrameChecksumValid(const uint8_t* frame) {
  uint16_t sum = FrameChecksum(frame);
  return frame[1] == static_cast<uint8_t>(sum) && frame[2] == static_cast<uint8_t>(sum >> 8);
}

Frame BuildFrame(uint8_t command, const uint8_t* payload, size_t length, uint16_t offset) {
  Frame frame{};
  length = std::min(length, kFramePayloadLength);
  frame[0] = kCommandReportId;
  frame[3] = command;
  frame[4] = static_cast<uint8_t>(length);
  frame[5] = static_cast<uint8_t>(offset);
  frame[6] = static_cast<uint8_t>(offset >> 8);
  if (payload && length) std::memcpy(frame.data() + kFrameHeaderLength, payload, length);
  SealFrame(frame.data());
  return frame;
}

int ReplyStatusResult(const uint8_t* reply) {
  if (reply[7] == kStatusError) return kResultStatusError;
  if (reply[7] == kStatusBusy) return kResultStatusBusy;
  return kResultOk;
}

std::string FormatFrameLine(const uint8_t* b) {
  char line[160];
  int n = std::snprintf(line, sizeof line,
                        "%02x %02x %02x %02x   %02x %02x %02x %02x   %02x %02x %02x %02x   %02x %02x %02x %02x  "
                        "%02x %02x %02x %02x  %02x %02x %02x %02x  %02x %02x %02x %02x  %02x %02x %02x %02x",
                        b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13],
                        b[14], b[15], b[16], b[17], b[18], b[19], b[20], b[21], b[22], b[23], b[24], b[25], b[26],
                        b[27], b[28], b[29], b[30], b[31]);
  return std::string(line, static_cast<size_t>(n));
}

void DebugDumpFrame(const char* title, const uint8_t* frame64) {
  if (!DebugOutputActive()) return;
  DebugOutput(title);
  DebugOutput(FormatFrameLine(frame64));
  DebugOutput(FormatFrameLine(frame64 + 32));
}

}  // namespace tarn
