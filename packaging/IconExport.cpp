// Writes the program's own icon (icon 1, an open book with a red bookmark) into an
// icon theme tree for installing: DIR/<n>x<n>/apps/<id>.png at each size the desktop
// asks for, and DIR/scalable/apps/<id>.svg. Run by the build; never installed.
//
//   quorvel-icon-export DIR
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "app/Icons.h"
#include "platform/IconFiles.h"
#include "util/Version.h"

namespace {

constexpr int Sizes[] = {32, 48, 64, 128};

bool MakeFolder(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    std::fprintf(stderr, "quorvel-icon-export: cannot make %s: %s\n", folder.c_str(), error.message().c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: quorvel-icon-export DIR\n", stderr);
    return 2;
  }
  const std::filesystem::path top = argv[1];
  const std::string name = QuorvelDesktopId;

  for (const int size : Sizes) {
    const std::filesystem::path folder = top / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
    if (!MakeFolder(folder)) return 1;
    const std::filesystem::path file = folder / (name + ".png");
    if (!platform::WriteIconPng(QuorvelIcon, size, file.string())) {
      std::fprintf(stderr, "quorvel-icon-export: cannot write %s\n", file.c_str());
      return 1;
    }
  }

  const std::filesystem::path folder = top / "scalable" / "apps";
  if (!MakeFolder(folder)) return 1;
  const std::filesystem::path file = folder / (name + ".svg");
  std::ofstream svg(file, std::ios::binary | std::ios::trunc);
  svg << platform::IconSvg(QuorvelIcon);
  svg.close();
  if (!svg) {
    std::fprintf(stderr, "quorvel-icon-export: cannot write %s: %s\n", file.c_str(), std::strerror(errno));
    return 1;
  }
  return 0;
}
