#pragma once
// One command path to a device over its cable link or its 2.4 GHz receiver
// link: the frame exchange, the link mode and block transfers in chunks.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

#include "device/device_frame.h"
#include "device/hid_device.h"

namespace tarn {

class CDeviceChannel {
 public:
  static constexpr uint16_t kMaxDataSize = 512;

  CDeviceChannel() = default;
  CDeviceChannel(const CDeviceChannel&) = delete;
  CDeviceChannel& operator=(const CDeviceChannel&) = delete;

  // Writes the request (padded with zeros or cut to 64 bytes) and reads the
  // reply through the active link. A reply with another command byte is
  // read past once; when the second one does not match either, nothing was
  // answered. Results: 1, 0 (not open, no reply), -1 (write failed), -101
  // (receiver: no device behind it).
  int Exchange(const uint8_t* request, size_t length, uint8_t* reply, size_t replyLength, uint32_t& transferred);
  // One write and one read on the cable, no logging, no command matching.
  int ExchangeQuiet(const uint8_t* request, size_t length, uint8_t* reply, size_t replyLength,
                    uint32_t& transferred);
  // A software light frame: only on the cable, and dropped (never queued)
  // while a command is in progress. 0 when dropped or not sent.
  int SendLightFrame(const uint8_t* request, size_t length, uint8_t* reply, size_t replyLength,
                     uint32_t& transferred);

  // One request packet and its status check: 1, 0, -1, -101, -102, -103.
  // reply (64 bytes) may be null.
  int Command(uint8_t command, const uint8_t* payload, size_t length, uint16_t offset, uint8_t* reply = nullptr);
  // A block in packets of `chunk` payload bytes (0: the link's chunk size)
  // from offset `start`; each packet is answered before the next goes. Stops
  // at the first packet that fails and gives its result.
  int SendBlock(uint8_t command, const uint8_t* data, size_t length, uint16_t start = 0, uint8_t chunk = 0);
  int FetchBlock(uint8_t command, uint8_t* data, size_t length, uint16_t start = 0, uint8_t chunk = 0);

  // 1 the cable, 2 the receiver; anything else acts as 1.
  void SetLinkMode(int mode);
  bool SetDataSize(uint16_t size);
  uint16_t DataSize() const { return m_nDataSize; }
  uint8_t ChunkSize() const { return m_nChunkSize; }
  bool IsReceiverMode() const { return m_bReceiverMode != 0; }
  bool IsOpen() const { return m_bOpen != 0; }
  bool IsBusy() const { return m_bBusy != 0; }

  // Opens one link for commands (read and write, shared). Closing wakes an
  // exchange that waits on it.
  bool OpenLink(bool receiver, const std::string& path);
  void CloseLinks();

  std::atomic<uint16_t> m_nDataSize{kMaxDataSize};
  const uint16_t m_nMaxDataSize = kMaxDataSize;
  std::atomic<uint8_t> m_bBusy{0};
  std::atomic<int> m_bOpen{0};
  std::atomic<int> m_bSyncLight{0};
  CHidDevice m_hidWired;
  CHidDevice m_hidReceiver;
  // Held from a request's write through its last read, so that no other
  // exchange on the link can take its reply.
  std::recursive_mutex m_csIo;
  std::recursive_mutex m_csNotify;
  // A whole command (held by the protocol around its exchanges).
  std::recursive_mutex m_csCommand;
  std::recursive_mutex m_csLight;
  std::atomic<int> m_bReceiverMode{0};
  std::atomic<uint8_t> m_nChunkSize{kReceiverChunkSize};

 private:
  // Set when an exchange ended without its own reply: a late reply may still
  // come, so the next exchange drops what is waiting before it writes.
  std::atomic<bool> m_bLinkUnsettled[2] = {false, false};  // cable, receiver

  // After an exchange that went without its reply: drops late replies.
  void SettleLink(CHidDevice& link);
  static constexpr int kSettleReads = 8;
  static constexpr uint32_t kSettleQuietMs = 20;
  int ExchangeLocked(const Frame& packet, uint8_t* reply, size_t replyLength, uint32_t& transferred);
  int QuietLocked(const Frame& packet, uint8_t* reply, size_t replyLength, uint32_t& transferred);
};

Frame PadRequest(const uint8_t* request, size_t length);

}  // namespace tarn
