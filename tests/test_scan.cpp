// The scan of OK in the search dialog, run through a host that records what the dialog
// would show: the list entries, the message boxes and the find table.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "search/Scan.h"
#include "search/SearchState.h"
#include "textstore/TextImage.h"
#include "support/ReferenceScan.h"
#include "util/TextHelpers.h"

namespace {

using testsupport::FindEntry;
using testsupport::FindTable;
using testsupport::Indent12;
using testsupport::Indent13;
using testsupport::NoMatchList;
using testsupport::ReferenceScan;
using testsupport::TFind;

struct TMessage {
  std::string Text;
  std::string Caption;
  bool Exclamation = false;
  bool operator==(const TMessage&) const = default;
};

class TRecordingHost : public TScanHost {
public:
  void ReadPhrase(char* buffer, std::size_t size) override {
    ReadSize = size;
    CopyText(buffer, size, Phrase);
  }
  bool IgnoreCaseChecked() override { return IgnoreCaseBox; }
  void ClearList() override {
    List.clear();
    ++ClearCalls;
  }
  void AppendToList(const char* entry) override { List.emplace_back(entry); }
  void ShowMessage(const char* text, const char* caption, bool exclamation) override {
    Messages.push_back({text, caption, exclamation});
  }
  void ProcessMessages() override {
    ++ProcessCalls;
    if (OnProcess) {
      OnProcess();
    }
  }

  std::string Phrase;
  bool IgnoreCaseBox = false;
  std::vector<std::string> List;
  std::vector<TMessage> Messages;
  std::function<void()> OnProcess;
  std::size_t ReadSize = 0;
  int ClearCalls = 0;
  int ProcessCalls = 0;
};

// The image as the builder leaves it after storing `lines`: the count is one more.
std::unique_ptr<TTextImage> MakeImage(const std::vector<std::string>& lines) {
  auto image = std::make_unique<TTextImage>();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    image->StoreLine(static_cast<std::int32_t>(i), lines[i]);
  }
  image->SetLineCount(static_cast<std::int32_t>(lines.size()) + 1);
  return image;
}

TEST(SearchStateTest, StartValuesAndTheResetOfTheFindTable) {
  // This test reads the state as the program starts, so it comes first in the file.
  EXPECT_EQ(std::string(SearchPhrase), std::string(17, '\xA3'));
  EXPECT_EQ(SearchPhrase[17], '\0');
  EXPECT_STREQ(FoldedPhrase, "");
  EXPECT_EQ(IgnoreCase, 0);
  EXPECT_EQ(FindCount, 0);
  EXPECT_EQ(TargetLine, 0);
  for (int n = 0; n < FindTableSize; ++n) {
    ASSERT_EQ(LineOfFind[n], 0) << n;
    ASSERT_EQ(SectionStartOfFind[n], 0) << n;
  }
  ResetFindTable();
  for (int n = 0; n < FindTableSize; ++n) {
    ASSERT_EQ(LineOfFind[n], -1) << n;
    ASSERT_EQ(SectionStartOfFind[n], -1) << n;
  }
}

TEST(SearchStateTest, TheMessagesReadAsTheDialogShowsThem) {
  EXPECT_STREQ(IncompletePhraseText, "You have not entered a Phrase to be searched for!");
  EXPECT_STREQ(IncompletePhraseCaption, "Incomplete Answer");
  EXPECT_STREQ(TooManyFindsText, "Too many finds!  Please try a more specific search-phrase!");
  EXPECT_STREQ(TooManyFindsCaption, "Too Vague");
}

struct TScanCase {
  const char* Name;
  std::vector<std::string> Lines;
  std::string Phrase;
  bool IgnoreCase;
  std::vector<std::string> List;
  std::vector<TFind> Table;
};

void CheckScan(const TScanCase& row) {
  SCOPED_TRACE(row.Name);
  const auto image = MakeImage(row.Lines);
  ResetFindTable();
  TRecordingHost host;
  host.Phrase = row.Phrase;
  host.IgnoreCaseBox = row.IgnoreCase;
  RunScan(host, *image);
  EXPECT_EQ(host.List, row.List);
  EXPECT_EQ(FindTable(), row.Table);
  EXPECT_TRUE(host.Messages.empty());
  EXPECT_EQ(host.ClearCalls, 1);
  EXPECT_EQ(std::string(SearchPhrase), row.Phrase);
  EXPECT_EQ(IgnoreCase, row.IgnoreCase ? 1 : 0);
}

