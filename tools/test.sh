#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the portable core
# natively under the sanitizers, the in-process tests under Wine, and the
# end-to-end tests that drive the real program. Exits non-zero if any fails.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh" || exit 1
. "$root/tools/wine-env.sh"

passed=0
failed=0
# count_ctest LOG: adds ctest's closing counts to the totals.
count_ctest() {
  local line total bad
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  if [ -z "$line" ]; then
    failed=$((failed + 1))
    return
  fi
  bad=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
}

# count_plain LOG WORD: adds the counts of a closing line "WORD: N passed, M failed".
count_plain() {
  local line
  line=$(grep -E "^$2: [0-9]+ passed, [0-9]+ failed" "$1" | tail -n 1)
  if [ -z "$line" ]; then
    failed=$((failed + 1))
    return
  fi
  passed=$((passed + $(sed -E 's/.*: ([0-9]+) passed.*/\1/' <<<"$line")))
  failed=$((failed + $(sed -E 's/.* ([0-9]+) failed.*/\1/' <<<"$line")))
}

logs="$root/build/test-logs"
mkdir -p "$logs"

echo "== layers: no folder includes one above it, no include loops"
python3 "$root/tools/check_layers.py" 2>&1 | tee "$logs/layers.log"
count_plain "$logs/layers.log" layers

echo "== map: every product file named once in docs/architecture.md"
python3 "$root/tools/check_map.py" 2>&1 | tee "$logs/map.log"
count_plain "$logs/map.log" map

echo "== portable core (native, AddressSanitizer + UndefinedBehaviorSanitizer)"
if cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null &&
   cmake --build "$root/build/native" -j"$(nproc)" >"$logs/native-build.log" 2>&1; then
  ctest --test-dir "$root/build/native" -j"$(nproc)" --output-on-failure 2>&1 | tee "$logs/native.log" | tail -n 3
  count_ctest "$logs/native.log"
else
  cat "$logs/native-build.log"; failed=$((failed + 1))
fi

echo "== fuzzing the record view (about a minute)"
"$root/tools/fuzz.sh" 2>&1 | tee "$logs/fuzz.log" | grep -v '^ok '
count_plain "$logs/fuzz.log" fuzz

echo "== Windows build"
if ! "$root/tools/build.sh" >"$logs/win-build.log" 2>&1; then
  cat "$logs/win-build.log"
  echo "all: $passed passed, $((failed + 1)) failed"
  exit 1
fi

echo "== in-process tests under Wine"
work=$(mktemp -d /tmp/skerrow-test.XXXXXX)
export WINEPREFIX="$work/prefix"
cleanup() {
  WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
if start_xvfb && make_prefix "$WINEPREFIX"; then
  # One server for the whole run, so that each test's Wine start is quick;
  # and the prefix's own background processes started here, with their
  # output going nowhere: they would otherwise inherit the first test's
  # output pipe and keep ctest waiting for it to close.
  wineserver -p
  wine "$root/build/win/wine_tests.exe" --gtest_list_tests </dev/null >/dev/null 2>&1
  ctest --test-dir "$root/build/win" --timeout 60 --output-on-failure 2>&1 |
    tee "$logs/wine.log" | tail -n 3
  count_ctest "$logs/wine.log"
  wineserver -k 2>/dev/null
else
  failed=$((failed + 1))
fi
kill "$XVFB_PID" 2>/dev/null; XVFB_PID=

echo "== end-to-end tests of the real program"
timeout 900 "$root/tests/e2e/run.sh" "$root/build/win" 2>&1 | tee "$logs/e2e.log" | grep -v ' ok ('
count_plain "$logs/e2e.log" e2e

echo "== the dialogs and boxes again on a Western system (ANSI code page 1252)"
E2E_LOCALE=C.UTF-8 E2E_ACP=1252 E2E_OUT="$root/build/win/e2e-out-1252" timeout 600 "$root/tests/e2e/run.sh" \
  "$root/build/win" 'options_sheet|jump_and_file|version_and_help|open_step' 2>&1 |
  tee "$logs/e2e-1252.log" | grep -v ' ok ('
count_plain "$logs/e2e-1252.log" e2e

echo "all: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
