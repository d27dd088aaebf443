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

bool ImageWasReadWhole(const TReadReport& report) {
  return report.Opened && report.BytesRead == ImageSize && report.Reason.empty();
}

std::string DamagedBookMessage(std::string_view path, const TReadReport& report) {
  std::string text = "The book file is damaged: only ";
  text += std::to_string(report.BytesRead);
  text += " of its ";
  text += std::to_string(ImageSize);
  text += " bytes could be read";
  if (!report.Reason.empty()) {
    text += " (";
    text += report.Reason;
    text += ")";
  }
  text += ", so the book may show fewer lines or none.\n\n";
  text += path;
  return text;
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
