// Serves the emulated Tarn keyboard as device sockets in a folder (the
// virtual dir a running program lists with --virtual-dir). Reads commands
// on standard input: "plug cable", "plug receiver", "unplug cable",
// "unplug receiver", "off", "on", "battery N", "charging N",
// "notify cable|receiver VALUE" (e.g. 0x0401), "quit".
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "emulator/virtual_bus.h"
#include "emulator/virtual_keyboard.h"
#include "emulator/virtual_socket_server.h"
#include "platform/paths.h"

using tarn::emu::KeyboardLink;

namespace {

const char* LinkName(KeyboardLink link) { return link == KeyboardLink::Cable ? "cable" : "receiver"; }

bool ParseLink(const std::string& word, KeyboardLink& link) {
  if (word == "cable") {
    link = KeyboardLink::Cable;
    return true;
  }
  if (word == "receiver") {
    link = KeyboardLink::Receiver;
    return true;
  }
  return false;
}

class CServedKeyboard {
 public:
  explicit CServedKeyboard(std::string dir) : m_dir(std::move(dir)) {}
  ~CServedKeyboard() {
    Unplug(KeyboardLink::Cable);
    Unplug(KeyboardLink::Receiver);
  }

  bool Plug(KeyboardLink link) {
    Unplug(link);
    m_keyboard.Plug(m_bus, link, std::string("keyboard-") + LinkName(link));
    auto server = std::make_unique<tarn::emu::CVirtualSocketServer>(SocketPath(link), m_keyboard.Node(link));
    if (!server->IsListening()) {
      m_keyboard.Unplug(link);
      return false;
    }
    m_servers[link] = std::move(server);
    return true;
  }
  void Unplug(KeyboardLink link) {
    m_servers.erase(link);  // removes the socket: the device is gone for the program
    m_keyboard.Unplug(link);
  }
  void SetOn(bool on) {
    m_keyboard.WithFirmware([on](tarn::emu::CKeyboardFirmware& f) { f.SetKeyboardOn(on); });
  }
  void SetBattery(int level) {
    m_keyboard.WithFirmware([level](tarn::emu::CKeyboardFirmware& f) {
      f.SetPowerStatus(static_cast<uint8_t>(level), f.PowerStatus()[1]);
    });
  }
  void SetCharging(int state) {
    m_keyboard.WithFirmware([state](tarn::emu::CKeyboardFirmware& f) {
      f.SetPowerStatus(f.PowerStatus()[0], static_cast<uint8_t>(state));
    });
  }
  void Notify(KeyboardLink link, uint16_t value) { m_keyboard.Notify(link, value); }
  std::string SocketPath(KeyboardLink link) const { return m_dir + "/keyboard-" + LinkName(link) + ".sock"; }

 private:
  std::string m_dir;
  tarn::emu::CVirtualBus m_bus;
  tarn::emu::CVirtualKeyboard m_keyboard;
  std::map<KeyboardLink, std::unique_ptr<tarn::emu::CVirtualSocketServer>> m_servers;
};

void Usage() {
  std::fprintf(stderr,
               "usage: tarn-vkbd --dir=FOLDER [--plug=cable|receiver|both|none]\n"
               "commands on standard input: plug cable|receiver, unplug cable|receiver, off, on,\n"
               "battery 0-255, charging 0|1|2, notify cable|receiver VALUE, quit\n");
}

bool ParseNumber(const std::string& text, int low, int high, int& value) {
  char* end = nullptr;
  long n = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != 0 || n < low || n > high) return false;
  value = static_cast<int>(n);
  return true;
}

// A 16-bit notification value, decimal or 0x hexadecimal.
bool ParseValue(const std::string& text, int& value) {
  char* end = nullptr;
  long n = std::strtol(text.c_str(), &end, 0);
  if (text.empty() || *end != 0 || n < 0 || n > 0xFFFF) return false;
  value = static_cast<int>(n);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string dir, plug = "cable";
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--dir=", 6) == 0) {
      dir = argv[i] + 6;
    } else if (std::strncmp(argv[i], "--plug=", 7) == 0) {
      plug = argv[i] + 7;
    } else {
      Usage();
      return 2;
    }
  }
  if (dir.empty() || (plug != "cable" && plug != "receiver" && plug != "both" && plug != "none")) {
    Usage();
    return 2;
  }
  if (!tarn::EnsureFolder(dir)) {
    std::fprintf(stderr, "tarn-vkbd: cannot make the folder %s\n", dir.c_str());
    return 1;
  }
  CServedKeyboard keyboard(dir);
  for (KeyboardLink link : {KeyboardLink::Cable, KeyboardLink::Receiver}) {
    if (plug != "both" && plug != LinkName(link)) continue;
    if (!keyboard.Plug(link)) {
      std::fprintf(stderr, "tarn-vkbd: cannot serve %s\n", keyboard.SocketPath(link).c_str());
      return 1;
    }
    std::printf("serving %s\n", keyboard.SocketPath(link).c_str());
  }
  std::fflush(stdout);

  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream words(line);
    std::string command, argument, value;
    words >> command >> argument >> value;
    KeyboardLink link;
    int number = 0;
    bool ok = true;
    if (command.empty()) {
      continue;
    } else if (command == "quit" || command == "exit") {
      break;
    } else if (command == "plug" && ParseLink(argument, link)) {
      ok = keyboard.Plug(link);
    } else if (command == "unplug" && ParseLink(argument, link)) {
      keyboard.Unplug(link);
    } else if (command == "off" || command == "on") {
      keyboard.SetOn(command == "on");
    } else if (command == "battery" && ParseNumber(argument, 0, 255, number)) {
      keyboard.SetBattery(number);
    } else if (command == "charging" && ParseNumber(argument, 0, 2, number)) {
      keyboard.SetCharging(number);
    } else if (command == "notify" && ParseLink(argument, link) && ParseValue(value, number)) {
      keyboard.Notify(link, static_cast<uint16_t>(number));
    } else {
      std::printf("unknown command: %s\n", line.c_str());
      std::fflush(stdout);
      continue;
    }
    std::printf(ok ? "ok\n" : "failed\n");
    std::fflush(stdout);
  }
  return 0;
}
