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

# How many pixels of PICTURE are of the colour KIND, within GEOMETRY ("WxH+X+Y"; by
# default all below its top `view_top` rows). Text is drawn smoothed, so a kind takes in
# the shades near its colour:
#   black  each of red, green and blue below 64
#   blue   blue 160 or more, red and green below 96
#   red    red 160 or more, green and blue below 96
#   grey   exactly the view's light grey, 192, 192, 192
#   light  each of red, green and blue 224 or more (the face of a button)
#   #RRGGBB  exactly that colour
colour_count() {
  convert "$1" -crop "${3:-+0+$view_top}" +repage -alpha off -depth 8 -format %c histogram:info:- 2>/dev/null |
    awk -v kind="$2" '
      {
        count = $1; sub(":", "", count)
        rgb = $2; gsub(/[()]/, "", rgb); split(rgb, c, ",")
        r = c[1] + 0; g = c[2] + 0; b = c[3] + 0
        if (kind == "black") hit = r < 64 && g < 64 && b < 64
        else if (kind == "blue") hit = b >= 160 && r < 96 && g < 96
        else if (kind == "red") hit = r >= 160 && g < 96 && b < 96
        else if (kind == "grey") hit = r == 192 && g == 192 && b == 192
        else if (kind == "light") hit = r >= 224 && g >= 224 && b >= 224
        else hit = toupper($3) == toupper(kind)
        if (hit) total += count
      }
      END { print total + 0 }'
}

# The width and the height of PICTURE: "W H".
picture_size() { identify -format '%w %h' "$1"; }

# The first row of the reader's PICTURE that is the view's light grey (below the menu bar).
view_top_of() {
  convert "$1" -crop 1x200+2+0 +repage -depth 8 txt:- 2>/dev/null |
    awk -F '[,:]' 'NR > 1 && /#C0C0C0/ { print $2; found = 1; exit } END { if (!found) print 0 }'
}

# Where the vertical scroll bar's thumb lies in the reader's PICTURE: "FIRST LAST TROUGH_FIRST
# TROUGH_LAST", in rows. The trough is the column 7 pixels in from the right edge, between
# the arrow buttons (15 pixels each); its commonest colour is the trough's, and the rows of
# any other colour are the thumb's.
thumb_of() {
  set -- "$1" "$(picture_size "$1")"
  of_width=${2% *} of_height=${2#* }
  of_top=$(view_top_of "$1")
  of_first=$((of_top + 15)) of_last=$((of_height - 15))
  convert "$1" -crop "1x$((of_last - of_first + 1))+$((of_width - 7))+$of_first" +repage -depth 8 txt:- 2>/dev/null |
    awk -F '[,:]' -v first="$of_first" -v last="$of_last" '
      NR > 1 { split($0, parts, "#"); colour = substr(parts[2], 1, 6); row[$2] = colour; seen[colour]++ }
      END {
        for (c in seen) if (seen[c] > most) { most = seen[c]; trough = c }
        lo = -1
        for (y in row) if (row[y] != trough) { y += 0; if (lo < 0 || y < lo) lo = y; if (y > hi) hi = y }
        if (lo < 0) { lo = 0; hi = 0 }
        print lo + first, hi + first, first, last
      }'
}

# Reads where the thumb lies in PICTURE into thumb_first, thumb_last, trough_first and
# trough_last.
read_thumb() {
  # shellcheck disable=SC2034  # for the scripts that source this one
  read -r thumb_first thumb_last trough_first trough_last <<EOF
$(thumb_of "$1")
EOF
}

# How many rows of text the reader's PICTURE shows: the runs of pixel rows with ink (dark
# or blue) in the text column left of the buttons.
text_rows() {
  rows_top=$(view_top_of "$1")
  rows_height=$(convert "$1" -crop "490x100000+0+$rows_top" +repage -format %h info:)
  convert "$1" -crop "490x100000+0+$rows_top" +repage -alpha off -colorspace gray -threshold 30% -negate \
          -scale "1x$rows_height!" -depth 8 txt:- 2>/dev/null |
    awk 'NR > 1 { ink = $0 !~ /#000000/; if (ink && !before) runs++; before = ink } END { print runs + 0 }'
}

# The pixel point or rectangle of a dialog control given in dialog units, for a dialog
# whose template is TW by TH units and whose client area PICTURE shows.
#   dialog_point PICTURE TW TH X Y W H      prints "X Y", the control's centre
#   dialog_rect  PICTURE TW TH X Y W H      prints "WxH+X+Y"
#   dialog_click WINDOW PICTURE TW TH X Y W H    clicks the control's centre
dialog_rect() {
  set -- "$(picture_size "$1")" "$2" "$3" "$4" "$5" "$6" "$7"
  awk -v size="$1" -v tw="$2" -v th="$3" -v x="$4" -v y="$5" -v w="$6" -v h="$7" \
    'BEGIN { split(size, s, " "); sx = s[1] / tw; sy = s[2] / th
             printf "%dx%d+%d+%d\n", w * sx, h * sy, x * sx, y * sy }'
}
dialog_point() {
  dialog_rect "$@" | awk -F '[x+]' '{ printf "%d %d\n", $3 + $1 / 2, $4 + $2 / 2 }'
}

dialog_click() {
  click_window=$1
  shift
  read -r click_x click_y <<EOF
$(dialog_point "$@")
EOF
  click_at "$click_window" "$click_x" "$click_y"
}

# A click of the left button at X, Y in WINDOW.
click_at() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

# True when the window with the keyboard focus is named NAME.
window_active() { [ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = "$1" ]; }

# True when a menu is open: a visible window that the window manager does not frame (Qt
# marks a menu's type only the first time it opens).
menu_open() {
  for id in $(xdotool search --onlyvisible --class . 2>/dev/null); do
    xwininfo -id "$id" 2>/dev/null | grep -q "Override Redirect State: yes" && return 0
  done
  return 1
}

# True when a fresh picture of WINDOW, kept as NAME.png, holds at least COUNT pixels of
# each colour KIND given.
#   window_shows WINDOW NAME COUNT KIND...
window_shows() {
  shows_least=$3
  shoot "$1" "$2" || return 1
  shift 3
  for shows_kind in "$@"; do
    [ "$(colour_count "$picture" "$shows_kind")" -ge "$shows_least" ] || return 1
  done
}
