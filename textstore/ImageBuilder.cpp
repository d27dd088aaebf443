#include "textstore/ImageBuilder.h"

#include <cstring>

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

  // One line at a time: at most 99 characters and the NUL, so a longer text line is
  // read, and stored, in pieces of 99.
  char workBuffer[LineBufferSize];
  std::int32_t lineCount = 0;
  while (text.GetLine(workBuffer, sizeof workBuffer)) {
    if (lineCount == SlotCount) {
      // A line beyond the last slot: the image is full.
      report.Truncated = true;
      break;
    }
    // The slot gets the line up to, not including, its first line feed (as
    // CopyBeforeMarker would copy it), taken straight from the work buffer.
    const std::string_view line(workBuffer, BoundedLength(workBuffer, sizeof workBuffer));
    image.StoreLine(lineCount, line.substr(0, line.find('\n')));
    ++lineCount;
  }
  const bool readFailed = text.Failed();
  const std::string readError = text.ErrorText();
  text.Close();

  // Every slot after the last line is zero, whatever the image held before; the
  // stored slots were zero-filled as they were written.
  if (lineCount < SlotCount) {
    const std::size_t firstFree = CountSize + SlotSize * static_cast<std::size_t>(lineCount);
    std::memset(image.Data() + firstFree, 0, ImageSize - firstFree);
  }
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
