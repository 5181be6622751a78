#!/usr/bin/env bash
# Runs one acceptance case against the built applet: cplhost --headless with
# the embedded tablet service, a temporary state file, runtime folder and
# registry. Usage: run-acceptance.sh BIN_DIR PROFILE_DIR CASE [headless|qt]
# With qt the applet shows its windows with Qt on the offscreen platform and
# the scripts act on the real widgets.
set -uo pipefail
bin=$1 profiles=$2 case=$3 presenter=${4:-headless}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export KELVO_RUNTIME_DIR=$work/run KELVO_STATE=$work/state.json KELVO_REGISTRY=$work/registry.reg
export LC_ALL=C
unset KELVO_PROFILE KELVO_SERVICE KELVO_SERVICE_SOCKET KELVO_SCRIPT DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
shown=(--headless)
if [ "$presenter" = qt ]; then
  export KELVO_PRESENTER=qt QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work/xdg
  mkdir -m 0700 "$XDG_RUNTIME_DIR"
  shown=()
fi
mkdir -p "$KELVO_RUNTIME_DIR"
printf 'Windows Registry Editor Version 5.00\n\n[HKEY_USERS\\.DEFAULT\\Software\\Kelvo\\Parameters]\n' >"$KELVO_REGISTRY"

# Under AddressSanitizer: libgomp, which Qt pulls into Tablet.cpl, keeps a
# few bytes from its load until exit; cplhost unloads the module, so keep
# libgomp loaded to tell that apart from leaks of the applet's own.
asan=$(ldd "$bin/cplhost" | sed -n 's/^\s*\(libasan[^ ]*\) => \([^ ]*\).*/\2/p')
gomp=$(ldd "$bin/Tablet.cpl" | sed -n 's/^\s*libgomp[^ ]* => \([^ ]*\).*/\1/p')
launcher=()
if [ -n "$asan" ] && [ -n "$gomp" ]; then launcher=(env "LD_PRELOAD=$asan:$gomp"); fi

fail() { echo "FAIL ($case, $presenter): $*" >&2; exit 1; }
# A start that ends without the main window ends with status 3 and one line
# that says why: told_why PATTERN (grep -E, after "cplhost: ").
told_why() {
  [ "$status" -eq 3 ] || fail "ended with $status, not 3"
  [ "$(grep -c '^cplhost: ' "$work/err")" -eq 1 ] || fail "not exactly one line of cplhost"
  grep -Eq "^cplhost: $1" "$work/err" || fail "no line saying why: $1"
}
# Runs the applet; stderr is kept in $work/err, the exit status in $status.
applet() {
  "${launcher[@]}" "$bin/cplhost" "${shown[@]}" "$@" "$bin/Tablet.cpl" 2>"$work/err"
  status=$?
  cat "$work/err" >&2
}
script() {  # a script of this folder, or one the case wrote (an absolute path)
  local file=$1
  [ "${file#/}" != "$file" ] || file=$here/$1
  applet --script "$file"
  [ "$status" -eq 0 ] || fail "script $1 answered $status"
}
state_value() {  # the bytes the service keeps for a path, or nothing (later lines win)
  python3 -c "
import json, sys
found = ''
for line in open(sys.argv[1]):
    if line.strip():
        found = next((v['bytes'] for v in json.loads(line).get('values', []) if v['path'] == sys.argv[2]), found)
print(found)" "$KELVO_STATE" "$1"
}
tool_value() {  # tool_value TYPE PATH: the same for a path of the tool of that type
  python3 -c "
import json, sys
found = ''
for line in open(sys.argv[1]):
    if line.strip():
        found = next((v['bytes'] for v in json.loads(line).get('values', [])
                      if v['path'] == sys.argv[3] and v.get('type') == int(sys.argv[2])), found)
print(found)" "$KELVO_STATE" "$1" "$2"
}
set_state_value() {
  printf '{"version": 1, "applications": [], "values": [{"path": "%s", "bytes": "%s"}]}\n' "$1" "$2" >"$KELVO_STATE"
}

