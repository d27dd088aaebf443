// vesk settings: the reader's settings, shown and set from a terminal with the very
// functions the reader uses.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "cli/Commands.h"
#include "platform/Files.h"
#include "settings/Settings.h"
#include "util/TextHelpers.h"

namespace {

const char SettingsUsage[] =
    "usage: vesk settings [-f FILE]                   print DataPath and LineSpace\n"
    "       vesk settings [-f FILE] DataPath FOLDER   set the folder of VESK.BIN (80 bytes at most)\n"
    "       vesk settings [-f FILE] LineSpace PIXELS  set the spacing (a decimal integer)\n";

int UsageError(const char* subject, const char* reason) {
  PrintError(subject, reason);
  std::fputs(SettingsUsage, stderr);
  return ExitUsage;
}

// A decimal integer within the 32-bit range, as the reader reads LineSpace.
bool IsLineSpace(const char* text) {
  const char* digits = text + (text[0] == '+' || text[0] == '-' ? 1 : 0);
  if (*digits == '\0' || std::strspn(digits, "0123456789") != std::strlen(digits)) {
    return false;
  }
  errno = 0;
  const long long value = std::strtoll(text, nullptr, 10);
  return errno == 0 && value >= INT32_MIN && value <= INT32_MAX;
}

}  // namespace

int RunSettingsCommand(int argc, char** argv) {
  bool help = false;
  const char* file = nullptr;
  const TFlagOption options[] = {{"-f", nullptr, &file}};
  const char* operands[2] = {nullptr, nullptr};
  const int operandCount = CollectOperands(argc, argv, 2, operands, help, options, true);
  if (operandCount < 0) {
    std::fputs(SettingsUsage, stderr);
    return ExitUsage;
  }
  if (help) {
    std::fputs(SettingsUsage, stdout);
    return ExitSuccess;
  }
  if (operandCount == 1) {
    return UsageError(operands[0], "needs a value");
  }

  // The key and its value are checked before anything is read or written.
  const char* key = nullptr;
  char lineSpaceText[16];
  const char* value = operands[1];
  if (operandCount == 2) {
    if (strcasecmp(operands[0], DataPathKey) == 0) {
      key = DataPathKey;
      if (std::strlen(value) >= DataPathSize) {
        return UsageError(value, "a folder of at most 80 bytes, the most the reader takes");
      }
      if (std::strpbrk(value, "\r\n") != nullptr) {
        return UsageError(DataPathKey, "a folder name cannot hold a line break");
      }
    } else if (strcasecmp(operands[0], LineSpaceKey) == 0) {
      key = LineSpaceKey;
      if (!IsLineSpace(value)) {
        return UsageError(value, "LineSpace takes a decimal integer within the 32-bit range");
      }
      // Stored as the reader stores it: "%d".
      std::snprintf(lineSpaceText, sizeof lineSpaceText, "%d", static_cast<int>(std::strtol(value, nullptr, 10)));
      value = lineSpaceText;
    } else {
      return UsageError(operands[0], "not a setting: DataPath or LineSpace");
    }
  }

  if (file != nullptr) {
    if (std::strlen(file) >= SettingsPathSize) {
      return UsageError(file, "a settings file name of at most 500 bytes");
    }
    CopyText(SettingsPath, SettingsPathSize, file);
  } else {
    FormSettingsPath();
  }

  if (key != nullptr) {
    const char* reason = nullptr;
    if (!WriteSetting(key, value, &reason)) {
      PrintError(SettingsPath[0] != '\0' ? platform::NativePath(SettingsPath).c_str() : SettingsFileName, reason);
      return ExitFailure;
    }
    return ExitSuccess;
  }

  // What the reader started here would use: the stored values, or the working folder
  // and the spacing 1.
  const bool readable = ReadSettings();
  std::fputs("DataPath=", stdout);
  std::fwrite(DataPath, 1, std::strlen(DataPath), stdout);
  std::printf("\nLineSpace=%d\n", static_cast<int>(LineSpace));
  if (!FinishOutput()) {
    return ExitFailure;
  }
  return readable && SettingsPath[0] != '\0' ? ExitSuccess : ExitFailure;
}
