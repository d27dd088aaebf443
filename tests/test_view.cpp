// The text view: layout and scrolling in a real window with fixed font metrics, and
// painting with match highlighting through the recording device context.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/DC.h"
#include "platform/FrameWindow.h"
#include "platform/testing/Driver.h"
#include "search/SearchState.h"
#include "settings/Settings.h"
#include "util/TextHelpers.h"
#include "view/TTamrinWindow.h"

using platform::TColor;
using platform::TDrawCall;
namespace TScrollCode = platform::TScrollCode;

namespace {

constexpr platform::TFixedMetrics Metrics{8, 16, 0};  // every byte 8 pixels wide, rows 16 high

void SetPhrase(std::string_view phrase, int ignoreCase) {
  CopyText(SearchPhrase, sizeof SearchPhrase, phrase);
  IgnoreCase = ignoreCase;
}

void RestoreSearchState() {
  std::string start(17, '\xA3');
  SetPhrase(start, 0);
  TargetLine = 0;
}

// ---------------------------------------------------------------------------------
// Layout and scrolling, in a real window whose client area holds 30 rows.

class ViewLayoutTest : public ::testing::Test {
protected:
  void SetUp() override {
    Recording = std::make_unique<platform::testing::TRecordingScope>(Log, Metrics);
    View = new TTamrinWindow(nullptr);
    Frame = std::make_unique<platform::TFrameWindow>(nullptr, "view test", View);
    ASSERT_TRUE(Frame->Create());
    // The start-up timer would try to load a book.
    View->KillTimer(1);
    Frame->Show(platform::TShowCommand::ShowNormal);
    LineSpace = 0;
    platform::testing::ResizeClient(*View, 600, 480);
  }
  void TearDown() override {
    Frame.reset();
    Recording.reset();
    RestoreSearchState();
  }

  void Load(int lines) {
    View->TextLines.Flush();
    for (int i = 0; i < lines; ++i) View->TextLines.Add("line " + std::to_string(i));
    View->LineCount = lines;
    View->TopLine = 0;
    View->UpdateLayout();
  }

  platform::TDrawLog Log;
  std::unique_ptr<platform::testing::TRecordingScope> Recording;
  TTamrinWindow* View = nullptr;
  std::unique_ptr<platform::TFrameWindow> Frame;
};

TEST_F(ViewLayoutTest, ScrollCodesMoveTheTopLineAsTheTableSays) {
  Load(1000);
  ASSERT_EQ(View->LineHeight, 16);
  ASSERT_EQ(View->LinesPerPage, 30);
  struct Row {
    const char* Name;
    int From;
    unsigned Code;
    unsigned Thumb;
    int To;
  };
  const Row rows[] = {
      {"bottom", 0, TScrollCode::Bottom, 0, 970},
      {"line down at the bottom stays", 970, TScrollCode::LineDown, 0, 970},
      {"line down", 100, TScrollCode::LineDown, 0, 101},
      {"page down to the bottom", 960, TScrollCode::PageDown, 0, 970},
      {"page down from the top", 0, TScrollCode::PageDown, 0, 29},
      {"page up from 30", 30, TScrollCode::PageUp, 0, 1},
      {"page up from 28", 28, TScrollCode::PageUp, 0, 0},
      {"line up at the top stays", 0, TScrollCode::LineUp, 0, 0},
      {"line up", 5, TScrollCode::LineUp, 0, 4},
      {"thumb dragged past the last page", 0, TScrollCode::ThumbTrack, 971, 970},
      {"thumb released", 0, TScrollCode::ThumbPosition, 500, 500},
      {"top", 600, TScrollCode::Top, 0, 0},
      {"end of scroll changes nothing", 321, TScrollCode::EndScroll, 0, 321},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    View->TopLine = row.From;
    View->EvVScroll(row.Code, row.Thumb, nullptr);
    EXPECT_EQ(View->TopLine, row.To);
    const platform::TScrollInfo bar = View->GetScrollInfo();
    EXPECT_EQ(bar.Max, 1000);
    EXPECT_EQ(bar.Page, 30u);
    EXPECT_EQ(bar.Pos, row.To);
  }
}

TEST_F(ViewLayoutTest, FewerLinesThanRowsNeverScroll) {
  for (const int lines : {10, 30}) {
    SCOPED_TRACE(lines);
    Load(lines);
    for (unsigned code = 0; code <= 8; ++code) {
      View->EvVScroll(code, 5, nullptr);
      EXPECT_EQ(View->TopLine, 0) << "code " << code;
    }
  }
}

TEST_F(ViewLayoutTest, TheRowHeightIsTheFontsHeightPlusLineSpace) {
  Load(1000);
  struct Row {
    int Space;
    int Height;
    int Rows;
  };
  // A spacing that cancels the font's height still leaves rows one pixel apart.
  const Row rows[] = {{-3, 13, 36}, {0, 16, 30}, {10, 26, 18}, {-16, 1, 480}, {-40, 1, 480}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Space);
    LineSpace = row.Space;
    View->UpdateLayout();
    EXPECT_EQ(View->LineHeight, row.Height);
    EXPECT_EQ(View->LinesPerPage, row.Rows);
  }
}