# Pictures of what the user sees go to the build's screenshot folder; each
# named one must be a PNG of a window with something drawn in it.
shots=${KELVO_SCREENSHOT_DIR:-$bin/../screenshots}
shoot() {  # [shoot_why=PATTERN] shoot SCRIPT PICTURE...: with shoot_why, the start is one that fails
  local script=$1 picture
  shift
  mkdir -p "$shots" || fail "no screenshot folder $shots"
  for picture in "$@"; do rm -f "$shots/$picture"; done
  cd "$shots" || fail "cannot enter $shots"
  if [ -n "${shoot_why:-}" ]; then
    applet --script "$here/$script"
    told_why "$shoot_why"
  else
    script "$script"
  fi
  for picture in "$@"; do
    python3 "$here/check-png.py" "$shots/$picture" || fail "screenshot $picture"
  done
  echo "screenshots in $(cd "$shots" && pwd): $*"
}

case $case in
  opens-on-stylus-tab) script opens-on-stylus-tab.script ;;
  click-sound)
    script click-sound.script
    [ "$(state_value 18/234)" = 00 ] || fail "the driver does not hold the click sound off: '$(state_value 18/234)'" ;;
  window-position)
    # A fresh service has no position yet (-1, -1): the window stays where
    # the layout puts it, and closing keeps that place for the next opening.
    KELVO_DESCRIBE=1 applet
    grep -q 'position: 120,80' "$work/err" || fail "first opening not at the layout's place"
    [ "$(state_value 195)" = 7800000050000000 ] || fail "closing kept '$(state_value 195)'"
    set_state_value 195 2c0100003c000000
    KELVO_DESCRIBE=1 applet
    grep -q 'position: 300,60' "$work/err" || fail "the window did not open where it was closed"
    [ "$(state_value 195)" = 2c0100003c000000 ] || fail "second closing kept '$(state_value 195)'" ;;
  move-window)
    # Moved by the user, the window is saved where it was left and opens there again.
    script move-window.script
    [ "$(state_value 195)" = 2c0100003c000000 ] || fail "closing kept '$(state_value 195)'"
    script moved-window.script ;;
  about-and-diagnostics) script about.script ;;
  diagnostics-live)
    # The applet against tabletd, the pen of tablet 1 near it: the applet
    # opens on the tablet in use and its diagnostics show the pen.
    "$bin/tabletd" --socket "$work/d.sock" --profile "$profiles/two-tablets.json" --state "$work/d.json" &
    daemon=$!
    trap 'kill $daemon 2>/dev/null; rm -rf "$work"' EXIT
    for _ in $(seq 100); do [ -S "$work/d.sock" ] && break; sleep 0.05; done
    ctl() { "$bin/tabletctl" --socket "$work/d.sock" pen --tablet 1 "$@" || fail "tabletctl pen $*"; }
    ctl prox 0
    ctl move 1500 900
    ctl tilt 10 -4
    ctl wheel -2
    ctl pressure 600
    ctl switches 5
    export KELVO_SERVICE=daemon KELVO_SERVICE_SOCKET=$work/d.sock
    shoot diagnostics-live.script diagnostics-live.png
    ! grep -q '"2:1/190' "$work/d.json" 2>/dev/null || fail "a live record was stored" ;;
  switch-menus)
    script switch-menus.script
    # The pen is of type 2, the puck of type 3.
    [ "$(tool_value 2 11:3/41)" = 07000000 ] || fail "upper side switch: '$(tool_value 2 11:3/41)'"
    [ "$(tool_value 2 11:2/41)" = 0b000000 ] || fail "lower side switch: '$(tool_value 2 11:2/41)'"
    [ "$(tool_value 3 11:2/41)" = 04000000 ] || fail "right puck button: '$(tool_value 3 11:2/41)'"
    [ "$(tool_value 3 11:1/41)" = 01000000 ] || fail "left puck button not reset: '$(tool_value 3 11:1/41)'"
    script switch-menus-reopened.script ;;
  docs-example)
    # The example of docs/automation.md, as the page shows it.
    sed -n '/^## Example/,$p' "$here/../../docs/automation.md" | sed -n '/^```$/,/^```$/p' | sed '1d;$d' \
      >"$work/example.script"
    [ -s "$work/example.script" ] || fail "no example found in docs/automation.md"
    applet --script "$work/example.script"
    [ "$status" -eq 0 ] || fail "the documented example answered $status" ;;
  resource-missing)
    mkdir "$work/bare"
    cp "$bin/Tablet.cpl" "$bin/libwintab32.so" "$work/bare/"
    bin_saved=$bin
    "${launcher[@]}" "$bin_saved/cplhost" "${shown[@]}" --script "$here/opens-on-stylus-tab.script" "$work/bare/Tablet.cpl" 2>"$work/err"
    status=$?
    [ "$(grep -c '^Error: Resource file could not be found or loaded.$' "$work/err")" -eq 1 ] || fail "not exactly one error box"
    told_why "the resource file $work/bare/Tablet.znc no such file$" ;;
  resource-folder)
    mkdir -p "$work/bare/Tablet.znc"
    cp "$bin/Tablet.cpl" "$bin/libwintab32.so" "$work/bare/"
    "${launcher[@]}" "$bin/cplhost" --headless "$work/bare/Tablet.cpl" 2>"$work/err"
    status=$?
    [ "$(grep -c '^Error: Resource file could not be found or loaded.$' "$work/err")" -eq 1 ] || fail "not exactly one error box"
    told_why "the resource file $work/bare/Tablet.znc is a folder$" ;;
  language-file-folder)
    # The toolkit's own language file is optional: a folder in its place is passed over.
    mkdir -p "$work/bare/i18n.znc"
    cp "$bin/Tablet.cpl" "$bin/libwintab32.so" "$bin/Tablet.znc" "$work/bare/"
    "${launcher[@]}" "$bin/cplhost" --headless --script "$here/opens-on-stylus-tab.script" "$work/bare/Tablet.cpl" 2>"$work/err"
    status=$?
    [ "$status" -eq 0 ] || fail "the applet did not open (cplhost answered $status)" ;;
  profile-missing)
    KELVO_PROFILE=$work/absent.json applet
    told_why "no tablet driver: the tablet service cannot start: $work/absent.json: cannot be read$" ;;
  profile-invalid)
    printf '{"tablets": [' >"$work/bad.json"
    KELVO_PROFILE=$work/bad.json applet
    told_why "no tablet driver: the tablet service cannot start: $work/bad.json: " ;;
  launcher-bad-profile)
    KELVO_PROFILE=$work/absent.json "${launcher[@]}" "$bin/tablet-properties" --headless >"$work/out" 2>"$work/err"
    status=$?
    cat "$work/out" "$work/err" >&2
    told_why "no tablet driver: .*$work/absent.json" ;;
  resource-damaged)
    mkdir "$work/bare"
    cp "$bin/Tablet.cpl" "$bin/libwintab32.so" "$work/bare/"
    head -c 300 "$bin/Tablet.znc" >"$work/bare/Tablet.znc"
    "${launcher[@]}" "$bin/cplhost" "${shown[@]}" --script "$here/opens-on-stylus-tab.script" "$work/bare/Tablet.cpl" 2>"$work/err"
    status=$?
    [ "$(grep -c '^Error: Resource file could not be found or loaded.$' "$work/err")" -eq 1 ] || fail "not exactly one error box"
    told_why "the resource file $work/bare/Tablet.znc is damaged" ;;
  second-instance)
    # Another instance holds the applet's lock: nothing is shown.
    flock "$KELVO_RUNTIME_DIR/kelvo-mutex-ConsumerCPLRunningMutex.lock" \
      "${launcher[@]}" "$bin/cplhost" "${shown[@]}" --script "$here/opens-on-stylus-tab.script" "$bin/Tablet.cpl" 2>"$work/err"
    status=$?
    told_why "Tablet Properties is already open"
    # Only the automation's own report may be there, no box and no window.
    if grep -v -e '^cplhost: ' -e '^script ' "$work/err" | grep -q .; then fail "the second instance showed something"; fi ;;
  driver-not-found)
    KELVO_SERVICE=daemon KELVO_SERVICE_SOCKET=$work/no-daemon.sock applet --script "$here/driver-not-found.script"
    told_why "no tablet driver: no tablet service answers at $work/no-daemon.sock$" ;;
  version-mismatch)
    export KELVO_PROFILE=$profiles/old-driver.json
    applet
    told_why "the tablet driver's version [0-9.]+ does not fit this applet"
    grep -q '^Tablet Version Mismatch: Please reinstall the tablet software.$' "$work/err" || fail "no English box"
    LC_ALL=de_DE.UTF-8 applet
    grep -q '^Tablettversionen stimmen nicht überein: Installieren Sie die Tablett-Software erneut.$' "$work/err" \
      || fail "no German box" ;;
  no-supported-tablet)
    KELVO_PROFILE=$profiles/unsupported.json applet --script "$here/no-supported-tablet.script"
    told_why "no supported tablet is attached$" ;;
  no-supported-tablet-ctrl)
    KELVO_PROFILE=$profiles/unsupported.json script no-supported-tablet-ctrl.script ;;
  tablet-pc)
    KELVO_PROFILE=$profiles/tablet-pc.json script tablet-pc.script ;;
  calibrate-*)
    # The pen display is the second of two monitors; its area starts as the whole tablet.
    export KELVO_PROFILE=$profiles/pen-display.json KELVO_SCREENS='1280x1024+0+0;800x600+1280+0,id=MONITOR\KLV1201\0001'
    export QT_QPA_PLATFORM=offscreen:configfile=$work/screens.json
    printf '{"screens": [{"name": "Main", "x": 0, "y": 0, "width": 1280, "height": 1024},
      {"name": "Pen", "x": 1280, "y": 0, "width": 800, "height": 600}]}\n' >"$work/screens.json"
    area() { echo "$(state_value 12/5:0@5/19:0@5/20:2/60) $(state_value 12/5:0@5/19:0@5/20:2/61) $(state_value 12/5:0@5/19:0@5/20:2/149)"; }
    case $case in
      calibrate-cancel)
        script calibrate.script
        [ "$(area)" = "000000000000000000000000 107700004c59000000000000 0000" ] || fail "Cancel left '$(area)'" ;;
      calibrate-ok)
        # Origin (-1279, -1295), extent (32558, 24590), calibrated.
        script calibrate-ok.script
        [ "$(area)" = "01fbfffff1faffff00000000 2e7f00000e60000000000000 0100" ] || fail "OK left '$(area)'" ;;
      calibrate-escape)
        script calibrate-escape.script
        [ "$(state_value 12/5:0@5/19:0@5/20:2/149)" != 0100 ] || fail "Escape kept a calibration" ;;
      calibrate-mouse)
        shoot calibrate-mouse.script calibrate-tab.png calibrate-window.png calibrate-done.png
        [ "$(area)" = " 0f7700004b59000000000000 0100" ] || fail "the mouse calibrated '$(area)'" ;;
      calibrate-system|calibrate-system-missing)
        export KELVO_PROFILE=$profiles/tablet-pc.json KELVO_TABLET_PC=1 windir=$work/windows
        printf '\n[HKEY_LOCAL_MACHINE\\Software\\kelvo]\n"UseHID"=dword:00000001\n' >>"$KELVO_REGISTRY"
        mkdir -p "$windir/system32"
        if [ "$case" = calibrate-system ]; then
          printf '#!/bin/sh\necho "$0" >"%s/ran"\n' "$work" >"$windir/system32/TabCal.exe"
          chmod +x "$windir/system32/TabCal.exe"
        fi
        script "$case.script"
        if [ "$case" = calibrate-system ]; then
          [ "$(cat "$work/ran" 2>/dev/null)" = "$windir/system32/TabCal.exe" ] || fail "the system's program did not run"
        fi ;;
      *) fail "unknown case" ;;
    esac ;;
  mapping-tab)
    # Two named screens side by side; the default tablet's pen and puck.
    export KELVO_SCREENS='1280x1024+0+0,name=Main;1024x768+1280+0,name=Side'
    export QT_QPA_PLATFORM=offscreen:configfile=$work/screens.json
    printf '{"screens": [{"name": "Main", "x": 0, "y": 0, "width": 1280, "height": 1024},
      {"name": "Side", "x": 1280, "y": 0, "width": 1024, "height": 768}]}\n' >"$work/screens.json"
    shoot mapping-tab.script mapping-whole-desktop.png mapping-part-of-desktop.png mapping-monitor.png \
      mapping-whole-tablet.png mapping-dragged.png
    # The pen's mapping context (application 0, serial 0x1234, identity 1).
    pen=12/5:0@4/2/5/19:4660@4/19:1
    expect_value() { [ "$(state_value "$pen/$1")" = "$2" ] || fail "$3: '$(state_value "$pen/$1")'"; }
    expect_value 21:2/150 0100 "display area mode, a monitor"
    expect_value 21:2/151 0200 "monitor"
    expect_value 21:2/78 c80000006400000000000000 "screen origin (200, 100)"
    expect_value 21:2/79 200300005802000000000000 "screen extent (800, 600)"
    expect_value 20:2/152 0100 "force proportions"
    expect_value 20:2/149 0100 "tablet area flag, a part"
    expect_value 20:2/61 58380000882c000000000000 "dragged tablet extent (14424, 11400)" ;;
  mapping-tablet-pc)
    KELVO_PROFILE=$profiles/tablet-pc.json script mapping-tablet-pc.script ;;
  tablet-pc-lists)
    printf '\n[HKEY_LOCAL_MACHINE\\Software\\kelvo]\n"UseHID"=dword:00000001\n' >>"$KELVO_REGISTRY"
    script tablet-pc-lists.script
    [ "$(tool_value 2 11:2/41)" = 1b000000 ] || fail "lower switch: '$(tool_value 2 11:2/41)'" ;;
  advanced-cancel-keeps-ok)
    printf '\n[HKEY_LOCAL_MACHINE\\Software\\kelvo]\n"UseHID"=dword:00000001\n' >>"$KELVO_REGISTRY"
    script advanced-cancel-keeps-ok.script
    [ "$(state_value 223)" = 01 ] || fail "the driver went back to '$(state_value 223)' after Cancel" ;;
  screenshots-main)
    shoot screenshots-main.script main-pen.png main-puck.png about.png diagnostics.png ;;
  screenshots-tablet-tab)
    KELVO_PROFILE=$here/profiles/model-230.json shoot screenshots-tablet-tab.script main-tablet-model.png ;;
  screenshots-advanced)
    printf '\n[HKEY_LOCAL_MACHINE\\Software\\kelvo]\n"UseHID"=dword:00000001\n' >>"$KELVO_REGISTRY"
    shoot screenshots-advanced.script advanced-settings.png ;;
  define-dialogs)
    shoot define-dialogs.script keystroke-dialog.png modifier-dialog.png
    # The pen (type 2): upper switch Ctrl+F1, lower switch Alt and Shift.
    [ "$(tool_value 2 11:3/41)" = 08000000 ] || fail "upper switch function: '$(tool_value 2 11:3/41)'"
    case "$(tool_value 2 11:3/238)" in 0200007000000000*) ;; *) fail "upper switch keys: '$(tool_value 2 11:3/238)'" ;; esac
    [ "$(tool_value 2 11:2/41)" = 09000000 ] || fail "lower switch function: '$(tool_value 2 11:2/41)'"
    [ "$(tool_value 2 11:2/104)" = 0500 ] || fail "lower switch modifiers: '$(tool_value 2 11:2/104)'"
    script define-dialogs-reopened.script
    [ "$(tool_value 2 11:3/41)" = 02000000 ] || fail "upper switch not reset: '$(tool_value 2 11:3/41)'"
    case "$(tool_value 2 11:3/238)" in 00000000*) ;; *) fail "upper switch keys not reset" ;; esac
    [ "$(tool_value 2 11:2/41)" = 03000000 ] || fail "lower switch not reset: '$(tool_value 2 11:2/41)'"
    [ "$(tool_value 2 11:2/104)" = 0000 ] || fail "lower switch modifiers not reset: '$(tool_value 2 11:2/104)'" ;;
  run-dialog)
    export KELVO_PROFILE=$here/profiles/model-230.json
    script run-dialog-cancelled.script
    [ "$(state_value 6/11/41)" != 17000000 ] || fail "a cancelled run dialog wrote its function"
    case "$(state_value 6/11/240)" in 2f7573722f62696e2f7472756500*) fail "a cancelled run dialog wrote its program" ;; esac
    shoot run-dialog.script run-dialog.png
    [ "$(state_value 6/11/41)" = 17000000 ] || fail "joystick switch function: '$(state_value 6/11/41)'"
    case "$(state_value 6/11/240)" in 2f7573722f62696e2f656e7600*) ;; *) fail "program: '$(state_value 6/11/240)'" ;; esac
    case "$(state_value 6/11/241)" in 000000650000006e0000007600000000*) ;; *) fail "name: '$(state_value 6/11/241)'" ;; esac
    script run-dialog-reopened.script
    [ "$(state_value 6/11/41)" = 00000000 ] || fail "joystick switch not reset: '$(state_value 6/11/41)'"
    case "$(state_value 6/11/240)" in 00*) ;; *) fail "program not reset: '$(state_value 6/11/240)'" ;; esac
    case "$(state_value 6/11/241)" in 00000000*) ;; *) fail "name not reset: '$(state_value 6/11/241)'" ;; esac ;;
  screenshots-manual-not-found)
    mkdir "$work/manual"
    printf '%%PDF-1.4\n' >"$work/manual/TabletManual.pdf"
    printf '"OEMDocLocation"="%s"\n' "$work/manual" >>"$KELVO_REGISTRY"
    KELVO_OPEN_COMMAND=false shoot screenshots-manual-not-found.script manual-not-found.png ;;
  help-opens-manual)
    # The opener records what it was given; the file must be the built manual.
    printf '#!/bin/sh\nprintf %%s "$1" >"%s/opened"\n' "$work" >"$work/opener"
    chmod +x "$work/opener"
    KELVO_OPEN_COMMAND=$work/opener script help-opens-manual.script
    [ "$(cat "$work/opened" 2>/dev/null)" = "$(cd "$bin" && pwd -P)/doc/TabletManual.pdf" ] \
      || fail "Help opened \"$(cat "$work/opened" 2>/dev/null)\""
    [ "$(head -c 5 "$bin/doc/TabletManual.pdf")" = "%PDF-" ] || fail "the manual is not a PDF" ;;
  screenshots-driver-not-found)
    KELVO_SERVICE=daemon KELVO_SERVICE_SOCKET=$work/no-daemon.sock shoot_why="no tablet driver" \
      shoot screenshots-driver-not-found.script driver-not-found.png ;;
  screenshots-no-supported-tablet)
    KELVO_PROFILE=$profiles/unsupported.json shoot_why="no supported tablet" \
      shoot screenshots-no-supported-tablet.script no-supported-tablet.png ;;
  screenshots-select-tablet)
    KELVO_PROFILE=$here/profiles/several-supported.json shoot_why="no supported tablet" \
      shoot screenshots-select-tablet.script select-tablet.png ;;
  screenshots-tabs-*)
    # Every tab a shipped profile shows, with the driver's values in it (a
    # tablet without a pen opens no window); one profile per case.
    name=${case#screenshots-tabs-} pictures=()
    case $name in
      default) tabs="StylusTab PuckTab"; unset KELVO_PROFILE ;;
      pen-display) tabs="CalibrateTab StylusTab"; export KELVO_PROFILE=$profiles/$name.json ;;
      tablet-pc | two-tablets | wireless) tabs=StylusTab; export KELVO_PROFILE=$profiles/$name.json ;;
      model-230) tabs="StylusTab PuckTab TabletTab"; export KELVO_PROFILE=$here/profiles/$name.json ;;
      *) fail "no such profile" ;;
    esac
    : >"$work/tabs-$name.script"
    # The one model with a tablet tab is used only when Ctrl is held as its
    # "not supported" dialog closes.
    if [ "$name" = model-230 ]; then
      printf 'expect window NoSuppTabletDialog\nhold Ctrl on\nanswer ok\nhold Ctrl off\n' >"$work/tabs-$name.script"
    fi
    for tab in $tabs; do
      printf 'tab %s\nexpect selection TabsWindow %s\nscreenshot tabs-%s-%s.png\n' "$tab" "$tab" "$name" "$tab" \
        >>"$work/tabs-$name.script"
      pictures+=("tabs-$name-$tab.png")
    done
    shoot "$work/tabs-$name.script" "${pictures[@]}" ;;
  launcher-without-display)
    # What a user on a machine without a display sees: a description and a picture.
    KELVO_SCREENSHOT=$work/main.png "${launcher[@]}" "$bin/tablet-properties" >"$work/out" 2>"$work/err"
    status=$?
    cat "$work/out" "$work/err" >&2
    [ "$status" -eq 0 ] || fail "the launcher answered $status"
    grep -q "tabs: Pen (shown), Puck" "$work/err" || fail "no description of the main window"
    grep -qF "a picture of the main window is in $work/main.png" "$work/out" || fail "the picture's place is not said"
    python3 "$here/check-png.py" "$work/main.png" || fail "no picture of the main window" ;;
  *) fail "unknown case" ;;
esac
echo "PASS ($case, $presenter)"
