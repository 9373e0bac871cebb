#!/usr/bin/env bash
# Measures opening large texts: the native index build against `wc -l`, and
# the whole open under Wine (copy, index, first line) against `cp` plus
# `wc -l`, on 1 GiB texts that it generates: short and long lines in code
# page 932, the long lines in UTF-8 and in UTF-16, and long lines of ASCII
# alone (whose encoding the open looks for to the end). Then a find of a text
# that is not there: the native scan against `grep -c -F`, the whole find
# under Wine against the native scan, and what running the open in slices
# on the window's message loop, its progress shown, adds to it.
#   tools/bench.sh [DIR]   (DIR holds the texts, default /tmp/skerrow-bench;
#                           needs about 7 GiB free there)
# Each figure is the best of several runs; run it on a quiet machine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-/tmp/skerrow-bench}
runs=${BENCH_RUNS:-5}
"$root/tools/setup.sh"
"$root/tools/build.sh" >/dev/null
cmake -S "$root" -B "$root/build/bench" -DSKERROW_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build/bench" -j"$(nproc)" >/dev/null
. "$root/tools/wine-env.sh"

mkdir -p "$dir/start"
# Every run starts from the default window: a settings file left by an
# earlier run keeps the size of its last measure (1,920 x 200).
rm -f "$dir/start/Skerrow.ini"
python3 "$root/tools/make_bench_texts.py" "$dir" 1024

# best SECONDS... : the smallest of the figures given.
best() { printf '%s\n' "$@" | sort -g | head -n 1; }
elapsed() { local t0 t1; t0=$(date +%s.%N); "$@" >/dev/null; t1=$(date +%s.%N); echo "$t1 - $t0" | bc -l; }

work=$(mktemp -d /tmp/skerrow-bench-wine.XXXXXX)
export WINEPREFIX="$work/prefix"
trap 'wineserver -k 2>/dev/null; [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID"; rm -rf "$work"' EXIT
start_xvfb
make_prefix "$WINEPREFIX"
wineserver -p
# The prefix's background processes start here, not holding the output
# pipe of the first measured run open.
wine "$root/build/win/open_bench.exe" </dev/null >/dev/null 2>&1 || true

printf '%-10s %10s %10s %7s | %10s %10s %7s %12s %12s %9s\n' text "index s" "wc -l s" ratio \
  "open s" "cp+wc s" ratio "index MiB" "peak+ MiB" "step us"
# The query, which no bench text holds, in each text's own bytes.
query_of() { if [ "$1" = utf8 ]; then printf '見つからない語'; else printf '見つからない語' | iconv -t CP932; fi; }
finds=()
for name in short long utf8 utf16 ascii; do
  text="$dir/$name.txt"
  sync
  cat "$text" >/dev/null
  idx=() wc=() open=() cpwc=() popen=() wfind=() nfind=() grepf=()
  # The native scan of UTF-16 bytes would measure nothing the program does:
  # shown as 0 against 1.
  [ "$name" = utf16 ] && idx=(0) wc=(1)
  for _ in $( [ "$name" = utf16 ] || seq "$runs"); do
    scan=$("$root/build/bench/index_bench" "$text" 1 "$(query_of "$name")")
    idx+=("$(awk '{print $2}' <<<"$scan")")
    nfind+=("$(awk '{print $10}' <<<"$scan")")
    wc+=("$(elapsed wc -l "$text")")
    grepf+=("$(LC_ALL=C elapsed grep -c -F "$(query_of "$name")" "$text")")
  done
  for _ in $(seq 3); do
    # Each measured after the writes before it have reached the disk: the
    # kernel's write-back otherwise throttles whatever writes next.
    sync
    line=$(cd "$dir/start" && wine "$root/build/win/open_bench.exe" "Z:${text//\//\\}" | tr -d '\r')
    open+=("$(awk '{print $2}' <<<"$line")")
    sync
    t0=$(date +%s.%N); cp "$text" "$dir/start/copy.txt"; wc -l "$text" >/dev/null; t1=$(date +%s.%N)
    rm -f "$dir/start/copy.txt"
    cpwc+=("$(echo "$t1 - $t0" | bc -l)")
  done
  # The open again as the program runs it, in slices showing its progress,
  # then the find.
  for _ in $(seq 3); do
    sync
    withq=$(cd "$dir/start" && wine "$root/build/win/open_bench.exe" "Z:${text//\//\\}" '見つからない語' | tr -d '\r')
    popen+=("$(awk '{print $2}' <<<"$withq")")
    wfind+=("$(awk '{print $12}' <<<"$withq")")
  done
  i=$(best "${idx[@]}") w=$(best "${wc[@]}") o=$(best "${open[@]}") c=$(best "${cpwc[@]}")
  [ "$name" = ascii ] && ascii_open=$o
  printf '%-10s %10.3f %10.3f %7.2f | %10.3f %10.3f %7.2f %12.1f %12.1f %9.0f\n' "$name" "$i" "$w" \
    "$(echo "$i / $w" | bc -l)" "$o" "$c" "$(echo "$o / $c" | bc -l)" \
    "$(awk '{print $6 / 1048576}' <<<"$line")" "$(awk '{print $8 / 1048576}' <<<"$line")" \
    "$(awk '{print $10}' <<<"$line")"
  if [ "$name" != utf16 ]; then
    n=$(best "${nfind[@]}") g=$(best "${grepf[@]}")
  else
    n=0 g=1
  fi
  # What the slices add: the best sliced open against the best straight one.
  p=$(echo "$(best "${popen[@]}") / $o - 1" | bc -l) f=$(best "${wfind[@]}")
  finds+=("$(printf '%-10s %10.3f %10.3f %7.2f | %10.3f %7.2f | %12.2f' "$name" "$n" "$g" \
    "$(echo "$n / $g" | bc -l)" "$f" "$(echo "$f / ($n + ($n == 0))" | bc -l)" "$(echo "$p * 100" | bc -l)")")
