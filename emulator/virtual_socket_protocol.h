#pragma once
// The greeting a virtual device sends first on every connection of its Unix
// socket (docs/virtual-device-socket.md): magic, identity, report descriptor.
#include <cstdint>
#include <vector>

#include "device/hid_node_source.h"

namespace tarn::emu {

constexpr char kVirtualSocketMagic[8] = {'T', 'A', 'R', 'N', 'H', 'I', 'D', '1'};
constexpr size_t kVirtualHelloHeaderLength = 16;

std::vector<uint8_t> EncodeVirtualHello(const HidNodeInfo& info);
bool DecodeVirtualHello(const uint8_t* data, size_t length, HidNodeInfo& info);

}  // namespace tarn::emu
