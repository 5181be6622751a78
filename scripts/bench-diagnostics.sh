#!/usr/bin/env bash
# Cost of the diagnostics dialog and of the tablet service, measured with
# process CPU time. Usage: scripts/bench-diagnostics.sh [BIN_DIR]
#  1. Gets per tick: the dialog open against tabletd with the pen still; a
#     watcher counts the gets the applet sends over 100 ticks beyond a run
#     with none.
#  2. The dialog's CPU: the applet's CPU time for 100 ticks (10 s of the
#     dialog at 100 ms) beyond the same run with no ticks, while the pen
#     demo plays at its report rate.
#  3. The service's CPU over 10 s of real time with the pen demo playing and
#     the dialog's 100 ticks served.
set -euo pipefail
bin=$(cd "${1:-build/default/bin}" && pwd)
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT
export KELVO_RUNTIME_DIR=$work/run KELVO_STATE=$work/state.json KELVO_REGISTRY=$work/registry.reg LC_ALL=C
unset DISPLAY WAYLAND_DISPLAY KELVO_SCRIPT
mkdir -p "$KELVO_RUNTIME_DIR"
printf 'Windows Registry Editor Version 5.00\n\n[HKEY_USERS\\.DEFAULT\\Software\\Kelvo\\Parameters]\n' >"$KELVO_REGISTRY"

"$bin/tabletd" --socket "$work/d.sock" --profile "$here/service/profiles/two-tablets.json" --state "$work/d.json" &
daemon=$!
pids+=("$daemon")
for _ in $(seq 100); do [ -S "$work/d.sock" ] && break; sleep 0.05; done
ctl() { "$bin/tabletctl" --socket "$work/d.sock" "$@"; }
ctl pen --tablet 1 prox 0 >/dev/null
export KELVO_SERVICE=daemon KELVO_SERVICE_SOCKET=$work/d.sock

# Scripts: open the diagnostics, let TICKS ticks pass, close.
make_script() {
  { echo "hold Ctrl on"; echo "press AboutButton"; echo "hold Ctrl off"; echo "expect window DiagnosticsDialog"
    for _ in $(seq "$1"); do echo "advance 100"; done; echo "answer ok"; } >"$work/ticks-$1.script"
}
make_script 0
make_script 100
cpu_of_run() {  # CPU seconds (user + system) of one applet run with that script
  local t0 t1
  /usr/bin/time -f "%U %S" -o "$work/time" "$bin/cplhost" --headless --script "$work/ticks-$1.script" "$bin/Tablet.cpl" 2>/dev/null
  awk '{ printf "%.3f", $1 + $2 }' "$work/time"
}
gets_of_run() {  # get commands the service answered during one run
  ctl watch >"$work/watch" &
  local watcher=$!
  sleep 0.3
  "$bin/cplhost" --headless --script "$work/ticks-$1.script" "$bin/Tablet.cpl" 2>/dev/null
  sleep 0.3
  kill "$watcher"; wait "$watcher" 2>/dev/null || true
  grep -c '^command 1 ' "$work/watch" || true
}

g0=$(gets_of_run 0); g100=$(gets_of_run 100)
echo "gets: $g0 with no tick, $g100 with 100 ticks: $(( (g100 - g0) / 100 )) per tick ($(( g100 - g0 )) in all)"

ctl pen --tablet 1 demo --loop >/dev/null &
pids+=("$!")
sleep 0.5
best0=999; best100=999
for _ in 1 2 3; do
  c0=$(cpu_of_run 0); c100=$(cpu_of_run 100)
  best0=$(awk -v a="$best0" -v b="$c0" 'BEGIN { print (b < a ? b : a) }')
  best100=$(awk -v a="$best100" -v b="$c100" 'BEGIN { print (b < a ? b : a) }')
done
awk -v a="$best0" -v b="$best100" 'BEGIN {
  d = b - a; if (d < 0) d = 0
  printf "dialog: %.3f s CPU for 100 ticks (run without ticks %.3f s, with %.3f s): %.2f%% of a core over 10 s\n", d, a, b, d / 10 * 100 }'

clk=$(getconf CLK_TCK)
svc() { awk '{ print $14 + $15 }' "/proc/$daemon/stat"; }
# The pen demo alone, 10 s of real time.
s0=$(svc); sleep 10; s1=$(svc)
awk -v a="$s0" -v b="$s1" -v t="$clk" 'BEGIN {
  printf "service, pen demo at 200 reports/s: %.2f s CPU over 10 s: %.2f%% of a core\n", (b - a) / t, (b - a) / t / 10 * 100 }'
kill "${pids[-1]}"; wait "${pids[-1]}" 2>/dev/null || true
# Serving the dialog: 1000 ticks, as many as 100 s of the open dialog.
s0=$(svc)
for _ in $(seq 10); do "$bin/cplhost" --headless --script "$work/ticks-100.script" "$bin/Tablet.cpl" 2>/dev/null; done
s1=$(svc)
s0b=$(svc)
for _ in $(seq 10); do "$bin/cplhost" --headless --script "$work/ticks-0.script" "$bin/Tablet.cpl" 2>/dev/null; done
s1b=$(svc)
awk -v a="$s0" -v b="$s1" -v c="$s0b" -v d="$s1b" -v t="$clk" 'BEGIN {
  x = ((b - a) - (d - c)) / t; if (x < 0) x = 0
  printf "service, serving the dialog: %.2f s CPU for 1000 ticks beyond the runs without ticks: %.2f%% of a core while the dialog is open\n", x, x / 100 * 100 }'
