// The keyboard firmware model driven with hand-built frames. The frames and
// their checksums are made here, independently of the model, so a fault in
// the model's framing cannot hide behind a matching fault in the test.
#include "emulator/keyboard_firmware.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "emulator/keyboard_firmware_layout.h"

namespace tarn::emu {
namespace {

using Bytes = std::vector<uint8_t>;

// Builds a 64-byte request: id 0x04, checksum over bytes 3..63, command,
// length, offset, status 0, payload.
Bytes Frame(uint8_t command, uint8_t length = 0, uint16_t offset = 0, const Bytes& payload = {}) {
  Bytes frame(64, 0);
  frame[0] = 0x04;
  frame[3] = command;
  frame[4] = length;
  frame[5] = static_cast<uint8_t>(offset & 0xFF);
  frame[6] = static_cast<uint8_t>(offset >> 8);
  for (size_t i = 0; i < payload.size() && 8 + i < 64; ++i) frame[8 + i] = payload[i];
  unsigned sum = 0;
  for (size_t i = 3; i < 64; ++i) sum += frame[i];
  frame[1] = static_cast<uint8_t>(sum & 0xFF);
  frame[2] = static_cast<uint8_t>((sum >> 8) & 0xFF);
  return frame;
}

bool ChecksumOk(const Bytes& frame) {
  unsigned sum = 0;
  for (size_t i = 3; i < frame.size(); ++i) sum += frame[i];
  return frame[1] == (sum & 0xFF) && frame[2] == ((sum >> 8) & 0xFF);
}

// Sends one frame and returns the single reply (empty when silent).
Bytes Send(CKeyboardFirmware& fw, const Bytes& frame) {
  auto replies = fw.HandleOutputReport(frame.data(), frame.size());
  if (replies.empty()) return {};
  EXPECT_EQ(replies.size(), 1u);
  const Bytes& reply = replies.front();
  EXPECT_EQ(reply.size(), 64u);
  if (reply.size() != 64) return {};
  EXPECT_EQ(reply[0], 0x04);
  EXPECT_TRUE(ChecksumOk(reply));
  return reply;
}

Bytes Payload(const Bytes& reply) { return Bytes(reply.begin() + 8, reply.begin() + 8 + reply[4]); }

// Reads `total` bytes of an area from `start` in chunks, as a host does.
Bytes ReadChunked(CKeyboardFirmware& fw, uint8_t command, size_t total, size_t chunk, uint16_t start = 0) {
  Bytes all;
  for (size_t done = 0; done < total;) {
    const auto length = static_cast<uint8_t>(std::min(chunk, total - done));
    const auto offset = static_cast<uint16_t>(start + done);
    Bytes reply = Send(fw, Frame(command, length, offset));
    EXPECT_EQ(reply.size(), 64u);
    if (reply.size() != 64) return all;
    EXPECT_EQ(reply[3], command);
    EXPECT_EQ(reply[4], length);
    EXPECT_EQ(reply[5] | (reply[6] << 8), offset);
    EXPECT_EQ(reply[7], kStatusDone);
    Bytes part = Payload(reply);
    all.insert(all.end(), part.begin(), part.end());
    done += length;
  }
  return all;
}

// Writes a block in chunks; returns the status of every packet.
std::vector<uint8_t> WriteChunked(CKeyboardFirmware& fw, uint8_t command, const Bytes& data, size_t chunk,
                                  uint16_t start = 0) {
  std::vector<uint8_t> statuses;
  for (size_t done = 0; done < data.size();) {
    const size_t length = std::min(chunk, data.size() - done);
    Bytes part(data.begin() + static_cast<std::ptrdiff_t>(done), data.begin() + static_cast<std::ptrdiff_t>(done + length));
    Bytes reply = Send(fw, Frame(command, static_cast<uint8_t>(length), static_cast<uint16_t>(start + done), part));
    statuses.push_back(reply.size() == 64 ? reply[7] : 0);
    done += length;
  }
  return statuses;
}

Bytes Span(std::span<const uint8_t> s) { return Bytes(s.begin(), s.end()); }

// --- framing -----------------------------------------------------------------

TEST(KeyboardFirmwareFrame, BeginRequestHasChecksumOneAndIsAnsweredInKind) {
  const Bytes begin = Frame(0x01);
  EXPECT_EQ(begin[1], 0x01);
  EXPECT_EQ(begin[2], 0x00);
  CKeyboardFirmware fw(KeyboardLink::Cable);
  Bytes expected(64, 0);
  expected[0] = 0x04;
  expected[1] = 0x02;  // 0x01 command + 0x01 status
  expected[3] = 0x01;
  expected[7] = kStatusDone;
  EXPECT_EQ(Send(fw, begin), expected);
}

struct ReplyCase {
  const char* name;
  uint8_t command;
  uint8_t length;
  uint16_t offset;
  uint8_t status;
  Bytes payload;  // expected payload (reply byte 8 onward, for `length` bytes)
};

TEST(KeyboardFirmwareFrame, EachCommandAnswersWithItsLayout) {
  const std::vector<ReplyCase> cases = {
      {"begin", 0x01, 0, 0, kStatusDone, {}},
      {"end without begin", 0x02, 0, 0, kStatusDone, {}},
      {"host light", 0x1C, 0, 0, kStatusDone, {}},
      {"info, key count and macro units", 0x03, 3, 5, kStatusDone, {126, 32, 8}},
      {"active block byte", 0x05, 1, 0, kStatusDone, {0x00}},
      {"block 2 light mode to colour", 0x05, 8, 2 * 29 + 1, kStatusDone, {0x04, 0x04, 0x02, 0x00, 0x01, 0xFF, 0xFF, 0xFF}},
      {"key table: position 0 is Esc, 1 the grave key", 0x07, 6, 0, kStatusDone, {0x20, 0x00, 0x29, 0x20, 0x00, 0x35}},
      {"led map: first cells of column 0", 0x1B, 3, 0, kStatusDone, {0, 38, 39}},
      {"power on cable", 0x1A, 6, 0, kStatusDone, {100, 0, 0, 0, 0, 0}},
      {"link query", 0xAA, 1, 0, kStatusDone, {0xFF}},
      {"mouse recoil is not a keyboard command", 0x17, 4, 0, kStatusRefused, {0, 0, 0, 0}},
      {"unknown command", 0x04, 0, 0, kStatusRefused, {}},
      {"payload longer than a frame holds", 0x03, 57, 0, kStatusRefused, Bytes(56, 0)},
      {"info read past 34 bytes", 0x03, 24, 24, kStatusRefused, Bytes(24, 0)},
      {"power read past 6 bytes", 0x1A, 7, 0, kStatusRefused, Bytes(7, 0)},
      {"settings past the last block", 0x05, 1, 16 * 29, kStatusRefused, {0}},
      {"key table past key count * 3", 0x07, 2, 126 * 3 - 1, kStatusRefused, {0, 0}},
      {"led map past key count", 0x1B, 1, 126, kStatusRefused, {0}},
  };
  for (const ReplyCase& c : cases) {
    SCOPED_TRACE(c.name);
    CKeyboardFirmware fw(KeyboardLink::Cable);
    const Bytes reply = Send(fw, Frame(c.command, c.length, c.offset));
    ASSERT_EQ(reply.size(), 64u);
    EXPECT_EQ(reply[3], c.command);
    EXPECT_EQ(reply[4], c.length);
    EXPECT_EQ(reply[5] | (reply[6] << 8), c.offset);
    EXPECT_EQ(reply[7], c.status);
    const size_t shown = std::min<size_t>(c.length, 56);
    EXPECT_EQ(Bytes(reply.begin() + 8, reply.begin() + 8 + static_cast<std::ptrdiff_t>(shown)), c.payload);
    for (size_t i = 8 + shown; i < 64; ++i) EXPECT_EQ(reply[i], 0) << "byte " << i;
  }
}

TEST(KeyboardFirmwareFrame, MalformedReportsAreIgnoredSilently) {
  struct Case {
    const char* name;
    Bytes report;
  };
  Bytes badSum = Frame(0x06, 1, 0, {0x07});
  badSum[1] ^= 0x01;
  Bytes checksumOfOtherBytes = Frame(0x06, 1, 0, {0x07});
  checksumOfOtherBytes[2] = static_cast<uint8_t>(checksumOfOtherBytes[2] + 1);  // high byte wrong
  Bytes wrongId = Frame(0x06, 1, 0, {0x07});
  wrongId[0] = 0x03;
  Bytes shortReport = Frame(0x06, 1, 0, {0x07});
  shortReport.resize(63);
  Bytes longReport = Frame(0x06, 1, 0, {0x07});
  longReport.push_back(0);
  const std::vector<Case> cases = {
      {"low checksum byte", badSum},     {"high checksum byte", checksumOfOtherBytes},
      {"report id", wrongId},            {"63 bytes", shortReport},
      {"65 bytes", longReport},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CKeyboardFirmware fw(KeyboardLink::Cable);
    ASSERT_FALSE(Send(fw, Frame(0x01)).empty());
    EXPECT_TRUE(fw.HandleOutputReport(c.report.data(), c.report.size()).empty());
    EXPECT_EQ(fw.PendingWriteCount(), 0u);
    ASSERT_FALSE(Send(fw, Frame(0x02)).empty());
    EXPECT_EQ(fw.ActiveBlock(), 0);
    ASSERT_FALSE(fw.CommandLog().empty());
    EXPECT_FALSE(fw.CommandLog()[1].answered);
    EXPECT_EQ(fw.CommandCount(0x06), 0u);
  }
  CKeyboardFirmware fw(KeyboardLink::Cable);
  EXPECT_TRUE(fw.HandleOutputReport(nullptr, 64).empty());
}

TEST(KeyboardFirmwareFrame, LogTellsWhetherBytesPastThePayloadWereZero) {
  CKeyboardFirmware fw(KeyboardLink::Cable);
  Send(fw, Frame(0x0B, 3, 0, {1, 2, 3}));
  EXPECT_TRUE(fw.CommandLog().back().paddingClean);
  Send(fw, Frame(0x0B, 2, 0, {4, 5, 9}));  // third byte lies past the payload
  EXPECT_FALSE(fw.CommandLog().back().paddingClean);
  EXPECT_EQ(Bytes(fw.CustomLightGroup(0).begin(), fw.CustomLightGroup(0).begin() + 3), (Bytes{4, 5, 3}))
      << "only the payload is written";
  Send(fw, Frame(0x1C, 0, 0, Bytes(55, 0)));
  Bytes last = Frame(0x1C);
  last[63] = 1;
  last[1] = static_cast<uint8_t>(last[1] + 1);
  Send(fw, last);
  EXPECT_FALSE(fw.CommandLog().back().paddingClean);
}

TEST(KeyboardFirmwareFrame, NotificationReportCarriesTheValueLittleEndian) {
  CKeyboardFirmware fw(KeyboardLink::Receiver);
  for (uint16_t value : {uint16_t{0x0401}, uint16_t{0x0402}, uint16_t{0x1003}, uint16_t{0x1123}})
    EXPECT_EQ(fw.MakeNotificationReport(value), (Bytes{0x03, static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>(value >> 8)}));
}

// --- transactions --------------------------------------------------------------

struct AreaCase {
  const char* name;
  uint8_t write;
  uint8_t read;  // 0: no read command, check memory directly
  uint16_t offset;
};

std::span<const uint8_t> AreaOf(const CKeyboardFirmware& fw, uint8_t write) {
  switch (write) {
    case 0x06: return fw.SettingsMemory();
    case 0x09: return fw.KeyTable();
    default: return fw.MacroMemory();
  }
}

TEST(KeyboardFirmwareTransaction, WritesTakeEffectOnlyWhenTheTransactionEnds) {
  const std::vector<AreaCase> cases = {
      {"settings block 1", 0x06, 0x05, 29},
      {"key table position 10", 0x09, 0x07, 30},
      {"macro memory", 0x15, 0, 100},
  };
  const Bytes data = {0xA1, 0xB2, 0xC3, 0xD4, 0xE5};
  for (const AreaCase& c : cases) {
    SCOPED_TRACE(c.name);
    CKeyboardFirmware fw(KeyboardLink::Cable);
    const Bytes before = Span(AreaOf(fw, c.write));

    Bytes reply = Send(fw, Frame(c.write, 5, c.offset, data));
    EXPECT_EQ(reply[7], kStatusNoTransaction) << "outside a transaction";
    EXPECT_EQ(Span(AreaOf(fw, c.write)), before);

    Send(fw, Frame(0x01));
    reply = Send(fw, Frame(c.write, 5, c.offset, data));
    EXPECT_EQ(reply[7], kStatusDone);
    EXPECT_EQ(Span(AreaOf(fw, c.write)), before) << "pending until 0x02";
    if (c.read != 0) {
      EXPECT_EQ(Payload(Send(fw, Frame(c.read, 5, c.offset))), Bytes(before.begin() + c.offset, before.begin() + c.offset + 5));
    }
    Send(fw, Frame(0x01));  // a repeated begin keeps what is pending
    EXPECT_EQ(fw.PendingWriteCount(), 1u);
    Send(fw, Frame(0x02));

    Bytes after = before;
    std::copy(data.begin(), data.end(), after.begin() + c.offset);
    EXPECT_EQ(Span(AreaOf(fw, c.write)), after);
    if (c.read != 0) {
      EXPECT_EQ(Payload(Send(fw, Frame(c.read, 5, c.offset))), data);
    }
    EXPECT_EQ(fw.TransactionCount(), 1u);
    EXPECT_FALSE(fw.IsTransactionOpen());
  }
}

TEST(KeyboardFirmwareTransaction, PendingWritesApplyInOrderAndRefusedOnesAreDropped) {
  CKeyboardFirmware fw(KeyboardLink::Cable);
  Send(fw, Frame(0x01));
  EXPECT_EQ(Send(fw, Frame(0x06, 2, 0, {3, 0x10}))[7], kStatusDone);
  EXPECT_EQ(Send(fw, Frame(0x06, 1, 1, {0x11}))[7], kStatusDone);         // overwrites the byte above
  EXPECT_EQ(Send(fw, Frame(0x06, 2, 16 * 29 - 1, {1, 2}))[7], kStatusRefused);  // runs off the end
  EXPECT_EQ(Send(fw, Frame(0x09, 3, 126 * 3, {1, 2, 3}))[7], kStatusRefused);   // past key count * 3
  EXPECT_EQ(fw.PendingWriteCount(), 2u);
  Send(fw, Frame(0x02));
  EXPECT_EQ(fw.ActiveBlock(), 3);
  EXPECT_EQ(fw.SettingsMemory()[1], 0x11);
  EXPECT_EQ(fw.SettingsMemory().back(), 0x33);
}

TEST(KeyboardFirmwareTransaction, SettingsBlockWrittenInReceiverChunksArrivesWhole) {
  CKeyboardFirmware fw(KeyboardLink::Receiver);
  Bytes block(29);
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(0x40 + i);
  block[0] = 2;
  Send(fw, Frame(0x01));
  EXPECT_EQ(WriteChunked(fw, 0x06, block, 24, 2 * 29), (std::vector<uint8_t>{kStatusDone, kStatusDone}));
  Send(fw, Frame(0x02));
  EXPECT_EQ(Span(fw.SettingsBlock(2)), block);
  EXPECT_EQ(ReadChunked(fw, 0x05, 29, 24, 2 * 29), block);
  ASSERT_GE(fw.CommandLog().size(), 3u);
  EXPECT_EQ(fw.CommandLog()[1].length, 24);
  EXPECT_EQ(fw.CommandLog()[2].length, 5);
  EXPECT_EQ(fw.CommandLog()[2].offset, 2 * 29 + 24);
  EXPECT_TRUE(fw.CommandLog()[2].inTransaction);
}

// --- chunked reads of the tables ------------------------------------------------

class KeyboardFirmwareChunks : public testing::TestWithParam<size_t> {};

TEST_P(KeyboardFirmwareChunks, TablesReadInChunksMatchMemory) {
  const size_t chunk = GetParam();
  CKeyboardFirmware fw(chunk == 24 ? KeyboardLink::Receiver : KeyboardLink::Cable);
  const Bytes info = ReadChunked(fw, 0x03, 34, chunk);
  ASSERT_EQ(info.size(), 34u);
  EXPECT_EQ(info, Span(fw.InformationBlock()));
  const size_t keys = info[5];
  EXPECT_EQ(ReadChunked(fw, 0x07, keys * 3, chunk), Span(fw.KeyTable()));
  EXPECT_EQ(ReadChunked(fw, 0x1B, keys, chunk), Span(fw.LedMap()));
  EXPECT_EQ(fw.CommandCount(0x07), (keys * 3 + chunk - 1) / chunk);
}

INSTANTIATE_TEST_SUITE_P(CableAndReceiver, KeyboardFirmwareChunks, testing::Values(size_t{56}, size_t{24}));

TEST(KeyboardFirmwareChunks, KeyTableWrittenInChunksReplacesTheTable) {
  CKeyboardFirmware fw(KeyboardLink::Cable);
  Bytes table = Span(fw.KeyTable());
  table[0] = 0x70;  // Esc becomes macro 0
  table[1] = 0x00;
  table[2] = 0x01;
  table[table.size() - 1] = 0x77;
  Send(fw, Frame(0x01));
  const auto statuses = WriteChunked(fw, 0x09, table, 56);
  EXPECT_EQ(statuses.size(), 7u);  // 378 bytes: six of 56 and one of 42
  for (uint8_t s : statuses) EXPECT_EQ(s, kStatusDone);
  EXPECT_NE(Span(fw.KeyTable()), table);
  Send(fw, Frame(0x02));
  EXPECT_EQ(Span(fw.KeyTable()), table);
}

// --- factory layout -------------------------------------------------------------

// The key identity table written out as type.param1.param2 text, row by row,
// so that a slip in either transcription shows as a mismatch.
TEST(KeyboardFirmwareLayout, FactoryKeysFollowTheKeyIdentityTable) {
  const char* const rows[126] = {
      "20.00.29", "20.00.3A", "20.00.3B", "20.00.3C", "20.00.3D", "20.00.3E", "20.00.3F", "20.00.40",  // 0-7
      "20.00.41", "20.00.42", "20.00.43", "20.00.44", "20.00.45", "20.00.46", "20.00.47", "20.00.48",  // 8-15
      "A0.1B.00", "A0.24.00", "20.00.00", "20.00.00", "20.00.00",                                      // 16-20
      "20.00.35", "20.00.1E", "20.00.1F", "20.00.20", "20.00.21", "20.00.22", "20.00.23", "20.00.24",  // 21-28
      "20.00.25", "20.00.26", "20.00.27", "20.00.2D", "20.00.2E", "20.00.2A",                          // 29-34
      "20.00.49", "20.00.4A", "20.00.4B", "20.00.53", "20.00.54", "20.00.55", "20.00.56",              // 35-41
      "20.00.2B", "20.00.14", "20.00.1A", "20.00.08", "20.00.15", "20.00.17", "20.00.1C", "20.00.18",  // 42-49
      "20.00.0C", "20.00.12", "20.00.13", "20.00.2F", "20.00.30", "20.00.31",                          // 50-55
      "20.00.4C", "20.00.4D", "20.00.4E", "20.00.5F", "20.00.60", "20.00.61",                          // 56-61
      "20.00.32", "20.00.39", "20.00.04", "20.00.16", "20.00.07", "20.00.09", "20.00.0A", "20.00.0B",  // 62-69
      "20.00.0D", "20.00.0E", "20.00.0F", "20.00.33", "20.00.34", "20.00.28",                          // 70-75
      "20.00.5C", "20.00.5D", "20.00.5E", "20.00.8A", "20.00.8B", "20.00.90", "20.00.91", "20.00.88",  // 76-83
      "20.02.00", "20.00.1D", "20.00.1B", "20.00.06", "20.00.19", "20.00.05", "20.00.11", "20.00.10",  // 84-91
      "20.00.36", "20.00.37", "20.00.38", "20.20.00",                                                  // 92-95
      "20.00.52", "20.00.59", "20.00.5A", "20.00.5B", "20.00.87", "20.00.89", "20.00.64", "20.00.85",  // 96-103
      "20.00.00",                                                                                      // 104
      "20.01.00", "20.08.00", "20.04.00", "20.00.2C", "20.40.00", "A0.01.00", "20.00.65", "20.10.00",  // 105-112
      "20.00.50", "20.00.51", "20.00.4F", "20.00.62", "20.00.63", "20.00.58", "20.00.57",              // 113-119
      "D0.A2.01", "D0.A2.02", "D0.A2.03", "D0.A2.04", "D0.A2.05", "20.80.00",                          // 120-125
  };
  auto text = [](KeyAssignmentBytes key) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02X.%02X.%02X", key.type, key.param1, key.param2);
    return std::string(buffer);
  };
  for (int row = 0; row < 126; ++row) EXPECT_EQ(text(FactoryAssignmentOfRow(row)), rows[row]) << "row " << row;
  for (int row = 126; row < kIdentityRowCount; ++row) EXPECT_EQ(text(FactoryAssignmentOfRow(row)), "20.00.00") << "row " << row;
}

TEST(KeyboardFirmwareLayout, EveryKeyHasOnePositionAndEveryLitKeyItsOwnLed) {
  CKeyboardFirmware fw(KeyboardLink::Cable);
  const auto table = fw.KeyTable();
  const auto leds = fw.LedMap();
  ASSERT_EQ(table.size(), 126u * 3);
  std::set<int> slots;
  int empties = 0;
  for (int row = 0; row < 126; ++row) {
    const KeyAssignmentBytes key = FactoryAssignmentOfRow(row);
    int first = -1;
    int matches = 0;
    for (int k = 0; k < 126; ++k) {
      if (table[k * 3] == key.type && table[k * 3 + 1] == key.param1 && table[k * 3 + 2] == key.param2) {
        if (first < 0) first = k;
        ++matches;
      }
    }
    ASSERT_GE(first, 0) << "row " << row;
    if (key == KeyAssignmentBytes{0x20, 0x00, 0x00}) {
      ++empties;
      EXPECT_EQ(leds[PositionOfIdentityRow(row)], kNoLed) << "unpopulated cell of row " << row;
      continue;
    }
    EXPECT_EQ(matches, 1) << "row " << row;
    EXPECT_EQ(first, PositionOfIdentityRow(row));
    EXPECT_EQ(IdentityRowAtPosition(first), row);
    ASSERT_NE(leds[first], kNoLed) << "row " << row;
    EXPECT_TRUE(slots.insert(leds[first]).second) << "LED shared by row " << row;
  }
  EXPECT_EQ(empties, 4);
  EXPECT_EQ(slots.size(), 122u);
  EXPECT_EQ(*slots.rbegin(), 121);
  EXPECT_EQ(fw.InformationBlock()[3], 122);
  // The firmware's own order differs from the on-screen order.
  EXPECT_EQ(PositionOfIdentityRow(1), 6);
  EXPECT_EQ(leds[PositionOfIdentityRow(21)], 38);  // second row runs right to left
}

// --- the other memory areas ---------------------------------------------------

TEST(KeyboardFirmwareLights, LightTablesAndFramesNeedNoTransaction) {
  CKeyboardFirmware fw(KeyboardLink::Cable);
  Bytes table(126 * 3);
  for (size_t i = 0; i < table.size(); ++i) table[i] = static_cast<uint8_t>(i * 7);
  for (uint8_t s : WriteChunked(fw, 0x0B, table, 56, 2 * 512)) EXPECT_EQ(s, kStatusDone);
  EXPECT_EQ(Bytes(fw.CustomLightGroup(2).begin(), fw.CustomLightGroup(2).begin() + 378), table);
  EXPECT_EQ(Span(fw.CustomLightGroup(1)), Bytes(512, 0));
  EXPECT_EQ(Send(fw, Frame(0x0B, 3, 7 * 512 + 509, {1, 2, 3}))[7], kStatusDone);  // last bytes of the last group
  EXPECT_EQ(fw.CustomLightGroup(7)[511], 3);
  EXPECT_EQ(Send(fw, Frame(0x0B, 3, 8 * 512, {1, 2, 3}))[7], kStatusRefused);

  for (uint8_t s : WriteChunked(fw, 0x12, table, 56)) EXPECT_EQ(s, kStatusDone);
  EXPECT_EQ(Span(fw.LightFrame()), table);
  EXPECT_EQ(fw.LightFramePacketCount(), 7u);
  EXPECT_EQ(Send(fw, Frame(0x12, 3, 126 * 3, {1, 2, 3}))[7], kStatusRefused);
  EXPECT_EQ(fw.TransactionCount(), 0u);

  EXPECT_FALSE(fw.IsHostDrivingLights());
  Send(fw, Frame(0x1C));
  EXPECT_TRUE(fw.IsHostDrivingLights());
  EXPECT_EQ(fw.HostLightRequestCount(), 1u);
}

TEST(KeyboardFirmwareMemory, PresetKeyCountAndMacroSizeShowInTheInformationBlock) {
  CKeyboardFirmware fw(KeyboardLink::Cable);
  fw.SetKeyCount(171);
  fw.SetMacroMemoryUnits(2);
  EXPECT_EQ(Payload(Send(fw, Frame(0x03, 2, 5))), (Bytes{171, 2}));
  EXPECT_EQ(fw.MacroMemorySize(), 256u);
  // The key table cannot grow past its 512 bytes.
  EXPECT_EQ(Send(fw, Frame(0x07, 8, 504))[7], kStatusDone);
  EXPECT_EQ(Send(fw, Frame(0x07, 1, 512))[7], kStatusRefused);
  Send(fw, Frame(0x01));
  EXPECT_EQ(Send(fw, Frame(0x15, 2, 254, {1, 2}))[7], kStatusDone);
  EXPECT_EQ(Send(fw, Frame(0x15, 2, 255, {1, 2}))[7], kStatusRefused);

  fw.SetKeyCount(104);
  EXPECT_EQ(Send(fw, Frame(0x07, 1, 312))[7], kStatusRefused);
  EXPECT_EQ(fw.KeyTable().size(), 312u);
  EXPECT_EQ(fw.LedMap().size(), 104u);
}

Bytes MacroImage() {
  // Two macros: A down/up with 20 ms between, and one Shift press of 5 ms.
  return {0xAA, 0x55, 16 + 2 * 2 + 4 + 8 + 4 + 4, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
          20, 0, 32, 0,                          // offsets 20 and 32
          2, 0, 0, 0, 0x14, 0x00, 0x81, 0x04, 0x00, 0x00, 0x01, 0x04,
          1, 0, 0, 0, 0x05, 0x00, 0x82, 0xE1};
}

TEST(KeyboardFirmwareMemory, MacroImageDownloadedInChunksDecodes) {
  CKeyboardFirmware fw(KeyboardLink::Receiver);
  const Bytes image = MacroImage();
  Send(fw, Frame(0x01));
  for (uint8_t s : WriteChunked(fw, 0x15, image, 24)) EXPECT_EQ(s, kStatusDone);
  std::vector<FirmwareMacro> macros;
  EXPECT_FALSE(fw.DecodeMacroImage(macros)) << "nothing before 0x02";
  Send(fw, Frame(0x02));
  ASSERT_TRUE(fw.DecodeMacroImage(macros));
  ASSERT_EQ(macros.size(), 2u);
  EXPECT_EQ(macros[0], (FirmwareMacro{{20, 0x81, 0x04}, {0, 0x01, 0x04}}));
  EXPECT_EQ(macros[1], (FirmwareMacro{{5, 0x82, 0xE1}}));
}

TEST(KeyboardFirmwareMemory, DamagedMacroImagesAreRejected) {
  struct Case {
    const char* name;
    size_t index;
    uint8_t value;
  };
  const std::vector<Case> cases = {
      {"magic", 0, 0x55},
      {"total beyond memory", 3, 0x20},
      {"total too small for the offsets", 2, 18},
      {"record offset inside the header", 16, 4},
      {"record offset past the image", 18, 40},
      {"event count past the image", 32, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CKeyboardFirmware fw(KeyboardLink::Cable);
    Bytes image = MacroImage();
    image[c.index] = c.value;
    Send(fw, Frame(0x01));
    WriteChunked(fw, 0x15, image, 56);
    Send(fw, Frame(0x02));
    std::vector<FirmwareMacro> macros(1);
    EXPECT_FALSE(fw.DecodeMacroImage(macros));
    EXPECT_TRUE(macros.empty());
  }
}

TEST(KeyboardFirmwareMemory, BlockChangesMadeOnTheKeyboardGiveTheirNotification) {
  CKeyboardFirmware fw(KeyboardLink::Cable);
  EXPECT_EQ(fw.SelectBlockOnKeyboard(5), 0x1005);
  EXPECT_EQ(Payload(Send(fw, Frame(0x05, 1, 0))), Bytes{5});
  EXPECT_EQ(fw.SelectBlockAndByte17OnKeyboard(3, 2), 0x1123);
  EXPECT_EQ(fw.ActiveBlock(), 3);
  EXPECT_EQ(Payload(Send(fw, Frame(0x05, 1, 3 * 29 + 17))), Bytes{2});
  EXPECT_EQ(fw.SettingsBlock(5)[17], 0);
}

// --- receiver -------------------------------------------------------------------

TEST(KeyboardFirmwareReceiver, SwitchedOffKeyboardIsAnsweredForByTheReceiver) {
  CKeyboardFirmware fw(KeyboardLink::Receiver);
  EXPECT_EQ(Send(fw, Frame(0xAA))[8], kLinkedMark);
  EXPECT_EQ(Send(fw, Frame(0x1A, 6, 0))[0 + 8], 76);
  Send(fw, Frame(0x01));
  Send(fw, Frame(0x06, 1, 0, {4}));
  fw.SetKeyboardOn(false);
  EXPECT_FALSE(fw.IsTransactionOpen());

  for (uint8_t command : {uint8_t{0x03}, uint8_t{0x05}, uint8_t{0x06}, uint8_t{0x02}, uint8_t{0x1A}, uint8_t{0xAA}}) {
    SCOPED_TRACE(static_cast<int>(command));
    const Bytes reply = Send(fw, Frame(command, 1, 0, {9}));
    ASSERT_EQ(reply.size(), 64u);
    EXPECT_EQ(reply[3], 0xAA);
    EXPECT_EQ(reply[8], 0x00);
    EXPECT_EQ(fw.CommandLog().back().replyCommand, 0xAA);
  }
  EXPECT_EQ(fw.ActiveBlock(), 0) << "the write before the switch-off is lost";

  fw.SetKeyboardOn(true);
  EXPECT_EQ(Send(fw, Frame(0xAA))[8], kLinkedMark);
  EXPECT_EQ(Send(fw, Frame(0x03, 1, 5))[8], 126);
}

TEST(KeyboardFirmwareReceiver, CableIgnoresTheSwitch) {
  CKeyboardFirmware fw(KeyboardLink::Cable);
  fw.SetKeyboardOn(false);
  const Bytes reply = Send(fw, Frame(0x03, 1, 5));
  EXPECT_EQ(reply[3], 0x03);
  EXPECT_EQ(reply[8], 126);
  EXPECT_EQ(Send(fw, Frame(0xAA))[8], kLinkedMark);
}

TEST(KeyboardFirmwareReceiver, OneKeyboardOnBothLinksSharesItsMemory) {
  CKeyboardFirmware fw(KeyboardLink::Receiver);
  auto via = [&fw](KeyboardLink link, const Bytes& frame) {
    auto replies = fw.HandleOutputReportVia(link, frame.data(), frame.size());
    return replies.empty() ? Bytes{} : replies.front();
  };
  via(KeyboardLink::Cable, Frame(0x01));
  via(KeyboardLink::Cable, Frame(0x06, 1, 0, {6}));
  via(KeyboardLink::Receiver, Frame(0x02));
  EXPECT_EQ(via(KeyboardLink::Receiver, Frame(0x05, 1, 0))[8], 6);
  fw.SetKeyboardOn(false);
  EXPECT_EQ(via(KeyboardLink::Receiver, Frame(0x05, 1, 0))[3], 0xAA);
  EXPECT_EQ(via(KeyboardLink::Cable, Frame(0x05, 1, 0))[8], 6);
  EXPECT_EQ(fw.CommandLog().back().link, KeyboardLink::Cable);
  EXPECT_EQ(fw.CommandLog()[fw.CommandLog().size() - 2].link, KeyboardLink::Receiver);
}

}  // namespace
}  // namespace tarn::emu
