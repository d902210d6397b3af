#include "app/pages/virtual_devices.h"

#include <cstring>
#include <memory>
#include <mutex>

#include "emulator/virtual_bus.h"
#include "emulator/virtual_keyboard.h"
#include "platform/debug_output.h"

namespace tarn {
namespace {

struct VirtualDevices {
  std::unique_ptr<emu::CVirtualBus> bus;
  std::unique_ptr<emu::CVirtualKeyboard> keyboard;
};

std::mutex g_mutex;
VirtualDevices* g_devices = nullptr;
std::string g_error;

bool Value(const char* arg, const char* option, std::string& value) {
  size_t n = std::strlen(option);
  if (std::strncmp(arg, option, n) != 0 || arg[n] != '=') return false;
  value = arg + n + 1;
  return true;
}

}  // namespace

bool SetUpVirtualDevices(int argc, char** argv) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_error.clear();
  std::string links, dir;
  bool wantKeyboard = false, wantDir = false;
  for (int i = 1; i < argc && argv[i]; ++i) {
    std::string value;
    if (Value(argv[i], "--virtual-keyboard", value)) {
      links = value;
      wantKeyboard = true;
    } else if (Value(argv[i], "--virtual-dir", value)) {
      dir = value;
      wantDir = true;
    }
  }
  if (wantKeyboard && links != "cable" && links != "receiver" && links != "both") {
    g_error = "--virtual-keyboard takes cable, receiver or both";
    return false;
  }
  if (wantDir && dir.empty()) {
    g_error = "--virtual-dir needs a folder";
    return false;
  }
  if (!wantKeyboard && !wantDir) return true;
  if (!g_devices) {
    g_devices = new VirtualDevices();
    std::atexit([] { TearDownVirtualDevices(); });
  }
  g_devices->keyboard.reset();
  g_devices->bus = std::make_unique<emu::CVirtualBus>(dir);
  if (wantKeyboard) {
    const bool receiverOnly = links == "receiver";
    g_devices->keyboard = std::make_unique<emu::CVirtualKeyboard>(receiverOnly ? emu::KeyboardLink::Receiver
                                                                               : emu::KeyboardLink::Cable);
    if (links != "receiver") g_devices->keyboard->Plug(*g_devices->bus, emu::KeyboardLink::Cable, "keyboard-cable");
    if (links != "cable")
      g_devices->keyboard->Plug(*g_devices->bus, emu::KeyboardLink::Receiver, "keyboard-receiver");
    DebugOutputF("virtual keyboard: %s", links.c_str());
  }
  return true;
}

void TearDownVirtualDevices() {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (!g_devices) return;
  g_devices->keyboard.reset();
  g_devices->bus.reset();
  delete g_devices;
  g_devices = nullptr;
}

const std::string& VirtualDevicesError() { return g_error; }

}  // namespace tarn
