#include "device/hid_path.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

struct PathCase {
  const char* path;
  uint16_t vid, pid, iface, collection;
};

TEST(HidPath, ReadsEveryMarkerInEitherCase) {
  const PathCase cases[] = {
      {"hid#vid_320f&pid_5055&mi_01&col04#/dev/hidraw3", 0x320F, 0x5055, 1, 4},
      {"\\\\?\\HID#VID_320F&PID_5088&MI_01&COL03#7&1a2b&0&0002#{4d1e55b2}", 0x320F, 0x5088, 1, 3},
      {"hid#vid_0c76&pid_1234&mi_03#/dev/hidraw0", 0x0C76, 0x1234, 3, 0},  // no collection marker
      {"hid#vid_320f&pid_5055#virtual/bus1/kb", 0x320F, 0x5055, 0, 0},    // neither interface nor collection
      {"HID#Vid_AbCd&Pid_eF01&Mi_0a&Col1f#x", 0xABCD, 0xEF01, 0x0A, 0x1F},
      {"no markers at all", 0, 0, 0, 0},
      {"hid#vid_&pid_zz#x", 0, 0, 0, 0},  // markers without digits
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(GetVidFromPath(c.path), c.vid);
    EXPECT_EQ(GetPidFromPath(c.path), c.pid);
    EXPECT_EQ(GetInterfaceFromPath(c.path), c.iface);
    EXPECT_EQ(GetCollectionFromPath(c.path), c.collection);
  }
}

TEST(HidPath, BuiltPathsParseBackAndKeepTheirNode) {
  std::string path = MakeHidInterfacePath(0x320F, 0x5055, 1, 4, "/dev/hidraw7");
  EXPECT_EQ(path, "hid#vid_320f&pid_5055&mi_01&col04#/dev/hidraw7");
  EXPECT_EQ(NodeFromHidPath(path), "/dev/hidraw7");

  // A node name that itself holds '#' and markers stays whole.
  path = MakeHidInterfacePath(0x1, 0x2, -1, 0, "/run/x#y&col09.sock");
  EXPECT_EQ(path, "hid#vid_0001&pid_0002#/run/x#y&col09.sock");
  EXPECT_EQ(NodeFromHidPath(path), "/run/x#y&col09.sock");
  EXPECT_EQ(GetInterfaceFromPath(path), 0);

  EXPECT_EQ(NodeFromHidPath("/dev/hidraw2"), "/dev/hidraw2");
}

}  // namespace
}  // namespace tarn
