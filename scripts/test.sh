#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the default build,
# the AddressSanitizer/UBSan build, and each libFuzzer target for a bounded
# time when clang is there. Exits non-zero when anything failed.
set -uo pipefail
cd "$(dirname "$0")/.."

FUZZ_SECONDS="${KELVO_FUZZ_SECONDS:-30}"
JOBS="${KELVO_JOBS:-2}"
failures=()
passed_total=0
failed_total=0

./scripts/setup.sh || exit 1

# Runs ctest for one build folder and adds its counts to the totals.
run_ctest() {
  local dir="$1" log
  log="$(mktemp)"
  ctest --test-dir "$dir" --output-on-failure -j"$JOBS" --timeout 600 2>&1 | tee "$log"
  local status=${PIPESTATUS[0]}
  local summary
  summary="$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)"
  rm -f "$log"
  if [ -z "$summary" ]; then
    failures+=("$dir: ctest ran no test")
    return
  fi
  local failed total
  failed="$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")"
  total="$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$summary")"
  passed_total=$((passed_total + total - failed))
  failed_total=$((failed_total + failed))
  [ "$status" -eq 0 ] || failures+=("$dir: tests failed")
}

build_and_test() {
  local preset="$1"
  echo "=== $preset build ==="
  if cmake --preset "$preset" >/dev/null && cmake --build "build/$preset" -j"$JOBS"; then
    echo "=== $preset tests ==="
    run_ctest "build/$preset"
  else
    failures+=("$preset: build failed")
  fi
}

build_and_test default
build_and_test asan

if command -v clang++ >/dev/null 2>&1; then
  echo "=== fuzz targets, ${FUZZ_SECONDS}s each ==="
  if cmake --preset fuzz >/dev/null && cmake --build build/fuzz -j"$JOBS" --target kelvo_fuzzers; then
    for fuzzer in build/fuzz/bin/*_fuzzer; do
      [ -x "$fuzzer" ] || continue
      corpus="build/fuzz/corpus/$(basename "$fuzzer")"
      mkdir -p "$corpus"
      if "$fuzzer" -max_total_time="$FUZZ_SECONDS" -max_len=4096 "$corpus" >"$corpus.log" 2>&1; then
        echo "$(basename "$fuzzer"): $(grep -E '^Done [0-9]+ runs' "$corpus.log" | tail -1)"
      else
        tail -40 "$corpus.log"
        failures+=("$(basename "$fuzzer"): found a crash")
      fi
    done
  else
    failures+=("fuzz: build failed")
  fi
else
  echo "=== fuzz targets skipped: clang++ not found ==="
fi

for failure in "${failures[@]}"; do echo "FAILED: $failure"; done
echo "total: $passed_total passed, $failed_total failed"
[ ${#failures[@]} -eq 0 ]
