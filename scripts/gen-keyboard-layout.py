#!/usr/bin/env python3
"""Writes skin/XML/DeviceXml/keyboarddevice.xml: the keyboard page with its
key picture, generated from the table of key positions below.

Every key cap carries two buttons of the class DeviceKeyButton: "light_N"
(the LED, drawn first so that it lies underneath, deaf to the mouse) and
"key_N" (the key itself, inset so the LED shows as a rim). N is the key's row
in the keyboard's key identity table.

Run from anywhere: python3 scripts/gen-keyboard-layout.py
"""
import os
import sys
from xml.sax.saxutils import quoteattr

UNIT = 30          # pixels per key unit
ORIGIN = (8, 8)    # the picture's margin inside the select panel
RIM = 3            # how far the key button sits inside its LED
X0 = 1.5           # the main block starts right of the M-key column

# (row, label, x, y, width, height) in key units; x relative to X0 unless
# given as an absolute value through ABS.
ABS = object()
KEYS = []


def key(row, label, x, y, w=1.0, h=1.0, absolute=False):
    KEYS.append((row, label, (x if absolute else X0 + x), y, w, h))


Y = [0.0, 1.25, 2.25, 3.25, 4.25, 5.25]

# Function row.
key(0, "Esc", 0, Y[0])
for i in range(4):
    key(1 + i, "F%d" % (1 + i), 2 + i, Y[0])
    key(5 + i, "F%d" % (5 + i), 6.5 + i, Y[0])
    key(9 + i, "F%d" % (9 + i), 11 + i, Y[0])
key(13, "PrtSc", 15.25, Y[0])
key(14, "ScrLk", 16.25, Y[0])
key(15, "Pause", 17.25, Y[0])
key(16, "GM", 18.5, Y[0])
key(17, "Fn2", 19.5, Y[0])
key(103, "Num,", 20.5, Y[0])

# Number row (with the JIS yen key before a one-unit backspace).
key(21, "`", 0, Y[1])
for i, label in enumerate("1234567890"):
    key(22 + i, label, 1 + i, Y[1])
key(32, "-", 11, Y[1])
key(33, "=", 12, Y[1])
key(101, "¥", 13, Y[1])
key(34, "Bksp", 14, Y[1])
key(35, "Ins", 15.25, Y[1])
key(36, "Home", 16.25, Y[1])
key(37, "PgUp", 17.25, Y[1])
key(38, "Num", 18.5, Y[1])
key(39, "/", 19.5, Y[1])
key(40, "*", 20.5, Y[1])
key(41, "-", 21.5, Y[1])

# Top letter row.
key(42, "Tab", 0, Y[2], 1.5)
for i, label in enumerate("QWERTYUIOP"):
    key(43 + i, label, 1.5 + i, Y[2])
key(53, "[", 11.5, Y[2])
key(54, "]", 12.5, Y[2])
key(55, "\\", 13.5, Y[2], 1.5)
key(56, "Del", 15.25, Y[2])
key(57, "End", 16.25, Y[2])
key(58, "PgDn", 17.25, Y[2])
key(59, "7", 18.5, Y[2])
key(60, "8", 19.5, Y[2])
key(61, "9", 20.5, Y[2])
key(119, "+", 21.5, Y[2], 1, 2)

# Home row (with the ISO key left of a shorter Enter).
key(63, "Caps", 0, Y[3], 1.75)
for i, label in enumerate("ASDFGHJKL"):
    key(64 + i, label, 1.75 + i, Y[3])
key(73, ";", 10.75, Y[3])
key(74, "'", 11.75, Y[3])
key(62, "#", 12.75, Y[3])
key(75, "Enter", 13.75, Y[3], 1.25)
key(82, "Lang2", 15.25, Y[3])
key(83, "Kana", 16.25, Y[3])
key(79, "Henk", 17.25, Y[3])
key(76, "4", 18.5, Y[3])
key(77, "5", 19.5, Y[3])
key(78, "6", 20.5, Y[3])

# Bottom letter row (ISO key after a short left shift, JIS ro before the
# right shift).
key(84, "Shift", 0, Y[4], 1.25)
key(102, "\\", 1.25, Y[4])
for i, label in enumerate("ZXCVBNM"):
    key(85 + i, label, 2.25 + i, Y[4])
key(92, ",", 9.25, Y[4])
key(93, ".", 10.25, Y[4])
key(94, "/", 11.25, Y[4])
key(100, "Ro", 12.25, Y[4])
key(95, "Shift", 13.25, Y[4], 1.75)
key(80, "Muhen", 15.25, Y[4])
key(96, "↑", 16.25, Y[4])
key(81, "Lang1", 17.25, Y[4])
key(97, "1", 18.5, Y[4])
key(98, "2", 19.5, Y[4])
key(99, "3", 20.5, Y[4])
key(118, "Ent", 21.5, Y[4], 1, 2)

