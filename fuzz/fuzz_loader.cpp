// The loader on any bytes as VESK.BIN: any length, any count, slots without a NUL. No
// line is longer than 99 bytes, at most 17,001 are given, the view of vesk shows what
// the whole read shows in every reachable slot, and both report alike.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string_view>

#include "fuzz/FuzzFiles.h"
#include "platform/Files.h"
#include "textstore/ImageLoader.h"
#include "textstore/TextImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const auto image = std::make_unique<TTextImage>();
  static const auto fallback = std::make_unique<TTextImage>();
  image->Clear();
  const std::string path = fuzz::WriteInput("VESK.BIN", std::string_view(reinterpret_cast<const char*>(data), size));

  const TReadReport read = ReadImageFile(*image, path);
  fuzz::Check(read.Opened && read.BytesRead == std::min(size, ImageSize), "the read gives the file's bytes");
  std::int32_t lines = 0;
  const std::int32_t given = ForEachLoadedLine(*image, [&](std::string_view line) {
    fuzz::Check(line.size() <= MaxLineLength, "no line over 99 bytes");
    ++lines;
  });
  fuzz::Check(given == lines && given >= 0 && given <= MaxImageLineCount, "at most 17,001 lines");

  platform::TFileMapping mapping;
  fallback->Clear();
  TReadReport viewed;
  const TTextImage* view = ViewImageFile(mapping, *fallback, path, viewed);
  fuzz::Check(view != nullptr && viewed.BytesRead == read.BytesRead, "the view reports as the read");
  fuzz::Check(view->LineCount() == image->LineCount(), "the view's count is the read's");
  const std::int64_t reachable = std::clamp<std::int64_t>(std::int64_t{image->LineCount()} + 2, 0, SlotCount);
  for (std::int32_t slot = 0; slot < reachable; ++slot) {
    fuzz::Check(view->Line(slot) == image->Line(slot), "the view shows the read's slots");
  }
  return 0;
}
