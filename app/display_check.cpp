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

bool DisplayAvailable(std::string& reason, bool keepOpen) {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  std::string name = platform != nullptr ? platform : "";
  if (!name.empty() && name.rfind("xcb", 0) != 0) {
    if (name.rfind("wayland", 0) == 0) {
      const char* wayland = std::getenv("WAYLAND_DISPLAY");
      if (wayland == nullptr || wayland[0] == '\0') {
        reason = "no Wayland display (WAYLAND_DISPLAY is not set)";
        return false;
      }
    }
    return true;  // offscreen, vnc, ... need no display of ours
  }
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

}  // namespace tarn
