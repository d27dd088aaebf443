#!/bin/sh
# The Debian package as a user meets it. Installs into this machine, so it runs only
# when asked (scripts/test.sh runs it with QUORVEL_PACKAGE_TEST=1):
#
#   1. builds the package (scripts/package.sh) and validates it: desktop-file-validate,
#      appstreamcli validate --no-net, and lintian with no error;
#   2. installs it with apt;
#   3. in a fresh empty home, under Xvfb with openbox, runs the menu entry's command
#      line: the window shows the Psalms, black text and blue headings, with no location
#      dialog; Alt+F4 ends it with code 0; quorvel.ini is in the user's data folder, and
#      nothing new is in the home folder outside ~/.local, ~/.cache and ~/.config;
#   4. a second start keeps the quorvel.ini the user has;
#   5. man -l renders both manual pages;
#   6. removes the package, and nothing of it stays.
#
# Must run as root (or with sudo). A failure keeps its screenshots and names them.
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
here="$top/tests/desktop"
. "$top/scripts/lib.sh"
. "$here/session.sh"

# shellcheck disable=SC2086
install_packages $BUILD_PACKAGES $SAMPLE_PACKAGES $PACKAGE_PACKAGES $PACKAGE_TEST_PACKAGES \
                 xvfb openbox xdotool x11-utils imagemagick

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

desktop_id=$(sed -n 's/^set(QUORVEL_DESKTOP_ID "\(.*\)")$/\1/p' "$top/CMakeLists.txt")
[ -n "$desktop_id" ] || fail "no QUORVEL_DESKTOP_ID in CMakeLists.txt"

work=$(mktemp -d)
session_artefacts=${QUORVEL_ARTEFACTS:-$top/build-pkg/package-artefacts}
rm -rf "$session_artefacts"
mkdir -p "$session_artefacts"
trap 'session_stop; rm -rf "$work"' EXIT
trap 'exit 1' HUP INT TERM

echo "== The package"
deb=$(sh "$top/scripts/package.sh" | tail -n 1)
[ -f "$deb" ] || fail "scripts/package.sh made no package"
echo "$deb"

echo "== Its validators"
dpkg-deb -x "$deb" "$work/contents"
desktop-file-validate "$work/contents/usr/share/applications/$desktop_id.desktop"
echo "desktop-file-validate: no complaint"
appstreamcli validate --no-net "$work/contents/usr/share/metainfo/$desktop_id.metainfo.xml"
lintian --fail-on error --display-info "$deb" 2>&1 | grep -v "running with root privileges" || true
lintian --fail-on error "$deb" >/dev/null 2>&1 || fail "lintian reports an error on $deb"
echo "lintian: no error"

echo "== Installing it"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --reinstall "$deb" >"$session_artefacts/apt-install.log" 2>&1 ||
  { cat "$session_artefacts/apt-install.log" >&2; fail "apt could not install $deb"; }
dpkg-query -W -f='${Status}\n' quorvel | grep -q "install ok installed" || fail "quorvel is not installed"

entry="/usr/share/applications/$desktop_id.desktop"
command_line=$(sed -n 's/^Exec=//p' "$entry" | head -n 1 | sed 's/ *%[fFuUick]//g')
[ -n "$command_line" ] || fail "$entry has no Exec line"
echo "the menu entry runs: $command_line"

echo "== A first start from the menu, in a fresh home"
home="$work/home"
mkdir -p "$home"
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_CACHE_HOME XDG_STATE_HOME QT_QPA_PLATFORM
session_runtime_dir
x_session_start

