// vesk search: the scan of the search dialog, run on an image file, printing the list
// the dialog would hold or the find table.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "search/Scan.h"
#include "search/SearchState.h"
#include "textstore/ImageLoader.h"
#include "textstore/TextImage.h"
#include "util/TextHelpers.h"

namespace {

const char SearchUsage[] = "usage: vesk search [-i] [--table] PHRASE [IMAGE]\n";

// The dialog's part, played by the command line: the phrase and the Ignore Case box come
// from the arguments, the list is kept until the scan ends, and the messages go to stderr.
class TCommandLineHost : public TScanHost {
public:
  TCommandLineHost(const char* phrase, bool ignoreCase) : Phrase(phrase), IgnoreCaseSet(ignoreCase) {}

  void ReadPhrase(char* buffer, std::size_t size) override { CopyText(buffer, size, Phrase); }
  bool IgnoreCaseChecked() override { return IgnoreCaseSet; }
  void ClearList() override { List.clear(); }
  void AppendToList(const char* entry) override { List.emplace_back(entry); }
  void ShowMessage(const char* text, const char* /*caption*/, bool /*exclamation*/) override {
    std::fprintf(stderr, "%s\n", text);
    if (std::strcmp(text, IncompletePhraseText) == 0) {
      Refused = true;
    }
  }
  void ProcessMessages() override {}

  const std::vector<std::string>& Entries() const { return List; }
  bool PhraseRefused() const { return Refused; }

private:
  const char* Phrase;
  bool IgnoreCaseSet;
  std::vector<std::string> List;
  bool Refused = false;
};

}  // namespace

int RunSearchCommand(int argc, char** argv) {
  bool ignoreCase = false;
  bool table = false;
  bool help = false;
  const TFlagOption flags[] = {{"-i", &ignoreCase}, {"--table", &table}};
  const char* operands[2] = {nullptr, DefaultImagePath};
  const int operandCount = CollectOperands(argc, argv, 2, operands, help, flags);
  if (operandCount < 0) {
    std::fputs(SearchUsage, stderr);
    return ExitUsage;
  }
  if (help) {
    std::fputs(SearchUsage, stdout);
    return ExitSuccess;
  }
  if (operandCount == 0) {
    std::fputs(SearchUsage, stderr);
    return ExitUsage;
  }
  const char* phrase = operands[0];
  const char* imagePath = operands[1];

  const TTextImage* image = LoadImageFile(imagePath);
  if (image == nullptr) {
    return ExitFailure;
  }

  TCommandLineHost host(phrase, ignoreCase);
  RunScan(host, *image);
  if (host.PhraseRefused()) {
    return ExitUsage;
  }

  if (table) {
    for (int n = 1; n <= FindCount; ++n) {
      std::printf("%d\t%d\t%d\n", n, static_cast<int>(LineOfFind[n]), static_cast<int>(SectionStartOfFind[n]));
    }
  } else {
    // Entries are bytes: written as they are, never decoded.
    for (const std::string& entry : host.Entries()) {
      std::fwrite(entry.data(), 1, entry.size(), stdout);
      std::fputc('\n', stdout);
    }
  }
  return FinishOutput() ? ExitSuccess : ExitFailure;
}
