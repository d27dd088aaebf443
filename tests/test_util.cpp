// The shared text helpers and the view's string array.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <random>
#include <cstring>
#include <string>

#include "util/StringArray.h"
#include "util/TextHelpers.h"

namespace {

TEST(SubstringPosition, FindsTheFirstExactRun) {
  struct TCase {
    std::string Text;
    std::string Pattern;
    int Expected;
  };
  const TCase cases[] = {
      {"and the sample goes on", "the", 4},
      {"the the", "the", 0},
      {"abc", "abc", 0},
      {"abcabd", "abd", 3},
      {"abc", "abcd", -1},
      {"Psalm", "psalm", -1},           // compared exactly, case included
      {"abc", "", -1},                  // an empty pattern never occurs
      {"", "", -1},
      {"", "a", -1},                    // nothing occurs in an empty text
      {"x\xA3\xA3y", "\xA3y", 2},       // bytes, not characters
      {std::string("a\0b", 3), std::string("\0b", 2), 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE("text \"" + c.Text + "\", pattern \"" + c.Pattern + "\"");
    EXPECT_EQ(SubstringPosition(c.Text, c.Pattern), c.Expected);
  }
}

TEST(CopyBeforeMarker, CutsAtTheFirstMarker) {
  struct TCase {
    std::string Source;
    std::string Marker;
    std::size_t Size;
    std::string Expected;
  };
  const TCase cases[] = {
      {"a line\n", "\n", 100, "a line"},
      {"no line feed", "\n", 100, "no line feed"},
      {"\n", "\n", 100, ""},                 // begins with the marker
      {"one\ntwo\n", "\n", 100, "one"},
      {"left#right#more", "#", 100, "left"},
      {"keep all", "", 100, "keep all"},     // an empty marker never occurs
      {"abcdef", "\n", 4, "abc"},            // cut to the destination
      {"abcdef", "\n", 1, ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE("source \"" + c.Source + "\", marker \"" + c.Marker + "\", size " + std::to_string(c.Size));
    char destination[100];
    std::memset(destination, 'Z', sizeof destination);
    CopyBeforeMarker(c.Source, destination, c.Size, c.Marker);
    EXPECT_EQ(std::string(destination), c.Expected);
    // Nothing is written past the destination's size.
    for (std::size_t i = c.Size; i < sizeof destination; ++i) {
      ASSERT_EQ(destination[i], 'Z') << "byte " << i;
    }
  }
}

TEST(StripLeadingBlanks, RemovesOnlyLeadingSpaces) {
  struct TCase {
    std::string Text;
    std::string Expected;
  };
  const TCase cases[] = {
      {"   Psalm 1", "Psalm 1"},
      {"Psalm 1  ", "Psalm 1  "},
      {"\t Psalm", "\t Psalm"},  // tabs stay
      {"  \tPsalm", "\tPsalm"},
      {"    ", ""},
      {"", ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE("text \"" + c.Text + "\"");
    char buffer[32];
    std::memcpy(buffer, c.Text.c_str(), c.Text.size() + 1);
    StripLeadingBlanks(buffer);
    EXPECT_EQ(std::string(buffer), c.Expected);
  }
}

TEST(FoldCase, TouchesOnlyTheAsciiCapitals) {
  std::string all;
  for (int b = 1; b < 256; ++b) {
    all.push_back(static_cast<char>(b));
  }
  std::string folded = all;
  FoldCase(folded.data(), folded.size());
  for (int b = 1; b < 256; ++b) {
    const unsigned char expected = (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b + 32)
                                                          : static_cast<unsigned char>(b);
    EXPECT_EQ(static_cast<unsigned char>(folded[b - 1]), expected) << "byte " << b;
  }

  char text[] = "The LORD \xC4\xD6 Psalm";
  FoldCase(text);
  EXPECT_STREQ(text, "the lord \xC4\xD6 psalm");

  // The length form stops where it is told, NUL or not.
  char partial[] = "ABCDEF";
  FoldCase(partial, 3);
  EXPECT_STREQ(partial, "abcDEF");
}

TEST(TextToLong, IsTheStandardDecimalConversion) {
  struct TCase {
    std::string Text;
    long Expected;
  };
  const TCase cases[] = {
      {"12", 12},
      {" 12abc", 12},
      {"\t\n 7 The sample verse", 7},
      {"-5", -5},
      {"+3", 3},
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {"+ 3", 0},
      {"$12#Section Twelve", 0},
      {"007", 7},
      {"99999999999999999999999", LONG_MAX},   // saturates instead of overflowing
      {"-99999999999999999999999", LONG_MIN},
      {std::to_string(LONG_MAX), LONG_MAX},
      {std::to_string(LONG_MIN), LONG_MIN},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE("text \"" + c.Text + "\"");
    EXPECT_EQ(TextToLong(c.Text.c_str()), c.Expected);
    EXPECT_EQ(TextToLong(std::string_view(c.Text)), c.Expected);
  }
  // The bounded form reads no further than its text.
  const char digits[] = "12345";
  EXPECT_EQ(TextToLong(std::string_view(digits, 2)), 12);
}

TEST(CopyText, CutsToTheDestinationAndEndsWithNul) {
  char destination[8];
  std::memset(destination, 'Z', sizeof destination);
  EXPECT_EQ(CopyText(destination, 4, "abcdef"), 3u);
  EXPECT_STREQ(destination, "abc");
  EXPECT_EQ(destination[4], 'Z');
  EXPECT_EQ(CopyText(destination, sizeof destination, ""), 0u);
  EXPECT_STREQ(destination, "");
  EXPECT_EQ(CopyText(destination, sizeof destination, "1234567"), 7u);
  EXPECT_STREQ(destination, "1234567");
}

TEST(JoinLines, PutsOneBlankBetweenAndCutsToTheBuffer) {
  struct Row {
    const char* Line;
    const char* Next;
    std::size_t Size;
    const char* Joined;
  };
  const Row rows[] = {
      {"the way", "of sinners", 32, "the way of sinners"},
      {"", "", 32, " "},
      {"line", "", 32, "line "},
      {"abc", "defgh", 7, "abc de"},   // cut inside the next line
      {"abcdef", "gh", 7, "abcdef"},   // no room for the blank
      {"abcdefgh", "ij", 4, "abc"},    // cut inside the line
      {"ab", "cd", 1, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.Line) + "|" + row.Next + "|" + std::to_string(row.Size));
    char destination[40];
    std::memset(destination, 'Z', sizeof destination);
    const std::size_t length = JoinLines(destination, row.Size, row.Line, row.Next);
    EXPECT_EQ(length, std::strlen(row.Joined));
    EXPECT_STREQ(destination, row.Joined);
    EXPECT_EQ(destination[row.Size], 'Z');  // nothing written past the buffer
  }
  EXPECT_TRUE(Contains("the way of sinners", "of sin"));
  EXPECT_FALSE(Contains("the way", ""));
}

// The phrase test against the plain one, on texts in buffers of their exact size (so that
// a look past the end shows under AddressSanitizer), of every length across the sixteen-
// place steps, over bytes that sit next to the capitals: '@', '[', '`' and '{'.
TEST(Contains, AgreesWithAPlainSearchWithAndWithoutCase) {
  const std::string alphabet = "aAbBzZ @[`{";
  std::mt19937 random(1699);
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
  for (int round = 0; round < 20000; ++round) {
    const std::size_t length = pick(70);
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += alphabet[pick(alphabet.size())];
    std::string pattern;
    if (length > 0 && pick(2) == 0) {
      // A piece of the text, its letters' case changed here and there.
      const std::size_t start = pick(length);
      pattern = text.substr(start, 1 + pick(length - start));
      for (char& c : pattern) {
        if (pick(3) == 0 && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) c ^= 0x20;
      }
    } else {
      const std::size_t size = pick(20);
      for (std::size_t i = 0; i < size; ++i) pattern += alphabet[pick(alphabet.size())];
    }
    std::string foldedText = text;
    FoldCase(foldedText.data(), foldedText.size());
    std::string foldedPattern = pattern;
    FoldCase(foldedPattern.data(), foldedPattern.size());

    const std::unique_ptr<char[]> exact(new char[length]);
    std::memcpy(exact.get(), text.data(), length);
    const std::string_view view(exact.get(), length);
    SCOPED_TRACE(std::string("text '").append(text).append("', pattern '").append(pattern).append("'"));
    const bool found = !pattern.empty() && text.find(pattern) != std::string::npos;
    const bool foundFolded = !pattern.empty() && foldedText.find(foldedPattern) != std::string::npos;
    ASSERT_EQ(Contains(view, pattern), found);
    ASSERT_EQ(ContainsFolded(view, foldedPattern), foundFolded);
  }
}

TEST(BoundedLength, StopsAtTheNulOrTheBufferEnd) {
  const char withNul[5] = {'a', 'b', '\0', 'c', 'd'};
  EXPECT_EQ(BoundedLength(withNul, sizeof withNul), 2u);
  const char withoutNul[3] = {'a', 'b', 'c'};
  EXPECT_EQ(BoundedLength(withoutNul, sizeof withoutNul), 3u);
  EXPECT_EQ(BoundedLength(withoutNul, 0), 0u);
}

TEST(StringArray, StartsWithRoomFor101AndGrowsBy100) {
  TStringArray array;
  EXPECT_EQ(array.GetItemsInContainer(), 0);
  EXPECT_EQ(array.Capacity(), 101);

  for (int i = 0; i < 101; ++i) {
    array.Add(std::to_string(i));
  }
  EXPECT_EQ(array.GetItemsInContainer(), 101);
  EXPECT_EQ(array.Capacity(), 101);  // full, but grows only when the next entry comes

  array.Add("101");
  EXPECT_EQ(array.Capacity(), 201);
  for (int i = 102; i < 201; ++i) {
    array.Add(std::to_string(i));
  }
  EXPECT_EQ(array.Capacity(), 201);
  array.Add("201");
  EXPECT_EQ(array.Capacity(), 301);
  EXPECT_EQ(array.GetItemsInContainer(), 202);
}

TEST(StringArray, KeepsEveryEntryInOrderAcrossGrowth) {
  TStringArray array;
  // Long entries too, so that their characters fill several chunks.
  const int count = 17001;
  auto textOf = [](int i) {
    return std::to_string(i) + std::string(static_cast<std::size_t>(i % 120), static_cast<char>('a' + i % 26));
  };
  const std::string_view first = (array.Add(textOf(0)), array[0]);
  for (int i = 1; i < count; ++i) {
    array.Add(textOf(i));
  }
  ASSERT_EQ(array.GetItemsInContainer(), count);
  EXPECT_EQ(array.Capacity(), 101 + 100 * ((count - 101 + 99) / 100));
  for (int i = 0; i < count; ++i) {
    ASSERT_EQ(array[i], textOf(i)) << "entry " << i;
  }
  // Adding moved nothing: a text taken before the growth is still the same text.
  EXPECT_EQ(first.data(), array[0].data());

  array.Add("");
  array.Add(std::string(200000, 'x'));  // longer than a chunk
  EXPECT_EQ(array[count], "");
  EXPECT_EQ(array[count + 1].size(), 200000u);
  EXPECT_EQ(array[count - 1], textOf(count - 1));
}

TEST(StringArray, FlushEmptiesAndKeepsTheRoom) {
  TStringArray array;
  for (int i = 0; i < 150; ++i) {
    array.Add("line " + std::to_string(i));
  }
  ASSERT_EQ(array.Capacity(), 201);
  array.Flush();
  EXPECT_EQ(array.GetItemsInContainer(), 0);
  EXPECT_EQ(array.Capacity(), 201);
  array.Add("again");
  EXPECT_EQ(array.GetItemsInContainer(), 1);
  EXPECT_EQ(array[0], "again");
}

}  // namespace
