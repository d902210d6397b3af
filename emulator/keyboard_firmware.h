#pragma once
// Firmware model of the Tarn keyboard, reached by cable or through its 2.4 GHz
// receiver. It answers the command reports of the vendor collection from its
// own memory and makes the input reports of the consumer (notification)
// collection. It is pure: no I/O, no threads, no clock; whoever serves it on a
// virtual HID node feeds it output reports and sends back what it returns.
// Not thread-safe: the owner serialises every call.
//
// Command frame (64 bytes, both directions): byte 0 report id 0x04; bytes 1-2
// checksum, little-endian sum of bytes 3..63 truncated to 16 bits; byte 3
// command; byte 4 payload length (at most 56); bytes 5-6 offset into the
// addressed memory area, little-endian; byte 7 status (0 in requests); bytes
// 8..63 payload. A reply repeats command, length and offset; for reads the
// payload holds the bytes read. Reply status: kStatusDone, kStatusRefused
// (unknown command, payload longer than 56, range outside the area) or
// kStatusNoTransaction (a configuration write outside 0x01 ... 0x02).
//
// The firmware stays silent (the host's read times out) for a report that is
// not exactly 64 bytes, has another report id or a wrong checksum. Both links
// take payloads of up to 56 bytes; hosts use 24-byte chunks through the
// receiver, which the command log shows.
//
// Factory state: the full-size board of keyboard_firmware_layout.h (126 key
// positions, 122 LEDs), 4 KiB of macro memory, 16 identical settings blocks
// with block 0 active, empty light tables.
//
// Memory areas and their commands:
//   0x03 read   information block, 34 bytes (byte 5 key count, byte 6 macro
//               memory size in 128-byte units; the rest is ours, see .cpp)
//   0x05 read / 0x06 write   settings memory, 16 blocks of 29 bytes; block n
//               at n * 29; the byte at offset 0 names the active block
//   0x07 read / 0x09 write   key table, key count * 3 bytes
//   0x1B read   LED map, key count bytes (LED slot per key position)
//   0x0B write  custom light tables, group g at g * 512 (kCustomGroupCount)
//   0x12 write  software light frame, key count * 3 bytes
//   0x15 write  macro memory, information byte 6 * 128 bytes
//   0x1A read   power status, 6 bytes
// 0x01 opens a configuration transaction and 0x02 closes it: writes 0x06, 0x09
// and 0x15 are held pending and reach memory, in order, only at the 0x02.
// Light tables (0x0B) and light frames (0x12) take effect at once. 0x1C tells
// the keyboard the host drives its lights. 0xAA asks whether the keyboard is
// linked: reply byte 8 = 0xFF when it is. Through the receiver with the
// keyboard switched off, every request is answered with command 0xAA and
// byte 8 = 0.
//
// Notification report (consumer collection): 3 bytes, report id
// kNotificationReportId, then the 16-bit notification value little-endian,
// which a HID parser reads as one 16-bit consumer-page usage value.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

