#pragma once
// The shared search state: plain data that lives for the whole run. The scan writes
// it, the painter and the search dialog read it, and none of it is ever saved.

#include <cstddef>
#include <cstdint>

inline constexpr std::size_t PhraseBufferSize = 81;   // SearchPhrase and FoldedPhrase
inline constexpr std::size_t PhraseReadSize = 36;     // the edit control gives at most 35 characters
inline constexpr std::int32_t FindTableSize = 500;    // find numbers 1 to 499; entry 0 is never written
inline constexpr std::int32_t MaxFindCount = 499;

// At program start: seventeen bytes of value 0xA3, then NUL, so that no line shows a
// highlight before the first search unless it holds that very run of bytes.
extern char SearchPhrase[PhraseBufferSize];
extern char FoldedPhrase[PhraseBufferSize];
extern int IgnoreCase;
extern int FindCount;
extern std::int32_t SectionStartOfFind[FindTableSize];
extern std::int32_t LineOfFind[FindTableSize];
extern std::int32_t TargetLine;

// The line index of the scan. It is one shared variable, not a local of a scan, so
// that a scan started from inside a running one (OK pressed again while the list
// fills) resets it, and the interrupted scan then leaves its loop at once.
extern std::int32_t ScanLineIndex;

// Sets every entry of both find tables to -1, as the view's set-up does.
void ResetFindTable();
