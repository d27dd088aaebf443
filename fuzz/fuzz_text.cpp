// The conversion between our texts, which are bytes, and the characters the screen shows.
// The input's first byte picks a limit for the cut; the rest is the text. Any bytes show
// without a failure, and bytes that are UTF-8 come back unchanged. What an edit control can
// hand back (any characters; here the input read as code points) becomes bytes that show
// as those same characters again. A cut at Utf8SafeLength stays within its limit, halves
// no character, and shows as the start of what the whole text shows.
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzFiles.h"
#include "platform/qt/QtText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::size_t limit = data[0];
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  // Any bytes show, one character a byte or a well-formed UTF-8 character.
  const QString shown = platform::ToQString(bytes);
  fuzz::Check(static_cast<std::size_t>(shown.size()) <= 2 * bytes.size(), "no more than two UTF-16 units a byte");
  fuzz::Check(shown.isValidUtf16(), "what shows is well-formed text");
  if (QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toUtf8() ==
      QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()))) {
    fuzz::Check(platform::FromQString(shown) == bytes, "UTF-8 comes back unchanged");
  }

  // The cut.
  const std::size_t cut = platform::Utf8SafeLength(bytes, limit);
  fuzz::Check(cut <= limit && cut <= bytes.size(), "the cut keeps to its limit");
  fuzz::Check(cut == bytes.size() || cut + 4 > limit, "the cut loses less than a character");
  fuzz::Check(shown.startsWith(platform::ToQString(bytes.substr(0, cut))), "the cut halves no character");

  // What an edit control hands back: characters, never a lone surrogate.
  std::vector<char32_t> points;
  for (std::size_t i = 0; i + 3 <= bytes.size(); i += 3) {
    const auto b = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(bytes[i + k])); };
    const char32_t point = ((b(0) << 16) | (b(1) << 8) | b(2)) % 0x110000;
    if (point < 0xD800 || point > 0xDFFF) points.push_back(point);
  }
  const QString typed = QString::fromUcs4(points.data(), static_cast<qsizetype>(points.size()));
  const std::string handed = platform::FromQString(typed);
  fuzz::Check(platform::ToQString(handed) == typed, "typed text shows as typed after the round trip");
  fuzz::Check(platform::FromQString(platform::ToQString(handed)) == handed, "and gives the same bytes again");
  return 0;
}