namespace tarn::emu {

enum class KeyboardLink { Cable, Receiver };

constexpr size_t kFirmwareFrameSize = 64;
constexpr size_t kFirmwarePayloadMax = 56;
constexpr size_t kInformationBlockSize = 34;
constexpr size_t kKeyTableCapacity = 512;
constexpr size_t kSettingsBlockSize = 29;
constexpr size_t kSettingsBlockCount = 16;
constexpr size_t kCustomGroupSize = 512;
constexpr size_t kCustomGroupCount = 8;
constexpr size_t kPowerStatusSize = 6;
constexpr size_t kMacroUnit = 128;

constexpr uint8_t kStatusDone = 0x01;
constexpr uint8_t kStatusRefused = 0xFF;
constexpr uint8_t kStatusNoTransaction = 0xFE;
// Reply byte 8 of command 0xAA when a keyboard is linked.
constexpr uint8_t kLinkedMark = 0xFF;

// Checksum of a 64-byte command frame (sum of bytes 3..63, 16 bits). Fault
// injectors use it to forge frames the host must accept or reject.
uint16_t FirmwareFrameChecksum(const uint8_t* frame);
// Writes the checksum of a 64-byte frame into its bytes 1-2.
void SealFirmwareFrame(uint8_t* frame);

// One report the firmware received, for tests that check what the host sent.
struct FirmwareLogEntry {
  uint8_t command = 0;
  uint8_t length = 0;
  uint16_t offset = 0;
  bool answered = false;     // false: dropped silently (size, report id or checksum)
  uint8_t replyCommand = 0;  // 0xAA when the receiver answered for a switched-off keyboard
  uint8_t status = 0;        // reply byte 7
  bool inTransaction = false;
  KeyboardLink link = KeyboardLink::Cable;
  bool paddingClean = true;  // request bytes past its payload were all 0, as they must be
};

// One macro of the macro memory as the firmware plays it.
struct FirmwareMacroEvent {
  uint16_t delay = 0;
  uint8_t type = 0;    // bit 7 set: press
  uint8_t button = 0;
  bool operator==(const FirmwareMacroEvent&) const = default;
};
using FirmwareMacro = std::vector<FirmwareMacroEvent>;

class CKeyboardFirmware {
 public:
  explicit CKeyboardFirmware(KeyboardLink link);

  // One output report from the host (byte 0 = report id 0x04, 64 bytes).
  // Returns the input reports to send back: one 64-byte reply, or none when
  // the firmware stays silent.
  std::vector<std::vector<uint8_t>> HandleOutputReport(const uint8_t* report, size_t length);
  // The same for a keyboard that is reachable by cable and through its
  // receiver at once: one memory, the report arriving over `via`.
  std::vector<std::vector<uint8_t>> HandleOutputReportVia(KeyboardLink via, const uint8_t* report, size_t length);

  // The consumer collection's input report carrying `value` (0x0401, 0x0402,
  // 0x10nn, 0x11nn).
  std::vector<uint8_t> MakeNotificationReport(uint16_t value) const;

  // The link the keyboard was made for (HandleOutputReport uses it).
  KeyboardLink Link() const { return m_link; }

  // Receiver only: whether the keyboard behind it is switched on. Switching it
  // off drops an open transaction with its pending writes. Requests that
  // arrive by cable are always answered (the bus powers the keyboard), and a
  // keyboard made for the cable keeps its transaction.
  void SetKeyboardOn(bool on);
  bool IsKeyboardOn() const { return m_bKeyboardOn; }

  // --- on-keyboard actions: change memory and give the notification value to send
  // The user picks settings block `block` (0..15) on the keyboard: 0x10nn.
  uint16_t SelectBlockOnKeyboard(uint8_t block);
  // As above and settings byte 17 of that block becomes `value` (0..15): 0x11nn.
  uint16_t SelectBlockAndByte17OnKeyboard(uint8_t block, uint8_t value);

  // --- information block
  const std::array<uint8_t, kInformationBlockSize>& InformationBlock() const { return m_info; }
  void SetInformationByte(size_t index, uint8_t value);
  uint8_t KeyCount() const { return m_info[5]; }
  // Any value, also impossible ones (above 170), to see how the host copes.
  void SetKeyCount(uint8_t count) { m_info[5] = count; }
  size_t MacroMemorySize() const { return size_t{m_info[6]} * kMacroUnit; }
  // Macro memory size in units of 128 bytes; the memory keeps what fits.
  void SetMacroMemoryUnits(uint8_t units);

  // --- key table and LED map (key count * 3 and key count bytes, at most 512)
  std::span<const uint8_t> KeyTable() const;
  void SetKeyTable(std::span<const uint8_t> bytes);
  std::span<const uint8_t> LedMap() const;
  void SetLedMap(std::span<const uint8_t> bytes);

