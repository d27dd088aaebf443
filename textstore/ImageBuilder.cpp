#include "textstore/ImageBuilder.h"

#include <cstring>
#include <vector>

#include "platform/Files.h"
#include "util/TextHelpers.h"

namespace {

constexpr std::size_t TailChunkSize = std::size_t{64} * 1024;

TBuildReport& Failure(TBuildReport& report, std::string_view path, const std::string& reason) {
  report.Succeeded = false;
  report.FailedPath = std::string(path);
  report.Reason = reason;
  return report;
}

// An old image longer than the image keeps the bytes beyond it, as writing the image
// over the old file from its first byte would leave them.
bool CopyTail(platform::TFileReplacement& replacement, std::string& reason) {
  if (!replacement.TargetExisted()) {
    return true;
  }
  platform::TBinaryFile old;
  if (!old.Open(replacement.TargetPath(), platform::TOpenMode::ReadOnly) || !old.SeekTo(ImageSize)) {
    reason = old.ErrorText();
    return false;
  }
  std::vector<char> chunk(TailChunkSize);
  for (;;) {
    const std::size_t count = old.Read(chunk.data(), chunk.size());
    if (!old.ErrorText().empty()) {
      reason = old.ErrorText();
      return false;
    }
    if (count == 0) {
      return true;
    }
    if (!replacement.Write(chunk.data(), count)) {
      return false;
    }
  }
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

  // The new image goes to a file of its own beside the old one, which it replaces only
  // once every byte is written: a build that fails part-way (a full disk, a kill)
  // leaves the old image whole.
  platform::TFileReplacement file;
  std::string reason;
  if (!file.Begin(imagePath) || !file.Write(image.Data(), image.Size()) || !CopyTail(file, reason) ||
      !file.Commit()) {
    return Failure(report, imagePath, reason.empty() ? file.ErrorText() : reason);
  }
  report.Succeeded = true;
  return report;
}
