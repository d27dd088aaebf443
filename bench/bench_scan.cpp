// The scan of OK over a full image (17,000 lines of 99 characters), with Ignore Case off
// and on, against a bare memmem of the same phrase over the same 4,369,004 bytes. The scan
// should cost at most ten times the memmem.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "search/Scan.h"
#include "search/SearchState.h"
#include "textstore/TextImage.h"
#include "util/TextHelpers.h"

namespace {

constexpr char Phrase[] = "walketh not";
constexpr int PhraseEvery = 1000;  // one line in a thousand holds the phrase

// 17,000 lines of 99 characters made of common words; every thousandth line holds the
// phrase, and every hundredth is a heading.
const TTextImage& FullImage() {
  static const std::unique_ptr<TTextImage> image = [] {
    auto made = std::make_unique<TTextImage>();
    const char* words[] = {"the", "Lord", "is", "my", "shepherd", "and", "I", "shall", "not", "want",
                           "He", "maketh", "me", "to", "lie", "down", "in", "green", "pastures", "of"};
    std::mt19937 random(17000);
    for (std::int32_t i = 0; i < SlotCount; ++i) {
      std::string line;
      if (i % 100 == 0) {
        line = "$" + std::to_string(i / 100) + "#Psalm " + std::to_string(i / 100) + " ";
      } else {
        line = std::to_string(i % 100) + " ";
      }
      if (i % PhraseEvery == 500) {
        line += std::string(Phrase) + " ";
      }
      while (line.size() < MaxLineLength) {
        line += std::string(words[random() % (sizeof words / sizeof words[0])]) + " ";
      }
      line.resize(MaxLineLength);
      made->StoreLine(i, line);
    }
    made->SetLineCount(MaxImageLineCount);
    return made;
  }();
  return *image;
}

class TBenchHost : public TScanHost {
public:
  explicit TBenchHost(bool ignoreCase) : IgnoreCaseBox(ignoreCase) {}
  void ReadPhrase(char* buffer, std::size_t size) override { CopyText(buffer, size, Phrase); }
  bool IgnoreCaseChecked() override { return IgnoreCaseBox; }
  void ClearList() override { Entries = 0; }
  void AppendToList(const char* entry) override {
    benchmark::DoNotOptimize(entry);
    ++Entries;
  }
  void ShowMessage(const char*, const char*, bool) override {}
  void ProcessMessages() override {}

  bool IgnoreCaseBox;
  int Entries = 0;
};

void ScanFullImage(benchmark::State& state, bool ignoreCase) {
  const TTextImage& image = FullImage();
  TBenchHost host(ignoreCase);
  for (auto _ : state) {
    RunScan(host, image);
    benchmark::DoNotOptimize(FindCount);
  }
  state.counters["finds"] = FindCount;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(ImageSize));
}

void BM_Scan(benchmark::State& state) { ScanFullImage(state, false); }
void BM_ScanIgnoringCase(benchmark::State& state) { ScanFullImage(state, true); }

// Every occurrence of the phrase in the whole image, as one memmem after another.
void BM_MemmemBaseline(benchmark::State& state) {
  const TTextImage& image = FullImage();
  const std::size_t length = std::strlen(Phrase);
  int occurrences = 0;
  for (auto _ : state) {
    occurrences = 0;
    const unsigned char* at = image.Data();
    const unsigned char* const end = image.Data() + image.Size();
    while (const void* found = ::memmem(at, static_cast<std::size_t>(end - at), Phrase, length)) {
      ++occurrences;
      at = static_cast<const unsigned char*>(found) + 1;
    }
    benchmark::DoNotOptimize(occurrences);
  }
  state.counters["finds"] = occurrences;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(ImageSize));
}

BENCHMARK(BM_MemmemBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanIgnoringCase)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
