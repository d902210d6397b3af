#include "keyset/key_capture.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <set>
#include <string>

#include "keyset/catalogue_tables.h"
#include "keyset/linux_key_map.h"

namespace tarn {
namespace {

TEST(KeyCapture, ModifierCheckBoxes) {
  const int checkOfRow[8] = {1, 2, 3, 4, 1, 2, 3, 4};
  for (int row = 0; row < 8; ++row) EXPECT_EQ(ModifierCheckOfRow(row), checkOfRow[row]) << row;
  EXPECT_EQ(ModifierCheckOfRow(8), -1);
  EXPECT_EQ(ModifierCheckOfRow(-1), -1);
  const uint8_t bitOfCheck[] = {0, 0x01, 0x02, 0x04, 0x08, 0};
  for (int check = 0; check <= 5; ++check) EXPECT_EQ(ModifierBitOfCheck(check), bitOfCheck[check]) << check;
  EXPECT_EQ(ModifierBitOfCheck(-1), 0);
}

// Captures through the Linux key codes, as the capture backends report them.
TEST(KeyCapture, LinuxKeysEncodeAsOnAPc) {
  struct Case {
    uint16_t linuxKey;
    int currentCheck;  // -1: none chosen yet
    int check;
    const char* keyText;
    KeyFunction f;
  };
  const Case cases[] = {
      {KEY_A, -1, 0, "keyboard_key_A", {0x20, 0x00, 0x04}},
      {KEY_A, 1, 1, "keyboard_key_A", {0x20, 0x01, 0x04}},
      {KEY_F12, 4, 4, "keyboard_key_F12", {0x20, 0x08, 0x45}},
      {KEY_ENTER, 0, 0, "keyboard_key_Enter", {0x20, 0x00, 0x28}},
      {KEY_KPENTER, 0, 0, "keyboard_key_Num Enter", {0x20, 0x00, 0x58}},
      {KEY_UP, 2, 2, "keyboard_key_Up", {0x20, 0x02, 0x52}},
      {KEY_KP8, 2, 2, "keyboard_key_Num 8", {0x20, 0x02, 0x60}},
      {KEY_LEFT, -1, 0, "keyboard_key_Left", {0x20, 0x00, 0x50}},
      {KEY_KP4, -1, 0, "keyboard_key_Num 4", {0x20, 0x00, 0x5C}},
      {KEY_HOME, -1, 0, "keyboard_key_Home", {0x20, 0x00, 0x4A}},
      {KEY_KP7, -1, 0, "keyboard_key_Num 7", {0x20, 0x00, 0x5F}},
      {KEY_SLASH, -1, 0, "keyboard_key_/", {0x20, 0x00, 0x38}},
      {KEY_KPSLASH, -1, 0, "keyboard_key_Num /", {0x20, 0x00, 0x54}},
      {KEY_SYSRQ, -1, 0, "keyboard_key_Print Scr", {0x20, 0x00, 0x46}},
      {KEY_KPASTERISK, -1, 0, "keyboard_key_Num *", {0x20, 0x00, 0x55}},
      {KEY_PAUSE, -1, 0, "keyboard_key_Pause", {0x20, 0x00, 0x48}},
      {KEY_NUMLOCK, -1, 0, "keyboard_key_Num Lock", {0x20, 0x00, 0x53}},
      {KEY_COMPOSE, -1, 0, "keyboard_key_App", {0x20, 0x00, 0x65}},
      {KEY_102ND, -1, 0, "keyboard_key_K45", {0x20, 0x00, 0x64}},
      // Modifiers choose a check box, clear the key text and store the
      // left-hand bit whichever side was pressed.
      {KEY_LEFTCTRL, -1, 1, "", {0x20, 0x01, 0x00}},
      {KEY_RIGHTCTRL, 3, 1, "", {0x20, 0x01, 0x00}},
      {KEY_RIGHTALT, -1, 3, "", {0x20, 0x04, 0x00}},
      {KEY_LEFTALT, 2, 3, "", {0x20, 0x04, 0x00}},
      {KEY_RIGHTSHIFT, -1, 2, "", {0x20, 0x02, 0x00}},
      {KEY_RIGHTMETA, -1, 4, "", {0x20, 0x08, 0x00}},
  };
  for (const Case& c : cases) {
    const std::optional<ScanCode> scan = ScanCodeOfLinuxKey(c.linuxKey);
    ASSERT_TRUE(scan.has_value()) << c.linuxKey;
    const std::optional<KeyCapture> capture = CaptureKeystroke(*scan, c.currentCheck);
    ASSERT_TRUE(capture.has_value()) << c.linuxKey;
    EXPECT_EQ(capture->modifierCheck, c.check) << c.linuxKey;
    EXPECT_STREQ(capture->keyText, c.keyText) << c.linuxKey;
    EXPECT_EQ(capture->function, c.f) << c.linuxKey;
    EXPECT_EQ(capture->modifier, c.keyText[0] == '\0') << c.linuxKey;
  }
}

TEST(KeyCapture, KeysTheCatalogueCannotCaptureGiveNothing) {
  for (int key : {KEY_VOLUMEUP, KEY_PLAYPAUSE, KEY_FN, KEY_RESERVED, BTN_LEFT, 0xFFFF}) {
    EXPECT_FALSE(ScanCodeOfLinuxKey(static_cast<uint16_t>(key)).has_value()) << key;
  }
  EXPECT_FALSE(CaptureKeystroke(ScanCode{0x7F, false}, 0).has_value());
  EXPECT_FALSE(CaptureKeystroke(ScanCode{0x1E, true}, 0).has_value());  // A has no extended form
}

TEST(KeyCapture, X11KeycodesAreKernelCodesPlusEight) {
  EXPECT_EQ(LinuxKeyOfX11Keycode(38), KEY_A);
  EXPECT_EQ(LinuxKeyOfX11Keycode(104), KEY_KPENTER);
  EXPECT_EQ(LinuxKeyOfX11Keycode(3), 0);
}

// The kernel's HID keyboard usage -> key code table (hid-input), usages 0x00
// to 0x9F. The catalogue gives every capturable key's HID usage, so this is an
// independent path from a catalogue row to its Linux key.
constexpr uint8_t kU = 0;  // no key
constexpr uint8_t kHidKeyboardToLinux[0xA0] = {
    0,   0,   0,   0,   30,  48,  46,  32,  18,  33,  34,  35,  23,  36,  37,  38,
    50,  49,  24,  25,  16,  19,  31,  20,  22,  47,  17,  45,  21,  44,  2,   3,
    4,   5,   6,   7,   8,   9,   10,  11,  28,  1,   14,  15,  57,  12,  13,  26,
    27,  43,  43,  39,  40,  41,  51,  52,  53,  58,  59,  60,  61,  62,  63,  64,
    65,  66,  67,  68,  87,  88,  99,  70,  119, 110, 102, 104, 111, 107, 109, 106,
    105, 108, 103, 69,  98,  55,  74,  78,  96,  79,  80,  81,  75,  76,  77,  71,
    72,  73,  82,  83,  86,  127, 116, 117, 183, 184, 185, 186, 187, 188, 189, 190,
    191, 192, 193, 194, 134, 138, 130, 132, 128, 129, 131, 137, 133, 135, 136, 113,
    115, 114, kU,  kU,  kU,  121, kU,  89,  93,  124, 92,  94,  95,  kU,  kU,  kU,
    122, 123, 90,  91,  85,  kU,  kU,  kU,  kU,  kU,  kU,  kU,  111, kU,  kU,  kU,
};
// Modifier bit n is HID usage 0xE0 + n.
constexpr uint16_t kHidModifierToLinux[8] = {29, 42, 56, 125, 97, 54, 100, 126};

TEST(LinuxKeyMap, EveryCapturableRowIsReachedThroughItsHidUsage) {
  EXPECT_EQ(LinuxKeyCount(), static_cast<size_t>(kCaptureRowCount));
  std::set<uint16_t> keys;
  for (size_t i = 0; i < LinuxKeyCount(); ++i) EXPECT_TRUE(keys.insert(LinuxKeyAt(i)).second) << LinuxKeyAt(i);

  for (int row = 0; row < kCaptureRowCount; ++row) {
    const KeyboardKeyRow& r = kKeyboardKeyTable[row];
    uint16_t linuxKey = 0;
    if (row < kModifierRowCount) {
      linuxKey = kHidModifierToLinux[row];
    } else {
      ASSERT_LT(r.function.param2, sizeof kHidKeyboardToLinux) << r.nameId;
      linuxKey = kHidKeyboardToLinux[r.function.param2];
    }
    ASSERT_NE(linuxKey, 0) << r.nameId;
    const std::optional<ScanCode> scan = ScanCodeOfLinuxKey(linuxKey);
    ASSERT_TRUE(scan.has_value()) << r.nameId;
    EXPECT_EQ(FindCaptureRow(*scan), row) << r.nameId;
    EXPECT_EQ(LinuxKeyOfScanCode(*scan), linuxKey) << r.nameId;
  }
}

}  // namespace
}  // namespace tarn
