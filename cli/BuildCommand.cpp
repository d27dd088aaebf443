#include <cstdio>

#include "cli/Commands.h"
#include "textstore/ImageBuilder.h"
#include "textstore/TextImage.h"

namespace {

const char BuildUsage[] = "usage: vesk build [TEXT [IMAGE]]\n";

}  // namespace

int RunBuildCommand(int argc, char** argv) {
  const char* operands[2] = {DefaultTextPath, DefaultImagePath};
  bool help = false;
  if (CollectOperands(argc, argv, 2, operands, help) < 0) {
    std::fputs(BuildUsage, stderr);
    return ExitUsage;
  }
  if (help) {
    std::fputs(BuildUsage, stdout);
    return ExitSuccess;
  }
  const char* textPath = operands[0];
  const char* imagePath = operands[1];

  const TBuildReport report = BuildTextImage(TextImage, textPath, imagePath);
  if (!report.Succeeded) {
    PrintError(report.FailedPath.c_str(), report.Reason.c_str());
    return ExitFailure;
  }
  std::printf("Stored %d lines in %s\n", static_cast<int>(report.LinesStored), imagePath);
  if (report.Truncated) {
    std::printf("The text was cut after %d lines: the image holds no more\n", static_cast<int>(SlotCount));
  }
  return FinishOutput() ? ExitSuccess : ExitFailure;
}
