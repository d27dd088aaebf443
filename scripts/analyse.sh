#!/bin/sh
# Runs the analysers on the project's own sources, and fails on any finding:
#   clang-tidy, with the checks of .clang-tidy, on every file of the build's compilation
#   database that is ours (the program, the layer, the tools, the tests and benchmarks);
#   cppcheck, with .cppcheck-suppressions, on the same folders and the fuzzers.
#
#   scripts/analyse.sh [BUILD]    BUILD: a configured build to take the compile commands
#                                 from (build-analyse, configured here, when not given)
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/scripts/lib.sh"

# shellcheck disable=SC2086
install_packages $BUILD_PACKAGES $TEST_PACKAGES $ANALYSE_PACKAGES

build=${1:-$top/build-analyse}
if [ ! -f "$build/compile_commands.json" ]; then
  cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
own="app bench cli help packaging platform search settings tests textstore util view"
log=$(mktemp)
trap 'rm -f "$log"' EXIT

failed=0
echo "cppcheck: $own fuzz"
# shellcheck disable=SC2086
if ! (cd "$top" && cppcheck --enable=warning,style,performance,portability --std=c++20 --language=c++ \
        --library=googletest --library=qt --inline-suppr --suppressions-list=.cppcheck-suppressions \
        -I . -I "$build/generated" --quiet -j "$(jobs)" --error-exitcode=1 \
        --template='{file}:{line}: {severity}: {message} [{id}]' $own fuzz); then
  echo "cppcheck found the above" >&2
  failed=1
fi

pattern="^$top/($(echo "$own" | tr ' ' '|'))/"
echo "clang-tidy: the files of $build/compile_commands.json under $own"
if run-clang-tidy -p "$build" -j "$(jobs)" -quiet "$pattern" >"$log" 2>&1; then
  echo "clang-tidy: nothing found"
else
  # Only the findings and their context: the tool's own chatter about warnings it
  # suppressed in headers that are not ours is left out.
  grep -v -E '^(clang-tidy|[0-9]+ warnings? (and [0-9]+ errors? )?generated|Suppressed [0-9]+ warnings|Use -header-filter|Enabled checks|Running clang-tidy)' "$log" >&2 || true
  echo "clang-tidy found the above" >&2
  failed=1
fi
exit "$failed"
