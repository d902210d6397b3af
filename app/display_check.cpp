// Kept apart from Qt: the X11 headers define names Qt's headers use.
#include "app/display_check.h"

#include <X11/Xlib.h>

#include <cstdlib>

namespace tarn {
namespace {

// Held until the toolkit has its own connection: an X server started
// without -noreset resets when its last client leaves, and would refuse the
// toolkit for a moment right after the probe closed.
Display* g_probe = nullptr;

}  // namespace

void ReleaseDisplayProbe() {
  if (g_probe != nullptr) XCloseDisplay(g_probe);
  g_probe = nullptr;
}

namespace {

bool X11Available(std::string& reason, bool keepOpen) {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || display[0] == '\0') {
    reason = "no display (DISPLAY is not set); Tarn needs a graphical session";
    return false;
  }
  Display* connection = XOpenDisplay(display);
  if (connection == nullptr) {
    reason = std::string("cannot open display ") + display;
    return false;
  }
  ReleaseDisplayProbe();
  if (keepOpen) {
    g_probe = connection;
  } else {
    XCloseDisplay(connection);
  }
  return true;
}

bool WaylandAvailable(std::string& reason) {
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (wayland == nullptr || wayland[0] == '\0') {
    reason = "no Wayland display (WAYLAND_DISPLAY is not set)";
    return false;
  }
  return true;
}

}  // namespace

bool DisplayAvailable(std::string& reason, bool keepOpen) {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  std::string list = platform != nullptr ? platform : "";
  // Without a choice Qt takes X11 here. A list ("wayland;xcb") is tried in
  // order, so one usable entry is enough.
  if (list.empty()) return X11Available(reason, keepOpen);
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(';', start);
    std::string entry = list.substr(start, end == std::string::npos ? std::string::npos : end - start);
    std::string name = entry.substr(0, entry.find(':'));  // "xcb:option" names xcb
    if (name == "xcb") {
      if (X11Available(reason, keepOpen)) return true;
    } else if (name.rfind("wayland", 0) == 0) {
      if (WaylandAvailable(reason)) return true;
    } else if (!name.empty()) {
      return true;  // offscreen, vnc, ... need no display of ours
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return false;
}

}  // namespace tarn
