#!/bin/sh
# Builds the reader and starts it on the sample book, the King James Psalms.
#
#   scripts/run.sh                       read the sample book
#   scripts/run.sh create_binary_data    rebuild run/VESK.BIN from run/VESK.TXT in the program
#
# With QUORVEL_PREPARE_ONLY=1 it builds and makes the book but starts nothing
# (scripts/screenshot.sh starts the program itself).
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/scripts/lib.sh"

# shellcheck disable=SC2086
install_packages $BUILD_PACKAGES $SAMPLE_PACKAGES

cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=OFF
cmake --build "$top/build" -j "$(jobs)" --target quorvel vesk

# The text is remade when the generator changed, the image when the text is newer.
mkdir -p "$top/run"
generator="$top/data/make-sample-text.sh"
if [ ! -s "$top/run/VESK.TXT" ] || [ "$generator" -nt "$top/run/VESK.TXT" ]; then
  sh "$generator" "$top/run/VESK.TXT"
fi
if [ ! -f "$top/run/VESK.BIN" ] || [ "$top/run/VESK.TXT" -nt "$top/run/VESK.BIN" ]; then
  "$top/build/cli/vesk" build "$top/run/VESK.TXT" "$top/run/VESK.BIN"
fi

[ "${QUORVEL_PREPARE_ONLY:-0}" = 1 ] && exit 0

# The reader finds VESK.BIN in its working directory.
cd "$top/run"
exec "$top/build/app/quorvel" "$@"
