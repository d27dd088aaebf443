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

# What every build needs: the compiler, CMake, Qt 6 Widgets and the fonts the dialogs
# name ("MS Sans Serif" and "Times New Roman" resolve to DejaVu Sans and Liberation Serif).
BUILD_PACKAGES="cmake make g++ pkg-config qt6-base-dev libgl-dev fonts-liberation fonts-dejavu-core"
# The tests and benchmarks.
TEST_PACKAGES="libgtest-dev libgmock-dev libbenchmark-dev"
# The sample book: the King James Psalms.
SAMPLE_PACKAGES="bible-kjv bible-kjv-text"

jobs() {
  n=$(nproc 2>/dev/null || echo 2)
  [ "$n" -gt 2 ] && n=2
  echo "$n"
}
