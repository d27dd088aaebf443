#include <cstdio>

#include "cli/Commands.h"
#include "textstore/ImageLoader.h"
#include "textstore/TextImage.h"

namespace {

const char LinesUsage[] = "usage: vesk lines [IMAGE]\n";

}  // namespace

int RunLinesCommand(int argc, char** argv) {
  const char* operands[1] = {DefaultImagePath};
  bool help = false;
  if (CollectOperands(argc, argv, 1, operands, help) < 0) {
    std::fputs(LinesUsage, stderr);
    return ExitUsage;
  }
  if (help) {
    std::fputs(LinesUsage, stdout);
    return ExitSuccess;
  }
  const char* imagePath = operands[0];

  const TTextImage* image = LoadImageFile(imagePath);
  if (image == nullptr) {
    return ExitFailure;
  }
  // Lines are bytes: written as they are, never decoded.
  ForEachLoadedLine(*image, [](std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
  });
  return FinishOutput() ? ExitSuccess : ExitFailure;
}
