#pragma once
// The 64-byte command frame shared by every device, and the small integer
// results of the command channel.
//
//   0      report id (0x04)
//   1..2   checksum: sum of bytes 3..63, 16-bit little-endian
//   3      command id; a reply repeats it
//   4      payload length of this packet
//   5..6   offset of the payload within its block, little-endian
//   7      0 in a request; the device's status in a reply
//   8..63  payload, zero past its length
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "device/hid_report_ids.h"

namespace tarn {

constexpr size_t kFrameLength = 64;
constexpr size_t kFrameHeaderLength = 8;
constexpr size_t kFramePayloadLength = kFrameLength - kFrameHeaderLength;  // 56

constexpr uint8_t kStatusError = 0xFF;
constexpr uint8_t kStatusBusy = 0xFE;
constexpr uint8_t kNoDeviceBehindReceiver = 0xAA;

// Results of exchanges and commands.
constexpr int kResultOk = 1;
constexpr int kResultNoReply = 0;  // also: channel not open
constexpr int kResultWriteFailed = -1;
constexpr int kResultNoDevice = -101;  // the receiver has no keyboard behind it
constexpr int kResultStatusError = -102;
constexpr int kResultStatusBusy = -103;
constexpr int kResultBadPage = -201;

// Per-read and per-write time-outs of the two links.
constexpr uint32_t kCableTimeoutMs = 1000;
constexpr uint32_t kReceiverTimeoutMs = 5000;

// Payload bytes per packet of a block transfer.
constexpr uint8_t kCableChunkSize = 56;
constexpr uint8_t kReceiverChunkSize = 24;

using Frame = std::array<uint8_t, kFrameLength>;

uint16_t FrameChecksum(const uint8_t* frame);
// Stores the checksum of bytes 3..63 at bytes 1..2.
void SealFrame(uint8_t* frame);
bool FrameChecksumValid(const uint8_t* frame);

// A sealed request; payload may be null for a zero-filled one. The length
// is clipped to 56.
Frame BuildFrame(uint8_t command, const uint8_t* payload, size_t length, uint16_t offset);

// 1 unless the reply's status byte reports an error (-102) or busy (-103).
int ReplyStatusResult(const uint8_t* reply);

// One debug line of 32 bytes: groups of four, three spaces after each of the
// first three groups, two after the others.
std::string FormatFrameLine(const uint8_t* bytes32);
// Writes the title line and the 64 bytes as two lines to the debug output.
void DebugDumpFrame(const char* title, const uint8_t* frame64);

}  // namespace tarn
