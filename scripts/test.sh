#!/bin/sh
# Builds everything and runs every test twice: once as built for use, once under
# AddressSanitizer and UndefinedBehaviorSanitizer; between the two, clang-tidy and
# cppcheck look over the sources. Any failure, finding or sanitizer report fails the run.
# Then every fuzzer runs for 30 seconds. With QUORVEL_PACKAGE_TEST=1 it then builds the
# Debian package, installs it into this machine, tries it as a user would and removes it
# again.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/scripts/lib.sh"

# shellcheck disable=SC2086
install_packages $BUILD_PACKAGES $TEST_PACKAGES $ANALYSE_PACKAGES

# No display is needed: windows and dialogs open on Qt's offscreen platform, and the
# desktop tests start X and Wayland servers of their own.
export QT_QPA_PLATFORM=offscreen
# Qt wants a private runtime directory; CI machines have none.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR=$(mktemp -d)
  export XDG_RUNTIME_DIR
fi

echo "== Build and test"
cmake -S "$top" -B "$top/build-ci" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_WERROR=ON
cmake --build "$top/build-ci" -j "$(jobs)"
ctest --test-dir "$top/build-ci" --output-on-failure -j "$(jobs)" --timeout 300

echo "== The analysers: clang-tidy and cppcheck"
sh "$top/scripts/analyse.sh" "$top/build-ci"

echo "== Build and test under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$top" -B "$top/build-asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_WERROR=ON \
      -DQUORVEL_SANITIZE=ON -DQUORVEL_BENCH=OFF
cmake --build "$top/build-asan" -j "$(jobs)"
ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=0:strict_string_checks=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS="suppressions=$top/tests/lsan.supp:print_suppressions=0" \
  ctest --test-dir "$top/build-asan" --output-on-failure -j "$(jobs)" --timeout 600

echo "== The fuzzers, 30 seconds each"
sh "$top/scripts/fuzz.sh" 30

# The package test installs the package into this machine, so it runs only when asked.
if [ "${QUORVEL_PACKAGE_TEST:-0}" = 1 ]; then
  echo "== The Debian package as a user meets it"
  sh "$top/tests/desktop/package-test.sh"
else
  echo "== Skipped the package test: it installs into this machine; QUORVEL_PACKAGE_TEST=1 asks for it"
fi
