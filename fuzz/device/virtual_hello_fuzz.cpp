// The greeting of a virtual device socket comes from another process.
#include <cstddef>
#include <cstdint>

#include "emulator/virtual_socket_protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tarn::HidNodeInfo info;
  if (tarn::emu::DecodeVirtualHello(data, size, info)) {
    auto again = tarn::emu::EncodeVirtualHello(info);
    (void)again;
  }
  return 0;
}
