// Painting the page: one row per line from TopLine on, headings as blue titles with a
// blank row above, and the first occurrence of the search phrase in red, also when it
// runs from the end of one line into the next.

#include "view/TTamrinWindow.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

#include "search/SearchState.h"
#include "textstore/TextImage.h"
#include "util/TextHelpers.h"

using platform::TColor;
using platform::TDC;

namespace {

constexpr int LeftMargin = 25;
// The line and the next line joined by one blank.
constexpr std::size_t JoinedBufferSize = 2 * LineBufferSize;

// The texts of one row, made afresh for every row. Folded copies are plain copies unless
// Ignore Case is set; the phrase tests use them, everything drawn uses the unfolded texts.
struct TRowTexts {
  char Line[LineBufferSize] = {};
  char Next[LineBufferSize] = {};
  char Joined[JoinedBufferSize] = {};
  char Phrase[PhraseBufferSize] = {};
  char FoldedLine[LineBufferSize] = {};
  char FoldedNext[LineBufferSize] = {};
  char FoldedJoined[JoinedBufferSize] = {};

  std::string_view LineText() const { return {Line, BoundedLength(Line, sizeof Line)}; }
  std::string_view JoinedText() const { return {Joined, BoundedLength(Joined, sizeof Joined)}; }
  std::string_view PhraseText() const { return {Phrase, BoundedLength(Phrase, sizeof Phrase)}; }
  std::string_view Folded(const char* text, std::size_t size) const { return {text, BoundedLength(text, size)}; }
};

void MakeRowTexts(TRowTexts& texts, std::string_view line, std::string_view next) {
  const std::size_t lineLength = CopyText(texts.Line, sizeof texts.Line, line);
  const std::size_t nextLength = CopyText(texts.Next, sizeof texts.Next, next);
  // Both lines fit: each holds at most 99 characters.
  const std::size_t joinedLength =
      JoinLines(texts.Joined, sizeof texts.Joined, {texts.Line, lineLength}, {texts.Next, nextLength});
  const std::size_t phraseLength =
      CopyText(texts.Phrase, sizeof texts.Phrase, {SearchPhrase, BoundedLength(SearchPhrase, sizeof SearchPhrase)});

  CopyText(texts.FoldedLine, sizeof texts.FoldedLine, {texts.Line, lineLength});
  CopyText(texts.FoldedNext, sizeof texts.FoldedNext, {texts.Next, nextLength});
  CopyText(texts.FoldedJoined, sizeof texts.FoldedJoined, {texts.Joined, joinedLength});
  if (IgnoreCase) {
    FoldCase(texts.FoldedLine, lineLength);
    FoldCase(texts.FoldedNext, nextLength);
    FoldCase(texts.FoldedJoined, joinedLength);
    FoldCase(texts.Phrase, phraseLength);
  }
}

// One piece of a row: its text and the colour set before it is drawn. The text is a view
// of the row's own texts, which outlive the drawing of the row.
struct TPiece {
  std::string_view Text;
  TColor Color;
};

// Draws the pieces left to right from the margin, each where the one before it ends.
void DrawPieces(TDC& dc, int y, std::initializer_list<TPiece> pieces) {
  int x = LeftMargin;
  for (const TPiece& piece : pieces) {
    dc.SetTextColor(piece.Color);
    dc.TextOut(x, y, piece.Text);
    x += dc.GetTextExtent(piece.Text);
  }
}

// A line with a '$' is drawn as a heading; one without a '#' has no title and is drawn
// as plain text.
bool IsDrawnAsHeading(std::string_view line) {
  return HoldsHeadingMark(line) && line.find('#') != std::string_view::npos;
}

}  // namespace

void TTamrinWindow::SplitAtMatch(std::string_view searched, std::string_view text, std::string_view phrase,
                                 std::string& before, std::string& match, std::string& after) {
  const int position = SubstringPosition(searched, phrase);
  const std::size_t start = position < 0 ? text.size() : static_cast<std::size_t>(position);
  // assign keeps the strings' room from row to row, so a page of matches allocates
  // nothing after its first rows.
  before.assign(text.substr(0, start));
  match.assign(text.substr(std::min(start, text.size()), position < 0 ? 0 : phrase.size()));
  after.assign(text.substr(std::min(start + match.size(), text.size())));
}

void TTamrinWindow::Paint(TDC& dc, bool erase, const platform::TRect& rect) {
  TFrameWindow::Paint(dc, erase, rect);
  dc.SetBkColor(platform::ColorLightGray);
  if (TextFont) {
    dc.SelectObject(*TextFont);
  }
  dc.SetTextColor(TextColor);

  // Nothing is drawn before the load, nor in build mode.
  if (TextLines.GetItemsInContainer() > 0) {
    TRowTexts texts;
    std::string before, match, after;
    int y = 0;
    // The loop counts line indices, not rows: a heading pushes the rows below it down
    // one row, a split match takes two lines into one row.
    for (std::int32_t i = TopLine; i < TopLine + LinesPerPage; ++i, y += LineHeight) {
      if (i >= LineCount) {
        continue;
      }
      MakeRowTexts(texts, TextLines[i], i + 1 < LineCount ? TextLines[i + 1] : std::string_view());
      const std::string_view line = texts.LineText();
      const std::string_view phrase = texts.PhraseText();
      const std::string_view foldedLine = texts.Folded(texts.FoldedLine, sizeof texts.FoldedLine);

      if (IsDrawnAsHeading(line) && Contains(foldedLine, phrase)) {
        // The title up to the match, the match, the rest of the title; in its own row.
        SplitAtMatch(foldedLine, line, phrase, before, match, after);
        const std::size_t mark = before.find('#');
        if (mark != std::string::npos) {
          DrawPieces(dc, y, {{std::string_view(before).substr(mark + 1), platform::ColorBlack},
                             {match, platform::ColorRed},
                             {after, platform::ColorBlack}});
        } else {
          // The match begins at or before the title's '#': the row shows the line from the
          // match on.
          DrawPieces(dc, y, {{match, platform::ColorRed}, {after, platform::ColorBlack}});
        }
      } else if (IsDrawnAsHeading(line)) {
        y += LineHeight;
        DrawPieces(dc, y, {{TitleOf(line), platform::ColorBlue}});
      } else if (Contains(foldedLine, phrase)) {
        SplitAtMatch(foldedLine, line, phrase, before, match, after);
        DrawPieces(dc, y, {{before, platform::ColorBlack}, {match, platform::ColorRed}, {after, platform::ColorBlack}});
      } else if (Contains(texts.Folded(texts.FoldedJoined, sizeof texts.FoldedJoined), phrase) &&
                 !Contains(texts.Folded(texts.FoldedNext, sizeof texts.FoldedNext), phrase)) {
        // The phrase runs into the next line: both lines in this row, the next line is
        // not drawn by itself.
        SplitAtMatch(texts.Folded(texts.FoldedJoined, sizeof texts.FoldedJoined), texts.JoinedText(), phrase,
                     before, match, after);
        DrawPieces(dc, y, {{before, platform::ColorBlack}, {match, platform::ColorRed}, {after, platform::ColorBlack}});
        ++i;
      } else {
        DrawPieces(dc, y, {{line, platform::ColorBlack}});
      }
    }
  }

  if (TextFont) {
    dc.RestoreFont();
  }
}
