// The painter on any lines and any phrase, drawing into a recording device context. The
// input is: a flag byte (bit 0: ignore case), a phrase length byte, the top line, the rows
// per page, the phrase, then the lines, split at '\n'. Nothing is read or written outside
// a buffer (the sanitizers watch), and each row's pieces, joined, are the text the row
// stands for: the line, the title of a heading, the title from its start or from the match
// for a heading holding the phrase, or the line and the next one joined by a blank for a
// phrase that runs on into it. The red piece is the phrase, in the letters of the text.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzFiles.h"
#include "platform/DC.h"
#include "search/SearchState.h"
#include "textstore/TextImage.h"
#include "util/TextHelpers.h"
#include "view/TTamrinWindow.h"

namespace {

constexpr int RowHeight = 16;
constexpr int CharWidth = 8;
constexpr int LeftMargin = 25;

std::string Folded(std::string_view text, bool ignoreCase) {
  std::string folded(text);
  if (ignoreCase) {
    for (char& c : folded) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return folded;
}

bool Holds(std::string_view text, std::string_view phrase) {
  return !phrase.empty() && text.find(phrase) != std::string_view::npos;
}

struct TRow {
  int Y;
  std::string Text;
};

// The rows as the painter's rules give them, written out plainly.
std::vector<TRow> ExpectedRows(const std::vector<std::string>& lines, int top, int perPage,
                               std::string_view phrase, bool ignoreCase) {
  const int count = static_cast<int>(lines.size());
  std::vector<TRow> rows;
  int y = 0;
  for (int i = top; i < top + perPage; ++i, y += RowHeight) {
    if (i >= count) continue;
    const std::string& line = lines[static_cast<std::size_t>(i)];
    const std::string next = i + 1 < count ? lines[static_cast<std::size_t>(i) + 1] : std::string();
    const std::string joined = line + " " + next;
    const std::string folded = Folded(line, ignoreCase);
    const bool heading = line.find('$') != std::string::npos && line.find('#') != std::string::npos;
    if (heading && Holds(folded, phrase)) {
      const std::size_t match = folded.find(phrase);
      const std::size_t mark = line.substr(0, match).find('#');
      rows.push_back({y, mark == std::string::npos ? line.substr(match) : line.substr(mark + 1)});
    } else if (heading) {
      y += RowHeight;
      rows.push_back({y, line.substr(line.find('#') + 1)});
    } else if (Holds(folded, phrase)) {
      rows.push_back({y, line});
    } else if (Holds(Folded(joined, ignoreCase), phrase) && !Holds(Folded(next, ignoreCase), phrase)) {
      rows.push_back({y, joined});
      ++i;
    } else {
      rows.push_back({y, line});
    }
  }
  return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const bool ignoreCase = (input[0] & 1) != 0;
  const std::size_t phraseLength = static_cast<unsigned char>(input[1]) % 41;
  const int top = static_cast<unsigned char>(input[2]) % 80;
  const int perPage = static_cast<unsigned char>(input[3]) % 48;
  std::string phrase(input.substr(4, phraseLength));
  std::replace(phrase.begin(), phrase.end(), '\0', 'a');  // the edit control holds no NUL
  std::string_view rest = input.substr(std::min(size, 4 + phraseLength));

  // The lines as the loader hands them: without NULs, at most 99 bytes.
  std::vector<std::string> lines;
  while (!rest.empty() && lines.size() < 128) {
    const std::size_t cut = rest.find('\n');
    std::string line(rest.substr(0, std::min(cut, MaxLineLength)));
    std::replace(line.begin(), line.end(), '\0', ' ');
    lines.push_back(line);
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
  }

  CopyText(SearchPhrase, sizeof SearchPhrase, phrase);
  IgnoreCase = ignoreCase ? 1 : 0;
  TTamrinWindow view(nullptr);
  for (const std::string& line : lines) view.TextLines.Add(line);
  view.LineCount = static_cast<std::int32_t>(lines.size());
  view.TopLine = top;
  view.LinesPerPage = perPage;
  view.LineHeight = RowHeight;

  platform::TDrawLog log;
  platform::TRecordingDC dc(log, platform::TFixedMetrics{CharWidth, RowHeight, 0});
  view.Paint(dc, true, {0, 0, 800, perPage * RowHeight});

  // The pieces drawn, joined row by row: one row, one y; each piece where the last ended.
  std::vector<TRow> drawn;
  int x = 0;
  for (const platform::TDrawCall& call : log.TextOuts()) {
    if (drawn.empty() || drawn.back().Y != call.Y) {
      fuzz::Check(drawn.empty() || call.Y > drawn.back().Y, "rows go down the page");
      fuzz::Check(call.X == LeftMargin, "a row starts at the margin");
      drawn.push_back({call.Y, {}});
    } else {
      fuzz::Check(call.X == x, "a piece starts where the one before it ended");
    }
    if (call.Color == platform::ColorRed) {
      fuzz::Check(Folded(call.Text, ignoreCase) == Folded(phrase, ignoreCase), "the red piece is the phrase");
    }
    drawn.back().Text += call.Text;
    x = call.X + CharWidth * static_cast<int>(call.Text.size());
  }

  const std::vector<TRow> expected = ExpectedRows(lines, top, perPage, Folded(phrase, ignoreCase), ignoreCase);
  fuzz::Check(drawn.size() == expected.size(), "as many rows as the rules give");
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (drawn[i].Y != expected[i].Y || drawn[i].Text != expected[i].Text) {
      std::fprintf(stderr, "row %zu: drawn at %d \"%s\", the rules give %d \"%s\"\n", i, drawn[i].Y,
                   drawn[i].Text.c_str(), expected[i].Y, expected[i].Text.c_str());
    }
    fuzz::Check(drawn[i].Y == expected[i].Y, "each row at the place the rules give");
    fuzz::Check(drawn[i].Text == expected[i].Text, "each row's pieces join to the text it stands for");
  }
  return 0;
}
