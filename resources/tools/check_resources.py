#!/usr/bin/env python3
"""Checks the readable source of Tablet.znc before the packer sees it.

Looks for what the packer cannot know: every name the applet looks up is present in the
window that is searched for it, controls sit inside their parents without overlapping,
images are well formed, and every language file carries the same identifiers, each of
which names a real control or string. Exit status 1 and one line per fault otherwise.
"""
import json
import os
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")

# Classes, fields and styles are the packer's to check (zncpack, from the
# toolkit's class table), so that a new class is described in one place.
# Classes that carry a label or a title a language may replace.
TEXT_CLASSES = {"ZafWindow", "ZafDialogWindow", "ZafButton", "ZafGroup", "ZafPrompt", "ZafText",
                "ZafPopUpItem"}
WINDOW_TABLE = ["ConsumerCPLMainWindow", "KeystrokeDialog", "ModifiersDialog",
                "DiagnosticsDialog", "RunDialog", "AboutDialog", "TabletDriverNotFoundDialog",
                "UsersManualNotFoundDialog", "NoSuppTabletDialog", "SelectTabletDialog", "1089",
                "2102", "2100", "3001", "CalibrateScreen", "AdvancedSettings"]
STRING_TABLES = {"1089", "2100", "2102", "3001"}
# The control table is bound by searching these windows in this order.
BIND_ORDER = ["ConsumerCPLMainWindow", "DiagnosticsDialog", "AdvancedSettings", "ModifiersDialog"]

TEXT_NAMES = (
    "DriverVersion DriverVersionPrompt TabletPrompt TabletModel TabletModelPrompt TabletVersion "
    "TabletVersionPrompt TabletLeftButtons TabletLeftButtonsPrompt TabletRightButtons "
    "TabletRightButtonsPrompt TabletLeftTrackpad TabletLeftTrackpadPrompt TabletRightTrackpad "
    "TabletRightTrackpadPrompt TabletOemCode TabletOemCodePrompt DeviceName DeviceNamePrompt "
    "DeviceType DeviceTypePrompt DeviceID DeviceIDPrompt DeviceSerialNumber "
    "DeviceSerialNumberPrompt DeviceProximity DeviceProximityPrompt DeviceXData "
    "DeviceXDataPrompt DeviceYData DeviceYDataPrompt DeviceSwitches DeviceSwitchesPrompt "
    "DevicePressure DevicePressurePrompt DeviceXTilt DeviceXTiltPrompt DeviceYTilt "
    "DeviceYTiltPrompt DeviceWheel DeviceWheelPrompt DeviceRotation DeviceRotationPrompt "
    "DeviceDataRate DeviceDataRatePrompt DevicePressureOffsetPrompt").split()

# Control table: name -> (kind, radio value or None).  Kind 1 text, 2 check box, 3 slider
# (or the group of a slider), 4 combo box, 5 radio group/button, 6 integer, 7 push button,
# 8 image, 10 tab, 0 group box.
CONTROL_TABLE = {
    "VersionPrompt": (1, None), "DriverOnGroup": (0, None), "DriverOnButton": (2, None),
    "TabsWindow": (10, None), "StylusTab": (10, None), "PuckTab": (10, None),
    "TabletTab": (10, None), "CalibrateTab": (10, None), "ClickSound": (2, None),
    "EraserFeelSlider": (3, None), "EnableEraserCheckBox": (2, None),
    "UpperSideSwitchComboBox": (4, None), "LowerSideSwitchComboBox": (4, None),
    "TipFeelSlider": (3, None), "TM_Group": (0, None), "TM_PenMode": (5, 1),
    "TM_MouseMode": (5, 2), "DCDSlider": (3, None), "StylusDefaultButton": (7, None),
    "TM_NoAcceleration": (2, None), "StylusImage": (8, None), "StylusAdvancedButton": (7, None),
    "SwitchPlusTipButton": (5, 1), "SwitchOnlyButton": (5, 0),
    "LeftPuckButtonComboBox": (4, None), "MidPuckButtonComboBox": (4, None),
    "RightPuckButtonComboBox": (4, None), "PuckImage": (8, None),
    "WheelFunctionGroup": (5, None), "WFOffButton": (5, 4), "WFScrollLinesButton": (5, 1),
    "WFScrollPageButton": (5, 2), "WFLinesSpin": (6, None), "MouseSpeedSlider": (3, None),
    "PTM_Group": (5, None), "PTM_PenMode": (5, 1), "PTM_MouseMode": (5, 2),
    "PuckDefaultButton": (7, None), "MouseBallisticsGroup": (3, None),
    "MouseSpeedGroup": (3, None), "MouseBallisticsSlider": (3, None),
    "SignalStateImage": (8, None), "BatteryStateImage": (8, None),
    "JoystickScrollGroup": (5, None), "JoystickScrollFast": (5, 4),
    "JoystickScrollMedium": (5, 3), "JoystickScrollSlow": (5, 2), "JoystickScrollOff": (5, 1),
    "JoystickSwitchGroup": (5, None), "JoystickSwitchOff": (5, 1),
    "JoystickSwitchKeystroke": (5, 9), "JoystickSwitchModifiers": (5, 10),
    "JoystickSwitchRun": (5, 24), "BatteryLow": (2, None), "TabletDefaultButton": (7, None),
    "ShiftCheckBox": (2, None), "CtrlCheckBox": (2, None), "AltCheckBox": (2, None),
    "ClickCheckBox": (2, None), "DevicePressureOffset": (6, None),
    "DevicePressureOffsetInteger": (6, None), "TabletComboBox": (4, None),
    "HelpButton": (7, None), "AboutButton": (7, None),
    "CalibrationMonitorComboBox": (4, None), "CalibrateButton": (7, None),
}
CONTROL_TABLE.update({n: (1, None) for n in TEXT_NAMES})

