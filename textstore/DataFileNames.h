#pragma once
// The names of the two data files; both lie in the directory DataPath.

#include <cstddef>

inline constexpr const char* ImageFileName = "VESK.BIN";
inline constexpr const char* TextFileName = "VESK.TXT";

// Room for an 80-character directory, one separator, the file name and the NUL.
inline constexpr std::size_t DataFilePathSize = 81 + 1 + 8 + 1;
