// Round trips of one command frame to the virtual keyboard: through the
// command channel and HID transport, and over the very same kind of socket
// connection driven by hand. Prints both and the share our layers add.
//   bench_device_exchange [exchanges]
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "device/device_channel.h"
#include "device/hid_path.h"
#include "emulator/virtual_keyboard.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Result {
  double perSecond = 0;
  double p99Us = 0;
  double meanUs = 0;
  int failures = 0;
};

template <typename Once>
Result Measure(int count, Once once) {
  std::vector<double> us;
  us.reserve(static_cast<size_t>(count));
  Result r;
  auto start = Clock::now();
  for (int i = 0; i < count; ++i) {
    auto t0 = Clock::now();
    if (!once()) ++r.failures;
    us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
  }
  double total = std::chrono::duration<double>(Clock::now() - start).count();
  std::sort(us.begin(), us.end());
  r.perSecond = count / total;
  r.p99Us = us[static_cast<size_t>(count * 0.99)];
  double sum = 0;
  for (double v : us) sum += v;
  r.meanUs = sum / count;
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(100, std::atoi(argv[1])) : 20000;
  tarn::emu::CVirtualBus bus;
  tarn::emu::CVirtualKeyboard keyboard;
  std::string node = keyboard.Plug(bus, tarn::emu::KeyboardLink::Cable, "bench");

  tarn::CDeviceChannel channel;
  if (!channel.OpenLink(false, tarn::MakeHidInterfacePath(0x320F, 0x5055, 1, 4, node))) {
    std::fprintf(stderr, "cannot open the virtual keyboard\n");
    return 1;
  }
  channel.SetLinkMode(1);
  channel.m_bOpen = 1;
  const tarn::Frame request = tarn::BuildFrame(0x1A, nullptr, 6, 0);  // power status

  tarn::HidNodeInfo info;
  int raw = bus.OpenNode(node, info);
  if (raw < 0) {
    std::fprintf(stderr, "cannot connect to the virtual keyboard\n");
    return 1;
  }
  auto rawOnce = [&] {
    if (::send(raw, request.data(), request.size(), MSG_NOSIGNAL) != 64) return false;
    uint8_t reply[64];
    pollfd p{raw, POLLIN, 0};
    if (::poll(&p, 1, 1000) != 1) return false;
    return ::recv(raw, reply, sizeof reply, 0) == 64 && reply[3] == 0x1A;
  };
  auto channelOnce = [&] {
    uint8_t reply[64];
    uint32_t n = 0;
    return channel.Exchange(request.data(), request.size(), reply, sizeof reply, n) == 1;
  };

  // Warm both paths, then alternate rounds so drift hits both alike.
  Measure(count / 10, rawOnce);
  Measure(count / 10, channelOnce);
  Result rawResult, ourResult;
  const int rounds = 4;
  for (int round = 0; round < rounds; ++round) {
    Result a = Measure(count / rounds, rawOnce);
    Result b = Measure(count / rounds, channelOnce);
    rawResult.perSecond += a.perSecond / rounds;
    rawResult.p99Us = std::max(rawResult.p99Us, a.p99Us);
    rawResult.meanUs += a.meanUs / rounds;
    rawResult.failures += a.failures;
    ourResult.perSecond += b.perSecond / rounds;
    ourResult.p99Us = std::max(ourResult.p99Us, b.p99Us);
    ourResult.meanUs += b.meanUs / rounds;
    ourResult.failures += b.failures;
  }
  ::close(raw);

  std::printf("%-28s %12s %10s %10s %9s\n", "path", "exchanges/s", "mean us", "p99 us", "failures");
  std::printf("%-28s %12.0f %10.1f %10.1f %9d\n", "raw socket", rawResult.perSecond, rawResult.meanUs,
              rawResult.p99Us, rawResult.failures);
  std::printf("%-28s %12.0f %10.1f %10.1f %9d\n", "channel + HID transport", ourResult.perSecond, ourResult.meanUs,
              ourResult.p99Us, ourResult.failures);
  double added = (ourResult.meanUs / rawResult.meanUs - 1.0) * 100.0;
  std::printf("time added by our layers: %.1f %% (goal: under 10 %%)\n", added);
  return rawResult.failures + ourResult.failures == 0 ? 0 : 1;
}
