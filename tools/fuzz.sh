#!/usr/bin/env bash
# Builds the fuzz targets of the record view with clang (libFuzzer,
# AddressSanitizer, UndefinedBehaviorSanitizer) into build/fuzz and runs each
# for a bounded time: FUZZ_SECONDS each, 15 by default, about a minute in
# all. Each run starts from a copy of the seed corpus in a temporary folder,
# so tests/fuzz/corpus does not grow; an input that fails is kept in
# build/fuzz/crashes. Ends with a line "fuzz: N passed, M failed" and exits
# non-zero if any target failed.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/fuzz"
seconds=${FUZZ_SECONDS:-15}
targets=(fuzz_replace_markup fuzz_strip_tags fuzz_replace_angle_entities fuzz_format_dat_record fuzz_read_notation)

mkdir -p "$build/crashes"
if ! cmake -S "$root" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
       -DCMAKE_BUILD_TYPE=Debug -DSKERROW_FUZZ=ON >"$build/configure.log" 2>&1 ||
   ! cmake --build "$build" --target "${targets[@]}" -j"$(nproc)" >"$build/build.log" 2>&1; then
  cat "$build/configure.log" "$build/build.log" 2>/dev/null | tail -n 40
  echo "fuzz: 0 passed, ${#targets[@]} failed"
  exit 1
fi

work=$(mktemp -d /tmp/skerrow-fuzz.XXXXXX)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
for target in "${targets[@]}"; do
  mkdir -p "$work/$target"
  cp "$root/tests/fuzz/corpus/$target/"* "$work/$target/"
  log="$build/$target.log"
  if "$build/tests/fuzz/$target" "$work/$target" -max_total_time="$seconds" -max_len=9000 \
       -rss_limit_mb=2048 -timeout=10 -artifact_prefix="$build/crashes/$target-" >"$log" 2>&1; then
    passed=$((passed + 1))
    echo "ok $target: $(grep -Eo 'Done [0-9]+ runs in [0-9]+ second' "$log" | tail -n 1)," \
         "$(grep -Eo 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+' "$log" | tail -n 1)"
  else
    failed=$((failed + 1))
    echo "FAILED $target (log $log):"
    tail -n 30 "$log"
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