# Space row.
key(105, "Ctrl", 0, Y[5], 1.25)
key(106, "Win", 1.25, Y[5], 1.25)
key(107, "Alt", 2.5, Y[5], 1.25)
key(108, "", 3.75, Y[5], 5.5)
key(109, "Alt", 9.25, Y[5], 1.25)
key(125, "Win", 10.5, Y[5], 1.25)
key(110, "FN", 11.75, Y[5])
key(111, "Menu", 12.75, Y[5])
key(112, "Ctrl", 13.75, Y[5], 1.25)
key(113, "←", 15.25, Y[5])
key(114, "↓", 16.25, Y[5])
key(115, "→", 17.25, Y[5])
key(116, "0", 18.5, Y[5], 2)
key(117, ".", 20.5, Y[5])

# The on-board macro keys left of the main block.
for i in range(5):
    key(120 + i, "M%d" % (1 + i), 0, Y[1 + i], absolute=True)

EMPTY_ROWS = {18, 19, 20, 104}


def check():
    rows = [k[0] for k in KEYS]
    expected = set(range(126)) - EMPTY_ROWS
    if sorted(rows) != sorted(expected):
        missing = sorted(expected - set(rows))
        extra = sorted(set(r for r in rows if rows.count(r) > 1) | (set(rows) - expected))
        sys.exit("key table: missing %s, extra or doubled %s" % (missing, extra))
    rects = []
    for row, _, x, y, w, h in KEYS:
        r = (x, y, x + w, y + h)
        for other, o in rects:
            if max(r[0], o[0]) < min(r[2], o[2]) - 1e-9 and max(r[1], o[1]) < min(r[3], o[3]) - 1e-9:
                sys.exit("keys %d and %d overlap" % (row, other))
        rects.append((row, r))


def pixels(x, y, w, h):
    left = ORIGIN[0] + round(x * UNIT)
    top = ORIGIN[1] + round(y * UNIT)
    right = ORIGIN[0] + round((x + w) * UNIT) - 2
    bottom = ORIGIN[1] + round((y + h) * UNIT) - 2
    return left, top, right, bottom


def picture_lines():
    lines = []
    width = max(pixels(*k[2:])[2] for k in KEYS) + ORIGIN[0]
    height = max(pixels(*k[2:])[3] for k in KEYS) + ORIGIN[1]
    lines.append('<SelectPanel name="keyboard_device_key_light" width="%d" height="%d" bkcolor="#FF101218">'
                 % (width, height))
    for row, label, x, y, w, h in sorted(KEYS, key=lambda k: (k[3], k[2])):
        l, t, r, b = pixels(x, y, w, h)
        lines.append('  <DeviceKeyButton name="light_%d" float="true" pos="%d,%d,%d,%d" mouse="false" '
                     'bkcolor="#FF1A1D24" borderround="4"/>' % (row, l, t, r, b))
        lines.append('  <DeviceKeyButton name="key_%d" float="true" pos="%d,%d,%d,%d" text=%s resourcetext="false" '
                     'font="13" textcolor="#FFDDE1EA" bkcolor="#E0262A33" hotbkcolor="#E0363C48" '
                     'pushedbkcolor="#E0464E5C" disabledtextcolor="#FF5A5F6A" borderround="3" '
                     'keysetimage="image\\keyboard\\keyset_mark.png"/>'
                     % (row, l + RIM, t + RIM, r - RIM, b - RIM, quoteattr(label)))
    lines.append('</SelectPanel>')
    return lines