TEST_F(ViewLayoutTest, ATallerWindowAtTheEndKeepsTheLastPageFull) {
  Load(1000);
  View->EvVScroll(TScrollCode::Bottom, 0, nullptr);
  ASSERT_EQ(View->TopLine, 970);
  platform::testing::ResizeClient(*View, 600, 640);
  EXPECT_EQ(View->LinesPerPage, 40);
  EXPECT_EQ(View->TopLine, 960);
}

TEST_F(ViewLayoutTest, AClientLessThanOneRowHighShowsNoLines) {
  Load(1000);
  platform::testing::ResizeClient(*View, 600, 10);
  EXPECT_EQ(View->LinesPerPage, 0);
  for (const unsigned code : {TScrollCode::PageDown, TScrollCode::PageUp, TScrollCode::LineDown}) {
    View->EvVScroll(code, 0, nullptr);
    EXPECT_GE(View->TopLine, 0);
  }
  platform::TDrawLog log;
  platform::TRecordingDC dc(log, Metrics);
  View->Paint(dc, true, View->GetClientRect());
  EXPECT_TRUE(log.TextOuts().empty());
}

TEST_F(ViewLayoutTest, GoToTargetLineBringsItToTheTop) {
  Load(1000);
  struct Row {
    int Target;
    int From;
    int To;
  };
  const Row rows[] = {{0, 123, 123}, {-3, 123, 123}, {500, 0, 500}, {990, 0, 970}, {1, 40, 1}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Target);
    TargetLine = row.Target;
    View->TopLine = row.From;
    View->GoToTargetLine();
    EXPECT_EQ(View->TopLine, row.To);
    EXPECT_EQ(TargetLine, row.Target);
  }
}

TEST_F(ViewLayoutTest, TheRealScrollBarDeliversItsActions) {
  Load(0);
  EXPECT_FALSE(platform::testing::ScrollBarVisible(*View));

  Load(1000);
  ASSERT_TRUE(platform::testing::ScrollBarVisible(*View));
  // Positions 0 to nMax - (nPage - 1).
  EXPECT_EQ(platform::testing::ScrollBarMaximumPosition(*View), 971);
  EXPECT_EQ(View->LinesPerPage, 30);

  platform::testing::TriggerScroll(*View, platform::testing::TScrollAction::PageDown);
  EXPECT_EQ(View->TopLine, 29);
  EXPECT_EQ(platform::testing::ScrollBarPosition(*View), 29);
  platform::testing::TriggerScroll(*View, platform::testing::TScrollAction::LineDown);
  EXPECT_EQ(View->TopLine, 30);
  platform::testing::TriggerScroll(*View, platform::testing::TScrollAction::PageUp);
  EXPECT_EQ(View->TopLine, 1);
  platform::testing::DragThumb(*View, 971);
  EXPECT_EQ(View->TopLine, 970);
  // The thumb goes back to where the view put it.
  EXPECT_EQ(platform::testing::ScrollBarPosition(*View), 970);
  platform::testing::TriggerScroll(*View, platform::testing::TScrollAction::ToTop);
  EXPECT_EQ(View->TopLine, 0);
}

// ---------------------------------------------------------------------------------
// Painting: the page is drawn from the view's state; no window is needed.

class ViewPaintTest : public ::testing::Test {
protected:
  void TearDown() override { RestoreSearchState(); }

  std::vector<TDrawCall> PaintLines(const std::vector<std::string>& lines, int rows = 30) {
    for (const std::string& line : lines) View.TextLines.Add(line);
    View.LineCount = static_cast<std::int32_t>(lines.size());
    View.LinesPerPage = rows;
    View.LineHeight = 16;
    platform::TRecordingDC dc(Log, Metrics);
    View.Paint(dc, true, {0, 0, 600, rows * 16});
    return Log.TextOuts();
  }

  TTamrinWindow View{nullptr};
  platform::TDrawLog Log;
};

struct TExpectedPiece {
  std::string Text;
  int X;
  int Y;
  TColor Color;
};

void ExpectPieces(const std::vector<TDrawCall>& drawn, const std::vector<TExpectedPiece>& expected) {
  ASSERT_EQ(drawn.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("piece " + std::to_string(i) + " \"" + expected[i].Text + "\"");
    EXPECT_EQ(drawn[i].Text, expected[i].Text);
    EXPECT_EQ(drawn[i].X, expected[i].X);
    EXPECT_EQ(drawn[i].Y, expected[i].Y);
    EXPECT_EQ(drawn[i].Color, expected[i].Color);
    EXPECT_EQ(drawn[i].Background, platform::ColorLightGray);
  }
}

