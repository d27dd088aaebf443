# Shared by the desktop tests: a virtual X display with a window manager, or a headless
# Wayland compositor; waiting by deadline, never by a bare sleep; pictures of windows and
# the colours in them; and the artefacts a failing test leaves behind.
#
# Source it from a POSIX shell with `set -eu`. Everything it starts is ended by
# session_stop, which the sourcing script calls from its EXIT trap.

session_pids=""
session_artefacts=${QUORVEL_ARTEFACTS:-$(pwd)/desktop-artefacts}
session_kept=""

# Prints a failure, names the pictures kept so far, and exits 1.
fail() {
  echo "FAIL: $*" >&2
  if [ -n "$session_kept" ]; then
    echo "Screenshots kept in $session_artefacts:$session_kept" >&2
  fi
  exit 1
}

# Runs the command until it succeeds; fails after SECONDS with DESCRIPTION.
#   wait_until SECONDS DESCRIPTION COMMAND [ARG...]
wait_until() {
  deadline=$(($(date +%s) + $1))
  what=$2
  shift 2
  until "$@"; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "waited in vain for $what"
    sleep 0.1
  done
}

# Remembers a process for session_stop.
session_track() { session_pids="$1 $session_pids"; }

# Ends every process started here, newest first.
session_stop() {
  for pid in $session_pids; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in $session_pids; do
    wait "$pid" 2>/dev/null || true
  done
  session_pids=""
}

# A private runtime folder, as Qt and Wayland want one.
session_runtime_dir() {
  if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -w "${XDG_RUNTIME_DIR}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    chmod 700 "$XDG_RUNTIME_DIR"
    export XDG_RUNTIME_DIR
  fi
}

# Starts Xvfb on the first free display from :90 on, and openbox on it; exports DISPLAY.
x_session_start() {
  display=90
  while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
    display=$((display + 1))
  done
  mkdir -p "$session_artefacts"
  # -noreset: an X server resets itself when its last client leaves, and a client that
  # comes during the reset (openbox, right after the check below) is turned away.
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$session_artefacts/xvfb.log" 2>&1 &
  session_track $!
  DISPLAY=":$display"
  export DISPLAY
  unset WAYLAND_DISPLAY
  wait_until 60 "Xvfb on $DISPLAY" xdpyinfo_quiet
  openbox >"$session_artefacts/openbox.log" 2>&1 &
  session_track $!
  # A first start on a loaded machine may build font caches first.
  wait_until 60 "openbox on $DISPLAY (its output: $session_artefacts/openbox.log)" window_manager_running
}

xdpyinfo_quiet() { xdpyinfo >/dev/null 2>&1; }
window_manager_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }

# Starts weston's headless compositor on a socket of its own; exports WAYLAND_DISPLAY.
wayland_session_start() {
  session_runtime_dir
  WAYLAND_DISPLAY=quorvel-test-$$
  export WAYLAND_DISPLAY
  weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 \
         --width=1280 --height=1024 >"$session_artefacts/weston.log" 2>&1 &
  session_track $!
  wait_until 20 "weston's socket $WAYLAND_DISPLAY" test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"
}

# The id of the visible window whose name is exactly NAME; prints nothing when none is.
window_named() {
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}

# Waits for a visible window named NAME and prints its id.
wait_for_window() {
  wait_until "$2" "a window named \"$1\"" window_exists "$1"
  window_named "$1"
}
window_exists() { [ -n "$(window_named "$1")" ]; }

# Takes a picture of WINDOW into the artefacts as NAME.png; sets `picture` to its path.
shoot() {
  mkdir -p "$session_artefacts"
  picture="$session_artefacts/$2.png"
  case " $session_kept " in *" $2.png "*) ;; *) session_kept="$session_kept $2.png" ;; esac
  import -window "$1" "$picture" 2>/dev/null
}

# The rows at the top of a window that colour_count leaves out: the reader's menu bar, whose
# black letters are no sign of the book.
view_top=${view_top:-24}

# How many pixels of PICTURE, below its top `view_top` rows, are of the colour KIND. Text is drawn smoothed, so a kind
# takes in the shades near its colour:
#   black  each of red, green and blue below 64
#   blue   blue 160 or more, red and green below 96
#   red    red 160 or more, green and blue below 96
#   grey   exactly the view's light grey, 192, 192, 192
#   #RRGGBB  exactly that colour
colour_count() {
  convert "$1" -crop "+0+$view_top" +repage -alpha off -depth 8 -format %c histogram:info:- 2>/dev/null |
    awk -v kind="$2" '
      {
        count = $1; sub(":", "", count)
        rgb = $2; gsub(/[()]/, "", rgb); split(rgb, c, ",")
        r = c[1] + 0; g = c[2] + 0; b = c[3] + 0
        if (kind == "black") hit = r < 64 && g < 64 && b < 64
        else if (kind == "blue") hit = b >= 160 && r < 96 && g < 96
        else if (kind == "red") hit = r >= 160 && g < 96 && b < 96
        else if (kind == "grey") hit = r == 192 && g == 192 && b == 192
        else hit = toupper($3) == toupper(kind)
        if (hit) total += count
      }
      END { print total + 0 }'
}

# True when a fresh picture of WINDOW, kept as NAME.png, holds at least COUNT pixels of
# each colour KIND given.
#   window_shows WINDOW NAME COUNT KIND...
window_shows() {
  window=$1 name=$2 least=$3
  shift 3
  shoot "$window" "$name" || return 1
  for kind in "$@"; do
    [ "$(colour_count "$picture" "$kind")" -ge "$least" ] || return 1
  done
}
