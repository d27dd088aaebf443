// The conversion between our texts, which are bytes, and the characters the screen shows.
// The input's first byte picks a limit for the cut; the rest is the text. Any bytes show
// as characters, one a byte or one a well-formed UTF-8 sequence, and bytes that are UTF-8
// come back unchanged. What an edit control can hand back (any characters; here the input
// read as code points) becomes bytes that show as those same characters again. A cut at
// Utf8SafeLength stays within its limit, halves no character, and shows as the start of
// what the whole text shows.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/FuzzFiles.h"
#include "platform/ShownText.h"

namespace {

bool IsCharacter(char32_t point) { return point <= 0x10FFFF && (point < 0xD800 || point > 0xDFFF); }

// The code points of `bytes` when they are well-formed UTF-8 (no overlong form, no
// surrogate, nothing past U+10FFFF, nothing cut short), written out plainly.
std::optional<std::u32string> DecodeUtf8(std::string_view bytes) {
  std::u32string points;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = 0;
    char32_t point = 0;
    if (lead < 0x80) {
      length = 1;
      point = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2;
      point = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      point = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      point = lead & 0x07;
    } else {
      return std::nullopt;
    }
    if (i + length > bytes.size()) return std::nullopt;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      point = (point << 6) | (next & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < least[length] || !IsCharacter(point)) return std::nullopt;
    points.push_back(point);
    i += length;
  }
  return points;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::size_t limit = data[0];
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  // Any bytes show, as no more characters than bytes, each a character.
  const std::u32string shown = platform::ShownCharacters(bytes);
  fuzz::Check(shown.size() <= bytes.size(), "no more characters than bytes");
  for (const char32_t point : shown) fuzz::Check(IsCharacter(point), "what shows is characters");
  if (const std::optional<std::u32string> decoded = DecodeUtf8(bytes)) {
    fuzz::Check(shown == *decoded, "UTF-8 shows as its characters");
    fuzz::Check(platform::TypedBytes(shown) == bytes, "UTF-8 comes back unchanged");
  }
  fuzz::Check(DecodeUtf8(platform::TypedBytes(shown)) == shown, "what shows comes back as its UTF-8");

  // The cut.
  const std::size_t cut = platform::Utf8SafeLength(bytes, limit);
  fuzz::Check(cut <= limit && cut <= bytes.size(), "the cut keeps to its limit");
  fuzz::Check(cut == bytes.size() || cut + 4 > limit, "the cut loses less than a character");
  const std::u32string shownCut = platform::ShownCharacters(bytes.substr(0, cut));
  fuzz::Check(shown.compare(0, shownCut.size(), shownCut) == 0, "the cut halves no character");

  // What an edit control hands back: characters, never a lone surrogate.
  std::u32string typed;
  for (std::size_t i = 0; i + 3 <= bytes.size(); i += 3) {
    const auto b = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(bytes[i + k])); };
    const char32_t point = ((b(0) << 16) | (b(1) << 8) | b(2)) % 0x110000;
    if (IsCharacter(point)) typed.push_back(point);
  }
  const std::string handed = platform::TypedBytes(typed);
  fuzz::Check(DecodeUtf8(handed) == typed, "typed text comes back as its UTF-8");
  fuzz::Check(platform::ShownCharacters(handed) == typed, "typed text shows as typed after the round trip");
  return 0;
}
