#include "keyset/catalogue_tables.h"

#include <algorithm>

namespace tarn {

// clang-format off
const std::array<FunctionTypeRow, 18> kFunctionTypeTable = {{
    {kFnNone,             0,  "none"},
    {kFnMouseButton,      1,  "mouse button"},
    {kFnMouseMove,        2,  "mouse movement left or right"},
    {kFnWheel,            3,  "wheel movement up or down"},
    {kFnDpiStep,          4,  "DPI step"},
    {kFnFireKey,          5,  "fire key"},
    {kFnDpiShift,         -1, "DPI shift"},
    {kFnKeyboardKey,      6,  "keyboard key"},
    {kFnOfficeFunction,   -1, "office function by number"},
    {kFnShowWindow,       -1, "show the main window"},
    {kFnConsumer,         7,  "consumer control"},
    {kFnSystem,           8,  "system control"},
    {kFnMacro,            9,  "macro"},
    {kFnMacroRepeat,      9,  "macro repeated a number of times"},
    {kFnRecoil,           10, "recoil pattern"},
    {kFnKeyboardFunction, -1, "keyboard function"},
    {kFnShortcutPage,     11, "shortcut page without a chosen shortcut"},
    {kFnOnBoardMacro,     -1, "on-board macro key"},
}};

const std::array<uint8_t, 6> kCaptionKeepingTypes = {0x15, 0x21, 0x50, 0x60, 0xB0, 0xC0};

const std::array<NamedFunctionRow, 5> kMouseButtonTable = {{
    {{0x10, 0x01, 0x00}, "mouse_key_left"},
    {{0x10, 0x04, 0x00}, "mouse_key_middle"},
    {{0x10, 0x02, 0x00}, "mouse_key_right"},
    {{0x10, 0x10, 0x00}, "mouse_key_forward"},
    {{0x10, 0x08, 0x00}, "mouse_key_back"},
}};

const std::array<NamedFunctionRow, 3> kDpiTable = {{
    {{0x13, 0x01, 0x00}, "mouse_key_DPI_add"},
    {{0x13, 0x02, 0x00}, "mouse_key_DPI_sub"},
    {{0x13, 0x03, 0x00}, "mouse_key_DPI_loop"},
}};

// Consumer page usages, low byte first.
const std::array<NamedFunctionRow, 18> kMediaTable = {{
    {{0x30, 0x83, 0x01}, "media_text"},     // 0x0183 media player
    {{0x30, 0xCD, 0x00}, "media_play"},     // 0x00CD play/pause
    {{0x30, 0xB7, 0x00}, "media_stop"},     // 0x00B7 stop
    {{0x30, 0xB6, 0x00}, "media_prev"},     // 0x00B6 previous track
    {{0x30, 0xB5, 0x00}, "media_next"},     // 0x00B5 next track
    {{0x30, 0xEA, 0x00}, "media_vol_sub"},  // 0x00EA volume down
    {{0x30, 0xE9, 0x00}, "media_vol_add"},  // 0x00E9 volume up
    {{0x30, 0xE2, 0x00}, "media_mute"},     // 0x00E2 mute
    {{0x30, 0x23, 0x02}, "web_text"},       // 0x0223 browser home
    {{0x30, 0x27, 0x02}, "web_refresh"},    // 0x0227 browser refresh
    {{0x30, 0x26, 0x02}, "wed_stop"},       // 0x0226 browser stop
    {{0x30, 0x24, 0x02}, "wed_back"},       // 0x0224 browser back
    {{0x30, 0x25, 0x02}, "wed_forward"},    // 0x0225 browser forward
    {{0x30, 0x2A, 0x02}, "wed_favorite"},   // 0x022A bookmarks
    {{0x30, 0x21, 0x02}, "web_search"},     // 0x0221 search
    {{0x30, 0x94, 0x01}, "media_mypc"},     // 0x0194 file browser
    {{0x30, 0x92, 0x01}, "media_calc"},     // 0x0192 calculator
    {{0x30, 0x8A, 0x01}, "media_mail"},     // 0x018A e-mail
}};

const std::array<NamedFunctionRow, 3> kSystemTable = {{
    {{0x40, 0x01, 0x00}, "system_power"},
    {{0x40, 0x02, 0x00}, "system_sleep"},
    {{0x40, 0x04, 0x00}, "system_wake_up"},
}};

const std::array<NamedFunctionRow, 11> kOfficeShortcutTable = {{
    {{0x20, 0x10, 0x12}, "custem_open"},        // O
    {{0x20, 0x10, 0x11}, "custem_new"},         // N
    {{0x20, 0x10, 0x1D}, "custem_undo"},        // Z
    {{0x20, 0x10, 0x16}, "custem_save"},        // S
    {{0x20, 0x10, 0x06}, "custem_copy"},        // C
    {{0x20, 0x10, 0x1B}, "custem_cut"},         // X
    {{0x20, 0x10, 0x19}, "custem_paste"},       // V
    {{0x20, 0x10, 0x09}, "custem_find"},        // F
    {{0x20, 0x10, 0x04}, "custem_select_all"},  // A
    {{0x20, 0x10, 0x2D}, "custem_narrow"},      // minus
    {{0x20, 0x10, 0x2E}, "custem_magnify"},     // equals
}};

const std::array<NamedFunctionRow, 9> kOfficeFunctionTable = {{
    {{0x22, 0x00, 0x00}, "custem_open"},
    {{0x22, 0x01, 0x00}, "custem_new"},
    {{0x22, 0x02, 0x00}, "custem_undo"},
    {{0x22, 0x03, 0x00}, "custem_save"},
    {{0x22, 0x04, 0x00}, "custem_copy"},
    {{0x22, 0x05, 0x00}, "custem_cut"},
    {{0x22, 0x06, 0x00}, "custem_paste"},
    {{0x22, 0x07, 0x00}, "custem_find"},
    {{0x22, 0x08, 0x00}, "custem_select_all"},
}};

// Rows 0-4 are never reached for type 0x10, whose names come from the mouse
// button table; they stay so the rows keep their numbers.
const std::array<NamedFunctionRow, 15> kMouseFunctionTable = {{
    {{0x10, 0x01, 0x00}, "mouse_key_left"},
    {{0x10, 0x02, 0x00}, "mouse_key_middle"},
    {{0x10, 0x04, 0x00}, "mouse_key_right"},
    {{0x10, 0x10, 0x00}, "mouse_key_forward"},
    {{0x10, 0x08, 0x00}, "mouse_key_back"},
    {{0x14, 0x50, 0x02}, "mouse_key_fire_key"},
    {{0x20, 0x00, 0x00}, "mouse_key_shortcut_key"},
    {{0x20, 0x80, 0x00}, "win_key_text"},
    {{0xA0, 0x02, 0x00}, "mouse_key_smart_key"},
    {{0xA0, 0x00, 0x00}, "close_text"},
    {{0x13, 0x03, 0x00}, "mouse_key_DPI_loop"},
    {{0x13, 0x01, 0x00}, "mouse_key_DPI_add"},
    {{0x13, 0x02, 0x00}, "mouse_key_DPI_sub"},
    {{0x16, 0x00, 0x00}, "mouse_key_DPI_shift"},
    {{0x23, 0x00, 0x00}, "show_window"},
}};

const std::array<const char*, 4> kRecoilPatternNames = {"gun_1_txt", "gun_2_txt", "gun_3_txt", "gun_4_txt"};

// Name ids with spaces and odd spellings are the ids the language files use.
//   name id                               vkey   scan   ext    function           row
const std::array<KeyboardKeyRow, 142> kKeyboardKeyTable = {{
    {"keyboard_key_LCtrl",                0xA2,  0x1D,  0,     {0x20, 0x01, 0x00}},  // 0
    {"keyboard_key_LShift",               0xA0,  0x2A,  0,     {0x20, 0x02, 0x00}},  // 1
    {"keyboard_key_LAlt",                 0xA4,  0x38,  0,     {0x20, 0x04, 0x00}},  // 2
    {"keyboard_key_LWin",                 0x5B,  0x5B,  1,     {0x20, 0x08, 0x00}},  // 3
    {"keyboard_key_RCtrl",                0xA3,  0x1D,  1,     {0x20, 0x10, 0x00}},  // 4
    {"keyboard_key_RShift",               0xA1,  0x36,  1,     {0x20, 0x20, 0x00}},  // 5
    {"keyboard_key_RAlt",                 0xA5,  0x38,  1,     {0x20, 0x40, 0x00}},  // 6
    {"keyboard_key_RWin",                 0x5C,  0x5C,  1,     {0x20, 0x80, 0x00}},  // 7
    {"keyboard_key_A",                    0x41,  0x1E,  0,     {0x20, 0x00, 0x04}},  // 8
    {"keyboard_key_B",                    0x42,  0x30,  0,     {0x20, 0x00, 0x05}},  // 9
    {"keyboard_key_C",                    0x43,  0x2E,  0,     {0x20, 0x00, 0x06}},  // 10
    {"keyboard_key_D",                    0x44,  0x20,  0,     {0x20, 0x00, 0x07}},  // 11
    {"keyboard_key_E",                    0x45,  0x12,  0,     {0x20, 0x00, 0x08}},  // 12
    {"keyboard_key_F",                    0x46,  0x21,  0,     {0x20, 0x00, 0x09}},  // 13
    {"keyboard_key_G",                    0x47,  0x22,  0,     {0x20, 0x00, 0x0A}},  // 14
    {"keyboard_key_H",                    0x48,  0x23,  0,     {0x20, 0x00, 0x0B}},  // 15
    {"keyboard_key_I",                    0x49,  0x17,  0,     {0x20, 0x00, 0x0C}},  // 16
    {"keyboard_key_J",                    0x4A,  0x24,  0,     {0x20, 0x00, 0x0D}},  // 17
    {"keyboard_key_K",                    0x4B,  0x25,  0,     {0x20, 0x00, 0x0E}},  // 18
    {"keyboard_key_L",                    0x4C,  0x26,  0,     {0x20, 0x00, 0x0F}},  // 19
    {"keyboard_key_M",                    0x4D,  0x32,  0,     {0x20, 0x00, 0x10}},  // 20
    {"keyboard_key_N",                    0x4E,  0x31,  0,     {0x20, 0x00, 0x11}},  // 21
    {"keyboard_key_O",                    0x4F,  0x18,  0,     {0x20, 0x00, 0x12}},  // 22
    {"keyboard_key_P",                    0x50,  0x19,  0,     {0x20, 0x00, 0x13}},  // 23
    {"keyboard_key_Q",                    0x51,  0x10,  0,     {0x20, 0x00, 0x14}},  // 24
    {"keyboard_key_R",                    0x52,  0x13,  0,     {0x20, 0x00, 0x15}},  // 25
    {"keyboard_key_S",                    0x53,  0x1F,  0,     {0x20, 0x00, 0x16}},  // 26
    {"keyboard_key_T",                    0x54,  0x14,  0,     {0x20, 0x00, 0x17}},  // 27
    {"keyboard_key_U",                    0x55,  0x16,  0,     {0x20, 0x00, 0x18}},  // 28
    {"keyboard_key_V",                    0x56,  0x2F,  0,     {0x20, 0x00, 0x19}},  // 29
    {"keyboard_key_W",                    0x57,  0x11,  0,     {0x20, 0x00, 0x1A}},  // 30
    {"keyboard_key_X",                    0x58,  0x2D,  0,     {0x20, 0x00, 0x1B}},  // 31
    {"keyboard_key_Y",                    0x59,  0x15,  0,     {0x20, 0x00, 0x1C}},  // 32
    {"keyboard_key_Z",                    0x5A,  0x2C,  0,     {0x20, 0x00, 0x1D}},  // 33
    {"keyboard_key_1",                    0x31,  0x02,  0,     {0x20, 0x00, 0x1E}},  // 34
    {"keyboard_key_2",                    0x32,  0x03,  0,     {0x20, 0x00, 0x1F}},  // 35
    {"keyboard_key_3",                    0x33,  0x04,  0,     {0x20, 0x00, 0x20}},  // 36
    {"keyboard_key_4",                    0x34,  0x05,  0,     {0x20, 0x00, 0x21}},  // 37
    {"keyboard_key_5",                    0x35,  0x06,  0,     {0x20, 0x00, 0x22}},  // 38
    {"keyboard_key_6",                    0x36,  0x07,  0,     {0x20, 0x00, 0x23}},  // 39
    {"keyboard_key_7",                    0x37,  0x08,  0,     {0x20, 0x00, 0x24}},  // 40
    {"keyboard_key_8",                    0x38,  0x09,  0,     {0x20, 0x00, 0x25}},  // 41
    {"keyboard_key_9",                    0x39,  0x0A,  0,     {0x20, 0x00, 0x26}},  // 42
    {"keyboard_key_0",                    0x30,  0x0B,  0,     {0x20, 0x00, 0x27}},  // 43
    {"keyboard_key_Enter",                0x0D,  0x1C,  0,     {0x20, 0x00, 0x28}},  // 44
    {"keyboard_key_Esc",                  0x1B,  0x01,  0,     {0x20, 0x00, 0x29}},  // 45
    {"keyboard_key_BackSpace",            0x08,  0x0E,  0,     {0x20, 0x00, 0x2A}},  // 46
    {"keyboard_key_Tab",                  0x09,  0x0F,  0,     {0x20, 0x00, 0x2B}},  // 47
    {"keyboard_key_Space",                0x20,  0x39,  0,     {0x20, 0x00, 0x2C}},  // 48
    {"keyboard_key_-",                    0xBD,  0x0C,  0,     {0x20, 0x00, 0x2D}},  // 49
    {"keyboard_key_=",                    0xBB,  0x0D,  0,     {0x20, 0x00, 0x2E}},  // 50
    {"keyboard_key_[",                    0xDB,  0x1A,  0,     {0x20, 0x00, 0x2F}},  // 51
    {"keyboard_key_]",                    0xDD,  0x1B,  0,     {0x20, 0x00, 0x30}},  // 52
    {"keyboard_key_xiegang",              0xDC,  0x2B,  0,     {0x20, 0x00, 0x31}},  // 53
    {"keyboard_key_;",                    0xBA,  0x27,  0,     {0x20, 0x00, 0x33}},  // 54
    {"keyboard_key_'",                    0xDE,  0x28,  0,     {0x20, 0x00, 0x34}},  // 55
    {"keyboard_key_`",                    0xC0,  0x29,  0,     {0x20, 0x00, 0x35}},  // 56
    {"keyboard_key_<",                    0xBC,  0x33,  0,     {0x20, 0x00, 0x36}},  // 57
    {"keyboard_key_.",                    0xBE,  0x34,  0,     {0x20, 0x00, 0x37}},  // 58
    {"keyboard_key_/",                    0xBF,  0x35,  0,     {0x20, 0x00, 0x38}},  // 59
    {"keyboard_key_Caplk",                0x14,  0x3A,  0,     {0x20, 0x00, 0x39}},  // 60
    {"keyboard_key_F1",                   0x70,  0x3B,  0,     {0x20, 0x00, 0x3A}},  // 61
    {"keyboard_key_F2",                   0x71,  0x3C,  0,     {0x20, 0x00, 0x3B}},  // 62
    {"keyboard_key_F3",                   0x72,  0x3D,  0,     {0x20, 0x00, 0x3C}},  // 63
    {"keyboard_key_F4",                   0x73,  0x3E,  0,     {0x20, 0x00, 0x3D}},  // 64
    {"keyboard_key_F5",                   0x74,  0x3F,  0,     {0x20, 0x00, 0x3E}},  // 65
    {"keyboard_key_F6",                   0x75,  0x40,  0,     {0x20, 0x00, 0x3F}},  // 66
    {"keyboard_key_F7",                   0x76,  0x41,  0,     {0x20, 0x00, 0x40}},  // 67
    {"keyboard_key_F8",                   0x77,  0x42,  0,     {0x20, 0x00, 0x41}},  // 68
    {"keyboard_key_F9",                   0x78,  0x43,  0,     {0x20, 0x00, 0x42}},  // 69
    {"keyboard_key_F10",                  0x79,  0x44,  0,     {0x20, 0x00, 0x43}},  // 70
    {"keyboard_key_F11",                  0x7A,  0x57,  0,     {0x20, 0x00, 0x44}},  // 71
    {"keyboard_key_F12",                  0x7B,  0x58,  0,     {0x20, 0x00, 0x45}},  // 72
    {"keyboard_key_Print Scr",            0x2C,  0x37,  1,     {0x20, 0x00, 0x46}},  // 73
    {"keyboard_key_Scroll Lock",          0x91,  0x46,  0,     {0x20, 0x00, 0x47}},  // 74
    {"keyboard_key_Pause",                0x13,  0x45,  0,     {0x20, 0x00, 0x48}},  // 75
    {"keyboard_key_Insert",               0x2D,  0x52,  1,     {0x20, 0x00, 0x49}},  // 76
    {"keyboard_key_Home",                 0x24,  0x47,  1,     {0x20, 0x00, 0x4A}},  // 77
    {"keyboard_key_Page Up",              0x21,  0x49,  1,     {0x20, 0x00, 0x4B}},  // 78
    {"keyboard_key_Delete",               0x2E,  0x53,  1,     {0x20, 0x00, 0x4C}},  // 79
    {"keyboard_key_End",                  0x23,  0x4F,  1,     {0x20, 0x00, 0x4D}},  // 80
    {"keyboard_key_Page Down",            0x22,  0x51,  1,     {0x20, 0x00, 0x4E}},  // 81
    {"keyboard_key_Right",                0x27,  0x4D,  1,     {0x20, 0x00, 0x4F}},  // 82
    {"keyboard_key_Left",                 0x25,  0x4B,  1,     {0x20, 0x00, 0x50}},  // 83
    {"keyboard_key_Down",                 0x28,  0x50,  1,     {0x20, 0x00, 0x51}},  // 84
    {"keyboard_key_Up",                   0x26,  0x48,  1,     {0x20, 0x00, 0x52}},  // 85
    {"keyboard_key_Num Lock",             0x90,  0x45,  1,     {0x20, 0x00, 0x53}},  // 86
    {"keyboard_key_Num /",                0x6F,  0x35,  1,     {0x20, 0x00, 0x54}},  // 87
    {"keyboard_key_Num *",                0x6A,  0x37,  0,     {0x20, 0x00, 0x55}},  // 88
    {"keyboard_key_Num -",                0x6D,  0x4A,  0,     {0x20, 0x00, 0x56}},  // 89
    {"keyboard_key_Num +",                0x6B,  0x4E,  0,     {0x20, 0x00, 0x57}},  // 90
    {"keyboard_key_Num Enter",            0x101, 0x1C,  1,     {0x20, 0x00, 0x58}},  // 91
    {"keyboard_key_Num 1",                0x61,  0x4F,  0,     {0x20, 0x00, 0x59}},  // 92
    {"keyboard_key_Num 2",                0x62,  0x50,  0,     {0x20, 0x00, 0x5A}},  // 93
    {"keyboard_key_Num 3",                0x63,  0x51,  0,     {0x20, 0x00, 0x5B}},  // 94
    {"keyboard_key_Num 4",                0x64,  0x4B,  0,     {0x20, 0x00, 0x5C}},  // 95
    {"keyboard_key_Num 5",                0x65,  0x4C,  0,     {0x20, 0x00, 0x5D}},  // 96
    {"keyboard_key_Num 6",                0x66,  0x4D,  0,     {0x20, 0x00, 0x5E}},  // 97
    {"keyboard_key_Num 7",                0x67,  0x47,  0,     {0x20, 0x00, 0x5F}},  // 98
    {"keyboard_key_Num 8",                0x68,  0x48,  0,     {0x20, 0x00, 0x60}},  // 99
    {"keyboard_key_Num 9",                0x69,  0x49,  0,     {0x20, 0x00, 0x61}},  // 100
    {"keyboard_key_Num 0",                0x60,  0x52,  0,     {0x20, 0x00, 0x62}},  // 101
    {"keyboard_key_Decimal",              0x6E,  0x53,  0,     {0x20, 0x00, 0x63}},  // 102
    {"keyboard_key_App",                  0x5D,  0x5D,  1,     {0x20, 0x00, 0x65}},  // 103
    {"keyboard_key_K45",                  0xE2,  0x56,  0,     {0x20, 0x00, 0x64}},  // 104
    {"keyboard_key_K56",                  0xC1,  0x73,  0,     {0x20, 0x00, 0x87}},  // 105
    {"keyboard_key_K14",                  0xFF,  0x7D,  0,     {0x20, 0x00, 0x89}},  // 106
    {"keyboard_key_K107",                 0xC2,  0x7E,  0,     {0x20, 0x00, 0x85}},  // 107
    {"keyboard_key_K131",                 0xEB,  0x7B,  0,     {0x20, 0x00, 0x8B}},  // 108
    {"keyboard_key_K132",                 0xFF,  0x79,  0,     {0x20, 0x00, 0x8A}},  // 109
    {"keyboard_key_K133",                 0xFF,  0x70,  0,     {0x20, 0x00, 0x88}},  // 110
    {"keyboard_key_K150",                 0xE9,  0x71,  0,     {0x20, 0x00, 0x91}},  // 111
    {"keyboard_key_K151",                 0xFF,  0x72,  0,     {0x20, 0x00, 0x90}},  // 112
    {"keyboard_key_K42",                  0xBF,  kNoScanCode, kNoScanCode, {0x20, 0x00, 0x32}},  // 113
    {"keyboard_key_Launch App2",          0xB7,  kNoScanCode, kNoScanCode, {0x30, 0x92, 0x01}},  // 114
    {"keyboard_key_Browaer Home",         0xAC,  kNoScanCode, kNoScanCode, {0x30, 0x23, 0x02}},  // 115
    {"keyboard_key_Media Play Pause",     0xB3,  kNoScanCode, kNoScanCode, {0x30, 0xCD, 0x00}},  // 116
    {"keyboard_key_Browser Search",       0xAA,  kNoScanCode, kNoScanCode, {0x30, 0x21, 0x02}},  // 117
    {"keyboard_key_Launch Mail",          0xB4,  kNoScanCode, kNoScanCode, {0x30, 0x8A, 0x01}},  // 118
    {"keyboard_key_Volume Up",            0xAF,  kNoScanCode, kNoScanCode, {0x30, 0xE9, 0x00}},  // 119
    {"keyboard_key_Volume Mute",          0xAD,  kNoScanCode, kNoScanCode, {0x30, 0xE2, 0x00}},  // 120
    {"keyboard_key_Media Stop",           0xB2,  kNoScanCode, kNoScanCode, {0x30, 0xB7, 0x00}},  // 121
    {"keyboard_key_Volume Down",          0xAE,  kNoScanCode, kNoScanCode, {0x30, 0xEA, 0x00}},  // 122
    {"keyboard_key_Browser Favorites",    0xAB,  kNoScanCode, kNoScanCode, {0x30, 0x2A, 0x02}},  // 123
    {"keyboard_key_Browser ForWard",      0xA7,  kNoScanCode, kNoScanCode, {0x30, 0x25, 0x02}},  // 124
    {"keyboard_key_Browser Back",         0xA6,  kNoScanCode, kNoScanCode, {0x30, 0x24, 0x02}},  // 125
    {"keyboard_key_Media Prev Track",     0xB1,  kNoScanCode, kNoScanCode, {0x30, 0xB6, 0x00}},  // 126
    {"keyboard_key_Media Next Track",     0xB0,  kNoScanCode, kNoScanCode, {0x30, 0xB5, 0x00}},  // 127
    {"keyboard_key_Computer",             0xB6,  kNoScanCode, kNoScanCode, {0x30, 0x94, 0x01}},  // 128
    {"keyboard_key_Browser Refresh",      0xA8,  kNoScanCode, kNoScanCode, {0x30, 0x27, 0x02}},  // 129
    {"wed_stop",                          0xA9,  kNoScanCode, kNoScanCode, {0x30, 0x26, 0x02}},  // 130
    {"keyboard_key_Launch Media Select",  0xB5,  kNoScanCode, kNoScanCode, {0x30, 0x83, 0x01}},  // 131
    {"keyboard_key_Power",                0x103, kNoScanCode, kNoScanCode, {0x40, 0x01, 0x00}},  // 132
    {"keyboard_key_Sleep",                0x104, kNoScanCode, kNoScanCode, {0x40, 0x02, 0x00}},  // 133
    {"keyboard_key_Wakeup",               0x105, kNoScanCode, kNoScanCode, {0x40, 0x04, 0x00}},  // 134
    {"keyboard_key_M1",                   0x00,  kNoScanCode, kNoScanCode, {0xD0, 0xA2, 0x01}},  // 135
    {"keyboard_key_M2",                   0x00,  kNoScanCode, kNoScanCode, {0xD0, 0xA2, 0x02}},  // 136
    {"keyboard_key_M3",                   0x00,  kNoScanCode, kNoScanCode, {0xD0, 0xA2, 0x03}},  // 137
    {"keyboard_key_M4",                   0x00,  kNoScanCode, kNoScanCode, {0xD0, 0xA2, 0x04}},  // 138
    {"keyboard_key_M5",                   0x00,  kNoScanCode, kNoScanCode, {0xD0, 0xA2, 0x05}},  // 139
    {"keyboard_key_FN",                   0x00,  kNoScanCode, kNoScanCode, {0xA0, 0x01, 0x00}},  // 140
    {"keyboard_key_GM",                   0x00,  kNoScanCode, kNoScanCode, {0xA0, 0x1B, 0x00}},  // 141
}};
// clang-format on

int FindTableItem(const NamedFunctionRow* table, size_t size, KeyFunction f) {
  for (size_t i = 0; i < size; ++i) {
    if (table[i].function.param1 == f.param1 && table[i].function.param2 == f.param2) return static_cast<int>(i);
  }
  return -1;
}

int PanelPageOf(KeyFunction f) {
  if (f.type == kFnKeyboardKey && f.param1 == kModRightCtrl) return 11;
  const auto row = std::find_if(kFunctionTypeTable.begin(), kFunctionTypeTable.end(),
                                 [&](const FunctionTypeRow& r) { return r.type == f.type; });
  return row == kFunctionTypeTable.end() ? -1 : row->panelPage;
}

}  // namespace tarn