reader_pid=""
start_from_menu() {
  (cd "$home" && HOME="$home" exec sh -c "exec $command_line" 2>"$session_artefacts/reader-$1.log") &
  reader_pid=$!
  session_track "$reader_pid"
}
end_by_alt_f4() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
  xdotool key --clearmodifiers alt+F4
  deadline=$(($(date +%s) + 30))
  while kill -0 "$reader_pid" 2>/dev/null; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "$2: Alt+F4 did not end the reader"
    sleep 0.1
  done
  rc=0
  wait "$reader_pid" || rc=$?
  [ "$rc" -eq 0 ] || fail "$2: the reader ended with code $rc"
  echo "ok: $2: Alt+F4 ended it with code 0"
}

start_from_menu first
window=$(wait_for_window "The Orvane" 60)
wait_until 60 "the Psalms in black text and blue headings" window_shows "$window" first-start 20 black blue grey
[ -z "$(window_named "Location of VESK.BIN")" ] || fail "the location dialog asked for the book"
echo "ok: the Psalms are shown, with no location dialog"
end_by_alt_f4 "$window" "first start"

settings="$home/.local/share/quorvel/quorvel.ini"
[ -f "$settings" ] || fail "no quorvel.ini in the user's data folder"
grep -qx "DataPath=/usr/share/quorvel" "$settings" || fail "$settings does not name the installed book"
strays=$(cd "$home" && find . -mindepth 1 -maxdepth 1 ! -name .local ! -name .cache ! -name .config)
[ -z "$strays" ] || fail "new in the home folder: $strays"
echo "ok: $settings names the installed book; nothing else new in the home folder"

echo "== A second start keeps the user's own settings"
mkdir -p "$home/books"
cp /usr/share/quorvel/VESK.BIN "$home/books/VESK.BIN"
printf '; my own books\n[Quorvel]\nDataPath=%s\nLineSpace=5\n' "$home/books" >"$settings"
start_from_menu second
window=$(wait_for_window "The Orvane" 60)
wait_until 60 "the Psalms from the user's own folder" window_shows "$window" second-start 20 black blue grey
end_by_alt_f4 "$window" "second start"
grep -qx "DataPath=$home/books" "$settings" && grep -qx "LineSpace=5" "$settings" &&
  grep -qx "; my own books" "$settings" || fail "the launcher or the reader changed the user's quorvel.ini"
echo "ok: the user's quorvel.ini stays theirs"
session_stop

echo "== The manual pages"
for page in quorvel vesk; do
  file="/usr/share/man/man1/$page.1.gz"
  if [ ! -f "$file" ] && grep -qs "path-exclude.*/usr/share/man" /etc/dpkg/dpkg.cfg.d/*; then
    echo "note: this machine's dpkg leaves out manual pages; reading $page(1) from the package"
    file="$work/contents$file"
  fi
  MANWIDTH=80 man -l "$file" >"$session_artefacts/$page.1.txt" 2>"$session_artefacts/$page.1.err" ||
    fail "man -l could not render $file"
  grep -q "^NAME" "$session_artefacts/$page.1.txt" && grep -q "$page - " "$session_artefacts/$page.1.txt" ||
    fail "$page(1) renders without its NAME section"
  [ ! -s "$session_artefacts/$page.1.err" ] || fail "man warns about $page(1): $(cat "$session_artefacts/$page.1.err")"
  echo "ok: $page(1) renders ($(wc -l <"$session_artefacts/$page.1.txt") lines)"
done

echo "== Removing it"
files=$(dpkg -L quorvel | while read -r path; do [ -f "$path" ] && echo "$path"; done)
DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -q quorvel >"$session_artefacts/apt-purge.log" 2>&1 ||
  { cat "$session_artefacts/apt-purge.log" >&2; fail "apt could not remove quorvel"; }
! dpkg-query -W -f='${Status}\n' quorvel 2>/dev/null | grep -q "installed" || fail "quorvel is still installed"
for path in $files; do
  [ ! -e "$path" ] || fail "$path stays after the package is removed"
done
[ ! -e /usr/share/quorvel ] && [ ! -e /usr/lib/quorvel ] || fail "the package's folders stay after it is removed"
echo "ok: removed, with nothing of it left"
echo "The package test passed."
