#pragma once
// The values the program keeps from one run to the next: where the data file lies and
// the extra spacing between rows.

#include <cstddef>
#include <cstdint>

inline constexpr std::size_t DataPathSize = 81;       // at most 80 characters and the NUL
inline constexpr std::size_t SettingsPathSize = 501;

// The directory of VESK.BIN (and of VESK.TXT in build mode), without a trailing
// separator as a rule; empty at program start.
extern char DataPath[DataPathSize];
// Pixels added to every row's height; may be negative. 0 at program start.
extern std::int32_t LineSpace;
// The full path of the settings file, fixed for the whole run.
extern char SettingsPath[SettingsPathSize];

// Forms SettingsPath from the working directory; the application object's constructor
// calls it.
void FormSettingsPath();
// Read once at the view's set-up, written once by the view's destructor.
void ReadSettings();
void WriteSettings();
