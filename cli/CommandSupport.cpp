#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/Commands.h"
#include "platform/Files.h"
#include "textstore/ImageLoader.h"
#include "textstore/TextImage.h"

void PrintError(const char* subject, const char* reason) {
  std::fprintf(stderr, "vesk: %s: %s\n", subject, reason);
}

namespace {

const TFlagOption* FindOption(const char* argument, std::span<const TFlagOption> flags) {
  for (const TFlagOption& flag : flags) {
    if (std::strcmp(argument, flag.Name) == 0) {
      return &flag;
    }
  }
  return nullptr;
}

}  // namespace

int CollectOperands(int argc, char** argv, int maxOperands, const char* operands[], bool& help,
                    std::span<const TFlagOption> flags, bool optionsFirst) {
  help = false;
  int count = 0;
  bool optionsEnded = false;
  for (int i = 0; i < argc; ++i) {
    const char* argument = argv[i];
    if (!optionsEnded && argument[0] == '-' && argument[1] != '\0') {
      if (std::strcmp(argument, "--") == 0) {
        optionsEnded = true;
        continue;
      }
      if (std::strcmp(argument, "-h") == 0 || std::strcmp(argument, "--help") == 0) {
        help = true;
        continue;
      }
      if (const TFlagOption* option = FindOption(argument, flags)) {
        if (option->Value == nullptr) {
          *option->Set = true;
          continue;
        }
        if (i + 1 == argc) {
          PrintError(argument, "needs a value");
          return -1;
        }
        *option->Value = argv[++i];
        continue;
      }
      PrintError(argument, "unknown option");
      return -1;
    }
    if (count == maxOperands) {
      PrintError(argument, "too many arguments");
      return -1;
    }
    operands[count++] = argument;
    optionsEnded = optionsEnded || optionsFirst;
  }
  return count;
}

namespace {

const char* ViewedPath = "";

// A look at bytes that another program cut off the viewed file.
void FileCutShort(int) {
  const char* parts[] = {"vesk: ", ViewedPath, ": the file was cut short while it was read\n"};
  for (const char* part : parts) {
    ssize_t ignored = ::write(STDERR_FILENO, part, std::strlen(part));
    (void)ignored;
  }
  ::_exit(ExitFailure);
}

}  // namespace

const TTextImage* LoadImageFile(const char* path) {
  static platform::TFileMapping mapping;
  TReadReport report;
  const TTextImage* image = ViewImageFile(mapping, TextImage, path, report);
  if (image == nullptr) {
    PrintError(path, report.Reason.c_str());
    return nullptr;
  }
  ViewedPath = path;
  struct sigaction action {};
  action.sa_handler = FileCutShort;
  ::sigaction(SIGBUS, &action, nullptr);
  if (!ImageWasReadWhole(report)) {
    std::fprintf(stderr, "vesk: %s: damaged book file: %zu of %zu bytes read%s%s\n", path, report.BytesRead,
                 ImageSize, report.Reason.empty() ? "" : ": ", report.Reason.c_str());
  }
  return image;
}

bool FinishOutput() {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    PrintError("stdout", std::strerror(errno));
    return false;
  }
  return true;
}
