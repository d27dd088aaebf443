#!/bin/sh
# The reader driven as its user drives it, by keyboard and mouse through a real X server
# (Xvfb with openbox), and judged by what the screen shows.
#
#   reader-test.sh SCENARIO QUORVEL VESK
#
#   find    the book in black and blue on light grey, the Find and Exit buttons; Find by
#           its button, a phrase, Enter, a numbered entry by keyboard, Show Line: the
#           phrase in red near the top of a view that has moved to it
#   scroll  a page down and up by clicks in the scroll bar; the thumb dragged to the end
#           shows the last page full
#   looks   File, Line Spacing and File, Font change the picture: fewer rows each time
#   help    Help, Introduction and Help, About open and close
#   close   Alt+F4, File, Exit, the Exit button and SIGTERM each end the run with code 0
#           and leave quorvel.ini holding what the run chose
#   locate  started in a folder without the book, the reader asks where it is and loads
#           it from there; started to build, it replaces the book with one built from
#           VESK.TXT and says so
#
# Exits 77 (skipped) when Xvfb, openbox, xdotool or ImageMagick is missing. A failure
# names the screenshots it keeps.
set -eu
scenario=$1 quorvel=$(realpath "$2") vesk=$(realpath "$3")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/session.sh"

for tool in Xvfb openbox xdotool xprop xwininfo xdpyinfo import convert identify; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is missing"; exit 77; }
done

work=$(mktemp -d)
session_artefacts=${QUORVEL_ARTEFACTS:-$work/artefacts}
rm -rf "$session_artefacts"
mkdir -p "$session_artefacts"
trap 'rc=$?; session_stop; if [ "$rc" -eq 0 ]; then rm -rf "$work"; fi; exit "$rc"' EXIT
trap 'exit 1' HUP INT TERM

QT_QPA_PLATFORM=xcb
export QT_QPA_PLATFORM
session_runtime_dir
# Under AddressSanitizer: libxkbcommon-x11 hands strndup a name without a NUL, which
# strndup allows; the strict string check of the test run would take it for an overflow.
if [ -n "${ASAN_OPTIONS:-}" ]; then
  ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
  export ASAN_OPTIONS
fi

# Names the reader's windows and dialogs go by.
main_title="The Orvane"
search_title="Lines found Containing the Search words"
spacing_title="Set Line Spacing"

# A book of 60 psalms of a heading and ten verses each; one verse of psalm 45 alone holds
# the word "lovingkindness". Made as VESK.TXT and built into VESK.BIN in DIR.
#   make_book DIR [text]    (with "text", only VESK.TXT is made)
make_book() {
  mkdir -p "$1"
  awk 'BEGIN {
    for (s = 1; s <= 60; s++) {
      print ""
      printf "$%d#Psalm %d\n", s, s
      for (v = 1; v <= 10; v++) {
        if (s == 45 && v == 4) printf "%d My heart is inditing a good matter: the lovingkindness of the morning.\n", v
        else printf "%d Sing unto the LORD a new song, and his praise in the congregation, psalm %d.\n", v, s
      }
    }
  }' >"$1/VESK.TXT"
  if [ "${2:-}" != text ]; then
    "$vesk" build "$1/VESK.TXT" "$1/VESK.BIN" >/dev/null
  fi
}

# Starts the reader in the folder DIR, with ARG if given.
reader_pid=""
start_reader() {
  dir=$1
  shift
  (cd "$dir" && exec "$quorvel" "$@" 2>>"$session_artefacts/reader.log") &
  reader_pid=$!
  session_track "$reader_pid"
}

reader_ended() {
  state=$(ps -o stat= -p "$reader_pid" 2>/dev/null) || return 0
  case $state in Z*) return 0 ;; *) return 1 ;; esac
}

# Waits for the reader to end; fails unless its code is 0.
expect_clean_end() {
  wait_until 30 "the reader to end after $1" reader_ended
  rc=0
  wait "$reader_pid" || rc=$?
  [ "$rc" -eq 0 ] || fail "$1: the reader ended with code $rc"
}