SETTINGS = """\
<VerticalLayout name="keyboard_system_page" inset="16,12,16,12" childpadding="10">
  <HorizontalLayout height="28" childpadding="8">
    <Label text="Polling_Rate_Text" width="150" textcolor="#FFB8BCC8"/>
    <Option name="polling_rate_option_0" group="polling_rate" text="125Hz" resourcetext="false" width="80" textcolor="#FFDDE1EA" selectedbkcolor="#FF1E8CE6" bkcolor="#FF262A33"/>
    <Option name="polling_rate_option_1" group="polling_rate" text="250Hz" resourcetext="false" width="80" textcolor="#FFDDE1EA" selectedbkcolor="#FF1E8CE6" bkcolor="#FF262A33"/>
    <Option name="polling_rate_option_2" group="polling_rate" text="500Hz" resourcetext="false" width="80" textcolor="#FFDDE1EA" selectedbkcolor="#FF1E8CE6" bkcolor="#FF262A33"/>
    <Option name="polling_rate_option_3" group="polling_rate" text="1000Hz" resourcetext="false" width="80" textcolor="#FFDDE1EA" selectedbkcolor="#FF1E8CE6" bkcolor="#FF262A33"/>
    <Control/>
  </HorizontalLayout>
  <HorizontalLayout height="28" childpadding="8">
    <Label text="Repeat_Rate_Text" width="150" textcolor="#FFB8BCC8"/>
    <Slider name="repeat_rate_slider" min="0" max="255" value="0" hor="true" width="260"/>
    <Button name="reset_repeat_btn" text="Reset_Repeat_Text" width="90" textcolor="#FFDDE1EA" bkcolor="#FF262A33" hotbkcolor="#FF363C48"/>
    <Control/>
  </HorizontalLayout>
  <HorizontalLayout height="28" childpadding="8">
    <Label name="repeat_delay_time_label1" width="150" resourcetext="false" textcolor="#FFB8BCC8"/>
    <CheckBox name="repeat_delay_check_0" group="repeat_delay" text="250ms" resourcetext="false" width="70" textcolor="#FFDDE1EA" selectedbkcolor="#FF1E8CE6" bkcolor="#FF262A33"/>
    <CheckBox name="repeat_delay_check_1" group="repeat_delay" text="500ms" resourcetext="false" width="70" textcolor="#FFDDE1EA" selectedbkcolor="#FF1E8CE6" bkcolor="#FF262A33"/>
    <CheckBox name="repeat_delay_check_2" group="repeat_delay" text="750ms" resourcetext="false" width="70" textcolor="#FFDDE1EA" selectedbkcolor="#FF1E8CE6" bkcolor="#FF262A33"/>
    <CheckBox name="repeat_delay_check_3" group="repeat_delay" text="1000ms" resourcetext="false" width="70" textcolor="#FFDDE1EA" selectedbkcolor="#FF1E8CE6" bkcolor="#FF262A33"/>
    <Control/>
  </HorizontalLayout>
  <Edit name="repeat_input_richedit" height="28" textcolor="#FFDDE1EA" bkcolor="#FF262A33"/>
  <HorizontalLayout height="28" childpadding="8">
    <CheckBox name="winlockflag_option" text="Win_Lock_Text" width="160" textcolor="#FFDDE1EA" selectedbkcolor="#FF1E8CE6" bkcolor="#FF262A33"/>
    <CheckBox name="wflag_option" text="W_Flag_Text" width="160" textcolor="#FFDDE1EA" selectedbkcolor="#FF1E8CE6" bkcolor="#FF262A33"/>
    <CheckBox name="6flag_option" text="Key6_Flag_Text" width="160" textcolor="#FFDDE1EA" selectedbkcolor="#FF1E8CE6" bkcolor="#FF262A33"/>
    <Control/>
  </HorizontalLayout>
  <Control/>
</VerticalLayout>"""


def page_lines():
    out = ['<?xml version="1.0" encoding="utf-8"?>',
           '<!-- Generated by scripts/gen-keyboard-layout.py from its key table; edit the script, not this file. -->',
           '<!-- The keyboard page: profile bar, key picture with its key and LED buttons, function pages. -->',
           '<Window>',
           '  <Font id="13" name="Noto Sans" size="10"/>',
           '  <KeyboardDevice name="keyboard_device_page">',
           '    <VerticalLayout childpadding="6">',
           '      <DeviceProfileUI/>',
           '      <TabLayout name="device_function_switch" selectedid="0">',
           '        <VerticalLayout childpadding="6">',
           '          <HorizontalLayout height="%d">' % (max(pixels(*k[2:])[3] for k in KEYS) + ORIGIN[1]),
           '            <Control/>']
    out += ['            ' + line for line in picture_lines()]
    out += ['            <Control/>',
            '          </HorizontalLayout>',
            '          <TabLayout name="device_key_function_switch" selectedid="0">',
            '            <VerticalLayout name="LightControlItem"/>',
            '            <VerticalLayout name="KeySetControlItem"/>',
            '            <VerticalLayout name="key_function_page_2"/>',
            '          </TabLayout>',
            '        </VerticalLayout>',
            '        <VerticalLayout name="MacroControlItem"/>',
            '        <VerticalLayout name="device_cursor_page"/>']
    out += ['        ' + line for line in SETTINGS.splitlines()]
    out += ['      </TabLayout>',
            '      <Label name="text_test" visible="false"/>',
            '    </VerticalLayout>',
            '  </KeyboardDevice>',
            '</Window>']
    return out


def main():
    check()
    here = os.path.dirname(os.path.abspath(__file__))
    path = os.path.join(here, "..", "skin", "XML", "DeviceXml", "keyboarddevice.xml")
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(page_lines()) + "\n")
    print("wrote %s (%d keys)" % (os.path.normpath(path), len(KEYS)))


if __name__ == "__main__":
    main()
