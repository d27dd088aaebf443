#include "textstore/ImageLoader.h"

#include <algorithm>
#include <new>

#include "platform/Files.h"

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

const TTextImage* ViewImageFile(platform::TFileMapping& mapping, TTextImage& fallback,
                                std::string_view imagePath, TReadReport& report) {
  report = TReadReport{};
  platform::TBinaryFile file;
  if (!file.Open(imagePath, platform::TOpenMode::ReadOnly)) {
    report.Reason = file.ErrorText();
    return nullptr;
  }
  report.Opened = true;

  // The count, as the image holds it: bytes the file lacks are zero.
  TTextImage::TCountBytes head{};
  const std::size_t headRead = file.Read(head.data(), head.size());
  if (!file.ErrorText().empty() || headRead < head.size()) {
    // Too short or unreadable for a view: the whole read tells what it can.
    file.Close();
    report = ReadImageFile(fallback, imagePath);
    return &fallback;
  }
  const std::int64_t count = TTextImage::DecodeCount(head);
  const std::int64_t reachable = std::clamp<std::int64_t>(count + 2, 0, SlotCount);
  const std::size_t wanted = CountSize + static_cast<std::size_t>(reachable) * SlotSize;
  if (!mapping.Map(file, ImageSize, wanted)) {
    file.Close();
    report = ReadImageFile(fallback, imagePath);
    return &fallback;
  }
  const std::uint64_t fileSize = file.Size();
  report.BytesRead = fileSize < ImageSize ? static_cast<std::size_t>(fileSize) : ImageSize;
  file.Close();
  // The view holds the image's bytes exactly as a read would lay them out.
  return std::launder(reinterpret_cast<const TTextImage*>(mapping.Data()));
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
  std::int32_t given = 0;
  for (std::int32_t i = 0; i < lineCount; ++i) {
    // What the 100-byte work buffer would hold: the slot's first 99 bytes at most. The
    // line is handed on straight from the slot, so its bytes are copied once, by `append`.
    std::string_view line = image.Line(i).substr(0, MaxLineLength);
    if (!line.empty() && line.back() == '\n') {
      line.remove_suffix(1);
    }
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    append(line);
    ++given;
  }
  return given;
}