# Fails unless DIR/quorvel.ini holds exactly the book's folder BOOK and the spacing SPACE.
expect_settings() {
  expected=$(printf '[Quorvel]\nDataPath=%s\nLineSpace=%s' "$2" "$3")
  [ -f "$1/quorvel.ini" ] || fail "$4: no quorvel.ini was written in $1"
  actual=$(cat "$1/quorvel.ini")
  if [ "$actual" != "$expected" ] || [ "$(tail -c 1 "$1/quorvel.ini" | od -An -c | tr -d ' ')" != '\n' ]; then
    fail "$4: quorvel.ini holds \"$actual\", not \"$expected\" with a final line end"
  fi
  echo "ok: $4: code 0, quorvel.ini holds DataPath=$2 and LineSpace=$3"
}

# The reader's window, once it shows the book: black text and blue headings on the light
# grey view, and the Find and Exit buttons. Sets `window` and `top` (the view's first row).
wait_for_book() {
  window=$(wait_for_window "$main_title" 60)
  wait_until 60 "the book in black and blue on light grey, with the Find and Exit buttons" book_shown "$1"
}
book_shown() {
  window_shows "$window" "$1" 20 black blue grey || return 1
  top=$(view_top_of "$picture")
  buttons_shown
}
# The faces of the two buttons, 60 by 25 pixels each at 500, 270 and 500, 300 in the view.
buttons_shown() { [ "$(colour_count "$picture" light "60x55+500+$((top + 270))")" -ge 2000 ]; }

# Opens a menu of the reader's by ACTION (a key such as alt+h, or a click on its title),
# and takes the item by its KEY.
#   open_menu DESCRIPTION KEY ACTION...
open_menu() {
  menu_what=$1 menu_key=$2
  shift 2
  "$@"
  wait_until 20 "$menu_what to open" menu_open
  xdotool key "$menu_key"
}
# The File menu, by a click on its title.
file_menu() { open_menu "the File menu" "$1" click_at "$window" 20 $((top / 2)); }

# Chooses a line spacing in the Set Line Spacing dialog by clicks: the radio button given
# by its place in dialog units, then OK.
#   choose_spacing NAME Y WIDTH
choose_spacing() {
  file_menu l
  dialog=$(wait_for_window "$spacing_title" 30)
  wait_until 20 "the spacing dialog to take the keys" window_active "$spacing_title"
  shoot "$dialog" "spacing-$1"
  dialog_click "$dialog" "$picture" 202 120 52 "$2" "$3" 13
  dialog_click "$dialog" "$picture" 202 120 144 100 50 14
  wait_until 20 "the spacing dialog to close" window_gone "$spacing_title"
}
window_gone() { ! window_exists "$1"; }

# Fails when the search dialog's "Selection Error" box came up.
selection_refused() {
  if window_exists "Selection Error"; then fail "Show Line was refused with \"Selection Error\""; fi
  return 1
}

scenario_find() {
  make_book "$work/book"
  start_reader "$work/book"
  wait_for_book start
  [ "$(colour_count "$picture" red)" -eq 0 ] || fail "red in the view before any search"
  read_thumb "$picture"
  thumb_before=$thumb_first
  echo "ok: the book in black and blue on light grey, the Find and Exit buttons shown"

  # The Find button, at 530, 282 in the view.
  click_at "$window" 530 $((top + 282))
  dialog=$(wait_for_window "$search_title" 30)
  wait_until 20 "the search dialog to take the keys" window_active "$search_title"
  shoot "$dialog" search-opened
  list=$(dialog_rect "$picture" 417 312 16 40 304 236)
  [ "$(colour_count "$picture" black "$list")" -lt 20 ] || fail "the list of finds is not empty at first"
  xdotool type --delay 20 lovingkindness
  xdotool key Return
  wait_until 30 "the numbered list of finds" list_filled
  echo "ok: Enter listed the finds"

  # Tab to the list (the edit, OK, Show Section, Cancel and Help come first), the first
  # find's numbered entry below its spacer, then on to Show Line past Ignore Case.
  xdotool key --delay 50 Tab Tab Tab Tab Tab Down Tab Tab Return
  wait_until 30 "the search dialog to close after Show Line" dialog_closed_or_refused
  wait_until 30 "the phrase in red near the top of a view moved to it" find_shown
  echo "ok: Show Line brought the find near the top, the phrase in red"
}
list_filled() {
  shoot "$dialog" search-listed
  [ "$(colour_count "$picture" black "$list")" -ge 200 ]
}
dialog_closed_or_refused() { selection_refused || window_gone "$search_title"; }
find_shown() {
  shoot "$window" search-shown
  # Show Line puts the line three above the find at the top: the red lies in the top rows.
  [ "$(colour_count "$picture" red "900x120+0+$top")" -ge 15 ] || return 1
  [ "$(colour_count "$picture" red)" -eq "$(colour_count "$picture" red "900x120+0+$top")" ] || return 1
  read_thumb "$picture"
  [ "$thumb_first" -gt $((thumb_before + 20)) ]
}

