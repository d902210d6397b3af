#!/usr/bin/env python3
"""Writes the shipped default data files of DefaultData/.

The files are data, committed as generated; run this again after changing a
table here:  scripts/gen-default-data.py [output folder]
"""
import json
import os
import sys

OUT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "DefaultData")

# --- Keyboard key identity table: on-screen key N -> factory (type, param1, param2).
def hid(*usages):
    return [(0x20, 0x00, u) for u in usages]

def mod(bit):
    return (0x20, bit, 0x00)

EMPTY = (0x20, 0x00, 0x00)
KEYBOARD_KEYS = (
    hid(0x29) + hid(*range(0x3A, 0x46)) + hid(0x46, 0x47, 0x48)                     # 0-15
    + [(0xA0, 0x1B, 0x00), (0xA0, 0x24, 0x00)] + [EMPTY] * 3                          # 16-20
    + hid(0x35) + hid(*range(0x1E, 0x28)) + hid(0x2D, 0x2E, 0x2A)                     # 21-34
    + hid(0x49, 0x4A, 0x4B, 0x53, 0x54, 0x55, 0x56)                                   # 35-41
    + hid(0x2B, 0x14, 0x1A, 0x08, 0x15, 0x17, 0x1C, 0x18, 0x0C, 0x12, 0x13, 0x2F, 0x30, 0x31)  # 42-55
    + hid(0x4C, 0x4D, 0x4E, 0x5F, 0x60, 0x61)                                         # 56-61
    + hid(0x32, 0x39, 0x04, 0x16, 0x07, 0x09, 0x0A, 0x0B, 0x0D, 0x0E, 0x0F, 0x33, 0x34, 0x28)  # 62-75
    + hid(0x5C, 0x5D, 0x5E, 0x8A, 0x8B, 0x90, 0x91, 0x88)                             # 76-83
    + [mod(0x02)] + hid(0x1D, 0x1B, 0x06, 0x19, 0x05, 0x11, 0x10, 0x36, 0x37, 0x38) + [mod(0x20)]  # 84-95
    + hid(0x52, 0x59, 0x5A, 0x5B, 0x87, 0x89, 0x64, 0x85) + [EMPTY]                  # 96-104
    + [mod(0x01), mod(0x08), mod(0x04)] + hid(0x2C) + [mod(0x40), (0xA0, 0x01, 0x00)] + hid(0x65) + [mod(0x10)]  # 105-112
    + hid(0x50, 0x51, 0x4F, 0x62, 0x63, 0x58, 0x57)                                   # 113-119
    + [(0xD0, 0xA2, n) for n in range(1, 6)] + [mod(0x80)]                            # 120-125
    + [EMPTY] * 44                                                                    # 126-169
)
assert len(KEYBOARD_KEYS) == 170, len(KEYBOARD_KEYS)

MOUSE_KEYS = [(0x10, 0x01, 0x00), (0x10, 0x02, 0x00), (0x10, 0x04, 0x00), (0x10, 0x10, 0x00), (0x10, 0x08, 0x00),
              (0x13, 0x01, 0x00), (0x13, 0x02, 0x00), (0x13, 0x03, 0x00), (0xA0, 0x1B, 0x00), (0x16, 0x90, 0x01),
              (0x14, 0x78, 0x02)]


def key_list(keys):
    out = []
    for t, p1, p2 in keys:
        value = t * 65536 + p1 * 256 + p2
        out.append({"Assignment": value, "DefaultAssignment": value})
    return out


def light_info(mode, light=4, speed=2, fx=0, multi=1, rgb=(255, 255, 255), zzcc=1):
    return {"SelectItem": mode, "Light": light, "Speed": speed, "Fx": fx, "MultiColor": multi,
            "Red": rgb[0], "Green": rgb[1], "Blue": rgb[2], "ZZCCLedMode": zzcc, "CustomGroup": 0,
            "OldLedmode": mode}


def profile(section):
    return {"Device": [section], "profilename": "profile1", "profileUUID": ""}


