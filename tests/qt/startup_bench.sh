#!/bin/sh
# Median start-up to the first painted main window over fresh processes on
# Qt's offscreen platform, and the largest peak memory seen.
#   startup_bench.sh BUILD_BIN_DIR [PROCESSES]
set -eu
bin=$1
count=${2:-11}
firsts=""
walls=""
peak=0
i=0
while [ "$i" -lt "$count" ]; do
  start=$(date +%s%N)
  out=$(QT_QPA_PLATFORM=offscreen "$bin/qt_startup_bench" --runs 0 2>/dev/null)
  walls="$walls $((($(date +%s%N) - start) / 1000000))"
  firsts="$firsts $(echo "$out" | sed -n 's/^first painted main window: \([0-9.]*\) ms.*/\1/p')"
  mib=$(echo "$out" | sed -n 's/^peak memory: \([0-9.]*\) MiB/\1/p')
  peak=$(echo "$peak $mib" | awk '{ print ($2 > $1) ? $2 : $1 }')
  i=$((i + 1))
done
median() { echo "$1" | tr ' ' '\n' | grep . | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
echo "first painted main window: median $(median "$firsts") ms after main() over $count processes (all: $(echo $firsts))"
echo "whole process (exec, libraries, paint, exit): median $(median "$walls") ms"
echo "peak memory: $peak MiB"
