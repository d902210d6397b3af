#include "device/device_channel.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/debug_output.h"

namespace tarn {
namespace {

// At least one frame long; on the stack for the usual frame-sized replies.
class ReplyBuffer {
 public:
  explicit ReplyBuffer(size_t length) : m_size(std::max(length, kFrameLength)) {
    if (m_size > kFrameLength) m_heap.assign(m_size, 0);
  }
  uint8_t* data() { return m_heap.empty() ? m_local : m_heap.data(); }
  uint8_t* begin() { return data(); }
  uint8_t* end() { return data() + m_size; }
  size_t size() const { return m_size; }
  uint8_t operator[](size_t i) { return data()[i]; }

 private:
  size_t m_size;
  uint8_t m_local[kFrameLength] = {};
  std::vector<uint8_t> m_heap;
};

}  // namespace

Frame PadRequest(const uint8_t* request, size_t length) {
  Frame packet{};
  if (request) std::memcpy(packet.data(), request, std::min(length, kFrameLength));
  return packet;
}

void CDeviceChannel::SetLinkMode(int mode) {
  if (mode == 2) {
    m_bReceiverMode = 1;
    m_nChunkSize = kReceiverChunkSize;
  } else {
    m_bReceiverMode = 0;
    m_nChunkSize = kCableChunkSize;
  }
}

bool CDeviceChannel::SetDataSize(uint16_t size) {
  if (size > kMaxDataSize) return false;
  m_nDataSize = size;
  return true;
}

bool CDeviceChannel::OpenLink(bool receiver, const std::string& path) {
  std::lock_guard<std::recursive_mutex> io(m_csIo);
  CHidDevice& link = receiver ? m_hidReceiver : m_hidWired;
  link.CloseHidDevice();
  return link.OpenHidDevice(path, true, true, true, false);
}

void CDeviceChannel::CloseLinks() {
  m_bOpen = 0;
  // Closing first wakes an exchange that waits for a reply, so the lock
  // below is free within moments.
  m_hidWired.CloseHidDevice();
  m_hidReceiver.CloseHidDevice();
  std::lock_guard<std::recursive_mutex> io(m_csIo);
  m_hidWired.CloseHidDevice();
  m_hidReceiver.CloseHidDevice();
}

int CDeviceChannel::Exchange(const uint8_t* request, size_t length, uint8_t* reply, size_t replyLength,
                             uint32_t& transferred) {
  transferred = 0;
  m_bBusy = 1;
  int result = kResultNoReply;
  if (m_bOpen) {
    Frame packet = PadRequest(request, length);
    DebugDumpFrame("命令", packet.data());
    std::lock_guard<std::recursive_mutex> io(m_csIo);
    result = ExchangeLocked(packet, reply, replyLength, transferred);
  }
  m_bBusy = 0;
  return result;
}

void CDeviceChannel::SettleLink(CHidDevice& link) {
  // What is waiting goes at once; a straggler still on its way (the rest of
  // a burst of wrong replies, a reply just past its time-out) is given a
  // short quiet period to arrive and go too.
  link.FlushInput();
  Frame scratch{};
  for (int i = 0; i < kSettleReads; ++i) {
    uint32_t got = 0;
    if (!link.ReadReport(scratch.data(), static_cast<uint32_t>(scratch.size()), got, kSettleQuietMs)) break;
  }
}

int CDeviceChannel::ExchangeLocked(const Frame& packet, uint8_t* reply, size_t replyLength,
                                   uint32_t& transferred) {
  const bool receiver = m_bReceiverMode != 0;
  CHidDevice& link = receiver ? m_hidReceiver : m_hidWired;
  const uint32_t timeout = receiver ? kReceiverTimeoutMs : kCableTimeoutMs;
  // A reply that came after its request had given up would otherwise be
  // taken for the answer to this one.
  if (m_bLinkUnsettled[receiver].exchange(false)) SettleLink(link);
  uint32_t written = 0;
  if (!link.WriteReport(packet.data(), static_cast<uint32_t>(packet.size()), written, timeout))
    return kResultWriteFailed;

  ReplyBuffer buffer(replyLength);
  int result = kResultNoReply;
  for (int attempt = 0; attempt < 2; ++attempt) {
    uint32_t got = 0;
    std::fill(buffer.begin(), buffer.end(), 0);
    if (!link.ReadReport(buffer.data(), static_cast<uint32_t>(buffer.size()), got, timeout)) {
      result = kResultNoReply;
      transferred = 0;
      break;
    }
    transferred = std::min<uint32_t>(got, static_cast<uint32_t>(replyLength));
    if (buffer[3] == packet[3]) {
      result = kResultOk;
      break;
    }
    if (receiver && buffer[3] == kNoDeviceBehindReceiver) {
      result = kResultNoDevice;
      break;
    }
    // Another command's reply twice in a row answers nothing of ours.
    result = kResultNoReply;
  }
  if (result != kResultOk) m_bLinkUnsettled[receiver] = true;
  if (reply && replyLength) std::memcpy(reply, buffer.data(), std::min(replyLength, buffer.size()));
  DebugDumpFrame("返回", buffer.data());
  return result;
}

int CDeviceChannel::ExchangeQuiet(const uint8_t* request, size_t length, uint8_t* reply, size_t replyLength,
                                  uint32_t& transferred) {
  transferred = 0;
  if (!m_bOpen) return kResultNoReply;
  Frame packet = PadRequest(request, length);
  std::lock_guard<std::recursive_mutex> io(m_csIo);
  return QuietLocked(packet, reply, replyLength, transferred);
}

int CDeviceChannel::QuietLocked(const Frame& packet, uint8_t* reply, size_t replyLength, uint32_t& transferred) {
  uint32_t written = 0;
  if (m_bLinkUnsettled[0].exchange(false)) m_hidWired.FlushInput();
  if (!m_hidWired.WriteReport(packet.data(), static_cast<uint32_t>(packet.size()), written, kCableTimeoutMs))
    return kResultWriteFailed;
  ReplyBuffer buffer(replyLength);
  uint32_t got = 0;
  if (!m_hidWired.ReadReport(buffer.data(), static_cast<uint32_t>(buffer.size()), got, kCableTimeoutMs)) {
    m_bLinkUnsettled[0] = true;
    return kResultNoReply;
  }
  transferred = std::min<uint32_t>(got, static_cast<uint32_t>(replyLength));
  if (reply && replyLength) std::memcpy(reply, buffer.data(), std::min(replyLength, buffer.size()));
  return kResultOk;
}

int CDeviceChannel::SendLightFrame(const uint8_t* request, size_t length, uint8_t* reply, size_t replyLength,
                                   uint32_t& transferred) {
  transferred = 0;
  if (!m_bOpen || m_bReceiverMode) return kResultNoReply;
  std::lock_guard<std::recursive_mutex> light(m_csLight);
  // Frames follow every few milliseconds: one that would have to wait for a
  // command is dropped, the next carries the newer picture anyway.
  std::unique_lock<std::recursive_mutex> command(m_csCommand, std::try_to_lock);
  std::unique_lock<std::recursive_mutex> io(m_csIo, std::defer_lock);
  if (m_bBusy || !command.owns_lock() || !io.try_lock()) {
    DebugOutput("放弃灯光数据");
    return kResultNoReply;
  }
  command.unlock();
  return QuietLocked(PadRequest(request, length), reply, replyLength, transferred);
}

int CDeviceChannel::Command(uint8_t command, const uint8_t* payload, size_t length, uint16_t offset,
                            uint8_t* reply) {
  Frame request = BuildFrame(command, payload, length, offset);
  Frame answer{};
  uint32_t got = 0;
  int result = Exchange(request.data(), request.size(), answer.data(), answer.size(), got);
  if (reply) std::memcpy(reply, answer.data(), answer.size());
  if (result != kResultOk) return result;
  return ReplyStatusResult(answer.data());
}

int CDeviceChannel::SendBlock(uint8_t command, const uint8_t* data, size_t length, uint16_t start, uint8_t chunk) {
  std::lock_guard<std::recursive_mutex> whole(m_csCommand);
  const size_t step = std::min<size_t>(chunk ? chunk : m_nChunkSize.load(), kFramePayloadLength);
  for (size_t done = 0; done < length; done += step) {
    size_t n = std::min(step, length - done);
    int result = Command(command, data + done, n, static_cast<uint16_t>(start + done));
    if (result != kResultOk) return result;
  }
  return kResultOk;
}

int CDeviceChannel::FetchBlock(uint8_t command, uint8_t* data, size_t length, uint16_t start, uint8_t chunk) {
  std::lock_guard<std::recursive_mutex> whole(m_csCommand);
  const size_t step = std::min<size_t>(chunk ? chunk : m_nChunkSize.load(), kFramePayloadLength);
  for (size_t done = 0; done < length; done += step) {
    size_t n = std::min(step, length - done);
    Frame request = BuildFrame(command, nullptr, n, static_cast<uint16_t>(start + done));
    Frame reply{};
    uint32_t got = 0;
    int result = Exchange(request.data(), request.size(), reply.data(), reply.size(), got);
    if (result == kResultOk) result = ReplyStatusResult(reply.data());
    if (result != kResultOk) return result;
    std::memcpy(data + done, reply.data() + kFrameHeaderLength, n);
  }
  return kResultOk;
}

}  // namespace tarn
