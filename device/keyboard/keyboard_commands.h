#pragma once
// The keyboard's command set over a command channel. Each function is one
// command (or one chunked block of it) and gives the channel's result: 1,
// 0 (not open, no reply), -1 (write failed), -101 (nothing behind the
// receiver), -102/-103 (device status), -201 (no such page).
#include <array>
#include <cstdint>
#include <vector>

#include "device/device_channel.h"
#include "device/keyboard/keyboard_memory.h"

namespace tarn::keyboard {

enum Command : uint8_t {
  kCmdBegin = 0x01,
  kCmdEnd = 0x02,
  kCmdReadInfo = 0x03,
  kCmdReadData = 0x05,
  kCmdWriteData = 0x06,
  kCmdReadKeyTable = 0x07,
  kCmdWriteKeyTable = 0x09,
  kCmdWriteLightTable = 0x0B,
  kCmdWriteLightFrame = 0x12,
  kCmdWriteMacros = 0x15,
  kCmdReadPower = 0x1A,
  kCmdReadLedMap = 0x1B,
  kCmdHostLight = 0x1C,
  kCmdQueryReceiver = 0xAA,
};

// How long the keyboard is given before a transaction is closed.
inline constexpr int kEndDelayMs = 10;

int CmdBegin(CDeviceChannel& channel);
// Waits 10 ms, then closes the transaction.
int CmdEnd(CDeviceChannel& channel);
int CmdReadInfo(CDeviceChannel& channel, InfoBlock& info);
int CmdReadData(CDeviceChannel& channel, uint16_t offset, uint8_t* data, size_t length);
int CmdWriteData(CDeviceChannel& channel, uint16_t offset, const uint8_t* data, size_t length);
// Reads `length` bytes of the key table (the channel's data size).
int CmdReadKeyTable(CDeviceChannel& channel, uint8_t* data, size_t length);
// Only page 0 exists: another page gives -201 and sends nothing.
int CmdWriteKeyTable(CDeviceChannel& channel, int page, const uint8_t* data, size_t length);
int CmdWriteLightTable(CDeviceChannel& channel, unsigned group, const uint8_t* data, size_t length);
// One software light frame, cable only, in packets that are each dropped
// rather than queued while a command runs. 1 when every packet went out.
int CmdWriteLightFrame(CDeviceChannel& channel, const uint8_t* data, size_t length);
int CmdWriteMacros(CDeviceChannel& channel, const uint8_t* image, size_t length);
int CmdReadPower(CDeviceChannel& channel, std::array<uint8_t, kPowerStatusSize>& status);
int CmdReadLedMap(CDeviceChannel& channel, uint8_t* data, size_t length);
int CmdHostLight(CDeviceChannel& channel);
// True when the keyboard is reachable: always on the cable (nothing is
// sent); through the receiver when the query succeeds with byte 8 = 0xFF.
bool CmdQueryReceiver(CDeviceChannel& channel);

}  // namespace tarn::keyboard
