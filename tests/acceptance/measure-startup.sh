#!/usr/bin/env bash
# Start-up time of the applet from loading the module to the main window
# shown (embedded service, headless presenter): the median of N runs.
# Usage: measure-startup.sh BIN_DIR [N]
set -euo pipefail
bin=$1 runs=${2:-21}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export KELVO_RUNTIME_DIR=$work KELVO_STATE=$work/state.json KELVO_REGISTRY=$work/none.reg
for _ in $(seq "$runs"); do
  "$bin/cplhost" --headless --timing "$bin/Tablet.cpl" 2>&1 | sed -n 's/^startup: \([0-9.]*\) ms$/\1/p'
done | sort -n | awk '{ t[NR] = $1 } END { printf "start-up over %d runs: median %.1f ms, min %.1f ms, max %.1f ms\n", NR, t[int((NR + 1) / 2)], t[1], t[NR] }'
