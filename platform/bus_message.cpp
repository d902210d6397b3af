#include "platform/bus_message.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/paths.h"

namespace tarn {
namespace {

void PutU16(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}
void PutU32(std::vector<uint8_t>& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}
void PutU64(std::vector<uint8_t>& out, uint64_t value) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}
uint64_t GetLE(const uint8_t* p, int bytes) {
  uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
  return value;
}

bool ReadExact(int fd, uint8_t* buffer, size_t size) {
  while (size > 0) {
    ssize_t got = ::recv(fd, buffer, size, 0);
    if (got == 0) return false;
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    buffer += got;
    size -= static_cast<size_t>(got);
  }
  return true;
}

}  // namespace

std::vector<uint8_t> EncodeBusFrame(const BusMessage& message) {
  std::vector<uint8_t> body;
  uint16_t name_length = static_cast<uint16_t>(std::min<size_t>(message.name.size(), 0xFFFF));
  PutU16(body, name_length);
  body.insert(body.end(), message.name.begin(), message.name.begin() + name_length);
  PutU64(body, static_cast<uint64_t>(message.wParam));
  PutU64(body, static_cast<uint64_t>(message.lParam));
  PutU32(body, static_cast<uint32_t>(message.data.size()));
  body.insert(body.end(), message.data.begin(), message.data.end());
  std::vector<uint8_t> frame;
  frame.reserve(body.size() + 4);
  PutU32(frame, static_cast<uint32_t>(body.size()));
  frame.insert(frame.end(), body.begin(), body.end());
  return frame;
}

std::optional<BusMessage> DecodeBusFrame(const uint8_t* body, size_t size) {
  if (size < 2) return std::nullopt;
  size_t name_length = GetLE(body, 2);
  size_t at = 2;
  if (size < at + name_length + 8 + 8 + 4) return std::nullopt;
  BusMessage message;
  message.name.assign(reinterpret_cast<const char*>(body + at), name_length);
  at += name_length;
  message.wParam = static_cast<int64_t>(GetLE(body + at, 8));
  at += 8;
  message.lParam = static_cast<int64_t>(GetLE(body + at, 8));
  at += 8;
  size_t data_length = GetLE(body + at, 4);
  at += 4;
  if (size - at != data_length) return std::nullopt;
  message.data.assign(body + at, body + size);
  return message;
}

bool WriteBusFrame(int fd, const BusMessage& message) {
  std::vector<uint8_t> frame = EncodeBusFrame(message);
  if (frame.size() - 4 > kMaxBusFrame) return false;
  const uint8_t* data = frame.data();
  size_t left = frame.size();
  while (left > 0) {
    ssize_t sent = ::send(fd, data, left, MSG_NOSIGNAL);
    if (sent < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == EWOULDBLOCK) {
        // A non-blocking peer socket with a full buffer: give the reader a
        // second, then give up on this message.
        pollfd entry{fd, POLLOUT, 0};
        if (::poll(&entry, 1, 1000) > 0) continue;
      }
      return false;
    }
    data += sent;
    left -= static_cast<size_t>(sent);
  }
  return true;
}

bool ReadBusFrame(int fd, BusMessage& message) {
  uint8_t prefix[4];
  if (!ReadExact(fd, prefix, 4)) return false;
  uint32_t length = static_cast<uint32_t>(GetLE(prefix, 4));
  if (length > kMaxBusFrame) return false;
  std::vector<uint8_t> body(length);
  if (!ReadExact(fd, body.data(), length)) return false;
  auto decoded = DecodeBusFrame(body.data(), body.size());
  if (!decoded) return false;
  message = std::move(*decoded);
  return true;
}

std::string DefaultBusPath() { return RuntimeFolder() + "Tarn.bus"; }

}  // namespace tarn
