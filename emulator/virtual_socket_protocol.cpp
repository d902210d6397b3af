#include "emulator/virtual_socket_protocol.h"

#include <cstring>

namespace tarn::emu {
namespace {

void PutLe16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

uint16_t GetLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

}  // namespace

std::vector<uint8_t> EncodeVirtualHello(const HidNodeInfo& info) {
  std::vector<uint8_t> out(kVirtualSocketMagic, kVirtualSocketMagic + sizeof kVirtualSocketMagic);
  PutLe16(out, info.vendorId);
  PutLe16(out, info.productId);
  PutLe16(out, info.versionNumber);
  PutLe16(out, static_cast<uint16_t>(static_cast<int16_t>(info.interfaceNumber)));
  out.insert(out.end(), info.reportDescriptor.begin(), info.reportDescriptor.end());
  return out;
}

bool DecodeVirtualHello(const uint8_t* data, size_t length, HidNodeInfo& info) {
  if (length < kVirtualHelloHeaderLength || std::memcmp(data, kVirtualSocketMagic, sizeof kVirtualSocketMagic) != 0)
    return false;
  info.vendorId = GetLe16(data + 8);
  info.productId = GetLe16(data + 10);
  info.versionNumber = GetLe16(data + 12);
  info.interfaceNumber = static_cast<int16_t>(GetLe16(data + 14));
  info.reportDescriptor.assign(data + kVirtualHelloHeaderLength, data + length);
  return true;
}

}  // namespace tarn::emu
