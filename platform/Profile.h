#pragma once
// Settings files in the private-profile (INI) format, read and written as the original
// system did it:
//
//   ; a comment                 a line whose first non-blank character is ';'
//   [Section]                   a section header; lines before the first one belong to none
//   Name = value                a key line: the name before the first '=', the value after it
//
// Section and key names are compared without regard to case; blanks (spaces and tabs)
// around names, inside a header's brackets too, and around values are ignored; a value
// wrapped in a matching pair of double or single quotes loses that one outer pair. The
// first section of a name and the first key of a name in it are the ones read and
// written. CR LF and LF files read alike. Writing keeps every other byte of the file as
// it was (comments, blank lines, other sections), and replaces the file as one step
// (TFileReplacement), so an interrupted write never leaves half a file.
//
// A file that is not a regular file (a FIFO, a directory, a device) is neither read nor
// written; the functions say so through their error text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Copies the value of `key` in `section` of the file at `path`, or `defaultValue` when
// the file, the section or the key is missing, into `buffer`: at most size - 1 bytes and
// a NUL (nothing at all when size is 0). Returns the number of bytes copied. `error`,
// when given, is set to the reason when the file exists but cannot be read (the default
// is then used) and emptied otherwise.
std::size_t ReadProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                              char* buffer, std::size_t size, std::string_view path,
                              std::string* error = nullptr);

// The value of `key` as a 32-bit integer: an optional '+' or '-' and decimal digits
// (leading zeros allowed) within the 32-bit range, after the blanks and quotes are taken
// off. Anything else, and a missing key, gives `defaultValue`.
std::int32_t ReadProfileInt(std::string_view section, std::string_view key, std::int32_t defaultValue,
                            std::string_view path, std::string* error = nullptr);

// Writes `key`=`value` into `section` of the file at `path`, creating the file, the
// section and the key as needed:
// - an existing key's whole line becomes "Name=value", Name spelled as in the file;
// - a new key goes directly after the last key line of its section (after the header
//   when it has none);
// - a new section goes at the end of the file, after a line end is added to a last line
//   that has none;
// - every line written ends as the file's first line ends (CR LF or LF); a new file
//   uses LF.
// False, with the reason in `error`, when the file cannot be read or written, or when
// a name or the value holds a line break; the file is then as it was.
bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        std::string_view path, std::string& error);

// The edits of WriteProfileString on the bytes of a file, without the file.
std::string WithProfileString(std::string_view file, std::string_view section, std::string_view key,
                              std::string_view value);

}  // namespace platform
