#pragma once
// The book's texts are bytes; the screen speaks UTF-8. Bytes that form UTF-8 show as their
// characters, any other byte as the Latin-1 character of its value, and what the user types
// comes back as UTF-8. These are those conversions in plain code points, for code that
// checks them without the window system's own string type.

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// The characters the screen shows for `bytes`.
std::u32string ShownCharacters(std::string_view bytes);

// The bytes that an edit control showing `characters` hands back.
std::string TypedBytes(std::u32string_view characters);

// The length of the longest start of `text` that is at most `limit` bytes and does not
// end inside a UTF-8 character: a cut there never halves a character.
std::size_t Utf8SafeLength(std::string_view text, std::size_t limit);

}  // namespace platform
