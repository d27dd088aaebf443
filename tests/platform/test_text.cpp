// Texts between our bytes and the screen: UTF-8 shows as its characters, any other byte
// as the Latin-1 character of its value, and what the user types comes back as UTF-8.
#include <gtest/gtest.h>

#include <QString>

#include <string>

#include "platform/qt/QtText.h"

namespace {

using platform::FromQString;
using platform::ToQString;
using platform::Utf8SafeLength;

TEST(ScreenText, BytesShowAsUtf8WhereTheyFormItAndAsLatin1Elsewhere) {
  struct Row {
    const char* Name;
    std::string Bytes;
    std::u32string Shown;
  };
  const Row rows[] = {
      {"ASCII", "Psalm 23", U"Psalm 23"},
      {"two-byte UTF-8", "Caf\xC3\xA9 D\xC4\x81vid", U"Caf\u00E9 D\u0101vid"},
      {"three-byte UTF-8", "\xE2\x80\x9Cquoted\xE2\x80\x9D", U"\u201Cquoted\u201D"},
      {"four-byte UTF-8", "\xF0\x9F\x93\x96", U"\U0001F4D6"},
      {"Latin-1 bytes", "Caf\xE9 \xA3", U"Caf\u00E9 \u00A3"},
      {"a lead byte cut short", "\xE2\x82 x", U"\u00E2\u0082 x"},
      {"an overlong form", "\xC0\xAF", U"\u00C0\u00AF"},
      {"a surrogate", "\xED\xA0\x80", U"\u00ED\u00A0\u0080"},
      {"past U+10FFFF", "\xF4\x90\x80\x80", U"\u00F4\u0090\u0080\u0080"},
      {"a stray continuation byte", "\x80" "a", U"\u0080a"},
      {"a NUL inside", std::string("a\0b", 3), std::u32string(U"a\0b", 3)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(ToQString(row.Bytes).toStdU32String(), row.Shown);
  }
  // What the screen hands back is UTF-8, and UTF-8 goes round unchanged.
  EXPECT_EQ(FromQString(QString::fromStdU32String(U"D\u0101vid \U0001F4D6")), "D\xC4\x81vid \xF0\x9F\x93\x96");
  for (const std::string utf8 : {"Caf\xC3\xA9", "\xE2\x80\x9C", "plain"}) {
    EXPECT_EQ(FromQString(ToQString(utf8)), utf8);
  }
}

TEST(ScreenText, ACutNeverHalvesACharacter) {
  struct Row {
    std::string Text;
    std::size_t Limit;
    std::size_t Length;
  };
  const Row rows[] = {
      {"abc", 5, 3},
      {"abc", 2, 2},
      {"a\xC3\xA9", 2, 1},            // the é would be halved
      {"a\xC3\xA9", 3, 3},
      {"\xE2\x80\x9C\xE2\x80\x9C", 5, 3},
      {"\xE9\xE9\xE9", 2, 2},         // bytes that are no UTF-8 are characters of their own
      {"\xF0\x9F\x93\x96!", 3, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Text + " " + std::to_string(row.Limit));
    EXPECT_EQ(Utf8SafeLength(row.Text, row.Limit), row.Length);
  }
}

}  // namespace