TEST(ScanTest, ListsAndRecordsEachKindOfFind) {
  const TScanCase rows[] = {
      {"a heading find lists no line entry and records the heading's index minus 3 twice",
       {"intro", "two", "three", "four", "$5#Psalm Five", "x Five"},
       "Five",
       false,
       {" ", FindEntry(1, "Psalm Five"), " ", FindEntry(2, "Psalm Five"), Indent13 + "x Five"},
       {{1, 1}, {2, 1}}},
      {"a find before the first heading has an empty title and section start 0",
       {"alpha beta", "", "", "", "", "$6#Six", "beta"},
       "beta",
       false,
       {" ", FindEntry(1, ""), Indent13 + "alpha beta", " ", FindEntry(2, "Six"), Indent13 + "beta"},
       {{-3, 0}, {3, 2}}},
      {"finds in lines 0 to 2 record -3 to -1",
       {"a x", "b x", "c x"},
       "x",
       false,
       {" ", FindEntry(1, ""), Indent13 + "a x", " ", FindEntry(2, ""), Indent13 + "b x", " ", FindEntry(3, ""),
        Indent13 + "c x"},
       {{-3, 0}, {-2, 0}, {-1, 0}}},
      {"a split find shows the joined text, and the line after it is not examined by itself",
       {"a x", "y x", "y b"},
       "x y",
       false,
       {" ", FindEntry(1, ""), Indent13 + "a x y x"},
       {{-3, 0}}},
      {"a heading in the line after a split find does not become the section",
       {"$1#First", "the end of al", "$pha#Second", "", "later word"},
       "al $pha",
       false,
       {" ", FindEntry(1, "First"), Indent13 + "the end of al $pha#Second"},
       {{-2, -3}}},
      {"a heading skipped after a split find does not give its title to later finds",
       {"$1#First", "the end", "$2#Second", "", "and $ more"},
       "d $",
       false,
       {" ", FindEntry(1, "First"), Indent13 + "the end $2#Second", " ", FindEntry(2, "First"),
        Indent13 + "and $ more"},
       {{-2, -3}, {1, -3}}},
      {"a phrase wholly inside the next line is a line find of that line",
       {"aaa", "bbb phrase ccc"},
       "phrase",
       false,
       {" ", FindEntry(1, ""), Indent13 + "bbb phrase ccc"},
       {{-2, 0}}},
      {"no split find when the next line holds the phrase, even if the join holds it too",
       {"x ab", "c ab c"},
       "ab c",
       false,
       {" ", FindEntry(1, ""), Indent13 + "c ab c"},
       {{-2, 0}}},
      {"a heading without the phrase is never joined with its next line",
       {"$1#Title ends with go", "on now"},
       "go on",
       false,
       NoMatchList(),
       {}},
      {"a heading with the phrase is a heading find, not a split find",
       {"$1#Title go", "on now"},
       "go",
       false,
       {" ", FindEntry(1, "Title go")},
       {{-3, -3}}},
      {"ignore case off compares exactly",
       {"The LORD is my shepherd", "the lord"},
       "LORD",
       false,
       {" ", FindEntry(1, ""), Indent13 + "The LORD is my shepherd"},
       {{-3, 0}}},
      {"ignore case on folds the phrase and the lines, and lists the lines unfolded",
       {"The LORD is my shepherd", "the lord", "Lord"},
       "LoRd",
       true,
       {" ", FindEntry(1, ""), Indent13 + "The LORD is my shepherd", " ", FindEntry(2, ""), Indent13 + "the lord",
        " ", FindEntry(3, ""), Indent13 + "Lord"},
       {{-3, 0}, {-2, 0}, {-1, 0}}},
      {"ignore case folds A to Z only",
       {"\xC4" "BC one", "\xE4" "BC two", "\xC4" "bc three"},
       "\xC4" "bc",
       true,
       {" ", FindEntry(1, ""), Indent13 + "\xC4" "BC one", " ", FindEntry(2, ""), Indent13 + "\xC4" "bc three"},
       {{-3, 0}, {-1, 0}}},
      {"the folded join finds a split with ignore case",
       {"In the BEGIN", "ning was"},
       "begin ning",
       true,
       {" ", FindEntry(1, ""), Indent13 + "In the BEGIN ning was"},
       {{-3, 0}}},
      {"a phrase ending in a blank is found at a line's end through the joining blank",
       {"he said unto", "them go"},
       "unto ",
       false,
       {" ", FindEntry(1, ""), Indent13 + "he said unto them go"},
       {{-3, 0}}},
      {"a phrase ending in a blank at a line's end is not a split find when the next line holds it",
       {"he said unto", "unto them"},
       "unto ",
       false,
       {" ", FindEntry(1, ""), Indent13 + "unto them"},
       {{-2, 0}}},
      {"doubled blanks compare as typed",
       {"a b", "a  b"},
       "a  b",
       false,
       {" ", FindEntry(1, ""), Indent13 + "a  b"},
       {{-2, 0}}},
      {"a leading blank matches the joining blank",
       {"ab", "b c"},
       " b",
       false,
       {" ", FindEntry(1, ""), Indent13 + "ab b c"},
       {{-3, 0}}},
      {"a trailing blank does not match the end of the text",
       {"plain"},
       "plain  ",
       false,
       NoMatchList(),
       {}},
      {"no find gives ten spacers and the no-match line",
       {"$1#One", "nothing here"},
       "absent",
       false,
       NoMatchList(),
       {}},
      {"a verse is listed from the blank after its number: 14 blanks for a line find",
       {"12 The sample verse", "goes on here"},
       "sample",
       false,
       {" ", FindEntry(1, ""), Indent13 + " The sample verse"},
       {{-3, 0}}},
      {"a verse is listed from the blank after its number: 13 blanks for a split find",
       {"12 The sample verse", "goes on here"},
       "verse goes",
       false,
       {" ", FindEntry(1, ""), Indent12 + " The sample verse goes on here"},
       {{-3, 0}}},
      {"a split find of a plain line that runs into a verse keeps the verse number",
       {"the end", "3 And then"},
       "end 3",
       false,
       {" ", FindEntry(1, ""), Indent13 + "the end 3 And then"},
       {{-3, 0}}},
      {"a numbered line without a blank is listed whole",
       {"123abc"},
       "abc",
       false,
       {" ", FindEntry(1, ""), Indent13 + "123abc"},
       {{-3, 0}}},
      {"a split find of a numbered line without a blank starts at the joining blank",
       {"123abc", "def"},
       "abc def",
       false,
       {" ", FindEntry(1, ""), Indent12 + " def"},
       {{-3, 0}}},
      {"a line that is zero or negative by text-to-long is listed whole",
       {"0 zero x", "-4 minus x", "  +7 plus x"},
       "x",
       false,
       {" ", FindEntry(1, ""), Indent13 + "0 zero x", " ", FindEntry(2, ""), Indent13 + "-4 minus x", " ",
        FindEntry(3, ""), Indent13 + "  +7 plus x"},
       {{-3, 0}, {-2, 0}, {-1, 0}}},
      {"the title loses its leading blanks, and a heading without '#' gives an empty title",
       {"$1#   Spaced", "find", "$NoMark", "find"},
       "find",
       false,
       {" ", FindEntry(1, "Spaced"), Indent13 + "find", " ", FindEntry(2, ""), Indent13 + "find"},
       {{-2, -3}, {0, -1}}},
      {"only the text after the first '#' is the title, and a '$' elsewhere is plain text",
       {"$12#Section #Twelve", "a $ find"},
       "find",
       false,
       {" ", FindEntry(1, "Section #Twelve"), Indent13 + "a $ find"},
       {{-2, -3}}},
      {"a title longer than 80 characters is cut to its first 80",
       {"$1#" + std::string(80, 'T') + "cut", "find"},
       "find",
       false,
       {" ", FindEntry(1, std::string(80, 'T')), Indent13 + "find"},
       {{-2, -3}}},
      {"one trailing line feed is dropped from the title and from the line entry",
       {"$1#Title\n", "find me\n", "find \r\n"},
       "find",
       false,
       {" ", FindEntry(1, "Title"), Indent13 + "find me", " ", FindEntry(2, "Title"), Indent13 + "find \r"},
       {{-2, -3}, {-1, -3}}},
  };
  for (const TScanCase& row : rows) {
    CheckScan(row);
  }
}

