#!/bin/sh
# Makes the sample book VESK.TXT from the public-domain King James Psalms that
# Debian's bible-kjv and bible-kjv-text packages ship.
#
#   data/make-sample-text.sh OUTPUT
#
# For each of the 150 psalms the text holds a blank line, the heading line
# "$<n>#Psalm <n>", then every verse as "<v> <text>", word-wrapped to at most
# 95 characters. A continuation line starts with the next word, and a word longer
# than 95 characters is cut hard. Lines end in LF. The result is checked before
# it replaces OUTPUT, so a half-made or wrong text never stands in its place.
set -eu

WRAP_WIDTH=95
PSALM_COUNT=150
# The King James Psalms hold 2,461 verses; a different count means that the
# bible program gave us something else than the whole book.
VERSE_COUNT=2461

if [ "$#" -ne 1 ]; then
    echo "usage: $0 OUTPUT" >&2
    exit 2
fi
output=$1

if ! command -v bible >/dev/null 2>&1; then
    echo "$0: the 'bible' program is missing; install bible-kjv and bible-kjv-text" >&2
    exit 1
fi

# Bytes, not characters: the reader counts bytes, and the C locale makes awk do so too.
LC_ALL=C
export LC_ALL

tmp="$output.tmp.$$"
trap 'rm -f "$tmp" "$tmp.raw"' EXIT HUP INT TERM

# -f turns the default pretty-printing off: one verse a line, "Psa<c>:<v> <text>",
# never broken, whatever COLUMNS says. Stdin is closed so that bible never waits
# for commands of its own.
bible -f 'psalm1:1-psalm150:6' </dev/null >"$tmp.raw"

awk -v width="$WRAP_WIDTH" '
function emit(s) { printf "%s\n", s }

# Writes one verse, "<v> <words...>", folded into lines of at most width bytes.
function wrap_verse(number, text,    words, n, i, word, line) {
    n = split(text, words, /[ \t]+/)
    line = number
    for (i = 1; i <= n; i++) {
        word = words[i]
        if (word == "")
            continue
        if (line != "" && length(line) + 1 + length(word) <= width) {
            line = line " " word
            continue
        }
        if (line != "")
            emit(line)
        while (length(word) > width) {
            emit(substr(word, 1, width))
            word = substr(word, width + 1)
        }
        line = word
    }
    if (line != "")
        emit(line)
}

{
    sub(/\r$/, "")
    if ($0 == "")
        next
    if (match($0, /^Psa[0-9]+:[0-9]+ /) == 0) {
        printf "unexpected line %d from bible: %s\n", NR, $0 > "/dev/stderr"
        failed = 1
        exit 1
    }
    reference = substr($0, 4, RLENGTH - 4)
    text = substr($0, RLENGTH + 1)
    split(reference, part, ":")
    psalm = part[1] + 0
    verse = part[2] + 0
    if (psalm != current) {
        emit("")
        emit("$" psalm "#Psalm " psalm)
        current = psalm
    }
    wrap_verse(verse, text)
}
END { if (failed) exit 1 }
' "$tmp.raw" >"$tmp"

# The check reads the text as the reader will: headings, verse lines, continuations.
awk -v width="$WRAP_WIDTH" -v psalms="$PSALM_COUNT" -v verses="$VERSE_COUNT" '
function fail(why) { printf "line %d: %s\n", NR, why > "/dev/stderr"; bad = 1; exit 1 }
{
    if (length($0) > width)
        fail("longer than " width " bytes")
    if ($0 ~ /\r/)
        fail("holds a carriage return")
    if ($0 == "") {
        if (after_blank)
            fail("two blank lines")
        after_blank = 1
        next
    }
    if (substr($0, 1, 1) == "$") {
        if (!after_blank)
            fail("heading without a blank line before it")
        heading_count++
        if ($0 != "$" heading_count "#Psalm " heading_count)
            fail("heading out of order: " $0)
        if (heading_count > 1)
            in_psalm[heading_count - 1] = last_verse
        last_verse = 0
        after_blank = 0
        next
    }
    if (after_blank || heading_count == 0)
        fail("text outside a psalm")
    if ($0 ~ /^[1-9][0-9]* /) {
        split($0, word, " ")
        if (word[1] + 0 != last_verse + 1)
            fail("verse " word[1] " follows verse " last_verse)
        last_verse = word[1] + 0
        verse_count++
    } else if (last_verse == 0) {
        fail("continuation before the first verse")
    } else if ($0 ~ /^ /) {
        fail("continuation line starts with a blank")
    }
}
END {
    if (bad)
        exit 1
    in_psalm[heading_count] = last_verse
    if (heading_count != psalms)
        { printf "%d headings, expected %d\n", heading_count, psalms > "/dev/stderr"; exit 1 }
    if (verse_count != verses)
        { printf "%d verses, expected %d\n", verse_count, verses > "/dev/stderr"; exit 1 }
    if (in_psalm[117] != 2 || in_psalm[119] != 176 || in_psalm[1] != 6 || in_psalm[150] != 6)
        { print "verse counts of Psalms 1, 117, 119 or 150 are wrong" > "/dev/stderr"; exit 1 }
}
' "$tmp"

mv "$tmp" "$output"
trap - EXIT HUP INT TERM
rm -f "$tmp.raw"