KIND_CLASSES = {
    0: {"ZafGroup"}, 1: {"ZafPrompt", "ZafString"}, 3: {"ZafScrollBar", "ZafGroup"},
    4: {"ZafComboBox"}, 6: {"ZafSpinControl", "ZafInteger", "CIntegerEditControl"},
    7: {"ZafButton"}, 8: {"ZafImage"}, 10: {"ZafNotebook", "ZafWindow"},
}

# Names the dialogs and views find by name, and the window they must be in.
NEEDED = {
    "ConsumerCPLMainWindow": ["WFLinesValue", "CalibrateMonitorPrompt", "VersionLabel"],
    "KeystrokeDialog": ["KeysText", "ClearButton", "DeleteButton", "OkButton", "CancelButton",
                        "DK_AddSpecial", "DK_AltTab", "DK_AltShiftTab", "DK_PrintScreen",
                        "DK_AltPrintScreen"],
    "ModifiersDialog": ["ShiftCheckBox", "CtrlCheckBox", "AltCheckBox", "ClickCheckBox",
                        "OkButton", "CancelButton"],
    "RunDialog": ["AppToRunPrompt", "AppToRunGroup", "BrowseButton", "OkButton",
                  "CancelButton"],
    "DiagnosticsDialog": ["CloseButton", "TabletComboBox", "RecalibrateButton"] + TEXT_NAMES,
    "AdvancedSettings": ["AdvancedCloseButton", "SwitchOnlyButton", "SwitchPlusTipButton"],
    "CalibrateScreen": ["CalibrateULTarget", "CalibrateLRTarget", "CalibrateTryAgain",
                        "CalibrateCancel", "CalibrateOK", "CalibrateScreenText1",
                        "CalibrateStripes"] + ["CalibrateText%d" % i for i in range(2, 10)],
}
TABLE_NEEDS = {
    "1089": [str(c) for c in range(0, 30)] + ["1000"],
    "2100": ["91"],
    "2102": ["18", "70"],
    "3001": ["1", "5", "6", "7", "13", "14", "15"],
}
LANGUAGES = ["en", "de", "fr", "ja", "zhc", "zht"]
IMAGES = (["Transducer_%d" % n for n in (18, 20, 21, 43, 45)]
          + ["WirelessSignal_%d" % n for n in range(6)]
          + ["BatteryStatus_%d" % n for n in range(6)])