  // --- settings memory
  std::span<const uint8_t> SettingsMemory() const { return m_settings; }
  std::span<const uint8_t> SettingsBlock(size_t block) const;
  void SetSettingsByte(size_t offset, uint8_t value);
  uint8_t ActiveBlock() const { return m_settings[0]; }

  // --- lights
  std::span<const uint8_t> CustomLightGroup(size_t group) const;
  // The last light frame, key count * 3 bytes (slot s at 3s..3s+2).
  std::span<const uint8_t> LightFrame() const;
  uint64_t LightFramePacketCount() const { return m_nLightFramePackets; }
  bool IsHostDrivingLights() const { return m_bHostLight; }
  uint64_t HostLightRequestCount() const { return m_nHostLightRequests; }

  // --- macro memory
  std::span<const uint8_t> MacroMemory() const { return m_macros; }
  // Parses the macro image in memory (magic 0x55AA, length, count, offsets,
  // records). False when the memory holds no valid image.
  bool DecodeMacroImage(std::vector<FirmwareMacro>& macros) const;

  // --- power status
  const std::array<uint8_t, kPowerStatusSize>& PowerStatus() const { return m_power; }
  // Battery level in percent and charging state (0 powered, 1 charging, 2 on battery).
  void SetPowerStatus(uint8_t level, uint8_t charging);
  void SetPowerByte(size_t index, uint8_t value);

  // --- transactions and log
  bool IsTransactionOpen() const { return m_bTransactionOpen; }
  size_t PendingWriteCount() const { return m_pending.size(); }
  // Transactions closed by 0x02 after a 0x01.
  uint64_t TransactionCount() const { return m_nTransactions; }
  // The most recent reports received (at most kLogCapacity), oldest first.
  const std::deque<FirmwareLogEntry>& CommandLog() const { return m_log; }
  // How many answered requests of this command arrived since construction or
  // the last ClearCommandLog.
  uint64_t CommandCount(uint8_t command) const { return m_commandCounts[command]; }
  void ClearCommandLog();

  static constexpr size_t kLogCapacity = 4096;

 private:
  enum class Area { Settings, KeyTable, Macros };
  struct PendingWrite {
    Area area;
    uint16_t offset;
    std::vector<uint8_t> bytes;
  };
  struct Request {
    uint8_t command;
    uint8_t length;
    uint16_t offset;
    const uint8_t* payload;
  };

  std::vector<uint8_t> Answer(const Request& request);
  std::vector<uint8_t> ReadArea(const Request& request, std::span<const uint8_t> area) const;
  uint8_t WriteNow(const Request& request, std::span<uint8_t> area);
  uint8_t HoldWrite(const Request& request, Area area);
  std::span<uint8_t> AreaMemory(Area area);
  void ApplyPending();
  void Log(const FirmwareLogEntry& entry);

  KeyboardLink m_link;
  bool m_bKeyboardOn = true;

  std::array<uint8_t, kInformationBlockSize> m_info{};
  std::array<uint8_t, kKeyTableCapacity> m_keyTable{};
  std::array<uint8_t, kKeyTableCapacity> m_ledMap{};
  std::vector<uint8_t> m_settings;
  std::vector<uint8_t> m_customLight;
  std::array<uint8_t, kKeyTableCapacity> m_lightFrame{};
  std::vector<uint8_t> m_macros;
  std::array<uint8_t, kPowerStatusSize> m_power{};

  bool m_bHostLight = false;
  uint64_t m_nHostLightRequests = 0;
  uint64_t m_nLightFramePackets = 0;

  bool m_bTransactionOpen = false;
  std::vector<PendingWrite> m_pending;
  uint64_t m_nTransactions = 0;

  std::deque<FirmwareLogEntry> m_log;
  std::array<uint64_t, 256> m_commandCounts{};
};

}  // namespace tarn::emu
