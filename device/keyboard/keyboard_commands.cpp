#include "device/keyboard/keyboard_commands.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace tarn::keyboard {

int CmdBegin(CDeviceChannel& channel) { return channel.Command(kCmdBegin, nullptr, 0, 0); }

int CmdEnd(CDeviceChannel& channel) {
  std::this_thread::sleep_for(std::chrono::milliseconds(kEndDelayMs));
  return channel.Command(kCmdEnd, nullptr, 0, 0);
}

int CmdReadInfo(CDeviceChannel& channel, InfoBlock& info) {
  return channel.FetchBlock(kCmdReadInfo, info.bytes.data(), info.bytes.size(), 0);
}

int CmdReadData(CDeviceChannel& channel, uint16_t offset, uint8_t* data, size_t length) {
  return channel.FetchBlock(kCmdReadData, data, length, offset);
}

int CmdWriteData(CDeviceChannel& channel, uint16_t offset, const uint8_t* data, size_t length) {
  return channel.SendBlock(kCmdWriteData, data, length, offset);
}

int CmdReadKeyTable(CDeviceChannel& channel, uint8_t* data, size_t length) {
  return channel.FetchBlock(kCmdReadKeyTable, data, length, 0);
}

int CmdWriteKeyTable(CDeviceChannel& channel, int page, const uint8_t* data, size_t length) {
  if (page != 0) return kResultBadPage;
  return channel.SendBlock(kCmdWriteKeyTable, data, length, 0);
}

int CmdWriteLightTable(CDeviceChannel& channel, unsigned group, const uint8_t* data, size_t length) {
  std::lock_guard<std::recursive_mutex> light(channel.m_csLight);
  return channel.SendBlock(kCmdWriteLightTable, data, length, static_cast<uint16_t>(group * kCustomGroupStride));
}

int CmdWriteLightFrame(CDeviceChannel& channel, const uint8_t* data, size_t length) {
  for (size_t done = 0; done < length; done += kCableChunkSize) {
    size_t n = std::min<size_t>(kCableChunkSize, length - done);
    Frame request = BuildFrame(kCmdWriteLightFrame, data + done, n, static_cast<uint16_t>(done));
    Frame reply{};
    uint32_t got = 0;
    int result = channel.SendLightFrame(request.data(), request.size(), reply.data(), reply.size(), got);
    if (result != kResultOk) return result;
  }
  return kResultOk;
}

int CmdWriteMacros(CDeviceChannel& channel, const uint8_t* image, size_t length) {
  return channel.SendBlock(kCmdWriteMacros, image, length, 0);
}

int CmdReadPower(CDeviceChannel& channel, std::array<uint8_t, kPowerStatusSize>& status) {
  Frame reply{};
  int result = channel.Command(kCmdReadPower, nullptr, kPowerStatusSize, 0, reply.data());
  if (result == kResultOk) std::copy_n(reply.begin() + kFrameHeaderLength, kPowerStatusSize, status.begin());
  return result;
}

int CmdReadLedMap(CDeviceChannel& channel, uint8_t* data, size_t length) {
  return channel.FetchBlock(kCmdReadLedMap, data, length, 0);
}

int CmdHostLight(CDeviceChannel& channel) { return channel.Command(kCmdHostLight, nullptr, 0, 0); }

bool CmdQueryReceiver(CDeviceChannel& channel) {
  if (!channel.IsReceiverMode()) return true;
  Frame reply{};
  int result = channel.Command(kCmdQueryReceiver, nullptr, 0, 0, reply.data());
  return result == kResultOk && reply[kFrameHeaderLength] == 0xFF;
}

}  // namespace tarn::keyboard
