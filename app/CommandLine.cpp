#include "app/CommandLine.h"

#include <string_view>

bool AsksForBuildMode(int argc, const char* const* argv) {
  return argc == 2 && argv[1] != nullptr && std::string_view(argv[1]) == BuildModeArgument;
}
