#include "search/Scan.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>

#include "util/TextHelpers.h"

namespace {

// The find entry: the number, the label with five blanks, and the quoted title. 128 bytes
// hold the largest number that an int can print and an 80-character title.
constexpr char FindEntryFormat[] = "%d.) Found In:     '%s'";
constexpr std::size_t FindEntrySize = 128;

// The line entries: 13 blanks before a line find and before a split find of a plain line,
// 12 before a split find of a numbered line, whose text begins at the blank after the number.
constexpr char LineEntryFormat[] = "             %.*s";
constexpr char NumberedSplitEntryFormat[] = "            %.*s";
constexpr std::size_t LineEntrySize = 16 + JoinedTextSize;

// Every index past the image's slots reads as an empty line, and an empty line, or the
// blank that joins two of them, cannot hold a phrase with a letter or digit. The scan
// therefore stops at the largest count that the builder writes, whatever count a damaged
// image holds; an image the builder made is scanned up to its own count.
constexpr std::int32_t LastScannableIndex = MaxImageLineCount;

// The number of accepted scans running, counting scans started from inside another one.
int RunningScans = 0;

class TRunningScan {
public:
  TRunningScan() { ++RunningScans; }
  ~TRunningScan() { --RunningScans; }
  TRunningScan(const TRunningScan&) = delete;
  TRunningScan& operator=(const TRunningScan&) = delete;
};

bool IsLetterOrDigit(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool HoldsLetterOrDigit(std::string_view text) {
  for (const char c : text) {
    if (IsLetterOrDigit(c)) {
      return true;
    }
  }
  return false;
}

// One line as the phrase tests see it: the slot's own text, and whether it contains the
// work phrase, with A to Z of the line taken as a to z when ignoring case. The scan keeps
// the next line it tested, so that each line is tested once however the cases fall; the
// image is not written while a scan runs (only the start-up load and the build write it).
class TTestedLine {
public:
  TTestedLine() = default;
  TTestedLine(const TTestedLine&) = delete;
  TTestedLine& operator=(const TTestedLine&) = delete;

  void Take(const TTextImage& image, std::int32_t index, bool fold, std::string_view phrase) {
    Index = index;
    Text = image.Line(index);
    HoldsPhrase = fold ? ContainsFolded(Text, phrase) : Contains(Text, phrase);
  }

  std::int32_t Index = -1;  // no line yet; the scan tests lines 0 and up only
  std::string_view Text;
  bool HoldsPhrase = false;
};

// Whether the joined text (line, blank, next line) contains the phrase in a place that
// covers the joining blank, A to Z taken as a to z when folding. Called only when
// neither line contains the phrase by itself, so that this is the same as the joined text
// containing it at all; only the last characters of the line and the first of the next
// line that such a place can reach are looked at.
bool ContainsAcrossJoin(std::string_view line, std::string_view next, std::string_view phrase, bool fold) {
  const std::size_t reach = phrase.size() - 1;
  const std::string_view tail = line.substr(line.size() > reach ? line.size() - reach : 0);
  const std::string_view head = next.substr(0, reach);
  char window[2 * PhraseBufferSize];
  const std::size_t length = JoinLines(window, sizeof window, tail, head);
  const std::string_view joined(window, length);
  return fold ? ContainsFolded(joined, phrase) : Contains(joined, phrase);
}

// Removes the one line feed at the end of a NUL-terminated text, if it ends in one.
void DropTrailingLineFeed(char* text) {
  const std::size_t length = std::strlen(text);
  if (length > 0 && text[length - 1] == '\n') {
    text[length - 1] = '\0';
  }
}

void AppendLineEntry(TScanHost& host, const char* format, std::string_view text) {
  char entry[LineEntrySize];
  std::snprintf(entry, sizeof entry, format, static_cast<int>(text.size()), text.data());
  DropTrailingLineFeed(entry);
  host.AppendToList(entry);
}

// A line find: the whole line, or a numbered line from its first blank on. A numbered
// line without a blank is listed whole.
void AppendLineFind(TScanHost& host, std::string_view line) {
  std::string_view text = line;
  if (BeginsWithPositiveNumber(line)) {
    const std::size_t blank = line.find(' ');
    if (blank != std::string_view::npos) {
      text = line.substr(blank);
    }
  }
  AppendLineEntry(host, LineEntryFormat, text);
}

// A split find: the joined text, or from its first blank on when the line is numbered.
void AppendSplitFind(TScanHost& host, std::string_view line, std::string_view next) {
  char joined[JoinedTextSize];
  const std::string_view text(joined, JoinLines(joined, sizeof joined, line, next));
  if (BeginsWithPositiveNumber(line)) {
    // The joining blank is always there, so the joined text holds a blank.
    AppendLineEntry(host, NumberedSplitEntryFormat, text.substr(text.find(' ')));
  } else {
    AppendLineEntry(host, LineEntryFormat, text);
  }
}

enum class TFindKind { None, HeadingFind, Heading, LineFind, SplitFind };

}  // namespace

bool CountFind(int& findCount, TScanHost& host) {
  if (findCount < MaxFindCount) {
    ++findCount;
    return true;
  }
  host.ShowMessage(TooManyFindsText, TooManyFindsCaption, false);
  findCount = MaxFindCount;
  return false;
}

void RunScan(TScanHost& host, const TTextImage& image) {
  // An OK pressed while a scan runs must not disturb that scan when its phrase is
  // refused: the shared index and count are put back then, so that the running scan
  // goes on where it was instead of starting over without clearing the list.
  const int runningFindCount = FindCount;
  const std::int32_t runningLineIndex = ScanLineIndex;
  FindCount = 0;
  ScanLineIndex = 0;

  char typed[PhraseReadSize] = {};
  host.ReadPhrase(typed, sizeof typed);
  typed[sizeof typed - 1] = '\0';
  CopyText(SearchPhrase, sizeof SearchPhrase, std::string_view(typed, BoundedLength(typed, sizeof typed)));

  if (!HoldsLetterOrDigit(SearchPhrase)) {
    host.ShowMessage(IncompletePhraseText, IncompletePhraseCaption, true);
    if (RunningScans > 0) {
      FindCount = runningFindCount;
      ScanLineIndex = runningLineIndex;
    }
    return;
  }
  const TRunningScan running;

  IgnoreCase = host.IgnoreCaseChecked() ? 1 : 0;
  const bool fold = IgnoreCase != 0;
  char workPhrase[PhraseBufferSize];
  const std::size_t phraseLength = CopyText(workPhrase, sizeof workPhrase, SearchPhrase);
  if (fold) {
    FoldCase(workPhrase, phraseLength);
  }
  CopyText(FoldedPhrase, sizeof FoldedPhrase, workPhrase);
  const std::string_view phrase(workPhrase, phraseLength);

  host.ClearList();
  char title[TitleBufferSize] = {};
  std::int32_t sectionStart = 0;
  FindCount = 0;
  ScanLineIndex = 0;

  const std::int32_t lineCount = image.LineCount();
  const std::int32_t lastIndex = lineCount < LastScannableIndex ? lineCount : LastScannableIndex;

  TTestedLine tested[2];
  TTestedLine* current = &tested[0];
  TTestedLine* next = &tested[1];

  while (ScanLineIndex <= lastIndex) {
    const std::int32_t index = ScanLineIndex;
    if (next->Index == index) {
      std::swap(current, next);
    } else if (current->Index != index) {
      current->Take(image, index, fold, phrase);
    }
    const std::string_view line = image.Line(index);

    TFindKind kind = TFindKind::None;
    if (IsHeadingLine(line)) {
      kind = current->HoldsPhrase ? TFindKind::HeadingFind : TFindKind::Heading;
    } else if (current->HoldsPhrase) {
      kind = TFindKind::LineFind;
    } else {
      if (next->Index != index + 1) {
        next->Take(image, index + 1, fold, phrase);
      }
      if (!next->HoldsPhrase && ContainsAcrossJoin(current->Text, next->Text, phrase, fold)) {
        kind = TFindKind::SplitFind;
      }
    }

    if (kind == TFindKind::HeadingFind || kind == TFindKind::Heading) {
      CopyText(title, sizeof title, TitleOf(line));
      sectionStart = index - 3;
    }
    if (kind == TFindKind::HeadingFind || kind == TFindKind::LineFind || kind == TFindKind::SplitFind) {
      DropTrailingLineFeed(title);
      StripLeadingBlanks(title);
      if (!CountFind(FindCount, host)) {
        // The scan ends at the 500th find. Its index goes past the end, so that a scan
        // it interrupted leaves its loop too.
        ScanLineIndex = lastIndex + 1;
        return;
      }
      LineOfFind[FindCount] = index - 3;
      SectionStartOfFind[FindCount] = sectionStart;
      char entry[FindEntrySize];
      std::snprintf(entry, sizeof entry, FindEntryFormat, FindCount, title);
      host.AppendToList(SpacerEntry);
      host.AppendToList(entry);
      if (kind == TFindKind::LineFind) {
        AppendLineFind(host, line);
      } else if (kind == TFindKind::SplitFind) {
        AppendSplitFind(host, line, image.Line(index + 1));
        // The next line went into this find and is not examined by itself.
        ++ScanLineIndex;
      }
    }

    host.ProcessMessages();
    ++ScanLineIndex;
  }

  if (FindCount == 0) {
    for (int spacer = 0; spacer < NoMatchSpacerCount; ++spacer) {
      host.AppendToList(SpacerEntry);
    }
    host.AppendToList(NoMatchesEntry);
  }
}
