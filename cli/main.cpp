// vesk, the command-line companion of the reader: builds, lists and searches the text
// image with the program's own cores.
#include <cstdio>
#include <cstring>

#include "cli/Commands.h"
#include "util/Version.h"

namespace {

const char UsageText[] =
    "usage: vesk build [TEXT [IMAGE]]\n"
    "       vesk lines [IMAGE]\n"
    "       vesk search [-i] [--table] PHRASE [IMAGE]\n"
    "       vesk settings [-f FILE] [DataPath|LineSpace VALUE]\n"
    "       vesk --version\n"
    "\n"
    "  build     turn the text TEXT into the image IMAGE\n"
    "  lines     print the lines that the reader loads from IMAGE\n"
    "  search    find PHRASE in IMAGE (-i: ignore case; --table: print the find table)\n"
    "  settings  print the settings the reader started here would use, or set one of them\n"
    "            (-f: the settings file FILE instead of quorvel.ini here)\n"
    "\n"
    "TEXT defaults to VESK.TXT and IMAGE to VESK.BIN, in the working directory.\n";

struct TSubcommand {
  const char* Name;
  int (*Run)(int argc, char** argv);
};

// One row per subcommand.
const TSubcommand Subcommands[] = {
    {"build", RunBuildCommand},
    {"lines", RunLinesCommand},
    {"search", RunSearchCommand},
    {"settings", RunSettingsCommand},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    std::fputs(UsageText, stdout);
    return ExitSuccess;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("vesk %s\n", QuorvelVersion);
    return ExitSuccess;
  }
  for (const TSubcommand& subcommand : Subcommands) {
    if (std::strcmp(argv[1], subcommand.Name) == 0) {
      return subcommand.Run(argc - 2, argv + 2);
    }
  }
  std::fprintf(stderr, "vesk: unknown command '%s'\n", argv[1]);
  std::fputs(UsageText, stderr);
  return ExitUsage;
}
