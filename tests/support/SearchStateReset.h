#pragma once
// Puts the shared search state back as it is at program start, for tests that search.

#include <cstring>

#include "search/SearchState.h"

namespace testsupport {

inline void ResetSearchState() {
  std::memset(SearchPhrase, 0, sizeof SearchPhrase);
  std::memset(SearchPhrase, 0xA3, 17);
  std::memset(FoldedPhrase, 0, sizeof FoldedPhrase);
  IgnoreCase = 0;
  FindCount = 0;
  ScanLineIndex = 0;
  TargetLine = 0;
  ResetFindTable();
}

}  // namespace testsupport
