// Loading and building the full image against the bare file operations they are made
// of: a read of the 4,369,004 bytes, and a read of the text plus a write of the image.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "textstore/ImageBuilder.h"
#include "textstore/ImageLoader.h"
#include "textstore/TextImage.h"
#include "util/StringArray.h"

namespace {

namespace fs = std::filesystem;

// A full text: 17,000 lines that fill every slot, of the lengths a word-wrapped book
// has (a heading now and then, verse lines up to 95 characters), with CR LF ends.
std::string FullText() {
  std::string text;
  for (int i = 0; i < SlotCount; ++i) {
    std::string line;
    if (i % 40 == 0) {
      line = "$" + std::to_string(i / 40 + 1) + "#Psalm " + std::to_string(i / 40 + 1);
    } else {
      line = std::to_string(i % 40) + " ";
      const std::size_t length = 20 + static_cast<std::size_t>((i * 37) % 76);
      while (line.size() < length) {
        line += "word ";
      }
      line.resize(length);
    }
    text += line + "\r\n";
  }
  return text;
}

// The files of one run, in a directory of their own that is removed at the end.
class TFixture {
public:
  TFixture() {
    std::string pattern = (fs::temp_directory_path() / "quorvel-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      std::abort();
    }
    Directory = pattern;
    TextPath = (Directory / "VESK.TXT").string();
    ImagePath = (Directory / "VESK.BIN").string();
    ScratchPath = (Directory / "scratch.bin").string();
    Text = FullText();
    std::ofstream(TextPath, std::ios::binary).write(Text.data(), static_cast<std::streamsize>(Text.size()));
    Image = std::make_unique<TTextImage>();
    const TBuildReport report = BuildTextImage(*Image, TextPath, ImagePath);
    if (!report.Succeeded || report.LinesStored != SlotCount) {
      std::abort();
    }
  }
  ~TFixture() {
    std::error_code ignored;
    fs::remove_all(Directory, ignored);
  }

  fs::path Directory;
  std::string TextPath;
  std::string ImagePath;
  std::string ScratchPath;
  std::string Text;
  std::unique_ptr<TTextImage> Image;
};

TFixture& Fixture() {
  static TFixture fixture;
  return fixture;
}

void LoadFullImage(benchmark::State& state) {
  TFixture& fixture = Fixture();
  auto image = std::make_unique<TTextImage>();
  for (auto _ : state) {
    // A new array each time, as the view's lines are filled once from empty.
    TStringArray lines;
    const TReadReport report = ReadImageFile(*image, fixture.ImagePath);
    const std::int32_t count = ForEachLoadedLine(*image, [&](std::string_view line) { lines.Add(line); });
    if (!report.Opened || count != MaxImageLineCount) {
      state.SkipWithError("the image did not load");
    }
    benchmark::DoNotOptimize(lines.GetItemsInContainer());
  }
}

void BareImageRead(benchmark::State& state) {
  TFixture& fixture = Fixture();
  auto image = std::make_unique<TTextImage>();
  for (auto _ : state) {
    platform::TBinaryFile file;
    file.Open(fixture.ImagePath, platform::TOpenMode::ReadOnly);
    benchmark::DoNotOptimize(file.Read(image->Data(), image->Size()));
    file.Close();
    benchmark::ClobberMemory();
  }
}

void BuildFullText(benchmark::State& state) {
  TFixture& fixture = Fixture();
  auto image = std::make_unique<TTextImage>();
  for (auto _ : state) {
    const TBuildReport report = BuildTextImage(*image, fixture.TextPath, fixture.ScratchPath);
    if (!report.Succeeded || report.LinesStored != SlotCount) {
      state.SkipWithError("the build failed");
    }
  }
}

void BareTextReadAndImageWrite(benchmark::State& state) {
  TFixture& fixture = Fixture();
  std::vector<char> text(fixture.Text.size());
  auto image = std::make_unique<TTextImage>();
  for (auto _ : state) {
    platform::TBinaryFile in;
    in.Open(fixture.TextPath, platform::TOpenMode::ReadOnly);
    benchmark::DoNotOptimize(in.Read(text.data(), text.size()));
    in.Close();
    platform::TBinaryFile out;
    out.Open(fixture.ScratchPath, platform::TOpenMode::WriteCreateNoTruncate);
    benchmark::DoNotOptimize(out.WriteAll(image->Data(), image->Size()));
    out.Close();
    benchmark::ClobberMemory();
  }
}

BENCHMARK(LoadFullImage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BareImageRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(BuildFullText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BareTextReadAndImageWrite)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
