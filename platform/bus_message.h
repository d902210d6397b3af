#pragma once
// One message on the local message bus: a name, two integers and optional
// bytes. The wire frame is described in docs/message-bus.md.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarn {

struct BusMessage {
  std::string name;
  int64_t wParam = 0;
  int64_t lParam = 0;
  std::vector<uint8_t> data;
};

// The largest frame either side accepts; a larger one closes the connection.
constexpr uint32_t kMaxBusFrame = 16u * 1024u * 1024u;
// The first message a peer sends to give itself a name (bytes = the name).
constexpr const char* kBusHelloName = "@hello";

// Serialises a message as one frame (length prefix included).
std::vector<uint8_t> EncodeBusFrame(const BusMessage& message);

// Parses the body of one frame (the bytes after the length prefix).
std::optional<BusMessage> DecodeBusFrame(const uint8_t* body, size_t size);

// Blocking helpers on a stream socket. WriteBusFrame never raises SIGPIPE.
bool WriteBusFrame(int fd, const BusMessage& message);
// Reads one frame; false on end of stream, error or a malformed frame.
bool ReadBusFrame(int fd, BusMessage& message);

// The bus socket of this user's running instance.
std::string DefaultBusPath();

}  // namespace tarn
