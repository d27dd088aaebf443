#!/bin/sh
# The reader under a real X server (Xvfb with openbox) and under a real Wayland
# compositor (weston, headless): it shows its window with the book, names itself by the
# desktop entry's id, ends with code 0 on SIGTERM and leaves its settings written.
#
#   platforms-test.sh QUORVEL VESK DESKTOP_ID
#
# Exits 77 (skipped) when Xvfb, openbox, xdotool, ImageMagick, weston or Qt's Wayland
# plugin is missing.
set -eu
quorvel=$(realpath "$1") vesk=$(realpath "$2") desktop_id=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/session.sh"

for tool in Xvfb openbox xdotool xprop xdpyinfo import convert weston; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is missing"; exit 77; }
done
if ! ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1; then
  echo "skipped: Qt's Wayland plugin (qt6-wayland) is missing"
  exit 77
fi

work=$(mktemp -d)
session_artefacts=${QUORVEL_ARTEFACTS:-$work/artefacts}
mkdir -p "$session_artefacts"
trap 'session_stop; [ -z "$session_kept" ] && rm -rf "$work"' EXIT
trap 'exit 1' HUP INT TERM

# A small book: a heading, shown blue, and verses, shown black.
printf '\n$1#Psalm 1\n1 Blessed is the man that walketh not in the counsel of the ungodly.\n2 But his delight is in the law of the LORD.\n' >"$work/VESK.TXT"
"$vesk" build "$work/VESK.TXT" "$work/VESK.BIN" >/dev/null

unset QT_QPA_PLATFORM
session_runtime_dir
# Under AddressSanitizer: libxkbcommon-x11 hands strndup a name without a NUL, which
# strndup allows; the strict string check of the test run would take it for an overflow.
if [ -n "${ASAN_OPTIONS:-}" ]; then
  ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
  export ASAN_OPTIONS
fi

reader_pid=""
start_reader() {
  rm -f "$work/quorvel.ini"
  (cd "$work" && exec "$quorvel" 2>"$session_artefacts/reader-$1.log") &
  reader_pid=$!
  session_track "$reader_pid"
}

# Ends the reader with SIGTERM: code 0 and the settings written.
end_reader_by_sigterm() {
  kill -TERM "$reader_pid"
  rc=0
  wait "$reader_pid" || rc=$?
  [ "$rc" -eq 0 ] || fail "$1: the reader ended with code $rc on SIGTERM"
  grep -qx "DataPath=$work" "$work/quorvel.ini" 2>/dev/null ||
    fail "$1: quorvel.ini does not name the book's folder after the run"
  echo "ok: $1: ended with code 0, quorvel.ini written"
}

# X11.
x_session_start
start_reader x11
window=$(wait_for_window "The Orvane" 60)
wait_until 60 "the book in black and blue on light grey" \
  window_shows "$window" x11-reader 20 black blue grey
class=$(xprop -id "$window" WM_CLASS)
case $class in
  *"\"$desktop_id\""*) echo "ok: x11: window shown, class $desktop_id" ;;
  *) fail "x11: the window's class is not $desktop_id: $class" ;;
esac
end_reader_by_sigterm x11
session_stop

# Wayland: the protocol log shows the window made, named and filled.
wayland_session_start
log="$session_artefacts/reader-wayland.log"
QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client start_reader wayland
shown() {
  grep -q "xdg_toplevel@[0-9]*\.set_app_id(\"$desktop_id\")" "$log" &&
    grep -q "wl_surface@[0-9]*\.attach(wl_buffer@" "$log" &&
    grep -q "xdg_toplevel@[0-9]*\.configure(" "$log"
}
wait_until 30 "the reader's window on weston" shown
echo "ok: wayland: window shown, application id $desktop_id"
end_reader_by_sigterm wayland