scenario_scroll() {
  make_book "$work/book"
  start_reader "$work/book"
  wait_for_book start
  read_thumb "$picture"
  first_rows=$(text_rows "$picture")
  [ "$first_rows" -ge 20 ] || fail "the first page shows $first_rows rows of text, not 20 or more"

  # A click in the trough below the thumb pages down; one above it pages back up.
  cp "$picture" "$work/first-page.png"
  x=$(($(picture_size "$picture" | cut -d' ' -f1) - 7))
  click_at "$window" "$x" $((thumb_last + 60))
  wait_until 20 "a page down" thumb_moved down "$thumb_first"
  read_thumb "$picture"
  click_at "$window" "$x" $((thumb_first - 10))
  wait_until 20 "a page up" thumb_moved up "$thumb_first"
  same_picture "$picture" "$work/first-page.png" || fail "a page down and up did not come back to the first page"
  echo "ok: a click below the thumb paged down, one above it paged back up"

  # The thumb dragged past the end of the trough, in steps as a hand moves it.
  read_thumb "$picture"
  xdotool mousemove --window "$window" "$x" $(((thumb_first + thumb_last) / 2)) mousedown 1
  for y in 200 400 600 $((trough_last + 40)); do
    xdotool mousemove --window "$window" "$x" "$y"
    sleep 0.05
  done
  xdotool mouseup 1
  wait_until 20 "the thumb at the end of the trough" thumb_at_end
  # The last page is full: text down to its last rows, and as many rows as the first page.
  height=$(picture_size "$picture" | cut -d' ' -f2)
  [ "$(colour_count "$picture" black "490x30+0+$((height - 30))")" -ge 20 ] ||
    fail "the last page is not full: no text in its last rows"
  [ "$(text_rows "$picture")" -ge $((first_rows - 3)) ] ||
    fail "the last page shows $(text_rows "$picture") rows of text, the first $first_rows"
  echo "ok: the thumb dragged to the end shows the last page, full"
}
# True when a fresh picture shows the thumb moved DIRECTION from the first row FROM.
thumb_moved() {
  shoot "$window" "scroll-$1"
  read_thumb "$picture"
  case $1 in
    down) [ "$thumb_first" -gt "$2" ] ;;
    up) [ "$thumb_first" -lt "$2" ] ;;
  esac
}
thumb_at_end() {
  shoot "$window" scroll-end
  read_thumb "$picture"
  [ "$thumb_last" -ge $((trough_last - 1)) ]
}
same_picture() {
  [ "$(convert "$1" -depth 8 rgb:- | cksum)" = "$(convert "$2" -depth 8 rgb:- | cksum)" ]
}

scenario_looks() {
  make_book "$work/book"
  start_reader "$work/book"
  wait_for_book start
  rows=$(text_rows "$picture")

  choose_spacing very-loose 59 52
  wait_until 20 "fewer rows after Very Loose spacing" rows_fewer spacing "$rows"
  echo "ok: Very Loose spacing: $rows rows became $now"
  rows=$now

  # Ctrl+F opens the font chooser; Alt+S is its size field, and Enter takes the choice.
  xdotool key ctrl+f
  wait_for_window Font 30 >/dev/null
  wait_until 20 "the font chooser to take the keys" window_active Font
  xdotool key alt+s
  xdotool type 20
  xdotool key Return
  wait_until 20 "the font chooser to close" window_gone Font
  wait_until 20 "fewer rows in a 20-point font" rows_fewer font "$rows"
  window_shows "$window" font 20 black blue grey || fail "the larger font lost the colours of the book"
  echo "ok: a 20-point font: $rows rows became $now"
}
# True when a fresh picture shows under four fifths of BEFORE rows; sets `now`.
rows_fewer() {
  shoot "$window" "$1"
  now=$(text_rows "$picture")
  [ $((now * 5)) -lt $(($2 * 4)) ]
}

