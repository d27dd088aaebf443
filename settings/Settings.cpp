#include "settings/Settings.h"

#include <cstdio>

#include "platform/Files.h"

char DataPath[DataPathSize] = {};
std::int32_t LineSpace = 0;
char SettingsPath[SettingsPathSize] = {};

namespace {
constexpr std::size_t WorkingDirectoryLimit = 500;
constexpr std::int32_t DefaultLineSpace = 1;
}  // namespace

void FormSettingsPath() {
  char directory[WorkingDirectoryLimit] = {};
  platform::GetWorkingDirectory(directory, sizeof directory);
  std::snprintf(SettingsPath, sizeof SettingsPath, "%s\\quorvel.ini", directory);
}

void ReadSettings() {
  // The settings file comes with its own change; until then every run starts as a first
  // run does: the data file in the working directory, rows one pixel apart.
  LineSpace = DefaultLineSpace;
  DataPath[0] = '\0';
  // A directory of 80 characters or more does not fit and leaves DataPath empty.
  platform::GetWorkingDirectory(DataPath, DataPathSize - 1);
}

void WriteSettings() {
  // Written with the settings file's own change.
}