TEST(ScanTest, TakesAtMost35CharactersOfThePhraseAndKeepsTheWorkPhrase) {
  const std::string longPhrase = "The quick brown fox jumps over the lazy dog";
  const auto image = MakeImage({longPhrase.substr(0, 35) + " and more"});
  TRecordingHost host;
  host.Phrase = longPhrase;
  host.IgnoreCaseBox = true;
  RunScan(host, *image);
  EXPECT_EQ(host.ReadSize, PhraseReadSize);
  EXPECT_EQ(std::string(SearchPhrase), longPhrase.substr(0, 35));
  EXPECT_EQ(std::string(FoldedPhrase), "the quick brown fox jumps over the ");
  EXPECT_EQ(IgnoreCase, 1);
  EXPECT_EQ(FindCount, 1);

  host.IgnoreCaseBox = false;
  RunScan(host, *image);
  EXPECT_EQ(std::string(FoldedPhrase), longPhrase.substr(0, 35));
  EXPECT_EQ(IgnoreCase, 0);
}

TEST(ScanTest, ARefusedPhraseLeavesTheListTheTableAndTheLastAcceptedState) {
  const auto image = MakeImage({"$1#One", "", "", "", "Lord one", "lord two"});
  const std::string refused[] = {"", "   ", "!?.,;'-", "\xC4\xE4\xFC", "\t\n"};
  for (const std::string& phrase : refused) {
    SCOPED_TRACE("refused: '" + phrase + "'");
    ResetFindTable();
    TRecordingHost host;
    host.Phrase = "LORD";
    host.IgnoreCaseBox = true;
    RunScan(host, *image);
    const std::vector<std::string> list = host.List;
    const std::vector<TFind> table = FindTable();
    ASSERT_EQ(table, (std::vector<TFind>{{1, -3}, {2, -3}}));

    host.Phrase = phrase;
    host.IgnoreCaseBox = false;
    RunScan(host, *image);
    EXPECT_EQ(host.Messages,
              (std::vector<TMessage>{{"You have not entered a Phrase to be searched for!", "Incomplete Answer", true}}));
    EXPECT_EQ(host.List, list);
    EXPECT_EQ(host.ClearCalls, 1);
    EXPECT_EQ(host.ProcessCalls, 8);
    EXPECT_EQ(LineOfFind[1], 1);
    EXPECT_EQ(LineOfFind[2], 2);
    EXPECT_EQ(SectionStartOfFind[2], -3);
    EXPECT_EQ(FindCount, 0);
    EXPECT_EQ(std::string(SearchPhrase), phrase);
    EXPECT_STREQ(FoldedPhrase, "lord");
    EXPECT_EQ(IgnoreCase, 1);
  }
}

