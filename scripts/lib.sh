# Shared by the run and test commands: installs what the build needs from Debian's
# packages, once, and only what is missing.

# Installs the Debian packages named, those that are not installed yet.
install_packages() {
  missing=""
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing="$missing $package"
    fi
  done
  [ -z "$missing" ] && return 0

  echo "Installing:$missing"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo="sudo"
    else
      echo "These packages are missing and I am not root:$missing" >&2
      return 1
    fi
  fi
  # shellcheck disable=SC2086
  $sudo apt-get update -q
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends $missing
}

# What every build needs: the compiler, CMake, Qt 6 Widgets, the fonts the dialogs name
# ("MS Sans Serif" and "Times New Roman" resolve to DejaVu Sans and Liberation Serif), and
# scdoc for the manual pages.
BUILD_PACKAGES="cmake make g++ pkg-config qt6-base-dev libgl-dev fonts-liberation fonts-dejavu-core scdoc"
# The tests and benchmarks, and the desktop sessions the reader is tested in: an X server
# with a window manager, a Wayland compositor with Qt's plugin for it, and the tools that
# drive them and read their pictures.
TEST_PACKAGES="libgtest-dev libgmock-dev libbenchmark-dev
  xvfb openbox xdotool x11-utils imagemagick weston qt6-wayland"
# The sample book: the King James Psalms.
SAMPLE_PACKAGES="bible-kjv bible-kjv-text"
# The fuzzers: clang and its libFuzzer runtime.
FUZZ_PACKAGES="clang libclang-rt-14-dev"
# The analysers.
ANALYSE_PACKAGES="clang-tidy cppcheck"
# The Debian package: dpkg-shlibdeps (with file) works out its library dependencies.
PACKAGE_PACKAGES="dpkg-dev file"
# The package's checks: its validators, and a desktop session to start it in.
PACKAGE_TEST_PACKAGES="lintian desktop-file-utils appstream man-db"

jobs() {
  n=$(nproc 2>/dev/null || echo 2)
  [ "$n" -gt 2 ] && n=2
  echo "$n"
}