KEYBOARD = {
    "LightInfo": light_info(1),
    "AudioLightInfo": {"AudioMode": 0, "BkColorR": 0, "BkColorG": 0, "BkColorB": 0,
                       "FgColorR": 255, "FgColorG": 0, "FgColorB": 0, "7ColorFlags": 1, "ColorTypeFlags": 1},
    "LightList": [None] * 170,
    "KeyList": key_list(KEYBOARD_KEYS),
    "SystemStages": {"Repeat": 3, "RepeatDelay": 1, "Key6Flag": 0, "PollingRate": 0, "WFlag": 0, "WinFlag": 0},
    # Custom colour groups start black; the light panel fills them on first use.
    "CustomLightMode": {"CustomLightModeGroupIndex": 0, "LightColorInfo": []},
}

DPI_COLOURS = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0), (255, 0, 255)]
DPI_POSITIONS = [7, 15, 31, 47, 63]
MOUSE = {
    "LightInfo": light_info(0),
    "LightList": [None] * 15,
    "KeyList": key_list(MOUSE_KEYS),
    "DPIStages": {
        "StageActive": 1,
        "StageDPIs": [{"StageActive": 1, "StageColorB": c[2], "StageColorG": c[1], "StageColorR": c[0],
                       "StageXY": 0, "StageDPIX": p, "StageDPIY": p} for p, c in zip(DPI_POSITIONS, DPI_COLOURS)],
    },
    "SystemStages": {"DoubleClickTime": 500, "MouseSpeed": 10, "PointerPrecision": 1, "ScorllPage": 3,
                     "WheelScorlllinse": 3},
    "ReportStages": {"StageActive": 0},
    "CorrectInfo": [{"CorrectPixThresh": 0, "CorrectMinSq": 0, "CorrectSelect": 0, "CorrectName": "correct_off_text"}],
}

MOUSEPAD = {
    "LightInfo": light_info(0),
    "LightList": [None] * 15,
}

FACTORY_EQ = [
    [0] * 10,  # array position 0 is not a preset
    [7, 11, 2, -3, -1, 4, 9, 12, 9, 5],
    [7, 11, 6, -3, -11, -1, 6, 13, 6, 13],
    [10, 4, 0, -3, -4, -3, -2, -1, 0, 0],
    [2, 1, -2, -3, -5, -7, 0, 4, 9, 8],
    [0, 0, 0, 0, 0, 0, 0, 0, 0, 0],
    [7, 14, -13, -6, -1, 8, 13, 7, 2, 6],
    [14, 10, 4, 0, -4, -3, -1, 1, 2, 3],
    [2, 1, -2, -3, -5, -1, 7, 11, 15, 13],
    [8, 2, -4, -8, 1, 3, 8, 11, 14, 16],
    [-3, 4, 10, 0, -11, 3, 9, 13, 6, 0],
    [18, 14, 8, 2, -3, -6, -1, 2, 5, 6],
    [2, 1, -2, -4, -8, 4, 12, 16, 18, 15],
]
HEADSET = {
    "LightInfo": light_info(0),
    "LightList": [None] * 13,
    "SystemSetStages": {"MagicEnable": 0, "MagicType": 1, "EqType": 0, "CustomEqSeletIndex": 0,
                        "MicInSelect": 1, "MicInValue": 80, "MicMoniterSelect": 0, "MicMoniterValue": 50},
    "EQHzValueInfo": [[{"value": v} for v in preset] for preset in FACTORY_EQ],
    "CustomEQNameInfo": [],
    "CustomEQHzValueInfo": [],
}