TEST(ScanTest, ThePhraseNeedsOneAsciiLetterOrDigit) {
  const auto image = MakeImage({"- 7 -", "- z -", "- Q -"});
  for (const char* phrase : {" 7 ", "z", "Q"}) {
    SCOPED_TRACE(phrase);
    TRecordingHost host;
    host.Phrase = phrase;
    RunScan(host, *image);
    EXPECT_TRUE(host.Messages.empty());
    EXPECT_EQ(FindCount, 1);
  }
}

TEST(ScanTest, CountFindStopsAt499WithTheTooVagueMessage) {
  TRecordingHost host;
  int count = 0;
  EXPECT_TRUE(CountFind(count, host));
  EXPECT_EQ(count, 1);
  count = 498;
  EXPECT_TRUE(CountFind(count, host));
  EXPECT_EQ(count, 499);
  EXPECT_TRUE(host.Messages.empty());
  EXPECT_FALSE(CountFind(count, host));
  EXPECT_EQ(count, 499);
  EXPECT_EQ(host.Messages, (std::vector<TMessage>{{TooManyFindsText, "Too Vague", false}}));
}

TEST(ScanTest, TheFiveHundredthFindEndsTheScanUnlisted) {
  std::vector<std::string> lines(600, "x");
  lines[0] = "$1#All";
  const auto image = MakeImage(lines);
  ResetFindTable();
  TRecordingHost host;
  host.Phrase = "x";
  RunScan(host, *image);
  EXPECT_EQ(host.Messages,
            (std::vector<TMessage>{{"Too many finds!  Please try a more specific search-phrase!", "Too Vague", false}}));
  EXPECT_EQ(FindCount, 499);
  ASSERT_EQ(host.List.size(), 3u * 499u);
  for (int n = 1; n <= 499; ++n) {
    ASSERT_EQ(host.List[3 * (n - 1) + 1], FindEntry(n, "All")) << n;
    ASSERT_EQ(LineOfFind[n], n - 3) << n;
    ASSERT_EQ(SectionStartOfFind[n], -3) << n;
  }
  EXPECT_EQ(host.List.back(), Indent13 + "x");
  // The 500th find, in line 500, ends the scan before that line's message processing.
  EXPECT_EQ(host.ProcessCalls, 500);
}