class Checker:
    def __init__(self):
        self.faults = []

    def fault(self, where, what):
        self.faults.append("%s: %s" % (where, what))

    def load(self, path):
        try:
            with open(path, encoding="utf-8") as f:
                return json.load(f)
        except (OSError, ValueError) as e:
            self.fault(path, "cannot be read: %s" % e)
            return None

    # windows -----------------------------------------------------------------
    def walk(self, obj, where, parent_size, names, out):
        if not isinstance(obj, dict):
            self.fault(where, "is not an object")
            return
        cls = obj.get("class")
        sid = obj.get("stringId")
        if sid is not None:
            if sid in names:
                self.fault(where, "string id %r used twice" % sid)
            names[sid] = obj
            where = where + "/" + sid
        out.append(obj)
        region = obj.get("region")
        if region is not None:
            if len(region) != 4 or min(region[2:]) <= 0:
                self.fault(where, "bad region %r" % region)
            elif parent_size is not None:
                pw, ph = parent_size
                x, y, w, h = region
                if x < 0 or y < 0 or x + w > pw or y + h > ph:
                    self.fault(where, "region %r leaves its parent (%d x %d)" % (region, pw, ph))
        kids = obj.get("children", [])
        size = (region[2], region[3]) if region else None
        boxes = []
        for kid in kids:
            self.walk(kid, where, size, names, out)
            r = kid.get("region") if isinstance(kid, dict) else None
            if r and len(r) == 4 and cls != "ZafNotebook":
                for other_id, o in boxes:
                    if (r[0] < o[0] + o[2] and o[0] < r[0] + r[2]
                            and r[1] < o[1] + o[3] and o[1] < r[1] + r[3]):
                        self.fault(where, "%s overlaps %s" % (kid.get("stringId"), other_id))
                boxes.append((kid.get("stringId"), r))
        if cls == "ZafNotebook":
            for kid in kids:
                if kid.get("class") != "ZafWindow" or "pageText" not in kid:
                    self.fault(where, "a notebook page must be a ZafWindow with pageText")
        if cls == "ZafScrollBar" or cls == "ZafSpinControl":
            lo, hi = obj.get("minimum", 0), obj.get("maximum", 0)
            if not lo <= obj.get("value", lo) <= hi:
                self.fault(where, "value outside %d..%d" % (lo, hi))

    def check_windows(self):
        windows = {}
        wdir = os.path.join(ROOT, "windows")
        for fn in sorted(os.listdir(wdir)):
            if not fn.endswith(".json"):
                continue
            name = fn[:-5]
            obj = self.load(os.path.join(wdir, fn))
            if obj is None:
                continue
            if obj.get("stringId") != name:
                self.fault(fn, "stringId must be the file name")
            names, objs = {}, []
            self.walk(obj, name, None, names, objs)
            windows[name] = (obj, names, objs)
        for name in WINDOW_TABLE:
            if name not in windows:
                self.fault(name, "window is missing")
        for name, needed in NEEDED.items():
            for control in needed:
                if name in windows and control not in windows[name][1]:
                    self.fault(name, "needs a control %r" % control)
        self.check_binding(windows)
        self.check_tables(windows)
        self.check_bitmaps(windows)
        return windows

    def check_binding(self, windows):
        for control, (kind, value) in sorted(CONTROL_TABLE.items()):
            found = [w for w in BIND_ORDER if w in windows and control in windows[w][1]]
            if not found:
                self.fault("control table", "%r is in none of the searched windows" % control)
                continue
            if len(found) > 1:
                self.fault("control table", "%r is in %s; only the first is bound"
                           % (control, ", ".join(found)))
            obj = windows[found[0]][1][control]
            cls = obj["class"]
            style = obj.get("style", [])
            if kind == 2 and not (cls == "ZafButton" and "checkBox" in style):
                self.fault(control, "a check box must be a ZafButton with style checkBox")
            elif kind == 3 and cls == "ZafScrollBar" and "slider" not in style:
                self.fault(control, "a slider needs the slider style")
            elif kind == 5 and value is None and not (cls == "ZafGroup" and "radioGroup" in style):
                self.fault(control, "a radio group must be a ZafGroup with style radioGroup")
            elif kind == 5 and value is not None:
                if not (cls == "ZafButton" and "radioButton" in style):
                    self.fault(control, "a radio button must be a ZafButton with radioButton")
                elif obj.get("value") != value:
                    self.fault(control, "radio value %r, the table says %d"
                               % (obj.get("value"), value))
            elif kind == 7 and any(s in style for s in ("checkBox", "radioButton")):
                self.fault(control, "a push button must not be a check box or radio button")
            elif kind in KIND_CLASSES and cls not in KIND_CLASSES[kind]:
                self.fault(control, "class %s does not fit kind %d" % (cls, kind))

    def check_tables(self, windows):
        for table, needed in TABLE_NEEDS.items():
            if table not in windows:
                continue
            obj, names, _ = windows[table]
            for kid in obj.get("children", []):
                sid = kid.get("stringId", "")
                if kid.get("class") != "ZafString" or not sid.isdigit() or not kid.get("text"):
                    self.fault(table, "entries must be ZafString with a decimal id and a text")
            for index in needed:
                if index not in names:
                    self.fault(table, "needs string %s" % index)

    def check_bitmaps(self, windows):
        idir = os.path.join(ROOT, "images")
        present = set()
        for fn in sorted(os.listdir(idir)):
            if not fn.endswith(".json"):
                continue
            obj = self.load(os.path.join(idir, fn))
            if obj is None:
                continue
            name = fn[:-5]
            present.add(name)
            if obj.get("name") != name:
                self.fault(fn, "name must be the file name")
            if set(obj) - {"name", "width", "height", "palette", "rows"}:
                self.fault(fn, "unknown fields %s" % sorted(set(obj) - {"name", "width",
                           "height", "palette", "rows"}))
            rows, pal = obj.get("rows", []), obj.get("palette", {})
            if len(rows) != obj.get("height"):
                self.fault(fn, "%d rows for height %r" % (len(rows), obj.get("height")))
            for i, r in enumerate(rows):
                if len(r) != obj.get("width"):
                    self.fault(fn, "row %d is %d wide" % (i, len(r)))
                for ch in set(r) - set(pal):
                    self.fault(fn, "row %d uses %r, which the palette lacks" % (i, ch))
            for ch, colour in pal.items():
                if len(ch) != 1 or not (colour == -1 or 0 <= colour <= 180):
                    self.fault(fn, "palette entry %r: %r" % (ch, colour))
        for name in IMAGES:
            if name not in present:
                self.fault("images", "%s is missing" % name)
        for wname, (_, _, objs) in windows.items():
            for o in objs:
                if "bitmap" in o and o["bitmap"] not in present:
                    self.fault(wname, "bitmap %r does not exist" % o["bitmap"])

    # languages ---------------------------------------------------------------
    def check_languages(self, windows):
        ldir = os.path.join(ROOT, "languages")
        keysets = {}
        for code in LANGUAGES:
            obj = self.load(os.path.join(ldir, code + ".json"))
            if obj is None:
                continue
            if obj.get("language") != code or set(obj) != {"language", "strings"}:
                self.fault(code, "must hold exactly the language code and the strings")
            strings = obj.get("strings", {})
            keysets[code] = set(strings)
            for ident, txt in strings.items():
                self.check_identifier(code, ident, txt, windows)
        english = keysets.get("en", set())
        for code, keys in keysets.items():
            for ident in sorted(english - keys):
                self.fault(code, "lacks %s" % ident)
            for ident in sorted(keys - english):
                self.fault(code, "has %s, which English lacks" % ident)
        # Every visible label of a window must be translatable.
        for wname, (_, _, objs) in windows.items():
            if wname in STRING_TABLES:
                # The tables hold the English texts; languages override what they translate.
                continue
            for o in objs:
                sid = o.get("stringId")
                if sid and o.get("text") and o["class"] in TEXT_CLASSES:
                    if "%s~%s" % (wname, sid) not in english:
                        self.fault("en", "lacks %s~%s" % (wname, sid))
                if sid and o.get("quickTip") and "%s~%s_QTIP" % (wname, sid) not in english:
                    self.fault("en", "lacks %s~%s_QTIP" % (wname, sid))

    def check_identifier(self, code, ident, txt, windows):
        if not isinstance(txt, str) or not txt:
            self.fault(code, "%s has no text" % ident)
        if "~" not in ident:
            self.fault(code, "%s lacks the window name" % ident)
            return
        wname, control = ident.split("~", 1)
        if control.endswith("_QTIP"):
            control = control[:-5]
        if wname not in windows:
            self.fault(code, "%s names no window" % ident)
            return
        obj = windows[wname][1].get(control)
        if obj is None:
            self.fault(code, "%s names no control" % ident)
        elif obj["class"] == "ZafComboBox":
            # The main window would add the text to the list as an entry.
            self.fault(code, "%s targets a combo box" % ident)


def main():
    c = Checker()
    windows = c.check_windows()
    c.check_languages(windows)
    for f in c.faults:
        print(f)
    counts = {w: len(v[2]) - 1 for w, v in windows.items()}
    if "-v" in sys.argv:
        for w in WINDOW_TABLE:
            print("%-28s %d objects" % (w, counts.get(w, 0)))
    print("%d faults" % len(c.faults))
    return 1 if c.faults else 0


if __name__ == "__main__":
    sys.exit(main())
