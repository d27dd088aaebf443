#!/bin/sh
# Looks at the program as a user would: starts it on a virtual X display, waits,
# optionally plays a script of xdotool commands, and saves a picture of the screen.
#
#   scripts/screenshot.sh [-o OUT.png] [-w SECONDS] [-k XDOTOOL_SCRIPT] [-- COMMAND [ARG...]]
#
#   -o  the picture to write (default screenshot.png in the working directory)
#   -w  seconds to wait after the start, before the keys and the picture (default 3)
#   -k  a file of xdotool commands, one a line ("mousemove 530 300 click 1",
#       "sleep 1", "type Lord", "key Return"), played after the wait; the picture
#       is taken one second after it ends. Xvfb runs no window manager, so the
#       program takes keys only once a click has gone to one of its windows:
#       begin the script with a click. Windows open at the top left corner.
#
# Without a COMMAND the reader is built and started on the sample book in run/, as
# scripts/run.sh does. The program and the display are ended afterwards.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/scripts/lib.sh"

out=screenshot.png
wait_seconds=3
keys=""
while [ "$#" -gt 0 ]; do
  case $1 in
    -o) out=$2; shift 2 ;;
    -w) wait_seconds=$2; shift 2 ;;
    -k) keys=$2; shift 2 ;;
    --) shift; break ;;
    -*) echo "usage: $0 [-o OUT.png] [-w SECONDS] [-k XDOTOOL_SCRIPT] [-- COMMAND [ARG...]]" >&2
        exit 2 ;;
    *) break ;;
  esac
done
case $out in /*) ;; *) out="$(pwd)/$out" ;; esac
if [ -n "$keys" ]; then
  case $keys in /*) ;; *) keys="$(pwd)/$keys" ;; esac
  [ -r "$keys" ] || { echo "cannot read the key script $keys" >&2; exit 2; }
fi

install_packages xvfb imagemagick xdotool

if [ "$#" -eq 0 ]; then
  QUORVEL_PREPARE_ONLY=1 sh "$top/scripts/run.sh"
  set -- "$top/build/app/quorvel"
  workdir="$top/run"
else
  workdir=$(pwd)
fi

# The first display from :99 on that no X server holds.
display=99
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
  display=$((display + 1))
done

xvfb_pid=""
program_pid=""
cleanup() {
  if [ -n "$program_pid" ]; then
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT
trap 'exit 1' HUP INT TERM

Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
tries=0
until [ -e "/tmp/.X11-unix/X$display" ]; do
  tries=$((tries + 1))
  if [ "$tries" -gt 100 ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "Xvfb did not start on :$display" >&2
    exit 1
  fi
  sleep 0.1
done

# A real X display, not the tests' offscreen platform.
(
  cd "$workdir"
  unset QT_QPA_PLATFORM WAYLAND_DISPLAY
  DISPLAY=":$display" exec "$@"
) &
program_pid=$!

sleep "$wait_seconds"
if [ -n "$keys" ]; then
  DISPLAY=":$display" xdotool "$keys"
  sleep 1
fi
kill -0 "$program_pid" 2>/dev/null || echo "note: the program has already ended" >&2
DISPLAY=":$display" import -window root "$out"
echo "$out"