constexpr TColor Black = platform::ColorBlack;
constexpr TColor Blue = platform::ColorBlue;
constexpr TColor Red = platform::ColorRed;

TEST_F(ViewPaintTest, BeforeAnySearchHeadingsAreBlueTitlesWithABlankRowAbove) {
  ExpectPieces(PaintLines({"$1#Psalm 1", "1 Blessed is the man", "$2#Psalm 2", "$3#Psalm 3", "plain"}),
               {{"Psalm 1", 25, 16, Blue},
                {"1 Blessed is the man", 25, 32, Black},
                {"Psalm 2", 25, 64, Blue},
                {"Psalm 3", 25, 96, Blue},
                {"plain", 25, 112, Black}});
}

TEST_F(ViewPaintTest, AMatchInALineIsRedBetweenBlackText) {
  SetPhrase("is the", 0);
  ExpectPieces(PaintLines({"1 Blessed is the man", "no match here"}),
               {{"1 Blessed ", 25, 0, Black},
                {"is the", 25 + 10 * 8, 0, Red},
                {" man", 25 + 16 * 8, 0, Black},
                {"no match here", 25, 16, Black}});
}

TEST_F(ViewPaintTest, IgnoreCaseDrawsTheTextsOwnCapitals) {
  SetPhrase("blessed is", 1);
  ExpectPieces(PaintLines({"1 Blessed is the man"}),
               {{"1 ", 25, 0, Black}, {"Blessed is", 41, 0, Red}, {" the man", 121, 0, Black}});
  Log.Clear();
  View.TextLines.Flush();
  SetPhrase("blessed is", 0);
  ExpectPieces(PaintLines({"1 Blessed is the man"}), {{"1 Blessed is the man", 25, 0, Black}});
}

TEST_F(ViewPaintTest, APhraseAcrossTwoLinesJoinsThemInOneRow) {
  SetPhrase("my shepherd", 0);
  ExpectPieces(PaintLines({"The LORD is my", "shepherd; I shall", "not want."}),
               {{"The LORD is ", 25, 0, Black},
                {"my shepherd", 25 + 12 * 8, 0, Red},
                {"; I shall", 25 + 23 * 8, 0, Black},
                {"not want.", 25, 16, Black}});
}

TEST_F(ViewPaintTest, APhraseEndingInABlankMatchesThroughTheJoiningBlank) {
  SetPhrase("LORD ", 0);
  ExpectPieces(PaintLines({"praise the LORD", "all ye people", "sing unto the LORD"}),
               {{"praise the ", 25, 0, Black},
                {"LORD ", 25 + 11 * 8, 0, Red},
                {"all ye people", 25 + 16 * 8, 0, Black},
                // The last line's next line is empty: the joining blank still follows it.
                {"sing unto the ", 25, 16, Black},
                {"LORD ", 25 + 14 * 8, 16, Red},
                {"", 25 + 19 * 8, 16, Black}});
}

TEST_F(ViewPaintTest, TheLinesOwnMatchWinsOverTheSplitAndTheNextLineStandsAlone) {
  SetPhrase("shall", 0);
  ExpectPieces(PaintLines({"I shall not", "shall want"}),
               {{"I ", 25, 0, Black}, {"shall", 41, 0, Red}, {" not", 81, 0, Black},
                {"", 25, 16, Black}, {"shall", 25, 16, Red}, {" want", 65, 16, Black}});
}

TEST_F(ViewPaintTest, AHeadingWithAMatchIsDrawnInItsOwnRowWithoutTheBlueTitle) {
  SetPhrase("Three", 0);
  ExpectPieces(PaintLines({"$3#Psalm Three", "after"}),
               {{"Psalm ", 25, 0, Black}, {"Three", 25 + 6 * 8, 0, Red}, {"", 25 + 11 * 8, 0, Black},
                {"after", 25, 16, Black}});
}

TEST_F(ViewPaintTest, AMatchAtOrBeforeTheHeadingsMarkShowsTheLineFromTheMatchOn) {
  SetPhrase("$3", 0);
  ExpectPieces(PaintLines({"$3#Psalm 3"}), {{"$3", 25, 0, Red}, {"#Psalm 3", 41, 0, Black}});
}

TEST_F(ViewPaintTest, ADollarWithoutAMarkIsPlainText) {
  ExpectPieces(PaintLines({"it cost $5 then", "next"}),
               {{"it cost $5 then", 25, 0, Black}, {"next", 25, 16, Black}});
}

