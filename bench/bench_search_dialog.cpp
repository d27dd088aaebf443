// The scan as OK runs it inside a real search dialog, processing the window messages
// after every line, against the bare scan with a host that processes none, over a full
// image of 17,000 lines of 99 characters.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Resources.h"
#include "platform/Application.h"
#include "platform/Commands.h"
#include "platform/FrameWindow.h"
#include "platform/testing/Driver.h"
#include "platform/testing/ModalScripts.h"
#include "platform/testing/TestApplication.h"
#include "search/Scan.h"
#include "search/SearchResources.h"
#include "search/SearchState.h"
#include "search/TDlg2.h"
#include "textstore/TextImage.h"
#include "util/TextHelpers.h"

namespace {

constexpr const char* Phrase = "Mercy Endureth";
// One line in a hundred holds the phrase: 170 finds, well below the cap of 499.
constexpr int FindEvery = 100;

void FillImage() {
  TextImage.Clear();
  for (std::int32_t i = 0; i < SlotCount; ++i) {
    std::string line = std::to_string(i % 150 + 1) + " ";
    if (i % FindEvery == FindEvery / 2) {
      line += "O give thanks unto the LORD; for he is good: for his mercy endureth for ever. ";
    }
    while (line.size() < MaxLineLength) {
      line += "and the words of the book run on ";
    }
    line.resize(MaxLineLength);
    TextImage.StoreLine(i, line);
  }
  TextImage.SetLineCount(SlotCount);
}

// The scan's host without a window: the list is a vector and no message is processed.
class TBareHost : public TScanHost {
public:
  void ReadPhrase(char* buffer, std::size_t size) override { CopyText(buffer, size, Phrase); }
  bool IgnoreCaseChecked() override { return true; }
  void ClearList() override { Entries.clear(); }
  void AppendToList(const char* entry) override { Entries.emplace_back(entry); }
  void ShowMessage(const char*, const char*, bool) override {}
  void ProcessMessages() override {}
  std::vector<std::string> Entries;
};

void BareScan(benchmark::State& state) {
  TBareHost host;
  for (auto _ : state) {
    RunScan(host, TextImage);
    benchmark::DoNotOptimize(host.Entries.data());
  }
  state.counters["finds"] = FindCount;
  state.counters["entries"] = static_cast<double>(host.Entries.size());
}

// The bare scan, but processing the window messages after every line as the dialog
// does, with no dialog open: the share of the message processing alone.
class TPumpingHost : public TBareHost {
public:
  void ProcessMessages() override { platform::TApplication::Current()->ProcessMessages(); }
};

void BareScanProcessingMessages(benchmark::State& state) {
  TPumpingHost host;
  for (auto _ : state) {
    RunScan(host, TextImage);
    benchmark::DoNotOptimize(host.Entries.data());
  }
  state.counters["finds"] = FindCount;
}

void ScanInDialog(benchmark::State& state) {
  platform::TFrameWindow parent(nullptr, "Quorvel bench");
  parent.Create();
  parent.Show(platform::TShowCommand::ShowNormal);
  // The dialog opens as on the first search: an empty phrase and the box clear, so that
  // typing gives it exactly the bare scan's phrase and state.
  FoldedPhrase[0] = '\0';
  IgnoreCase = 0;
  TDlg2 dialog(&parent, IDD_SEARCH);
  int entries = 0;
  platform::testing::OnNextModal([&](platform::testing::TModal& modal) {
    modal.TypeText(IDC_PHRASE, Phrase);
    modal.Click(IDC_IGNORE_CASE);
    for (auto _ : state) {
      modal.Click(platform::IdOk);
    }
    entries = dialog.FindList()->GetCount();
    modal.Click(platform::IdCancel);
  });
  dialog.Execute();
  state.counters["finds"] = FindCount;
  state.counters["entries"] = entries;
}

BENCHMARK(BareScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BareScanProcessingMessages)->Unit(benchmark::kMillisecond);
BENCHMARK(ScanInDialog)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  platform::testing::TestApplication windowSystem(argc, argv);
  // The dialog's message processing goes through the application object.
  std::unique_ptr<platform::TApplication> application;
  if (!platform::TApplication::Current()) {
    application = std::make_unique<platform::TApplication>("Quorvel bench");
  }
  AddProgramResources(platform::DefaultModule());
  ResetFindTable();
  FillImage();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
