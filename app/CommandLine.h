#pragma once
// The one command line the program gives a meaning to: the single argument
// create_binary_data, compared case-sensitively. Anything else is ignored.

inline constexpr const char* BuildModeArgument = "create_binary_data";

// True when argc is exactly 2 and argv[1] is exactly "create_binary_data".
bool AsksForBuildMode(int argc, const char* const* argv);