scenario_help() {
  make_book "$work/book"
  start_reader "$work/book"
  wait_for_book start
  for page in "i General Help" "a About QUORVEL"; do
    key=${page%% *} name=${page#* }
    wait_until 20 "the reader's window to take the keys" window_active "$main_title"
    open_menu "the Help menu" "$key" xdotool key alt+h
    help=$(wait_for_window "$name" 30)
    wait_until 20 "\"$name\" to take the keys" window_active "$name"
    wait_until 20 "text in \"$name\"" window_shows "$help" "help-$key" 200 black
    xdotool key Escape
    wait_until 20 "\"$name\" to close" window_gone "$name"
    echo "ok: Help opened \"$name\", and Escape closed it"
  done
  window_shows "$window" after-help 20 black blue grey || fail "the book is not shown after the help pages"
}

scenario_close() {
  make_book "$work/book"
  book=$work/book

  start_reader "$book"
  wait_for_book alt-f4
  choose_spacing loose 45 44
  xdotool key alt+F4
  expect_clean_end "Alt+F4"
  expect_settings "$book" "$book" 5 "Alt+F4 after Loose"

  start_reader "$book"
  wait_for_book file-exit
  file_menu x
  expect_clean_end "File, Exit"
  expect_settings "$book" "$book" 5 "File, Exit with the spacing read back"

  start_reader "$book"
  wait_for_book exit-button
  choose_spacing tight 17 44
  # The Exit button, at 530, 312 in the view.
  click_at "$window" 530 $((top + 312))
  expect_clean_end "the Exit button"
  expect_settings "$book" "$book" -3 "the Exit button after Tight"

  start_reader "$book"
  wait_for_book sigterm
  choose_spacing very-loose 59 52
  kill -TERM "$reader_pid"
  expect_clean_end "SIGTERM"
  expect_settings "$book" "$book" 10 "SIGTERM after Very Loose"
}

scenario_locate() {
  make_book "$work/book"
  mkdir "$work/empty"
  start_reader "$work/empty"
  dialog=$(wait_for_window "Location of VESK.BIN" 60)
  wait_until 20 "the location dialog to take the keys" window_active "Location of VESK.BIN"
  window=$(window_named "$main_title")
  [ -n "$window" ] || fail "no reader window behind the location dialog"
  shoot "$window" asking
  top=$(view_top_of "$picture")
  if buttons_shown; then fail "the Find and Exit buttons show before the book is loaded"; fi
  xdotool type --delay 10 "$work/book"
  xdotool key Return
  wait_until 20 "the location dialog to close" window_gone "Location of VESK.BIN"
  wait_for_book located
  echo "ok: the location dialog took the book's folder, and the book shows"
  kill -TERM "$reader_pid"
  expect_clean_end "SIGTERM after locating"
  grep -qx "DataPath=$work/book" "$work/empty/quorvel.ini" ||
    fail "quorvel.ini does not name the book's folder after it was located"

  # A build reads VESK.TXT and replaces the VESK.BIN it finds, here one of another text.
  make_book "$work/build" text
  "$vesk" build "$work/build/VESK.TXT" "$work/expected.bin" >/dev/null
  printf '\n$1#Another book\n1 Its only verse.\n' >"$work/other.txt"
  "$vesk" build "$work/other.txt" "$work/build/VESK.BIN" >/dev/null
  start_reader "$work/build" create_binary_data
  box=$(wait_for_window "Make Binary Data" 60)
  wait_until 20 "the completion message to take the keys" window_active "Make Binary Data"
  wait_until 20 "the completion message's text" window_shows "$box" built 20 black
  xdotool key Return
  wait_until 20 "the completion message to close" window_gone "Make Binary Data"
  cmp -s "$work/build/VESK.BIN" "$work/expected.bin" ||
    fail "the built VESK.BIN differs from the one vesk builds from the same text"
  window=$(window_named "$main_title")
  [ -n "$window" ] || fail "no reader window after the build"
  shoot "$window" after-build
  [ "$(colour_count "$picture" black)" -lt 20 ] || fail "the view shows text after a build"
  echo "ok: the build said it was done and wrote the book vesk writes; the view stays empty"
  xdotool key alt+F4
  expect_clean_end "Alt+F4 after the build"
}

case $scenario in
  find | scroll | looks | help | close | locate) ;;
  *) echo "usage: $0 find|scroll|looks|help|close|locate QUORVEL VESK" >&2; exit 2 ;;
esac
x_session_start
"scenario_$scenario"
echo "The $scenario scenario passed."
