#!/bin/sh
# Runs every fuzzer for a while: the loader, the builder, the scan, the INI reader and
# writer, the painter and the conversion of texts for the screen, built with clang's
# libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer (build-fuzz/). Two at
# a time, one a core.
#
#   scripts/fuzz.sh [SECONDS]     each fuzzer runs SECONDS (30)
#
# Each starts from its seeds in fuzz/corpus/<name>/ and keeps what it finds in
# build-fuzz/corpus/<name>/. A fuzzer that finds a fault leaves the input in
# build-fuzz/findings/ and fails the run; its last lines are printed.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/scripts/lib.sh"
seconds=${1:-30}

# shellcheck disable=SC2086
install_packages $BUILD_PACKAGES $FUZZ_PACKAGES

build="$top/build-fuzz"
CC=clang CXX=clang++ cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_FUZZ=ON \
      -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=OFF >/dev/null
fuzzers="fuzz_loader fuzz_builder fuzz_scan fuzz_ini fuzz_paint fuzz_text"
# shellcheck disable=SC2086
cmake --build "$build" -j "$(jobs)" --target $fuzzers

mkdir -p "$build/findings"
run() {
  name=$1
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  cp -n "$top/fuzz/corpus/$name/"* "$corpus/" 2>/dev/null || true
  # The builder's texts must be long enough to hold more than 17,000 lines.
  max_len=4096
  [ "$name" = fuzz_builder ] && max_len=120000
  if "$build/fuzz/$name" -max_total_time="$seconds" -max_len="$max_len" -print_final_stats=1 \
       -artifact_prefix="$build/findings/$name-" "$corpus" >"$build/$name.log" 2>&1; then
    echo "$name: $(sed -n 's/^stat::number_of_executed_units: *//p' "$build/$name.log") runs, nothing found"
  else
    echo "$name: FOUND A FAULT; the input is in $build/findings/:" >&2
    tail -n 30 "$build/$name.log" >&2
    return 1
  fi
}

failed=0
set -- $fuzzers
while [ "$#" -gt 0 ]; do
  run "$1" & first=$!
  second=""
  if [ "$#" -gt 1 ]; then run "$2" & second=$!; fi
  wait "$first" || failed=1
  if [ -n "$second" ]; then wait "$second" || failed=1; fi
  shift; [ "$#" -gt 0 ] && shift
done
exit "$failed"
