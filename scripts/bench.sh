#!/bin/sh
# Prints every speed figure of the program in one table: each measure, its baseline,
# the ratio and the goal. Not part of the test command; it runs in a few minutes.
#
#   scripts/bench.sh
#
# It builds the benchmark programs in Release (build-bench/), runs them, and times
# `vesk search` against `grep -F -c` on the same lines with hyperfine, for the sample
# Psalms and for a full 17,000-line image of the King James text, with and without
# ignore case; times the reader's start to its first paint of text and reads its peak
# memory, each against the barest Qt Widgets window. Medians throughout.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/scripts/lib.sh"

# shellcheck disable=SC2086
install_packages $BUILD_PACKAGES $TEST_PACKAGES $SAMPLE_PACKAGES hyperfine time

build="$top/build-bench"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=ON >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! cmake --build "$build" -j "$(jobs)" --target vesk quorvel startup_reader bare_window \
     bench_scan bench_textstore bench_search_dialog bench_paint \
     >"$work/build.log" 2>&1; then
  cat "$work/build.log" >&2
  exit 1
fi
export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR=$work/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  export XDG_RUNTIME_DIR
fi
vesk="$build/cli/vesk"

# The books: the sample Psalms, and the King James text from Genesis on, one verse a
# line (cut at 95 characters), a heading for each chapter, until the 17,000 slots are full.
mkdir -p "$work/sample" "$work/full"
sh "$top/data/make-sample-text.sh" "$work/sample/VESK.TXT"
bible -f "Gen1:1-Rev22:21" </dev/null | LC_ALL=C awk '
  {
    split($1, place, ":"); chapter = place[1]; verse = place[2]
    if (chapter != last) { print ""; print "$" ++headings "#" chapter; last = chapter }
    sub(/^[^ ]* /, "")
    line = verse " " $0
    while (length(line) > 95) { print substr(line, 1, 95); line = substr(line, 96) }
    print line
  }' >"$work/full/VESK.TXT"
for book in sample full; do
  "$vesk" build "$work/$book/VESK.TXT" "$work/$book/VESK.BIN" >/dev/null
  "$vesk" lines "$work/$book/VESK.BIN" >"$work/$book/lines.txt"
done

# rows: measure, figure, baseline, baseline's name, goal (the largest ratio allowed, or
# "-" for a figure reported without a goal)
rows="$work/rows"
: >"$rows"
row() { printf '%s\t%s\t%s\t%s\t%s\n' "$@" >>"$rows"; }

# The median of a hyperfine run of a command, in milliseconds: hyperfine_median COMMAND [RUNS].
hyperfine_median() {
  hyperfine -N --warmup 3 --runs "${2:-${BENCH_RUNS:-100}}" --export-csv "$work/hf.csv" "$1" >/dev/null 2>&1
  awk -F, 'NR == 2 { printf "%.3f", $4 * 1000 }' "$work/hf.csv"
}

for book in sample full; do
  for flag in "" "-i"; do
    vesk_ms=$(cd "$work/$book" && hyperfine_median "$vesk search $flag mercy VESK.BIN")
    grep_ms=$(cd "$work/$book" && hyperfine_median "grep -F $flag -c mercy lines.txt")
    row "vesk search $flag mercy, $book (ms)" "$vesk_ms" "$grep_ms" "grep -F $flag -c" 1.5
  done
done

# The median of a Google Benchmark figure: program, benchmark name.
benchmark_median() {
  "$build/bench/$1" --benchmark_filter="^$2\$" --benchmark_repetitions="${BENCH_REPETITIONS:-10}" \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
    awk -F, -v name="\"$2_median\"" '$1 == name { printf "%.3f", $3 }'
}

row "load of a full image (us)" "$(benchmark_median bench_textstore LoadFullImage)" \
    "$(benchmark_median bench_textstore BareImageRead)" "a bare read" 1.5
row "scan ignoring case (ms)" "$(benchmark_median bench_scan BM_ScanIgnoringCase)" \
    "$(benchmark_median bench_scan BM_Scan)" "the case-sensitive scan" 1.5
row "scan in the open search dialog (ms)" "$(benchmark_median bench_search_dialog ScanInDialog)" \
    "$(benchmark_median bench_search_dialog BareScanProcessingMessages)" "the bare scan, pumping" 1.5
paint_ns=$(benchmark_median bench_paint "BM_PaintRealWindow/1")
row "full repaints of a page of matches, ignore case (per second)" \
    "$(awk -v ns="$paint_ns" 'BEGIN { printf "%.0f", 1e9 / ns }')" "-" "-" "-"

# The reader's start, offscreen, to its first paint that shows the book (the 100 ms
# start-up timer and the load included), against the barest Qt Widgets window's start to
# its first paint: inside the programs from their entry function's first line (medians
# of 20), and as whole processes, from the start of the process (hyperfine).
median_of_runs() {
  i=0
  while [ "$i" -lt 20 ]; do
    (cd "$work/sample" && "$@" 2>/dev/null)
    i=$((i + 1))
  done | sort -n | awk '{ v[NR] = $1 } END { printf "%.3f", (v[int((NR + 1) / 2)] + v[int(NR / 2) + 1]) / 2 }'
}
row "reader: entry function to first paint of text (ms)" "$(median_of_runs "$build/bench/startup_reader")" \
    "$(median_of_runs "$build/bench/bare_window" --first-paint)" "a bare Qt window's" "-"
reader_ms=$(cd "$work/sample" && hyperfine_median "$build/bench/startup_reader" 30)
bare_ms=$(cd "$work/sample" && hyperfine_median "$build/bench/bare_window --first-paint" 30)
row "reader: process start to first paint of text (ms)" "$reader_ms" "$bare_ms" "a bare Qt window's" "100+1.5x"

# Peak memory: the shipped reader after loading the sample, ended by SIGTERM, against
# the barest Qt Widgets window, in kilobytes.
peak_kb() {
  (cd "$work/sample" && exec /usr/bin/time -f "%M" -o "$work/peak" "$@" >/dev/null 2>&1) &
  pid=$!
  sleep 2
  # /usr/bin/time runs the program as its child: end that child.
  pkill -TERM -P "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  # A program the signal ended gets a line saying so before the figure.
  tail -n 1 "$work/peak"
}
row "reader: peak memory after loading the sample (kB)" "$(peak_kb "$build/app/quorvel")" \
    "$(peak_kb "$build/bench/bare_window")" "a bare Qt window's" 1.5

echo
awk -F'\t' '
  BEGIN { printf "%-62s %10s %10s  %-24s %7s %6s  %s\n", "measure", "figure", "baseline", "baseline is", "ratio", "goal", "" }
  {
    ratio = ($3 == "-" || $3 + 0 == 0) ? "-" : sprintf("%.2f", $2 / $3)
    if ($5 == "-" || ratio == "-") { goal = "-"; verdict = "" }
    else if ($5 == "100+1.5x") {
      # An allowance of 100 ms (the start-up timer) plus 1.5 times the baseline.
      goal = sprintf("<=%.0f", 100 + 1.5 * $3)
      verdict = ($2 + 0 <= 100 + 1.5 * $3) ? "met" : "MISSED"
    } else { goal = "<=" $5; verdict = (ratio + 0 <= $5 + 0) ? "met" : "MISSED" }
    printf "%-62s %10s %10s  %-24s %7s %6s  %s\n", $1, $2, $3, $4, ratio, goal, verdict
  }' "$rows"
