#pragma once
// A scratch folder of the fuzzer's own, for the inputs that the code under test reads
// from a file, and a check that stops the fuzzer with a message when a rule is broken.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

namespace fuzz {

inline const std::string& Folder() {
  static const std::string folder = [] {
    char name[] = "/tmp/quorvel-fuzz-XXXXXX";
    if (::mkdtemp(name) == nullptr) std::abort();
    return std::string(name);
  }();
  return folder;
}

inline std::string WriteInput(const char* name, std::string_view bytes) {
  const std::string path = Folder() + "/" + name;
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

// Stops the run, so the fuzzer keeps the input, when `holds` is false.
inline void Check(bool holds, const char* rule) {
  if (!holds) {
    std::fprintf(stderr, "broken rule: %s\n", rule);
    std::abort();
  }
}

}  // namespace fuzz
