// The scan on any image with any phrase and case flag. The input is: a flag byte (bit 0:
// ignore case; bits 1 to 3 move the count from the lines given plus one), a phrase length
// byte, the phrase, then the lines, split at byte 0xFF. Every find number n has
// LineOfFind[n] and SectionStartOfFind[n] between -3 and the last index the scan visits,
// and the list and the table are what the scan's plain steps give.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzFiles.h"
#include "search/Scan.h"
#include "search/SearchState.h"
#include "support/ReferenceScan.h"
#include "textstore/TextImage.h"
#include "util/TextHelpers.h"

namespace {

class THost : public TScanHost {
public:
  void ReadPhrase(char* buffer, std::size_t size) override { CopyText(buffer, size, Phrase); }
  bool IgnoreCaseChecked() override { return IgnoreCaseBox; }
  void ClearList() override { List.clear(); }
  void AppendToList(const char* entry) override { List.emplace_back(entry); }
  void ShowMessage(const char*, const char*, bool) override { ++Messages; }
  void ProcessMessages() override {}

  std::string Phrase;
  bool IgnoreCaseBox = false;
  std::vector<std::string> List;
  int Messages = 0;
};

constexpr std::size_t MaxLines = 64;

bool HoldsLetterOrDigitForFuzz(std::string_view text) {
  for (const char c : text) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto flags = static_cast<unsigned char>(input[0]);
  const std::size_t phraseLength = static_cast<unsigned char>(input[1]) % 40;
  std::string phrase(input.substr(2, phraseLength));
  for (char& c : phrase) {
    if (c == '\0') c = 'a';  // the edit control holds no NUL
  }
  std::string_view rest = input.substr(std::min(size, 2 + phraseLength));

  static const auto image = std::make_unique<TTextImage>();
  image->Clear();
  std::int32_t stored = 0;
  while (!rest.empty() && static_cast<std::size_t>(stored) < MaxLines) {
    const std::size_t cut = rest.find('\xFF');
    const std::string_view line = rest.substr(0, std::min(cut, SlotSize - 1));
    image->StoreLine(stored++, line);
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
  }
  const std::int32_t count = stored + 1 + static_cast<std::int32_t>((flags >> 1) & 7) - 4;
  image->SetLineCount(count);

  THost host;
  host.Phrase = phrase;
  host.IgnoreCaseBox = (flags & 1) != 0;
  RunScan(host, *image);

  if (!HoldsLetterOrDigitForFuzz(phrase.substr(0, PhraseReadSize - 1))) {
    fuzz::Check(host.Messages == 1 && host.List.empty(), "a phrase without a letter or digit is refused");
    return 0;
  }
  fuzz::Check(FindCount >= 0 && FindCount <= MaxFindCount, "at most 499 finds");
  for (int n = 1; n <= FindCount; ++n) {
    fuzz::Check(LineOfFind[n] >= -3 && LineOfFind[n] <= count, "a find's line lies in the scanned range");
    fuzz::Check(SectionStartOfFind[n] >= -3 && SectionStartOfFind[n] <= count, "a section start lies in the range");
  }
  std::vector<std::string> list;
  std::vector<testsupport::TFind> table;
  testsupport::ReferenceScan(*image, phrase, host.IgnoreCaseBox, list, table);
  fuzz::Check(host.List == list, "the list is the plain steps' list");
  fuzz::Check(testsupport::FindTable() == table, "the table is the plain steps' table");
  return 0;
}
