#include "textstore/ImageLoader.h"

#include "platform/Files.h"
#include "util/TextHelpers.h"

TReadReport ReadImageFile(TTextImage& image, std::string_view imagePath) {
  TReadReport report;
  platform::TBinaryFile file;
  if (!file.Open(imagePath, platform::TOpenMode::ReadOnly)) {
    report.Reason = file.ErrorText();
    return report;
  }
  report.Opened = true;
  report.BytesRead = file.Read(image.Data(), image.Size());
  report.Reason = file.ErrorText();
  file.Close();
  return report;
}

std::int32_t ForEachLoadedLine(const TTextImage& image,
                               const std::function<void(std::string_view line)>& append) {
  const std::int32_t imageLineCount = image.LineCount();
  const std::int32_t lineCount = imageLineCount < MaxImageLineCount ? imageLineCount : MaxImageLineCount;
  char workBuffer[LineBufferSize];
  std::int32_t given = 0;
  for (std::int32_t i = 0; i < lineCount; ++i) {
    std::size_t length = CopyText(workBuffer, sizeof workBuffer, image.Line(i));
    if (length > 0 && workBuffer[length - 1] == '\n') {
      --length;
    }
    if (length > 0 && workBuffer[length - 1] == '\r') {
      --length;
    }
    append(std::string_view(workBuffer, length));
    ++given;
  }
  return given;
}
