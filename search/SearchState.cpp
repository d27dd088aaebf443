#include "search/SearchState.h"

#include <algorithm>
#include <iterator>

// Seventeen 0xA3 bytes and a NUL; the rest of the buffer is zero.
char SearchPhrase[PhraseBufferSize] = {
    '\xA3', '\xA3', '\xA3', '\xA3', '\xA3', '\xA3', '\xA3', '\xA3', '\xA3',
    '\xA3', '\xA3', '\xA3', '\xA3', '\xA3', '\xA3', '\xA3', '\xA3', '\0'};
char FoldedPhrase[PhraseBufferSize] = {};
int IgnoreCase = 0;
int FindCount = 0;
std::int32_t SectionStartOfFind[FindTableSize] = {};
std::int32_t LineOfFind[FindTableSize] = {};
std::int32_t TargetLine = 0;
std::int32_t ScanLineIndex = 0;

void ResetFindTable() {
  std::fill(std::begin(SectionStartOfFind), std::end(SectionStartOfFind), -1);
  std::fill(std::begin(LineOfFind), std::end(LineOfFind), -1);
}