# --- Hardware light modes per device variant: (language text id, visible).
# The device mode code of mode i is i.
KEYBOARD_MODES = [
    ("light_mode_user", False), ("light_mode_column_wave", True), ("light_mode_fine_wave", True),
    ("light_mode_path_wave", True), ("light_mode_colour_cycle", True), ("light_mode_breathing", True),
    ("light_mode_static", True), ("light_mode_key_glow", True), ("light_mode_drifting_ripple", True),
    ("light_mode_horizontal_ripple", True), ("light_mode_sparkles", True), ("light_mode_hue_cycle", True),
    ("light_mode_row_wave", True), ("light_mode_centre_ripple", True), ("light_mode_scripted_show", True),
    ("light_mode_fast_twinkle", True), ("light_mode_bouncing_ripple", True), ("light_mode_fixed_colour", True),
    ("light_mode_moving_rings", True), ("light_mode_user", False), ("light_mode_off", True),
    ("light_mode_snake", True), ("light_mode_twinkle", True), ("light_mode_blink", True),
    ("light_mode_rain", True), ("light_mode_key_trail", True), ("light_mode_four_colour_breathing", True),
    ("light_mode_four_colour_blink", True), ("light_mode_custom", True), ("light_mode_music", True),
    ("light_mode_host_effect", True),
]
MOUSE_MODES = [
    ("light_mode_group_wave", True), ("light_mode_colour_cycle", True), ("light_mode_breathing", True),
    ("light_mode_static", True), ("light_mode_blink", True), ("light_mode_running_light", True),
    ("light_mode_flash", True), ("light_mode_four_colour_breathing", True), ("light_mode_four_colour_blink", True),
    ("light_mode_off", True),
]
PAD_MODES = [
    ("light_mode_wave", True), ("light_mode_colour_cycle", True), ("light_mode_breathing", True),
    ("light_mode_static", True), ("light_mode_blink", True), ("light_mode_user", False),
    ("light_mode_running_light", True), ("light_mode_pair_running_light", True), ("light_mode_off", True),
]


def modes(table):
    return [{"LightName": name, "visible": 1 if visible else 0, "value": i} for i, (name, visible) in enumerate(table)]


DEFAULT_LIGHT = {
    "DefaultLightName": [modes(KEYBOARD_MODES), modes(MOUSE_MODES), modes(PAD_MODES), modes(PAD_MODES)],
    "AreaLightName": [],
}

LANGUAGES = {
    "Language": [
        {"Language_ID": 2052, "Language_name": "cn", "Language_file": "lan_cn.xml", "Language_text": "简体中文"},
        {"Language_ID": 1033, "Language_name": "en", "Language_file": "lan_en.xml", "Language_text": "English"},
        {"Language_ID": 1028, "Language_name": "tw", "Language_file": "lan_tw.xml", "Language_text": "繁體中文"},
    ]
}

AUDIO_STYLES = {"nAudioStyle": 0}
for i, name in enumerate(["第一组", "第二组", "第三组", "第四组"]):
    AUDIO_STYLES["nStyleName%d" % (i + 1)] = name
for i, (r, g, b) in enumerate([(9, 0, 0), (0, 9, 0), (0, 0, 9), (9, 9, 9)]):
    AUDIO_STYLES["nStyleR%d" % i] = r
    AUDIO_STYLES["nStyleG%d" % i] = g
    AUDIO_STYLES["nStyleB%d" % i] = b
AUDIO_FILE = {"Device": {"AudioLightInfo": AUDIO_STYLES}}


def shoot_file(gun):
    """30 shots: a left click, then a pull down that grows and levels off."""
    events = []
    for shot in range(30):
        down = min(2 + shot // 3 + gun, 12)
        delay = 90 + 10 * gun
        events += [
            {"Type": 1, "Action": "down", "Button": 1, "Delay": 10},
            {"Type": 1, "Action": "up", "Button": 1, "Delay": 0},
            {"Type": 4, "Action": "up", "Button": 0, "Delay": 5},
            {"Type": 5, "Action": "up", "Button": down, "Delay": delay},
            {"Type": 4, "Action": "up", "Button": 0, "Delay": 0},
            {"Type": 5, "Action": "up", "Button": 0, "Delay": 0},
        ]
    return {"Events": events, "Guid": "ShootData_%d" % gun, "MacroName": "ShootData_%d" % gun, "Version": 64}


def write(name, value):
    text = json.dumps(value, indent=3, ensure_ascii=False, sort_keys=True)
    with open(os.path.join(OUT, name), "w", encoding="utf-8", newline="\r\n") as f:
        f.write(text + "\n")


def main():
    os.makedirs(OUT, exist_ok=True)
    write("keyboard.Json", profile(KEYBOARD))
    write("mouse.Json", profile(MOUSE))
    write("MousePad.Json", profile(MOUSEPAD))
    write("HD.Json", profile(HEADSET))
    write("default_light.json", DEFAULT_LIGHT)
    write("Language.config", LANGUAGES)
    write("AudioFile.json", AUDIO_FILE)
    for gun in range(4):
        write("ShootData_%d.Shoot" % gun, shoot_file(gun))


if __name__ == "__main__":
    main()