TEST_F(ViewPaintTest, ASplitMatchLeavesTheLastRowEmptyAndKeepsAHeadingInsideTheJoinedText) {
  SetPhrase("end $", 0);
  // The loop counts lines, not rows: the two joined lines take one row, so with three
  // rows only lines 0 to 2 are drawn and the third row stays empty.
  ExpectPieces(PaintLines({"at the end", "$4#Psalm 4", "after", "not drawn"}, 3),
               {{"at the ", 25, 0, Black},
                {"end $", 25 + 7 * 8, 0, Red},
                {"4#Psalm 4", 25 + 12 * 8, 0, Black},
                {"after", 25, 16, Black}});
}

TEST_F(ViewPaintTest, TheTextBeforeAMatchIsBlackWhateverWasDrawnBeforeIt) {
  SetPhrase("man", 0);
  View.TextColor = TColor{0, 128, 0};
  // First piece of the page, then right after a blue title.
  ExpectPieces(PaintLines({"the man", "$1#Psalm 1", "a man"}),
               {{"the ", 25, 0, Black}, {"man", 57, 0, Red}, {"", 81, 0, Black},
                {"Psalm 1", 25, 32, Blue},
                {"a ", 25, 48, Black}, {"man", 41, 48, Red}, {"", 65, 48, Black}});
}

TEST_F(ViewPaintTest, ADollarWithoutAMarkIsSearchedAsPlainText) {
  SetPhrase("$5", 0);
  ExpectPieces(PaintLines({"it cost $5 then"}),
               {{"it cost ", 25, 0, Black}, {"$5", 25 + 8 * 8, 0, Red}, {" then", 25 + 10 * 8, 0, Black}});
}

TEST_F(ViewPaintTest, AnEntryLongerThanALineBufferIsCutToItsFirst99Bytes) {
  const std::string line(150, 'q');
  ExpectPieces(PaintLines({line, "next"}), {{std::string(99, 'q'), 25, 0, Black}, {"next", 25, 16, Black}});
}

TEST_F(ViewPaintTest, APagePastTheLastLineLeavesItsRowsEmpty) {
  View.TopLine = 1;
  ExpectPieces(PaintLines({"zero", "one", "two"}, 5), {{"one", 25, 0, Black}, {"two", 25, 16, Black}});
}

TEST_F(ViewPaintTest, ALongLineWithAnEarlyMatchIsDrawnWhole) {
  SetPhrase("ab", 0);
  const std::string line = "xab" + std::string(96, 'z');
  ASSERT_EQ(line.size(), 99u);
  ExpectPieces(PaintLines({line}), {{"x", 25, 0, Black}, {"ab", 33, 0, Red}, {std::string(96, 'z'), 49, 0, Black}});
}

TEST_F(ViewPaintTest, NothingIsDrawnBeforeTheLoad) {
  View.LineCount = 12;  // build mode counts lines but loads none
  View.LinesPerPage = 30;
  View.LineHeight = 16;
  platform::TRecordingDC dc(Log, Metrics);
  View.Paint(dc, true, {});
  EXPECT_TRUE(Log.TextOuts().empty());
}

TEST_F(ViewPaintTest, TheDisplayFontIsSelectedAndRestored) {
  View.TextFont = std::make_unique<platform::TFont>(platform::TFontDescription{"Liberation Serif", 20});
  View.TextColor = TColor{0, 128, 0};
  PaintLines({"a line"});
  ASSERT_GE(Log.Calls.size(), 4u);
  EXPECT_EQ(Log.Calls.front().Kind, TDrawCall::TKind::SetBkColor);
  EXPECT_EQ(Log.Calls.front().Color, platform::ColorLightGray);
  EXPECT_EQ(Log.Calls[1].Kind, TDrawCall::TKind::SelectFont);
  EXPECT_EQ(Log.Calls[1].Font, View.TextFont->GetHandle());
  EXPECT_EQ(Log.Calls[2].Kind, TDrawCall::TKind::SetTextColor);
  EXPECT_EQ(Log.Calls[2].Color, (TColor{0, 128, 0}));
  EXPECT_EQ(Log.TextOuts().front().Font, View.TextFont->GetHandle());
  EXPECT_EQ(Log.Calls.back().Kind, TDrawCall::TKind::RestoreFont);
  EXPECT_EQ(Log.Calls.back().Font, platform::DefaultFontHandle());
}

TEST(SplitAtMatch, CutsTheTextWhereTheSearchedCopyMatches) {
  std::string before, match, after;
  TTamrinWindow::SplitAtMatch("the lord is", "The LORD is", "lord", before, match, after);
  EXPECT_EQ(before, "The ");
  EXPECT_EQ(match, "LORD");
  EXPECT_EQ(after, " is");
}

}  // namespace
