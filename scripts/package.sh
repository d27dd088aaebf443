#!/bin/sh
# Builds the Debian package of the reader, quorvel_<version>_<arch>.deb, in build-pkg/,
# and prints its path on the last line.
#
#   scripts/package.sh
#
# The package installs under /usr: the programs, the menu entry's launcher, the King
# James Psalms as the book, the icons, the AppStream file and the manual pages.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/scripts/lib.sh"

# shellcheck disable=SC2086
install_packages $BUILD_PACKAGES $SAMPLE_PACKAGES $PACKAGE_PACKAGES

# Debian's own compiler and linker flags, every hardening feature included.
DEB_BUILD_MAINT_OPTIONS=hardening=+all
export DEB_BUILD_MAINT_OPTIONS
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

build="$top/build-pkg"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" \
      -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(jobs)"
rm -f "$build"/quorvel_*.deb
(cd "$build" && cpack -G DEB)
ls "$build"/quorvel_*.deb
