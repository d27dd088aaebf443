// The builder on any bytes as VESK.TXT: binary junk, NULs, Ctrl-Z, runs of CR, long
// lines, more than 17,000 lines. The image written is the image in memory, its count is
// the lines stored plus one, no stored line is over 99 bytes, and loading it back gives
// the stored lines.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzFiles.h"
#include "textstore/ImageBuilder.h"
#include "textstore/ImageLoader.h"
#include "textstore/TextImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const auto built = std::make_unique<TTextImage>();
  static const auto loaded = std::make_unique<TTextImage>();
  const std::string text = fuzz::WriteInput("VESK.TXT", std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string imagePath = fuzz::Folder() + "/VESK.BIN";

  const TBuildReport report = BuildTextImage(*built, text, imagePath);
  fuzz::Check(report.Succeeded, "a readable text builds");
  fuzz::Check(report.LinesStored >= 0 && report.LinesStored <= SlotCount, "at most 17,000 lines stored");
  fuzz::Check(built->LineCount() == report.LinesStored + 1, "the count is the lines stored plus one");

  loaded->Clear();
  const TReadReport read = ReadImageFile(*loaded, imagePath);
  fuzz::Check(ImageWasReadWhole(read), "the image written reads back whole");
  fuzz::Check(std::memcmp(loaded->Data(), built->Data(), ImageSize) == 0, "the file is the image in memory");

  std::vector<std::string> lines;
  ForEachLoadedLine(*loaded, [&](std::string_view line) { lines.emplace_back(line); });
  fuzz::Check(lines.size() == static_cast<std::size_t>(report.LinesStored) + 1, "every stored line loads");
  for (std::int32_t i = 0; i < report.LinesStored; ++i) {
    const std::string_view stored = built->Line(i);
    fuzz::Check(stored.size() <= MaxLineLength, "no stored line over 99 bytes");
    std::string_view expected = stored;
    if (!expected.empty() && expected.back() == '\n') expected.remove_suffix(1);
    if (!expected.empty() && expected.back() == '\r') expected.remove_suffix(1);
    fuzz::Check(lines[static_cast<std::size_t>(i)] == expected, "a line loads as it was stored");
  }
  fuzz::Check(lines.back().empty(), "the line after the last stored is empty");
  return 0;
}
