#include "emulator/keyboard_firmware.h"

#include <algorithm>

#include "device/hid_report_ids.h"
#include "emulator/keyboard_firmware_layout.h"

namespace tarn::emu {

namespace {

// Command codes the firmware serves.
constexpr uint8_t kCmdBegin = 0x01;
constexpr uint8_t kCmdEnd = 0x02;
constexpr uint8_t kCmdReadInfo = 0x03;
constexpr uint8_t kCmdReadSettings = 0x05;
constexpr uint8_t kCmdWriteSettings = 0x06;
constexpr uint8_t kCmdReadKeyTable = 0x07;
constexpr uint8_t kCmdWriteKeyTable = 0x09;
constexpr uint8_t kCmdWriteLightTable = 0x0B;
constexpr uint8_t kCmdWriteLightFrame = 0x12;
constexpr uint8_t kCmdWriteMacros = 0x15;
constexpr uint8_t kCmdReadPower = 0x1A;
constexpr uint8_t kCmdReadLedMap = 0x1B;
constexpr uint8_t kCmdHostLight = 0x1C;
constexpr uint8_t kCmdQueryLink = 0xAA;

constexpr size_t kHeaderSize = 8;
constexpr uint16_t kMacroMagic = 0x55AA;
constexpr size_t kMacroHeaderSize = 16;

// Information block bytes of our own (the host reads only bytes 5 and 6;
// bytes 9-15 belong to the mouse and stay 0 on a keyboard).
constexpr size_t kInfoCategory = 0;       // 1: keyboard
constexpr size_t kInfoVersionLow = 1;     // firmware version, little-endian
constexpr size_t kInfoVersionHigh = 2;
constexpr size_t kInfoLedCount = 3;
constexpr size_t kInfoBlockCount = 4;     // settings blocks
constexpr size_t kInfoKeyCount = 5;
constexpr size_t kInfoMacroUnits = 6;
constexpr size_t kInfoCustomGroups = 7;
constexpr uint8_t kFactoryMacroUnits = 32;  // 4 KiB of macro memory

// Factory settings block. Bytes the host passes back as it read them (9-15,
// 23-24, 26-28) hold distinct firmware-private values so that a host that
// loses them is caught.
constexpr std::array<uint8_t, kSettingsBlockSize> kFactoryBlock = {
    0x00,              // 0: active block (meaningful in block 0 only)
    0x04,              // 1: light mode code: colour cycle
    0x04,              // 2: brightness, full
    0x02,              // 3: 4 - speed
    0x00,              // 4: direction
    0x01,              // 5: multi-colour
    0xFF, 0xFF, 0xFF,  // 6-8: colour
    0x03, 0x02, 0x00, 0x40, 0x80, 0xC0, 0x01,  // 9-15: private
    0x00,              // 16
    0x00,              // 17: light variant chosen on the keyboard
    0x00,              // 18: chip mode code
    0x00,              // 19: W flag
    0x00,              // 20: six-key flag
    0x00,              // 21: Windows-key lock
    0x00,              // 22: polling rate choice
    0x05, 0x0A,        // 23-24: private
    0x00,              // 25: custom light group
    0x11, 0x22, 0x33,  // 26-28: private
};

uint16_t ReadLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

void WriteLe16(uint8_t* p, uint16_t value) {
  p[0] = static_cast<uint8_t>(value & 0xFF);
  p[1] = static_cast<uint8_t>(value >> 8);
}

// True when [offset, offset + length) lies inside an area of `size` bytes.
bool InRange(size_t offset, size_t length, size_t size) { return offset <= size && length <= size - offset; }

std::vector<uint8_t> MakeReply(uint8_t command, uint8_t length, uint16_t offset, uint8_t status) {
  std::vector<uint8_t> reply(kFirmwareFrameSize, 0);
  reply[0] = tarn::kCommandReportId;
  reply[3] = command;
  reply[4] = length;
  WriteLe16(&reply[5], offset);
  reply[7] = status;
  return reply;
}

}  // namespace

uint16_t FirmwareFrameChecksum(const uint8_t* frame) {
  uint32_t sum = 0;
  for (size_t i = 3; i < kFirmwareFrameSize; ++i) sum += frame[i];
  return static_cast<uint16_t>(sum & 0xFFFF);
}

void SealFirmwareFrame(uint8_t* frame) { WriteLe16(frame + 1, FirmwareFrameChecksum(frame)); }

CKeyboardFirmware::CKeyboardFirmware(KeyboardLink link)
    : m_link(link),
      m_settings(kSettingsBlockSize * kSettingsBlockCount, 0),
      m_customLight(kCustomGroupSize * kCustomGroupCount, 0) {
  m_info[kInfoCategory] = 1;
  m_info[kInfoVersionLow] = 0x03;
  m_info[kInfoVersionHigh] = 0x01;
  m_info[kInfoLedCount] = static_cast<uint8_t>(FactoryLedCount());
  m_info[kInfoBlockCount] = static_cast<uint8_t>(kSettingsBlockCount);
  m_info[kInfoKeyCount] = static_cast<uint8_t>(kFactoryKeyCount);
  m_info[kInfoCustomGroups] = static_cast<uint8_t>(kCustomGroupCount);
  SetMacroMemoryUnits(kFactoryMacroUnits);

  m_ledMap.fill(kNoLed);
  const auto& leds = FactoryLedMap();
  for (int k = 0; k < kFactoryKeyCount; ++k) {
    const KeyAssignmentBytes key = FactoryAssignmentOfRow(IdentityRowAtPosition(k));
    m_keyTable[static_cast<size_t>(k) * 3] = key.type;
    m_keyTable[static_cast<size_t>(k) * 3 + 1] = key.param1;
    m_keyTable[static_cast<size_t>(k) * 3 + 2] = key.param2;
    m_ledMap[static_cast<size_t>(k)] = leds[static_cast<size_t>(k)];
  }

  for (size_t b = 0; b < kSettingsBlockCount; ++b)
    std::copy(kFactoryBlock.begin(), kFactoryBlock.end(), m_settings.begin() + static_cast<std::ptrdiff_t>(b * kSettingsBlockSize));

  // Fresh off the cable the battery is topped up; on its own it runs on
  // battery. Byte 3 stays 0 on both links: the host fills in its own link.
  if (m_link == KeyboardLink::Cable)
    SetPowerStatus(100, 0);
  else
    SetPowerStatus(76, 2);
}

std::vector<std::vector<uint8_t>> CKeyboardFirmware::HandleOutputReport(const uint8_t* report, size_t length) {
  return HandleOutputReportVia(m_link, report, length);
}

std::vector<std::vector<uint8_t>> CKeyboardFirmware::HandleOutputReportVia(KeyboardLink via, const uint8_t* report,
                                                                           size_t length) {
  FirmwareLogEntry entry;
  entry.inTransaction = m_bTransactionOpen;
  entry.link = via;
  if (report == nullptr || length != kFirmwareFrameSize || report[0] != tarn::kCommandReportId ||
      ReadLe16(report + 1) != FirmwareFrameChecksum(report)) {
    if (report != nullptr && length > 7) {
      entry.command = report[3];
      entry.length = report[4];
      entry.offset = ReadLe16(report + 5);
    }
    Log(entry);
    return {};
  }

  const Request request{report[3], report[4], ReadLe16(report + 5), report + kHeaderSize};
  std::vector<uint8_t> reply;
  if (via == KeyboardLink::Receiver && !m_bKeyboardOn) {
    // The receiver answers for the keyboard it cannot reach.
    reply = MakeReply(kCmdQueryLink, 0, 0, kStatusDone);
  } else {
    reply = Answer(request);
  }
  SealFirmwareFrame(reply.data());

  entry.command = request.command;
  entry.length = request.length;
  entry.offset = request.offset;
  for (size_t i = kHeaderSize + std::min<size_t>(request.length, kFirmwarePayloadMax); i < kFirmwareFrameSize; ++i)
    entry.paddingClean = entry.paddingClean && report[i] == 0;
  entry.replyCommand = reply[3];
  entry.status = reply[7];
  entry.answered = true;
  Log(entry);
  ++m_commandCounts[request.command];

  std::vector<std::vector<uint8_t>> replies;
  replies.push_back(std::move(reply));
  return replies;
}

std::vector<uint8_t> CKeyboardFirmware::Answer(const Request& request) {
  if (request.length > kFirmwarePayloadMax) return MakeReply(request.command, request.length, request.offset, kStatusRefused);

  const size_t keyBytes = std::min(size_t{KeyCount()} * 3, kKeyTableCapacity);
  switch (request.command) {
    case kCmdBegin:
      // A second begin keeps what the open transaction holds: nothing is lost.
      m_bTransactionOpen = true;
      return MakeReply(request.command, 0, 0, kStatusDone);
    case kCmdEnd:
      if (m_bTransactionOpen) {
        ApplyPending();
        m_bTransactionOpen = false;
        ++m_nTransactions;
      }
      return MakeReply(request.command, 0, 0, kStatusDone);
    case kCmdReadInfo:
      return ReadArea(request, m_info);
    case kCmdReadSettings:
      return ReadArea(request, m_settings);
    case kCmdWriteSettings:
      return MakeReply(request.command, request.length, request.offset, HoldWrite(request, Area::Settings));
    case kCmdReadKeyTable:
      return ReadArea(request, std::span<const uint8_t>(m_keyTable).first(keyBytes));
    case kCmdWriteKeyTable:
      return MakeReply(request.command, request.length, request.offset, HoldWrite(request, Area::KeyTable));
    case kCmdReadLedMap:
      return ReadArea(request, std::span<const uint8_t>(m_ledMap).first(std::min(size_t{KeyCount()}, kKeyTableCapacity)));
    case kCmdWriteLightTable:
      return MakeReply(request.command, request.length, request.offset, WriteNow(request, m_customLight));
    case kCmdWriteLightFrame: {
      const uint8_t status = WriteNow(request, std::span<uint8_t>(m_lightFrame).first(keyBytes));
      if (status == kStatusDone) ++m_nLightFramePackets;
      return MakeReply(request.command, request.length, request.offset, status);
    }
    case kCmdWriteMacros:
      return MakeReply(request.command, request.length, request.offset, HoldWrite(request, Area::Macros));
    case kCmdReadPower:
      return ReadArea(request, m_power);
    case kCmdHostLight:
      m_bHostLight = true;
      ++m_nHostLightRequests;
      return MakeReply(request.command, 0, 0, kStatusDone);
    case kCmdQueryLink: {
      std::vector<uint8_t> reply = MakeReply(request.command, 1, 0, kStatusDone);
      reply[kHeaderSize] = kLinkedMark;
      return reply;
    }
    default:
      return MakeReply(request.command, request.length, request.offset, kStatusRefused);
  }
}

std::vector<uint8_t> CKeyboardFirmware::ReadArea(const Request& request, std::span<const uint8_t> area) const {
  if (!InRange(request.offset, request.length, area.size()))
    return MakeReply(request.command, request.length, request.offset, kStatusRefused);
  std::vector<uint8_t> reply = MakeReply(request.command, request.length, request.offset, kStatusDone);
  std::copy_n(area.begin() + request.offset, request.length, reply.begin() + kHeaderSize);
  return reply;
}

uint8_t CKeyboardFirmware::WriteNow(const Request& request, std::span<uint8_t> area) {
  if (!InRange(request.offset, request.length, area.size())) return kStatusRefused;
  std::copy_n(request.payload, request.length, area.begin() + request.offset);
  return kStatusDone;
}

uint8_t CKeyboardFirmware::HoldWrite(const Request& request, Area area) {
  if (!InRange(request.offset, request.length, AreaMemory(area).size())) return kStatusRefused;
  if (!m_bTransactionOpen) return kStatusNoTransaction;
  m_pending.push_back({area, request.offset, std::vector<uint8_t>(request.payload, request.payload + request.length)});
  return kStatusDone;
}

std::span<uint8_t> CKeyboardFirmware::AreaMemory(Area area) {
  switch (area) {
    case Area::Settings:
      return m_settings;
    case Area::KeyTable:
      return std::span<uint8_t>(m_keyTable).first(std::min(size_t{KeyCount()} * 3, kKeyTableCapacity));
    case Area::Macros:
      return m_macros;
  }
  return {};
}

void CKeyboardFirmware::ApplyPending() {
  for (const PendingWrite& write : m_pending) {
    // The area may have shrunk since the write was accepted (a test preset):
    // keep what still fits.
    std::span<uint8_t> memory = AreaMemory(write.area);
    if (write.offset >= memory.size()) continue;
    const size_t count = std::min(write.bytes.size(), memory.size() - write.offset);
    std::copy_n(write.bytes.begin(), count, memory.begin() + write.offset);
  }
  m_pending.clear();
}

void CKeyboardFirmware::Log(const FirmwareLogEntry& entry) {
  if (m_log.size() == kLogCapacity) m_log.pop_front();
  m_log.push_back(entry);
}

std::vector<uint8_t> CKeyboardFirmware::MakeNotificationReport(uint16_t value) const {
  std::vector<uint8_t> report(tarn::kNotificationReportLength, 0);
  report[0] = tarn::kNotificationReportId;
  WriteLe16(&report[1], value);
  return report;
}

void CKeyboardFirmware::SetKeyboardOn(bool on) {
  m_bKeyboardOn = on;
  if (!on && m_link == KeyboardLink::Receiver) {
    m_bTransactionOpen = false;
    m_pending.clear();
  }
}

uint16_t CKeyboardFirmware::SelectBlockOnKeyboard(uint8_t block) {
  block &= 0x0F;
  m_settings[0] = block;
  return static_cast<uint16_t>(0x1000 | block);
}

uint16_t CKeyboardFirmware::SelectBlockAndByte17OnKeyboard(uint8_t block, uint8_t value) {
  block &= 0x0F;
  value &= 0x0F;
  m_settings[0] = block;
  m_settings[block * kSettingsBlockSize + 17] = value;
  return static_cast<uint16_t>(0x1100 | (value << 4) | block);
}

void CKeyboardFirmware::SetInformationByte(size_t index, uint8_t value) {
  if (index >= m_info.size()) return;
  if (index == kInfoMacroUnits)
    SetMacroMemoryUnits(value);
  else
    m_info[index] = value;
}

void CKeyboardFirmware::SetMacroMemoryUnits(uint8_t units) {
  m_info[kInfoMacroUnits] = units;
  m_macros.resize(size_t{units} * kMacroUnit, 0);
}

std::span<const uint8_t> CKeyboardFirmware::KeyTable() const {
  return std::span<const uint8_t>(m_keyTable).first(std::min(size_t{KeyCount()} * 3, kKeyTableCapacity));
}

void CKeyboardFirmware::SetKeyTable(std::span<const uint8_t> bytes) {
  std::copy_n(bytes.begin(), std::min(bytes.size(), m_keyTable.size()), m_keyTable.begin());
}

std::span<const uint8_t> CKeyboardFirmware::LedMap() const {
  return std::span<const uint8_t>(m_ledMap).first(std::min(size_t{KeyCount()}, kKeyTableCapacity));
}

void CKeyboardFirmware::SetLedMap(std::span<const uint8_t> bytes) {
  std::copy_n(bytes.begin(), std::min(bytes.size(), m_ledMap.size()), m_ledMap.begin());
}

std::span<const uint8_t> CKeyboardFirmware::SettingsBlock(size_t block) const {
  if (block >= kSettingsBlockCount) return {};
  return std::span<const uint8_t>(m_settings).subspan(block * kSettingsBlockSize, kSettingsBlockSize);
}

void CKeyboardFirmware::SetSettingsByte(size_t offset, uint8_t value) {
  if (offset < m_settings.size()) m_settings[offset] = value;
}

std::span<const uint8_t> CKeyboardFirmware::CustomLightGroup(size_t group) const {
  if (group >= kCustomGroupCount) return {};
  return std::span<const uint8_t>(m_customLight).subspan(group * kCustomGroupSize, kCustomGroupSize);
}

std::span<const uint8_t> CKeyboardFirmware::LightFrame() const {
  return std::span<const uint8_t>(m_lightFrame).first(std::min(size_t{KeyCount()} * 3, kKeyTableCapacity));
}

bool CKeyboardFirmware::DecodeMacroImage(std::vector<FirmwareMacro>& macros) const {
  macros.clear();
  if (m_macros.size() < kMacroHeaderSize || ReadLe16(&m_macros[0]) != kMacroMagic) return false;
  const size_t total = ReadLe16(&m_macros[2]);
  const size_t count = ReadLe16(&m_macros[4]);
  if (total > m_macros.size() || total < kMacroHeaderSize + 2 * count) return false;
  std::vector<FirmwareMacro> decoded;
  for (size_t i = 0; i < count; ++i) {
    const size_t record = ReadLe16(&m_macros[kMacroHeaderSize + 2 * i]);
    if (record < kMacroHeaderSize + 2 * count || !InRange(record, 4, total)) return false;
    const size_t events = ReadLe16(&m_macros[record]);
    if (!InRange(record + 4, 4 * events, total)) return false;
    FirmwareMacro macro;
    for (size_t e = 0; e < events; ++e) {
      const uint8_t* p = &m_macros[record + 4 + 4 * e];
      macro.push_back({ReadLe16(p), p[2], p[3]});
    }
    decoded.push_back(std::move(macro));
  }
  macros = std::move(decoded);
  return true;
}

void CKeyboardFirmware::SetPowerStatus(uint8_t level, uint8_t charging) {
  m_power[0] = level;
  m_power[1] = charging;
}

void CKeyboardFirmware::SetPowerByte(size_t index, uint8_t value) {
  if (index < m_power.size()) m_power[index] = value;
}

void CKeyboardFirmware::ClearCommandLog() {
  m_log.clear();
  m_commandCounts.fill(0);
}

}  // namespace tarn::emu