TEST(ScanTest, SplitFindsCountTowardsTheCapAndSkipTheirNextLine) {
  std::vector<std::string> lines;
  lines.reserve(1200);
  for (int i = 0; i < 1200; ++i) {
    lines.push_back(i % 2 == 0 ? "a end" : "start b");
  }
  const auto image = MakeImage(lines);
  TRecordingHost host;
  host.Phrase = "end start";
  RunScan(host, *image);
  EXPECT_EQ(FindCount, 499);
  EXPECT_EQ(LineOfFind[499], 2 * 498 - 3);
  EXPECT_EQ(host.Messages.size(), 1u);
}

TEST(ScanTest, AnOkDuringAScanStartsANestedScanThatTheOuterOneDoesNotContinue) {
  const auto image = MakeImage({"apple one", "pear two", "apple three", "pear four", "apple five"});
  struct TNestCase {
    const char* Name;
    std::string InnerPhrase;
    std::vector<std::string> List;
    std::vector<TFind> Table;
  };
  std::vector<std::string> twiceNoMatch = NoMatchList();
  for (const std::string& entry : NoMatchList()) {
    twiceNoMatch.push_back(entry);
  }
  const TNestCase rows[] = {
      {"the inner scan finds, so the outer adds nothing",
       "pear",
       {" ", FindEntry(1, ""), Indent13 + "pear two", " ", FindEntry(2, ""), Indent13 + "pear four"},
       {{-2, 0}, {0, 0}}},
      {"the inner scan finds nothing, so the outer repeats the no-match lines", "plum", twiceNoMatch, {}},
  };
  for (const TNestCase& row : rows) {
    SCOPED_TRACE(row.Name);
    TRecordingHost host;
    host.Phrase = "apple";
    int depth = 0;
    int outerCallsAfterInner = 0;
    bool innerDone = false;
    host.OnProcess = [&] {
      if (innerDone) {
        ++outerCallsAfterInner;
      }
      if (depth == 0 && ScanLineIndex == 2 && !innerDone) {
        ++depth;
        host.Phrase = row.InnerPhrase;
        RunScan(host, *image);
        --depth;
        innerDone = true;
      }
    };
    RunScan(host, *image);
    EXPECT_TRUE(innerDone);
    EXPECT_EQ(host.List, row.List);
    EXPECT_EQ(FindTable(), row.Table);
    EXPECT_EQ(outerCallsAfterInner, 0);
    EXPECT_EQ(host.ClearCalls, 2);
    EXPECT_EQ(std::string(SearchPhrase), row.InnerPhrase);
    EXPECT_GT(ScanLineIndex, image->LineCount());
  }
}

TEST(ScanTest, ARefusedOkDuringAScanLetsTheRunningScanGoOn) {
  const auto image = MakeImage({"apple one", "pear two", "apple three", "pear four", "apple five"});
  TRecordingHost host;
  host.Phrase = "apple";
  bool refusedOnce = false;
  host.OnProcess = [&] {
    if (ScanLineIndex == 2 && !refusedOnce) {
      refusedOnce = true;
      host.Phrase = "...";
      RunScan(host, *image);
    }
  };
  RunScan(host, *image);
  EXPECT_TRUE(refusedOnce);
  EXPECT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.List, (std::vector<std::string>{" ", FindEntry(1, ""), Indent13 + "apple one", " ", FindEntry(2, ""),
                                                 Indent13 + "apple three", " ", FindEntry(3, ""),
                                                 Indent13 + "apple five"}));
  EXPECT_EQ(FindTable(), (std::vector<TFind>{{-3, 0}, {-1, 0}, {1, 0}}));
  EXPECT_EQ(host.ProcessCalls, 7);
  EXPECT_EQ(std::string(SearchPhrase), "...");
  EXPECT_STREQ(FoldedPhrase, "apple");
}

TEST(ScanTest, ANestedScanThatMeetsTheCapEndsTheOuterOneToo) {
  const auto image = MakeImage(std::vector<std::string>(700, "x"));
  TRecordingHost host;
  host.Phrase = "x";
  bool nested = false;
  host.OnProcess = [&] {
    if (!nested && ScanLineIndex == 3) {
      nested = true;
      RunScan(host, *image);
    }
  };
  RunScan(host, *image);
  EXPECT_EQ(FindCount, 499);
  EXPECT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.List.size(), 3u * 499u);
  EXPECT_EQ(LineOfFind[499], 495);
}

