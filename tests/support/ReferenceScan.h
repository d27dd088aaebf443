#pragma once
// The scan as its steps read, on whole copied texts: the reference that the scan, which
// tests each line once and looks at the join only where a split can lie, must agree
// with on every text; and the helpers that spell out what the list and the find table
// hold. Shared by the scan's tests and its fuzzer.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "search/Scan.h"
#include "search/SearchState.h"
#include "textstore/TextImage.h"
#include "util/TextHelpers.h"

namespace testsupport {

struct TFind {
  std::int32_t Line;
  std::int32_t SectionStart;
  bool operator==(const TFind&) const = default;
};

inline void PrintTo(const TFind& find, std::ostream* out) {
  *out << "{line " << find.Line << ", section " << find.SectionStart << "}";
}

inline std::vector<TFind> FindTable() {
  std::vector<TFind> table;
  for (int n = 1; n <= FindCount; ++n) {
    table.push_back({LineOfFind[n], SectionStartOfFind[n]});
  }
  return table;
}

inline std::string FindEntry(int number, const std::string& title) {
  return std::to_string(number) + ".) Found In:     '" + title + "'";
}

inline const std::string Indent13(13, ' ');
inline const std::string Indent12(12, ' ');

inline std::vector<std::string> NoMatchList() {
  std::vector<std::string> list(NoMatchSpacerCount, " ");
  list.emplace_back("                 No Matches Found for this Phrase");
  return list;
}

// The reference scan of `image` for `typed`: the list and the find table it gives. It
// visits every index up to the image's count, so keep the count small.
inline void ReferenceScan(const TTextImage& image, const std::string& typed, bool ignoreCase, std::vector<std::string>& list,
                          std::vector<TFind>& table) {
  const auto fold = [&](std::string text) {
    if (ignoreCase) {
      FoldCase(text.data(), text.size());
    }
    return text;
  };
  const std::string phrase = fold(typed.substr(0, 35));
  const auto contains = [&](const std::string& text) { return text.find(phrase) != std::string::npos; };
  std::string title;
  std::int32_t section = 0;
  const std::int32_t count = image.LineCount();
  for (std::int32_t i = 0; i <= count; ++i) {
    const std::string line(image.Line(i));
    const std::string next(image.Line(i + 1));
    std::string joined = line;
    joined += ' ';
    joined += next;
    const bool heading = !line.empty() && line[0] == '$';
    const bool lineFind = contains(fold(line));
    const bool split = !heading && !lineFind && contains(fold(joined)) && !contains(fold(next));
    if (heading) {
      const std::size_t mark = line.find('#');
      title = mark == std::string::npos ? "" : line.substr(mark + 1, 80);
      section = i - 3;
    }
    if (!lineFind && !split) {
      continue;
    }
    if (!title.empty() && title.back() == '\n') {
      title.pop_back();
    }
    title.erase(0, title.find_first_not_of(' ') == std::string::npos ? title.size() : title.find_first_not_of(' '));
    table.push_back({i - 3, section});
    list.push_back(" ");
    list.push_back(FindEntry(static_cast<int>(table.size()), title));
    if (heading) {
      continue;
    }
    const bool numbered = TextToLong(line) >= 1;
    std::string entry;
    if (split) {
      entry = numbered ? Indent12 + joined.substr(joined.find(' ')) : Indent13 + joined;
      ++i;
    } else {
      entry = Indent13 + (numbered && line.find(' ') != std::string::npos ? line.substr(line.find(' ')) : line);
    }
    if (entry.back() == '\n') {
      entry.pop_back();
    }
    list.push_back(entry);
  }
  if (table.empty()) {
    list = NoMatchList();
  }
}

}  // namespace testsupport
