#pragma once
// The text helpers that the builder, the loader, the painter and the search share.
// Texts are bytes: nothing here decodes a character set, and case folding touches
// the 26 ASCII capitals only.

#include <cstddef>
#include <string_view>

// The index, counted from 0, of the first place at which `pattern` occurs in `text`
// as a contiguous run of bytes, compared exactly; -1 when it does not occur.
// An empty pattern never occurs, and nothing occurs in an empty text.
int SubstringPosition(std::string_view text, std::string_view pattern);

// Whether `pattern` occurs in `text`, as SubstringPosition finds it.
bool Contains(std::string_view text, std::string_view pattern);

// Whether `pattern` occurs in `text` with A to Z of the text taken as a to z: the same
// as Contains on a folded copy of `text`, without making the copy. A capital letter in
// `pattern` never matches, so pass it folded.
bool ContainsFolded(std::string_view text, std::string_view pattern);

// The joined text of two lines, as the search and the painter see a phrase that runs
// from the end of one line into the next: `line`, one blank, `next`, ended by a NUL
// and cut to destinationSize - 1 bytes. Returns its length. destinationSize >= 1.
std::size_t JoinLines(char* destination, std::size_t destinationSize, std::string_view line,
                      std::string_view next);

// Copies `source` into `destination` up to, not including, the first occurrence of
// `marker` (as SubstringPosition finds it); the whole source when the marker does not
// occur or is empty. The copy is cut to destinationSize - 1 bytes and always ends in
// a NUL; destinationSize must be at least 1.
void CopyBeforeMarker(std::string_view source, char* destination, std::size_t destinationSize,
                      std::string_view marker);

// Removes the leading blanks (byte 32 only; tabs stay) of a NUL-terminated text in place.
void StripLeadingBlanks(char* text);

// Turns A to Z into a to z in place; every other byte stays as it is.
void FoldCase(char* text, std::size_t length);
void FoldCase(char* text);  // NUL-terminated

// The standard decimal text-to-long conversion: leading white space skipped, an
// optional sign, then decimal digits; 0 when there are none. Saturates at the
// limits of long instead of overflowing.
long TextToLong(const char* text);
long TextToLong(std::string_view text);  // the same, on a text that need not end in a NUL

// Copies `source` into `destination` and ends it with a NUL, cut to destinationSize - 1
// bytes; returns the number of bytes copied. destinationSize must be at least 1.
std::size_t CopyText(char* destination, std::size_t destinationSize, std::string_view source);

// The length of a NUL-terminated text held in a buffer of `size` bytes: the bytes
// before the first NUL, or `size` when the buffer holds none.
std::size_t BoundedLength(const char* text, std::size_t size);