TEST(ScanTest, VisitsEveryIndexUpToAndIncludingTheCount) {
  struct TCountCase {
    std::int32_t Count;
    int ProcessCalls;
    int Finds;
  };
  // Lines 0 to 2 hold the phrase; the count decides which of them are visited.
  const TCountCase rows[] = {
      {-5, 0, 0}, {0, 1, 1}, {1, 2, 2}, {2, 3, 3}, {3, 4, 3}, {17001, 17002, 3},
      // A damaged count past the image is scanned as the largest one the builder writes.
      {17002, 17002, 3}, {INT32_MAX, 17002, 3}, {INT32_MIN, 0, 0},
  };
  auto image = MakeImage({"x", "x", "x"});
  for (const TCountCase& row : rows) {
    SCOPED_TRACE(row.Count);
    image->SetLineCount(row.Count);
    TRecordingHost host;
    host.Phrase = "x";
    RunScan(host, *image);
    EXPECT_EQ(host.ProcessCalls, row.ProcessCalls);
    EXPECT_EQ(FindCount, row.Finds);
    if (row.Finds == 0) {
      EXPECT_EQ(host.List, NoMatchList());
    }
  }
}

TEST(ScanTest, TheLastSlotJoinsWithAnEmptyLine) {
  auto image = std::make_unique<TTextImage>();
  image->StoreLine(SlotCount - 1, "ends with x");
  image->SetLineCount(INT32_MAX);
  TRecordingHost host;
  host.Phrase = "x ";
  RunScan(host, *image);
  EXPECT_EQ(host.List, (std::vector<std::string>{" ", FindEntry(1, ""), Indent13 + "ends with x "}));
  EXPECT_EQ(FindTable(), (std::vector<TFind>{{SlotCount - 4, 0}}));
}

TEST(ScanTest, SlotsWithoutANulAreReadAsWholeSlots) {
  auto image = std::make_unique<TTextImage>();
  // Slots 0 and 1 hold 257 bytes each and no NUL; the phrase spans their join.
  std::memset(image->Data() + CountSize, 'a', 2 * SlotSize);
  image->Data()[CountSize + SlotSize - 1] = 'Y';
  image->Data()[CountSize + SlotSize] = 'Z';
  image->Data()[CountSize + 2 * SlotSize] = '$';  // slot 2: a heading without a NUL either
  std::memset(image->Data() + CountSize + 2 * SlotSize + 1, '#', SlotSize - 1);
  image->SetLineCount(3);
  TRecordingHost host;
  host.Phrase = "aY Za";
  RunScan(host, *image);
  const std::string joined = std::string(SlotSize - 1, 'a') + "Y Z" + std::string(SlotSize - 1, 'a');
  ASSERT_EQ(host.List.size(), 3u);
  EXPECT_EQ(host.List[2], Indent13 + joined);

  // A title is cut to 80 characters even when the heading fills its slot.
  host.Phrase = "aaaa";
  image->StoreLine(3, "aaaa");
  image->SetLineCount(4);
  RunScan(host, *image);
  ASSERT_EQ(host.List.size(), 9u);
  EXPECT_EQ(host.List[7], FindEntry(3, std::string(80, '#')));
}

TEST(ScanTest, AgreesWithTheStepsOnRandomTexts) {
  std::mt19937 random(20240611);
  const char alphabet[] = "abAB  $#1\n";
  const auto randomText = [&](std::size_t maxLength) {
    std::string text(random() % (maxLength + 1), ' ');
    for (char& c : text) {
      c = alphabet[random() % (sizeof alphabet - 1)];
    }
    return text;
  };
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::string> lines(random() % 8);
    for (std::string& line : lines) {
      line = randomText(12);
    }
    std::string phrase = randomText(5);
    if (phrase.find_first_of("abAB1") == std::string::npos) {
      phrase += "a";
    }
    const bool ignoreCase = random() % 2 == 0;
    const auto image = MakeImage(lines);

    std::vector<std::string> expectedList;
    std::vector<TFind> expectedTable;
    ReferenceScan(*image, phrase, ignoreCase, expectedList, expectedTable);
    TRecordingHost host;
    host.Phrase = phrase;
    host.IgnoreCaseBox = ignoreCase;
    RunScan(host, *image);

    std::string shown = "phrase '" + phrase + "'" + (ignoreCase ? " ignoring case, lines:" : ", lines:");
    for (const std::string& line : lines) {
      shown += " '" + line + "'";
    }
    SCOPED_TRACE(shown);
    ASSERT_EQ(host.List, expectedList);
    ASSERT_EQ(FindTable(), expectedTable);
  }
}

}  // namespace
