// Serves the virtual Tarn keyboard on Unix sockets, as another process
// would, for a Tarn started with the virtual dir that holds them:
//   tarn_virtual_keyboard <dir> [cable|receiver|both]
// creates <dir>/tarn-cable.sock and/or <dir>/tarn-receiver.sock and serves
// until interrupted. Lines on stdin send notifications: "cable 0x0401".
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "emulator/virtual_keyboard.h"
#include "emulator/virtual_socket_server.h"

namespace {

volatile sig_atomic_t g_stop = 0;

void OnSignal(int) { g_stop = 1; }

}  // namespace

int main(int argc, char** argv) {
  using namespace tarn::emu;
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <dir> [cable|receiver|both]\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  const std::string links = argc > 2 ? argv[2] : "cable";
  if (links != "cable" && links != "receiver" && links != "both") {
    std::fprintf(stderr, "links must be cable, receiver or both\n");
    return 2;
  }
  ::mkdir(dir.c_str(), 0700);

  CVirtualBus bus;  // holds the nodes; the sockets are what others see
  CVirtualKeyboard keyboard(links == "receiver" ? KeyboardLink::Receiver : KeyboardLink::Cable);
  std::unique_ptr<CVirtualSocketServer> servers[2];
  const KeyboardLink kinds[2] = {KeyboardLink::Cable, KeyboardLink::Receiver};
  for (int i = 0; i < 2; ++i) {
    const bool wanted = links == "both" || (i == 0 ? links == "cable" : links == "receiver");
    if (!wanted) continue;
    const char* name = i == 0 ? "tarn-cable" : "tarn-receiver";
    keyboard.Plug(bus, kinds[i], name);
    std::string path = dir + "/" + name + ".sock";
    servers[i] = std::make_unique<CVirtualSocketServer>(path, keyboard.Node(kinds[i]));
    if (!servers[i]->IsListening()) {
      std::fprintf(stderr, "cannot listen on %s\n", path.c_str());
      return 1;
    }
    std::printf("serving %s\n", path.c_str());
  }
  std::fflush(stdout);

  struct sigaction action {};
  action.sa_handler = OnSignal;
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
  char line[128];
  while (!g_stop) {
    pollfd in{STDIN_FILENO, POLLIN, 0};
    if (::poll(&in, 1, 200) != 1) continue;
    if (!std::fgets(line, sizeof line, stdin)) {
      ::pause();  // stdin closed: serve until a signal
      continue;
    }
    char which[16] = {};
    unsigned value = 0;
    if (std::sscanf(line, "%15s %x", which, &value) != 2 || value > 0xFFFF) {
      std::fprintf(stderr, "expected: cable|receiver <hex value>\n");
      continue;
    }
    keyboard.Notify(std::strcmp(which, "receiver") == 0 ? KeyboardLink::Receiver : KeyboardLink::Cable,
                    static_cast<uint16_t>(value));
  }
  return 0;
}