done
printf '\n%-10s %10s %10s %7s | %10s %7s | %12s\n' text "scan s" "grep -F s" ratio "find s" ratio \
  "slices +%"
printf '%s\n' "${finds[@]}"
small=$(cd "$dir/start" && wine "$root/build/win/open_bench.exe" "Z:${root//\//\\}\\samples\\sample.txt" | tr -d '\r')
echo "line step on the 294-line sample: $(awk '{print $10}' <<<"$small") us"

# Two 4,096-byte lines of a novel in the default window (600 x 50): laying
# one out anew, a step to its next piece and a step to the next line, each
# painted (medians of 201, in microseconds).
python3 -c '
import sys
s = "親譲りの無鉄砲で小供の時から損ばかりしている。小学校に居る時分学校の二階から飛び降りて一週間ほど腰を抜かした事がある。".encode("cp932")
open(sys.argv[1], "wb").write((s * 60)[:4096] + b"\r\n" + (s * 60)[24:4120] + b"\r\n")' "$dir/pieces.txt"
pieces=$(cd "$dir/start" && wine "$root/build/win/open_bench.exe" --pieces "Z:${dir//\//\\}\\pieces.txt" | tr -d '\r')
for drawn in faded per_pixel; do
  p=$(grep "^$drawn " <<<"$pieces")
  echo "a 4,096-byte line ($(awk '{print $5}' <<<"$p") rows, $(awk '{print $7}' <<<"$p") pieces), window $drawn:" \
    "layout $(awk '{print $9}' <<<"$p") us, step within the line $(awk '{print $11}' <<<"$p") us," \
    "step to the next line $(awk '{print $13}' <<<"$p") us"
done
# A whole repaint of that window, faded whole and drawn per pixel with its
# text opaque, at the default size and at 1,920 x 200 (medians of 201).
grep '^repaint ' <<<"$pieces" | awk '{print "repaint " $2 ": faded " $4 " us, per pixel " $6 " us"}'

# Looking for headings, which the first chapter step or list does, and
# for a recent text's changed place that no line says any more: each one
# pass over the text (from the page cache), short lines in code page 932
# and in UTF-8.
for name in short short-utf8; do
  h=$(cd "$dir/start" && wine "$root/build/win/open_bench.exe" --headings "Z:${dir//\//\\}\\$name.txt" | tr -d '\r')
  echo "headings, $name: $(awk '{print $6}' <<<"$h") s ($(awk '{print $4}' <<<"$h") found in $(awk '{print $2}' <<<"$h") lines)"
  echo "changed place not found, $name: $(awk '{print $8}' <<<"$h") s"
done

# Looking for the encoding past the first 64 KiB, to the end of the text
# of ASCII alone: its index pass (from the page cache, nothing written)
# with the look and with its form taken as told at once, best of nine,
# and the difference against the whole open of that text.
d=$(cd "$dir/start" && wine "$root/build/win/open_bench.exe" --detect "Z:${dir//\//\\}\\ascii.txt" | tr -d '\r')
looking=$(awk '{print $4}' <<<"$d") told=$(awk '{print $6}' <<<"$d")
echo "encoding looked for through ascii: index pass $looking s, told at once $told s:" \
  "$(echo "($looking - $told) / $ascii_open * 100" | bc -l | xargs printf '%.1f') % of its open"

# Composing a 4,096-byte line as read (ruby and annotations left out):
# prose against lines of openers that never close, in UTF-8 and in code
# page 932 (medians of 201, natively).
echo
"$root/build/bench/notation_bench"
