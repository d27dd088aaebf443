#include "textstore/ImageBuilder.h"

#include "platform/Files.h"
#include "util/TextHelpers.h"

namespace {

TBuildReport& Failure(TBuildReport& report, std::string_view path, const std::string& reason) {
  report.Succeeded = false;
  report.FailedPath = std::string(path);
  report.Reason = reason;
  return report;
}

}  // namespace

TBuildReport BuildTextImage(TTextImage& image, std::string_view textPath, std::string_view imagePath) {
  TBuildReport report;

  platform::TTextStream text;
  if (!text.Open(textPath)) {
    return Failure(report, textPath, text.ErrorText());
  }
  image.Clear();

  // One line at a time: at most 99 characters and the NUL, so a longer text line is
  // read, and stored, in pieces of 99.
  char workBuffer[LineBufferSize];
  char lineBuffer[LineBufferSize];
  std::int32_t lineCount = 0;
  while (text.GetLine(workBuffer, sizeof workBuffer)) {
    if (lineCount == SlotCount) {
      // A line beyond the last slot: the image is full.
      report.Truncated = true;
      break;
    }
    const std::string_view line(workBuffer, BoundedLength(workBuffer, sizeof workBuffer));
    CopyBeforeMarker(line, lineBuffer, sizeof lineBuffer, "\n");
    image.StoreLine(lineCount, std::string_view(lineBuffer, BoundedLength(lineBuffer, sizeof lineBuffer)));
    ++lineCount;
  }
  const bool readFailed = text.Failed();
  const std::string readError = text.ErrorText();
  text.Close();

  report.LinesStored = lineCount;
  image.SetLineCount(lineCount + 1);
  if (readFailed) {
    return Failure(report, textPath, readError);
  }

  platform::TBinaryFile file;
  if (!file.Open(imagePath, platform::TOpenMode::WriteCreateNoTruncate)) {
    return Failure(report, imagePath, file.ErrorText());
  }
  if (!file.WriteAll(image.Data(), image.Size())) {
    const std::string reason = file.ErrorText();
    file.Close();
    return Failure(report, imagePath, reason);
  }
  if (!file.Close()) {
    return Failure(report, imagePath, file.ErrorText());
  }
  report.Succeeded = true;
  return report;
}
