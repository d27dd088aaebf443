#include "platform/qt/QtText.h"

namespace platform {

namespace {

// The length of the well-formed UTF-8 character at the start of `text`, or 0 when its
// first byte does not begin one (a stray continuation byte, an overlong form, a
// surrogate, a value past U+10FFFF, or a character cut short).
std::size_t Utf8CharacterLength(std::string_view text, char32_t& value) {
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) {
    value = lead;
    return 1;
  }
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  char32_t code = lead & (0xFF >> (length + 1));
  for (std::size_t i = 1; i < length; ++i) {
    if (i > 1 && (byte(i) < 0x80 || byte(i) > 0xBF)) return 0;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  value = code;
  return length;
}

}  // namespace

QString ToQString(std::string_view text) {
  QString shown;
  shown.reserve(static_cast<qsizetype>(text.size()));
  while (!text.empty()) {
    char32_t value = 0;
    std::size_t length = Utf8CharacterLength(text, value);
    if (length == 0) {
      value = static_cast<unsigned char>(text.front());  // the Latin-1 character of the byte
      length = 1;
    }
    if (value > 0xFFFF) {
      const char32_t surrogates[] = {value};
      shown.append(QString::fromUcs4(surrogates, 1));
    } else {
      shown.append(QChar(static_cast<char16_t>(value)));
    }
    text.remove_prefix(length);
  }
  return shown;
}

std::string FromQString(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::u32string ShownCharacters(std::string_view bytes) {
  const QList<uint> points = ToQString(bytes).toUcs4();
  return std::u32string(points.begin(), points.end());
}

std::string TypedBytes(std::u32string_view characters) {
  // Character by character: QString::fromUcs4 would drop a leading U+FEFF as a byte-order
  // mark, which an edit control keeps.
  QString text;
  text.reserve(static_cast<qsizetype>(characters.size()) * 2);
  for (const char32_t point : characters) {
    if (QChar::requiresSurrogates(point)) {
      text.append(QChar(QChar::highSurrogate(point)));
      text.append(QChar(QChar::lowSurrogate(point)));
    } else {
      text.append(QChar(static_cast<char16_t>(point)));
    }
  }
  return FromQString(text);
}

std::size_t Utf8SafeLength(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text.size();
  // Walk the characters as ToQString shows them; stop before one that would not fit.
  std::size_t length = 0;
  while (length < text.size()) {
    char32_t value = 0;
    std::size_t next = Utf8CharacterLength(text.substr(length), value);
    if (next == 0) next = 1;
    if (length + next > limit) break;
    length += next;
  }
  return length;
}

}  // namespace platform
