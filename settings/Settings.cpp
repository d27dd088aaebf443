#include "settings/Settings.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/Files.h"
#include "platform/Profile.h"

char DataPath[DataPathSize] = {};
std::int32_t LineSpace = 0;
char SettingsPath[SettingsPathSize] = {};

namespace {

// The work buffer of the working directory: 500 bytes.
constexpr std::size_t WorkingDirectoryLimit = 500;
// The largest working directory that DataPath takes: 79 characters and the NUL.
constexpr std::size_t WorkingDataPathLimit = 80;
// Any 32-bit value in decimal, its sign and the NUL.
constexpr std::size_t LineSpaceTextSize = 12;

// The error of the last read or write, for the callers that show it themselves.
std::string LastError;

void Report(const char* what, const char* path, const std::string& reason) {
  std::fprintf(stderr, "%s: %s %s: %s\n", program_invocation_short_name, what, path, reason.c_str());
}

}  // namespace

void FormSettingsPath() {
  SettingsPath[0] = '\0';
  char directory[WorkingDirectoryLimit] = {};
  if (!platform::GetWorkingDirectory(directory, sizeof directory)) {
    std::fprintf(stderr, "%s: the working directory is too long for the settings file; no settings are read or kept\n",
                 program_invocation_short_name);
    return;
  }
  // The whole name or none: a cut name would be another file (quorvel.in), and an empty
  // directory would put the file at the root.
  const int length = std::snprintf(nullptr, 0, "%s\\%s", directory, SettingsFileName);
  if (length < 0 || static_cast<std::size_t>(length) >= SettingsPathSize) {
    std::fprintf(stderr, "%s: the working directory is too long for the settings file; no settings are read or kept\n",
                 program_invocation_short_name);
    return;
  }
  std::snprintf(SettingsPath, sizeof SettingsPath, "%s\\%s", directory, SettingsFileName);
}

bool ReadSettings() {
  bool readable = true;
  DataPath[0] = '\0';
  LineSpace = DefaultLineSpace;
  if (SettingsPath[0] != '\0') {
    std::string error;
    platform::ReadProfileString(SettingsSection, DataPathKey, "", DataPath, DataPathSize, SettingsPath, &error);
    if (error.empty()) {
      LineSpace = platform::ReadProfileInt(SettingsSection, LineSpaceKey, DefaultLineSpace, SettingsPath, &error);
    }
    if (!error.empty()) {
      Report("cannot read the settings file", platform::NativePath(SettingsPath).c_str(), error);
      DataPath[0] = '\0';
      LineSpace = DefaultLineSpace;
      readable = false;
    }
  }
  if (DataPath[0] == '\0') {
    // A directory of 80 characters or more does not fit and leaves DataPath empty.
    platform::GetWorkingDirectory(DataPath, WorkingDataPathLimit);
  }
  return readable;
}

bool WriteSetting(const char* key, const char* value, const char** reason) {
  LastError.clear();
  if (SettingsPath[0] == '\0') {
    LastError = "the working directory is too long for the settings file";
  } else if (!platform::WriteProfileString(SettingsSection, key, value, SettingsPath, LastError) &&
             LastError.empty()) {
    LastError = std::strerror(EIO);
  }
  if (reason != nullptr) *reason = LastError.c_str();
  return LastError.empty();
}

bool WriteSettings() {
  if (SettingsPath[0] == '\0') return true;  // said once when the path was formed
  char lineSpaceText[LineSpaceTextSize];
  std::snprintf(lineSpaceText, sizeof lineSpaceText, "%d", static_cast<int>(LineSpace));
  const char* reason = nullptr;
  if (!WriteSetting(DataPathKey, DataPath, &reason) || !WriteSetting(LineSpaceKey, lineSpaceText, &reason)) {
    Report("cannot write the settings file", platform::NativePath(SettingsPath).c_str(), reason);
    return false;
  }
  return true;
}
