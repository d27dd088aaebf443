#pragma once
// The values the program keeps from one run to the next: where the data file lies and
// the extra spacing between rows. They live in quorvel.ini in the working directory
// the program was started from, section [Quorvel], keys DataPath and LineSpace; they are
// read once at the view's set-up and written once by the view's destructor.

#include <cstddef>
#include <cstdint>

inline constexpr std::size_t DataPathSize = 81;       // at most 80 characters and the NUL
inline constexpr std::size_t SettingsPathSize = 501;  // at most 500 characters and the NUL

inline constexpr const char* SettingsFileName = "quorvel.ini";
inline constexpr const char* SettingsSection = "Quorvel";
inline constexpr const char* DataPathKey = "DataPath";
inline constexpr const char* LineSpaceKey = "LineSpace";
// The spacing of a run whose settings never went through the line-spacing dialog.
inline constexpr std::int32_t DefaultLineSpace = 1;

// The directory of VESK.BIN (and of VESK.TXT in build mode), without a trailing
// separator as a rule; empty at program start.
extern char DataPath[DataPathSize];
// Pixels added to every row's height; may be negative. 0 at program start.
extern std::int32_t LineSpace;
// The full path of the settings file, fixed for the whole run; empty when the working
// directory is too long for it, and then no settings file is read or written.
extern char SettingsPath[SettingsPathSize];

// Forms SettingsPath from the working directory: the directory, one separator and
// quorvel.ini. The application object's constructor calls it. A directory too long for
// the 500 characters leaves SettingsPath empty, and one line on standard error says so.
void FormSettingsPath();

// Reads DataPath (at most 80 characters) and LineSpace (default 1) from SettingsPath;
// then, when DataPath is empty, takes the working directory when it has at most 79
// characters. A settings file that exists but cannot be read is named on standard
// error, with the reason, and the defaults are used. False when that happened.
bool ReadSettings();

// Writes DataPath, then LineSpace in decimal, into SettingsPath, keeping the rest of the
// file. A file that cannot be written is named on standard error, with the reason, and
// is left as it was. False when that happened.
bool WriteSettings();

// Writes one key of the settings file at SettingsPath with the function WriteSettings
// uses; false, with the reason, when it cannot be written.
bool WriteSetting(const char* key, const char* value, const char** reason = nullptr);
